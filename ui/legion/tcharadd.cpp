#include "tcharadd.h"

#include <QKeyEvent>

namespace {

// Four rows of six 100-pixel pictures on a 106-pixel pitch, each framed by a 107-pixel square.
constexpr int InitialWidth = 5 * 106 + 107;
constexpr int InitialHeight = 3 * 106 + 107;

} // namespace

TMonSelectForm::TMonSelectForm(QWidget *parent) : QWidget(parent, Qt::Window)
{
    resize(InitialWidth, InitialHeight);
}

void TMonSelectForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        hide();
    else
        QWidget::keyPressEvent(event);
}
