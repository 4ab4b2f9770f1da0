#pragma once

#include "tmodelessform.h"

class QUndoStack;
class QUndoView;

// The game history: every edit of this session, oldest first, each with its time. The current
// point is selected; the entries after it are the ones undone, listed until a new edit drops
// them. Choosing an entry undoes or redoes to just after it. Modeless, like the notes.
class TGameHistoryForm : public TModelessForm {
public:
    explicit TGameHistoryForm(QUndoStack &history);

    QUndoView *HistoryView = nullptr;
};
