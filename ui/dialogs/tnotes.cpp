#include "tnotes.h"

#include <QKeyEvent>

namespace {

constexpr int InitialWidth = 640;
constexpr int InitialHeight = 453;

} // namespace

TNotesForm::TNotesForm(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Notes  (saved/loaded with game)"));
    resize(InitialWidth, InitialHeight);
}

void TNotesForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        hide();
    else
        QWidget::keyPressEvent(event);
}
