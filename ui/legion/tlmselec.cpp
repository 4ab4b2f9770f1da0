#include "tlmselec.h"

#include <QKeyEvent>

namespace {

constexpr int InitialWidth = 638;
constexpr int InitialHeight = 318;

} // namespace

TLMSelectForm::TLMSelectForm(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Select Legion Marker"));
    resize(InitialWidth, InitialHeight);
}

void TLMSelectForm::BuildMarkers(int count, const std::vector<TPlayer *> &gamePlayers)
{
    playerCount = count;
    players = gamePlayers;
}

void TLMSelectForm::ShowPicker()
{
    show();
    raise();
    activateWindow();
}

void TLMSelectForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        hide();
    else
        QWidget::keyPressEvent(event);
}
