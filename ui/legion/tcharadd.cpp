#include "tcharadd.h"

namespace {

// Four rows of six 100-pixel pictures on a 106-pixel pitch, each framed by a 107-pixel square.
constexpr int InitialWidth = 5 * 106 + 107;
constexpr int InitialHeight = 3 * 106 + 107;

} // namespace

TMonSelectForm::TMonSelectForm(QWidget *parent) : TModelessForm(parent)
{
    resize(InitialWidth, InitialHeight);
}
