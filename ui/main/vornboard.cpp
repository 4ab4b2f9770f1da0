// The main window's board: the selection and the panel that describes it, presses, double clicks
// and drops on the lands, and what the game's document reports.

#include "vornmain.h"

#include "platform.h"
#include "tboardview.h"
#include "tchrleft.h"
#include "tlandpanel.h"
#include "tlegion.h"
#include "tlgndisp.h"
#include "tlmselec.h"
#include "tvorunwindows.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

namespace {

constexpr const char *TargetFullText
    = "The legion you're trying to move that creature into is full.";
constexpr const char *TargetFullCaption = "Target Legion Full";
constexpr const char *ConfirmCaption = "Confirm";

} // namespace

int TVorunMainForm::ClearSelection()
{
    TakeFocusFromPanel();
    const int was = selectedLand ? selectedLand->GetLandNumber() : 0;
    if (selectedLand) {
        selectedLand->SetHighlight(0);
        BoardImage->RepaintLand(was);
    }
    selectedLand = nullptr;
    activeLegion = nullptr;
    Panel->ShowNone();
    BoardImage->DescribeSelection(0);
    return was;
}

// Hiding the focused panel button would pass the focus on, and the scroll area would then
// scroll to show the next button; the window itself takes the focus instead.
void TVorunMainForm::TakeFocusFromPanel()
{
    if (Panel->HoldsFocus())
        setFocus();
}

void TVorunMainForm::SelectLand(int n)
{
    if (n == 0) {
        n = ClearSelection();
        if (n == 0) {
            ThePlatform().Diagnostic(this,
                                     "is this normal and we should just return or is this a bug?");
            return;
        }
    }
    if (!masterboard || n < 1 || n > LandCount)
        return;
    TakeFocusFromPanel();
    activeLegion = nullptr;
    if (selectedLand) {
        selectedLand->SetHighlight(0);
        BoardImage->RepaintLand(selectedLand->GetLandNumber());
    }
    selectedLand = &masterboard->GetLand(n);
    selectedLand->SetHighlight(1);
    BoardImage->RepaintLand(n);

    activeLegion = game.Land(n).GetStack(0);
    Panel->ShowLand(n, game.Land(n));
    BoardImage->DescribeSelection(n);
}

void TVorunMainForm::AddMrkrBtnClick()
{
    windows->LMSelectForm->ShowPicker(selectedLand ? selectedLand->GetLandNumber() : 0);
}

void TVorunMainForm::RotateLgnBtnClick()
{
    if (selectedLand)
        document.Perform(TEdit::RotateLand(selectedLand->GetLandNumber()));
}

void TVorunMainForm::mousePressEvent(QMouseEvent *event)
{
    MiscMouseDown(event->button());
}

void TVorunMainForm::MiscMouseDown(Qt::MouseButton button)
{
    if (!InGameView()) {
        if (button != Qt::RightButton && !startupPending)
            StartGameMIClick();
        return;
    }
    HideAuxWindows();
    ClearSelection();
}

void TVorunMainForm::LandActiveAreaMouseDown(int n, Qt::MouseButton button,
                                             Qt::KeyboardModifiers modifiers, QPoint globalPos)
{
    if (!masterboard)
        return;
    if (!activeLegion || activeLegion->GetLocation() != n)
        HideAuxWindows();
    if (button == Qt::RightButton)
        return;
    if (n < 1 || n > LandCount) {
        ThePlatform().Diagnostic(this, "bug, land with invalid tag selected");
        return;
    }
    if (activeLegion && (modifiers & Qt::ControlModifier)) {
        Panel->ViewLgnBtn->setFocus();
        if (!document.Perform(TEdit::MoveLegion(activeLegion->Ref(), n)))
            return;
    }
    windows->CharLeftForm->hide();
    SelectLand(n);
    if (activeLegion && button == Qt::LeftButton) {
        TDragController::Instance().Arm(BoardImage, {TDragSource::Kind::LandArea, n, -1, 0},
                                        globalPos);
    }
}

void TVorunMainForm::LandActiveAreaDblClick()
{
    if (activeLegion)
        windows->LgnDispForm->ShowLgns(activeLegion->GetLocation());
}

bool TVorunMainForm::LandActiveAreaDragOver(int n, const TDragSource &source)
{
    if (source.kind == TDragSource::Kind::LandArea)
        return true;
    if (source.kind == TDragSource::Kind::CritPicture) {
        HideAuxWindows();
        return masterboard && game.Land(n).GetStack(0) != nullptr;
    }
    return false;
}

void TVorunMainForm::LandActiveAreaDragDrop(int n, const TDragSource &source)
{
    if (!activeLegion)
        return;
    if (source.kind == TDragSource::Kind::CritPicture) {
        TransferCritToLand(source, n);
        return;
    }
    if (source.kind != TDragSource::Kind::LandArea)
        return;
    Panel->ViewLgnBtn->setFocus();
    if (!document.Perform(TEdit::MoveLegion(activeLegion->Ref(), n)))
        return;
    HideAuxWindows();
    SelectLand(n);
}

// A creature from the legion window passes to the legion on top of land n.
void TVorunMainForm::TransferCritToLand(const TDragSource &source, int n)
{
    TLegion *target = game.Land(n).GetStack(0);
    TLegion *from = game.Legion(source.legion);
    const int position = source.position;
    if (!target || !from || position < 0 || position >= TLegion::MaxCrits
        || from->GetCrits()[size_t(position)] == Crit::None) {
        ThePlatform().Diagnostic(this, "Bug: attempting bad critter transfer");
        return;
    }
    if (target->Full()) {
        ThePlatform().MessageBox(this, TargetFullText, TargetFullCaption, Platform::Icon::None,
                                 Platform::Buttons::Ok);
        return;
    }
    const std::string question = std::string("Transfer ")
        + CritNames[from->GetCrits()[size_t(position)]] + " from " + from->ColouredName() + " to "
        + target->ColouredName() + "?";
    if (ThePlatform().MessageBox(this, question, ConfirmCaption, Platform::Icon::Question,
                                 Platform::Buttons::OkCancel)
        != Platform::Answer::Ok)
        return;
    document.Perform(TEdit::MoveCrit(from->Ref(), position, target->Ref(), TEdit::Behind));
}

void TVorunMainForm::contextMenuEvent(QContextMenuEvent *event)
{
    MainPopupMenu->popup(event->globalPos());
}

void TVorunMainForm::MainPopupMenuPopup()
{
    HideAuxWindows();
}

void TVorunMainForm::FlashTimerTimer()
{
    flashPhase = !flashPhase;
    if (!masterboard)
        return;
    for (int n = 1; n <= LandCount; ++n) {
        if (masterboard->GetLand(n).GetHighlight() == 1)
            BoardImage->RepaintLand(n);
    }
}

// Edits made here or in the other windows are repainted here, and the panel describes the
// selected land again; after an undo or a redo the land it touched is selected, so the panel and
// an open legion window show the result.
void TVorunMainForm::GameChanged(const TChange &change, bool fromHistory)
{
    if (!masterboard)
        return;
    for (int n = 1; n <= LandCount; ++n)
        if (change.lands[size_t(n)])
            BoardImage->RepaintLand(n);
    if (change.names) {
        ShowTitle();
        ShowPlayers();
    }
    if (fromHistory && change.focus)
        SelectLand(change.focus);
    else if (selectedLand && change.lands[size_t(selectedLand->GetLandNumber())])
        SelectLand(0);
}
