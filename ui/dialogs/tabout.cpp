#include "tabout.h"

#include <QPushButton>
#include <QVBoxLayout>

TAboutForm::TAboutForm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About"));
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *button = new QPushButton(QStringLiteral("OK"), this);
    button->setDefault(true);
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, &QDialog::accept);
}
