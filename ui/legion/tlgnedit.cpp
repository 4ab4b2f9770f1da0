// The legion window's edits: selection, unsure flags, order, splits, recruiting and removing.
// Each change to the game is an edit of the game's document; the window shows the result when
// the document reports it.

#include "tlgndisp.h"

#include "platform.h"
#include "tcharadd.h"
#include "tgamedoc.h"
#include "tlegion.h"
#include "tlmselec.h"
#include "tshape.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr const char *SelectFirstText = "Please select a creature first.";
constexpr const char *UnsureCaption = "Unsure: Invalid Selection";
constexpr const char *SelectToRemoveText = "Please select a creature to remove first.";
constexpr const char *RemoveCaption = "Remove Creature: Invalid Selection";
constexpr const char *SplitFullText
    = "The legion you're trying to split that creature into is full.";
constexpr const char *SplitFullCaption = "Target Legion Full";
constexpr const char *StackFullText = "Stack is full.";
constexpr const char *StackFullCaption = "No Room";
constexpr const char *ConfirmCaption = "Confirm";
constexpr const char *KillQuestion = "Kill %1?";
constexpr const char *ReturnQuestion = "Return %1 to recruitment stacks?";
constexpr const char *KillAllQuestion = "Kill all creatures in %1 and remove it from the board?";
constexpr const char *ReturnAllQuestion
    = "Return all creatures in %1 to recruitment stacks, and remove it from the board?";

constexpr const char *UnsureInvalid = "Bug: set unsure request received for invalid legion.";
constexpr const char *SortInvalid = "Bug: sort request received for invalid legion.";
constexpr const char *SplitInvalid = "Bug: split request received for invalid legion.";
constexpr const char *RecruitInvalid = "Bug: recruit request received for invalid legion.";
constexpr const char *RemoveInvalid = "Bug: remove creature request received for invalid legion.";
constexpr const char *DeleteInvalid = "Bug: delete legion request received for invalid legion.";
constexpr const char *BadGraveyardDrop = "bug: bad graveyard drop";

constexpr int RowCrits = TLgnDispForm::RowCrits;

bool Confirm(QWidget *asker, const QString &question)
{
    return ThePlatform().MessageBox(asker, question.toStdString(), ConfirmCaption,
                                    Platform::Icon::Question, Platform::Buttons::OkCancel)
        == Platform::Answer::Ok;
}

void Tell(QWidget *asker, const char *text, const char *caption)
{
    ThePlatform().MessageBox(asker, text, caption, Platform::Icon::None, Platform::Buttons::Ok);
}

} // namespace

// ---- Selection, unsure, order ------------------------------------------------------------------

void TLgnDispForm::ImageClick(int tag)
{
    if (SelCrit < NoSelection)
        SelShapes[SelCrit]->hide();
    SelCrit = uint8_t(tag);
    SelShapes[SelCrit]->show();
}

void TLgnDispForm::DeactivateCrit()
{
    if (SelCrit >= NoSelection)
        return;
    SelShapes[SelCrit]->hide();
    SelCrit = NoSelection;
}

void TLgnDispForm::NotSureBtnClick()
{
    if (SelCrit >= NoSelection) {
        Tell(this, SelectFirstText, UnsureCaption);
        return;
    }
    TLegion *legion = SelectedLegion();
    if (!legion) {
        ThePlatform().Diagnostic(this, "%s", UnsureInvalid);
        return;
    }
    document.Perform(TEdit::ToggleUnsure(legion->Ref(), SelCrit % RowCrits));
    DeactivateCrit();
}

void TLgnDispForm::ImageDblClick()
{
    if (SelCrit >= NoSelection)
        return;
    TLegion *legion = SelectedLegion();
    if (!legion) {
        ThePlatform().Diagnostic(this, "%s", SortInvalid);
        return;
    }
    document.Perform(
        TEdit::MoveCrit(legion->Ref(), SelCrit % RowCrits, legion->Ref(), TEdit::Behind));
    DeactivateCrit();
}

void TLgnDispForm::RotateBtnClick()
{
    // The window shows the new order when the document reports it.
    document.Perform(TEdit::RotateLand(shownLand));
}

void TLgnDispForm::AddStackBtnClick()
{
    markers.ShowPicker(shownLand);
}

// ---- Drops -------------------------------------------------------------------------------------

bool TLgnDispForm::ValidDestDragOver(const TDragSource &source) const
{
    return source.kind == TDragSource::Kind::CritPicture
        || source.kind == TDragSource::Kind::CStacksImage;
}

bool TLgnDispForm::RemoveDragOver(const TDragSource &source) const
{
    return source.kind == TDragSource::Kind::CritPicture
        || source.kind == TDragSource::Kind::LegionRow;
}

