#include "tchrleft.h"

TCharLeftForm::TCharLeftForm(TVorunWindows &windows)
    : TModelessForm(nullptr, Maximizable), windows(windows)
{
    setWindowTitle(QStringLiteral("Creatures Remaining"));
}
