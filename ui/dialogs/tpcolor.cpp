#include "tpcolor.h"

#include <QPushButton>
#include <QVBoxLayout>

TColorForm::TColorForm(TVorunWindows &windows) : QDialog(nullptr), windows(windows)
{
    setWindowTitle(QStringLiteral("Choose Colors"));
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *button = new QPushButton(QStringLiteral("Close"), this);
    button->setDefault(true);
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, &QDialog::reject);
}

void TColorForm::SetupPlayers(const std::vector<std::string> &, std::array<int, 6> &, int) { }
