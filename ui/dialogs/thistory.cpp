#include "thistory.h"

#include <QUndoView>
#include <QVBoxLayout>

namespace {
constexpr const char *Caption = "Game History";
// The first entry: the game as it was set up or loaded, before any edit of this session.
constexpr const char *StartEntry = "Start of this session";
constexpr QSize InitialSize(460, 360);
} // namespace

TGameHistoryForm::TGameHistoryForm(QUndoStack &history) : TModelessForm(nullptr, Maximizable)
{
    setWindowTitle(QString::fromLatin1(Caption));
    HistoryView = new QUndoView(&history, this);
    HistoryView->setEmptyLabel(QString::fromLatin1(StartEntry));
    HistoryView->setAccessibleName(QString::fromLatin1(Caption));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(HistoryView);
    resize(InitialSize);
}
