#include "tgamedoc.h"

#include "platform.h"

#include <QString>

// One edit on the stack. The edit is applied before it is pushed (to learn whether it changed
// anything), so the push's own first redo has nothing left to do.
class TGameDocument::TEditCommand : public QUndoCommand {
public:
    TEditCommand(TGameDocument &document, TEdit edit, const TDateTime &when)
        : document(document), edit(std::move(edit))
    {
        const QString sentence = QString::fromStdString(this->edit.Describe(document.game));
        // The history lists the time with the sentence; the menu items name only the sentence.
        setText(QString::asprintf("%02d:%02d:%02d  ", when.hour, when.minute, when.second)
                + sentence + '\n' + sentence);
    }

    void undo() override { document.Report(edit.Undo(document.game), true); }
    void redo() override
    {
        if (applied) {
            applied = false;
            return;
        }
        document.Report(edit.Redo(document.game), true);
    }

private:
    TGameDocument &document;
    TEdit edit;
    bool applied = true;
};

TGameDocument::TGameDocument() = default;

bool TGameDocument::Perform(TEdit edit)
{
    if (!edit.Apply(game))
        return false;
    const TChange change = edit.Change();
    history.push(new TEditCommand(*this, std::move(edit), ThePlatform().Now()));
    Report(change, false);
    return true;
}

void TGameDocument::Report(const TChange &change, bool fromHistory)
{
    emit Changed(change, fromHistory);
    emit StateChanged();
}

void TGameDocument::StartHistory(bool unsaved)
{
    history.clear();
    notesEdited = false;
    // With no edit on the stack, only a clean index that matches no position says "unsaved".
    if (unsaved)
        history.resetClean();
    else
        history.setClean();
    emit StateChanged();
}

void TGameDocument::MarkSaved()
{
    history.setClean();
    notesEdited = false;
    emit StateChanged();
}

void TGameDocument::NotesEdited()
{
    notesEdited = true;
    emit StateChanged();
}
