#pragma once

#include <QDialog>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class QGridLayout;
class QKeyEvent;
class QLabel;
class QPushButton;
class TShape;
class TVorunGame;

// The last step of a new game: each player in turn picks a colour. Modal, prepared before each
// use; once accepted, the caller adds the players it chose to the game.
class TColorForm : public QDialog {
public:
    // One row per tower, tower 600 at the top: the row of tower t is Rows − t.
    static constexpr int Rows = 6;

    TColorForm();

    // towers: count entries of 1 … 6 in the order of names, or all 0; the towers drawn here for
    // players without one are written back.
    void SetupPlayers(const std::vector<std::string> &names, std::array<int, 6> &towers, int count);

    // The row whose player chooses now; −1 once everybody has chosen.
    int CurrentRow() const { return currentRow; }
    // The chosen players with their colours and starting legions, in the game's order.
    void AddPlayersTo(TVorunGame &game) const;

    // Event handlers, named after their control and event. tag is the colour index.
    void ColorBtnClick(int tag);
    void FormKeyDown(QKeyEvent *event);

    // The controls; made on first use, so they are null until the first SetupPlayers.
    QLabel *TowerInfoLabel = nullptr;
    QLabel *PlrHdrLabel = nullptr;
    QLabel *PlrTowerLabel = nullptr;
    QLabel *PlrColorLabel = nullptr;
    // Label1 … Label6: the player in each row's tower.
    std::array<QLabel *, Rows> NameLabels{};
    // Label7 … Label12: "600" … "100".
    std::array<QLabel *, Rows> TowerLabels{};
    // Shape1 … Shape6.
    std::array<TShape *, Rows> Shapes{};
    QLabel *ColorInstrLabel = nullptr;
    QLabel *CurPlrLabel = nullptr;
    // BitBtn1 … BitBtn6, indexed by their tags, the colour indexes.
    std::array<QPushButton *, Rows> BitBtns{};

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void Build();
    void BuildButtons(QGridLayout *grid);
    void ClearRow(int row);
    void AdvanceChooser();

    int currentRow = -1;
    int playerCount = 0;
    int chosenCount = 0;
    std::array<std::string, Rows> rowNames;
    std::array<uint8_t, Rows> chosen{};
};
