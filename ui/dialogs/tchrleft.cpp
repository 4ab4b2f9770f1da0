#include "tchrleft.h"

TCharLeftForm::TCharLeftForm(QWidget *parent) : TModelessForm(parent, Maximizable)
{
    setWindowTitle(QStringLiteral("Creatures Remaining"));
}