void TLgnDispForm::CritImageDragDrop(int tag, const TDragSource &source)
{
    if (source.kind == TDragSource::Kind::CStacksImage) {
        RecruitRequest(tag / RowCrits);
        return;
    }
    if (source.kind != TDragSource::Kind::CritPicture)
        return;
    const int row = tag / RowCrits;
    const int fromRow = RowOf(source.legion);
    if (fromRow == row && source.position == tag % RowCrits)
        return;
    if (fromRow != row) {
        SplitCrit(source, row, tag % RowCrits, true);
        return;
    }
    TLegion *legion = RowLegion(row);
    if (!legion) {
        ThePlatform().Diagnostic(this, "%s", SortInvalid);
        return;
    }
    document.Perform(
        TEdit::MoveCrit(legion->Ref(), source.position, legion->Ref(), tag % RowCrits));
}

void TLgnDispForm::CatchBoxDragDrop(int row, const TDragSource &source)
{
    if (source.kind == TDragSource::Kind::CStacksImage) {
        RecruitRequest(row);
        return;
    }
    if (source.kind != TDragSource::Kind::CritPicture)
        return;
    if (RowOf(source.legion) != row) {
        SplitCrit(source, row, RowCrits - 1, false);
        return;
    }
    TLegion *legion = RowLegion(row);
    if (!legion) {
        ThePlatform().Diagnostic(this, "%s", SortInvalid);
        return;
    }
    document.Perform(TEdit::MoveCrit(legion->Ref(), source.position, legion->Ref(), TEdit::Behind));
}

// Moves the dragged creature into the legion of `row`: to `position` (the creature there and
// those behind it move back one place) or, without atPosition, behind its last creature. Not
// through the stacks (delete, return, recruit): a count of 255 would wrap to 0 on the return and
// the recruit would then find none left, losing the creature.
void TLgnDispForm::SplitCrit(const TDragSource &source, int row, int position, bool atPosition)
{
    const TLegion *from = RowOf(source.legion) >= 0 ? RowLegion(RowOf(source.legion)) : nullptr;
    const TLegion *target = RowLegion(row);
    if (!from || !target) {
        ThePlatform().Diagnostic(this, "%s", SplitInvalid);
        return;
    }
    if (target->Full()) {
        Tell(this, SplitFullText, SplitFullCaption);
        return;
    }
    if (!document.Perform(TEdit::MoveCrit(from->Ref(), source.position, target->Ref(),
                                          atPosition ? position : TEdit::Behind))) {
        ThePlatform().Diagnostic(this, "%s", SplitInvalid);
        return;
    }
}

void TLgnDispForm::CStacksDragDrop(const TDragSource &source)
{
    if (source.kind == TDragSource::Kind::CritPicture)
        RemoveCritRequest(false);
    else if (source.kind == TDragSource::Kind::LegionRow)
        DeleteLgnRequest(RowOf(source.legion), false);
    else
        ThePlatform().Diagnostic(this, "%s", BadGraveyardDrop);
}

void TLgnDispForm::GraveyardDragDrop(const TDragSource &source)
{
    if (source.kind == TDragSource::Kind::CritPicture)
        RemoveCritRequest(true);
    else if (source.kind == TDragSource::Kind::LegionRow)
        DeleteLgnRequest(RowOf(source.legion), true);
    else
        ThePlatform().Diagnostic(this, "%s", BadGraveyardDrop);
}

// ---- Recruiting and removing -------------------------------------------------------------------

void TLgnDispForm::RecruitRequest(int row)
{
    DeactivateCrit();
    TLegion *legion = RowLegion(row);
    if (!legion) {
        ThePlatform().Diagnostic(this, "%s", RecruitInvalid);
        return;
    }
    if (legion->Full()) {
        Tell(this, StackFullText, StackFullCaption);
        return;
    }
    creatures.ShowForLgn(legion);
}

void TLgnDispForm::RemoveCritRequest(bool kill)
{
    if (SelCrit >= NoSelection) {
        Tell(this, SelectToRemoveText, RemoveCaption);
        return;
    }
    TLegion *legion = SelectedLegion();
    const int position = SelCrit % RowCrits;
    const uint8_t type = legion ? legion->GetCrits()[size_t(position)] : Crit::None;
    if (type == Crit::None) {
        ThePlatform().Diagnostic(this, "%s", RemoveInvalid);
        return;
    }
    const QString name = QString::fromLatin1(CritNames[type]);
    if (!Confirm(this, QString::fromLatin1(kill ? KillQuestion : ReturnQuestion).arg(name)))
        return;
    document.Perform(TEdit::RemoveCrit(legion->Ref(), position, kill));
    DeactivateCrit();
}

void TLgnDispForm::DeleteLgnRequest(int row, bool kill)
{
    TLegion *legion = RowLegion(row);
    if (!legion) {
        ThePlatform().Diagnostic(this, "%s", DeleteInvalid);
        return;
    }
    const QString question = QString::fromLatin1(kill ? KillAllQuestion : ReturnAllQuestion)
                                 .arg(QString::fromStdString(legion->ColouredName()));
    if (!Confirm(this, question))
        return;
    // The document's report shows the land's other legions, or closes the window on the last.
    document.Perform(TEdit::RemoveLegion(legion->Ref(), kill));
}
