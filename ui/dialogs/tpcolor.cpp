#include "tpcolor.h"

#include <QPushButton>
#include <QVBoxLayout>

TColorForm::TColorForm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Choose Colors"));
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *button = new QPushButton(QStringLiteral("Close"), this);
    button->setDefault(true);
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, &QDialog::reject);
}
