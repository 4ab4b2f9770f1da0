#include "tmodelessform.h"

#include <QKeyEvent>

TModelessForm::TModelessForm(QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags) { }

void TModelessForm::ShowInFront()
{
    show();
    raise();
    activateWindow();
}

void TModelessForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        hide();
    else
        QWidget::keyPressEvent(event);
}
