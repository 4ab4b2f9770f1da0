#include "tpnames.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

TNamesForm::TNamesForm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Game Setup: Enter Game Name and Players"));
    auto *layout = new QVBoxLayout(this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}
