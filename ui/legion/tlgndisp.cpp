#include "tlgndisp.h"

#include <QKeyEvent>

namespace {

// One row of legions; the window grows when a land holds more.
constexpr int InitialWidth = 700;
constexpr int InitialHeight = 183;

} // namespace

TLgnDispForm::TLgnDispForm(QWidget *parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Legion Contents"));
    resize(InitialWidth, InitialHeight);
}

void TLgnDispForm::ShowLgns()
{
    show();
    raise();
    activateWindow();
}

void TLgnDispForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        hide();
    else
        QWidget::keyPressEvent(event);
}
