#pragma once

#include <QDialog>

#include <array>
#include <string>
#include <vector>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class TPlayer;
class TColorForm;

// The new game dialog: game name, save file name, player names and towers; in its second mode
// it renames the game and the players of the game in progress. Modal, prepared before each use.
class TNamesForm : public QDialog {
public:
    static constexpr int Rows = 6;

    explicit TNamesForm(TColorForm &colours);

    // playerCount 0 prepares a new game; 1 … 6 renames the game and these players.
    void SetUpNames(int playerCount, const std::string &shownGameName,
                    const std::string &shownFileName, const std::vector<TPlayer *> *players);

    // What the caller reads after OK: the cleaned names, and in rename mode a row's player name.
    std::string GameName() const;
    std::string FileName() const;
    std::string PlayerName(int row) const;

    // Event handlers, named after their control and event.
    void FormShow();
    void FormHide();
    void NamesDoneBtnClick1();
    void NamesDoneBtnClick2();

    // The controls; made on first use, so they are null until the first SetUpNames.
    QLabel *GNameInstrLbl = nullptr;
    QLabel *GRenameInstrLbl = nullptr;
    QLabel *GameNameEditLbl = nullptr;
    QLineEdit *GameNameEdit = nullptr;
    QLabel *FilenameEditLbl = nullptr;
    QLineEdit *FilenameEdit = nullptr;
    QLabel *PNameInstrLbl = nullptr;
    QLabel *TowerOptLbl = nullptr;
    QLabel *PRenameInstrLbl = nullptr;
    QLabel *NameHdrLabel = nullptr;
    QLabel *TowerHdrLbl = nullptr;
    // Row k holds NameEdit<k + 1> and TowerEdit<k + 1>.
    std::array<QLineEdit *, Rows> NameEdits{};
    std::array<QLineEdit *, Rows> TowerEdits{};
    QLabel *InProgressNoteLbl = nullptr;
    QPushButton *NamesDoneBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    // A desktop turning to a dark theme or back.
    void changeEvent(QEvent *event) override;

private:
    void Build();
    void BuildRows(QGridLayout *grid);
    void ShowNoteColor();
    void ShowMode(bool newGame);
    // The button's one action, which SetUpNames points at the handler of its mode.
    void NamesDoneBtnClick();
    void CleanNames();
    std::string EditedText(const QLineEdit *edit, const std::string &original) const;
    // False, after telling the user, when a tower box holds no tower.
    bool ReadRows(std::vector<std::string> &names, std::vector<int> &towers);
    bool CheckPlayers(const std::vector<std::string> &names, const std::vector<int> &towers);

    TColorForm &colours;
    // The names as the dialog was given them, then as cleaned by Done.
    std::string originalGameName;
    std::string originalFileName;
    std::array<std::string, Rows> originalNames;
    std::string gameName;
    std::string fileName;
    std::array<std::string, Rows> playerNames;
    bool setUp = false;
    void (TNamesForm::*doneAction)() = &TNamesForm::NamesDoneBtnClick1;
};
