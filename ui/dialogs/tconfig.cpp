#include "tconfig.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

TConfigForm::TConfigForm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Configuration"));
    auto *layout = new QVBoxLayout(this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}
