#include "tpnames.h"

#include <QPushButton>
#include <QVBoxLayout>

TNamesForm::TNamesForm(TVorunWindows &windows) : QDialog(nullptr), windows(windows)
{
    setWindowTitle(QStringLiteral("Game Setup: Enter Game Name and Players"));
    auto *layout = new QVBoxLayout(this);
    // Plain buttons in these dialogs: a standard button box looks up its icons in the desktop
    // theme, which costs start-up time for windows nobody has opened yet.
    auto *button = new QPushButton(QStringLiteral("Cancel"), this);
    button->setDefault(true);
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, &QDialog::reject);
}

void TNamesForm::SetUpNames(int, const std::string &, const std::string &,
                            const std::vector<TPlayer *> *)
{ }
