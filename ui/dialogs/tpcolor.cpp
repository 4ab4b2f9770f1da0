#include "tpcolor.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

TColorForm::TColorForm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Choose Colors"));
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}
