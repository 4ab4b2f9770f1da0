#pragma once

#include "tdragcontroller.h"
#include "tmodelessform.h"

#include <QPointer>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QLabel;
class QMouseEvent;
class QPushButton;
class TGameDocument;
class TLMSelectForm;
class TLegion;
class TMonSelectForm;
class TShape;
struct TChange;

// The legion contents window: the legions of one land, one row each, where the user selects,
// flags and reorders creatures, moves them between the land's legions, recruits, kills and
// returns them, and removes whole legions. Modeless; created once and shown, hidden and brought
// to the front as needed. It keeps no legion of its own, only the land and row numbers on it;
// every change is an edit of the game's document, whose report redraws the window.
class TLgnDispForm : public TModelessForm {
public:
    static constexpr int RowCount = 3;
    static constexpr int RowCrits = 8;
    static constexpr int PictureCount = RowCount * RowCrits;
    // SelCrit when no creature is selected; its row is then 3.
    static constexpr uint8_t NoSelection = PictureCount;

    // dragGrabber: the window that holds the mouse while a creature or legion is dragged from
    // here, which must stay shown when this one hides.
    TLgnDispForm(TGameDocument &document, QWidget &dragGrabber, TMonSelectForm &creatures,
                 TLMSelectForm &markers);
    ~TLgnDispForm() override;

    // Rebuilds the window from the land's legions and brings it to the front.
    void ShowLgns(int land);
    // The same for the land shown last.
    void ShowLgns();
    int Land() const { return shownLand; }
    void DeactivateCrit();

    void RecruitRequest(int row);
    // Kills (true) or returns (false) the selected creature, after asking.
    void RemoveCritRequest(bool kill);
    // Kills or returns every creature of the row's legion and takes it off the board.
    void DeleteLgnRequest(int row, bool kill);

    // Event handlers, named after their control and event.
    void FormClick();
    void FormKeyDown(QKeyEvent *event);
    void EverythingMouseDown();
    void ImageClick(int tag);
    void ImageDblClick();
    void NotSureBtnClick();
    void RotateBtnClick();
    void AddStackBtnClick();
    void LgnMrkrMouseDown(int row, QPoint globalPos);
    void CritImageMouseDown(int tag, QPoint globalPos);
    void CStacksMouseDown(QPoint globalPos);
    void CStacksImageDblClick();
    bool ValidDestDragOver(const TDragSource &source) const;
    bool RemoveDragOver(const TDragSource &source) const;
    void CritImageDragDrop(int tag, const TDragSource &source);
    void CatchBoxDragDrop(int row, const TDragSource &source);
    void CStacksDragDrop(const TDragSource &source);
    void GraveyardDragDrop(const TDragSource &source);

    // The window's controls, reached by the other windows and the tests. Index k of the
    // creature arrays is 8 × row + position, the picture's tag.
    std::array<QLabel *, PictureCount> CritImages{};
    std::array<TShape *, PictureCount> SelShapes{};
    std::array<QLabel *, PictureCount> UnsureLbls{};
    std::array<QLabel *, RowCount> ValueLbls{};
    TShape *LgnMrkrShape = nullptr;
    QLabel *LgnMrkrLbl = nullptr;
    QLabel *LgnValueLbl = nullptr;
    QWidget *Panel2 = nullptr;
    TShape *LgnMrkrShape2 = nullptr;
    QLabel *LgnMrkrLbl2 = nullptr;
    QLabel *LgnValueLbl2 = nullptr;
    QWidget *Panel3 = nullptr;
    TShape *LgnMrkrShape3 = nullptr;
    QLabel *LgnMrkrLbl3 = nullptr;
    QLabel *LgnValueLbl3 = nullptr;
    QWidget *PaintBox1 = nullptr;
    QWidget *PaintBox2 = nullptr;
    QWidget *PaintBox3 = nullptr;
    QWidget *CStacksPanel = nullptr;
    QLabel *CStacksImage = nullptr;
    QWidget *GraveyardPanel = nullptr;
    QLabel *GraveyardImage = nullptr;
    QPushButton *AddStackBtn = nullptr;
    QPushButton *NotSureBtn = nullptr;
    QPushButton *RotateBtn = nullptr;

    uint8_t SelCrit = NoSelection;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    class TDropSpot;

    void BuildControls();
    void BuildTopStrip();
    void BuildRows();
    void BuildRowHeader(int row, QWidget *parent, QPoint at);
    void BuildDropSpots();
    bool ChildMousePress(QWidget *widget, QMouseEvent *event);
    bool ChildMouseRelease(QWidget *widget, QMouseEvent *event);
    bool DoubleClick(QObject *watched);
    void ShowRowLegion(int row, const TLegion &legion);
    void DrawLgnRow(int row, const TLegion &legion);
    void HideRowPictures(int firstRow);
    void SetRowWidths(int width);
    void HidePickers();
    // The document's report: the shown land's legions are shown again, or the window goes when
    // none is left.
    void GameChanged(const TChange &change, bool fromHistory);
    TLegion *RowLegion(int row) const;
    // The row of legion `legion` (TLegion::Ref) on the shown land; -1 when not there.
    int RowOf(int legion) const;
    TLegion *SelectedLegion() const;
    void SplitCrit(const TDragSource &source, int row, int position, bool atPosition);
    int RowOfMarkerPart(const QWidget *widget) const;
    int PictureTag(const QObject *widget) const;

    TGameDocument &document;
    QWidget &dragGrabber;
    TMonSelectForm &creatures;
    TLMSelectForm &markers;
    int shownLand = 0;
    std::array<TShape *, RowCount> mrkrShapes{};
    std::array<QLabel *, RowCount> mrkrLbls{};
    std::array<QWidget *, RowCount> paintBoxes{};
    std::vector<std::unique_ptr<TDropSpot>> dropSpots;
    // The control whose press armed the pending drag: the double click that may follow that
    // press arrives at the main window, which holds the drag's grab.
    QPointer<QWidget> armedControl;
};
