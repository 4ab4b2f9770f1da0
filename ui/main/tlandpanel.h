#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;
class TLandStacks;
class TLegion;
class TShape;

// The selected-land panel left of the board: the land's name and terrain, its first two legions
// with their troops, and the buttons that act on them. It shows what it is given and keeps
// nothing; the main window owns the selection and answers the buttons.
class TLandPanel : public QWidget {
public:
    // Where the panel sits in the window's content, below the player list.
    static constexpr QPoint Origin{0, 94};

    explicit TLandPanel(QWidget *parent);

    // The game view's panel with nothing selected: the headings and "None".
    void ShowHeadings();
    // No land selected.
    void ShowNone();
    // Land n with its legions. The keyboard goes to the button a user presses next: View/Edit,
    // or Add Marker on an empty land.
    void ShowLand(int n, const TLandStacks &legions);
    // The panel button that has the keyboard, if any: hiding it would pass the focus on, and the
    // scroll area would then scroll to show the next button.
    bool HoldsFocus() const;
    std::array<QPushButton *, 3> Buttons() const { return {AddMrkrBtn, ViewLgnBtn, RotateLgnBtn}; }

    QLabel *SelLandLbl = nullptr;
    TShape *ActvLandShape = nullptr;
    QLabel *ActvLandLbl = nullptr;
    QPushButton *AddMrkrBtn = nullptr;
    QLabel *LandLgnLbl = nullptr;
    TShape *ActvLgnShape = nullptr;
    QLabel *ActvLgnLbl = nullptr;
    QLabel *LgnTroopsLbl1 = nullptr;
    TShape *ActvLgnShape2 = nullptr;
    QLabel *ActvLgnLbl2 = nullptr;
    QLabel *LgnTroopsLbl2 = nullptr;
    QPushButton *ViewLgnBtn = nullptr;
    QPushButton *RotateLgnBtn = nullptr;

private:
    void ShowLegion(const TLegion &legion, TShape *shape, QLabel *name, QLabel *troops);
    void HideRows();
};
