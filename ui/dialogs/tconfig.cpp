#include "tconfig.h"

#include <QPushButton>
#include <QVBoxLayout>

TConfigForm::TConfigForm(TVorunWindows &windows) : QDialog(nullptr), windows(windows)
{
    setWindowTitle(QStringLiteral("Configuration"));
    auto *layout = new QVBoxLayout(this);
    auto *button = new QPushButton(QStringLiteral("Cancel"), this);
    button->setDefault(true);
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, &QDialog::reject);
}
