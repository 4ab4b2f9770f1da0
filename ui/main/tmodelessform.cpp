#include "tmodelessform.h"

#include "windowfocus.h"

#include <QApplication>
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

void TModelessForm::showEvent(QShowEvent *event)
{
    QWidget *active = QApplication::activeWindow();
    if (active != this)
        opener = active;
    QWidget::showEvent(event);
}

void TModelessForm::hideEvent(QHideEvent *event)
{
    HandFocusBack(this, opener);
    QWidget::hideEvent(event);
}
