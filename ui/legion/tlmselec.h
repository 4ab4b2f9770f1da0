#pragma once

#include "tcatalog.h"
#include "tgame.h"
#include "tmodelessform.h"

#include <QFont>

#include <array>
#include <vector>

class QLabel;
class TPlayer;
class TShape;
class TGameDocument;

// The legion marker picker: every player's twelve markers, from which the user picks the
// marker of a new legion on a land. Modeless; created once, its grid built when the game is
// shown. Escape hides it (the base class). A window showing the land shows the new legion when
// the game's document reports it.
class TLMSelectForm : public TModelessForm {
public:
    static constexpr int Rows = TVorunGame::MaxPlayers;
    static constexpr int GridSize = Rows * MarkersPerColor;

    explicit TLMSelectForm(TGameDocument &document);

    // The players of the game in order; called once, when the game view is entered. A further
    // call replaces the grid.
    void BuildMarkers(int playerCount, const std::vector<TPlayer *> &players);
    // land: where the chosen marker's legion goes; 0 for nowhere.
    void ShowPicker(int land);

    // Event handlers, named after their control and event. A marker's tag is 12 × row + marker.
    void FormShow();
    void MarkerMouseDown(int tag);
    void DisabledMarkerMouseDown();
    void NLMouseDown();

    // The grid, indexed by tag; null for rows without a player.
    std::array<TShape *, GridSize> MarkerShapes{};
    std::array<QLabel *, GridSize> MarkerLbls{};
    // Shape1–Shape6 with their free counts (NLLbl1–NLLbl6) and "left" captions.
    std::array<TShape *, Rows> ColorShapes{};
    std::array<QLabel *, Rows> NLLbls{};
    std::array<QLabel *, Rows> LeftLbls{};

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildColorBoxes();
    void ClearMarkers();
    void BuildMarker(int row, int marker, uint8_t colour);
    int MarkerTag(const QObject *control) const;
    bool IsColorBox(const QObject *control) const;

    TGameDocument &document;
    int targetLand = 0;
    int playerCount = 0;
    std::vector<TPlayer *> players;
    // Which markers stood on a land when the picker was last shown.
    std::array<bool, GridSize> inUse{};
    // Sized so that every caption fits its box.
    QFont labelFont;
};
