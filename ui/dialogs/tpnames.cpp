#include "tpnames.h"

#include "gametext.h"
#include "gametextqt.h"
#include "labels.h"
#include "platform.h"
#include "tpcolor.h"
#include "tplayer.h"
#include "tpcolor.h"
#include "util.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace {

constexpr const char *Caption = "Game Setup: Enter Game Name and Players";
constexpr const char *GNameInstrText
    = "Enter a name for this game, and a filename to use when saving it.  When saving games, a "
      "date/time marker will be added to the filename you have chosen, so that each save "
      "creates a new file.";
constexpr const char *GRenameInstrText = "Enter a new game name and filename for this game.";
constexpr const char *GameNameText = "Game Name";
constexpr const char *FilenameText = "Filename";
constexpr const char *PNameInstrText
    = "Next, enter the name of each player who will be in the game.  If there are fewer than 6 "
      "players, simply leave the extra name boxes blank.";
constexpr const char *TowerOptText = "Optionally, you may also enter starting towers, or leave "
                                     "all towers blank and they will be chosen at random.";
constexpr const char *PRenameInstrText
    = "Make any changes you wish to player names.  All players must have a name.";
constexpr const char *InProgressNoteText = "NOTE: If you are creating a game that is already in "
                                           "progress, include all players, even if eliminated!";
constexpr const char *NameHdrText = "Player Name";
constexpr const char *TowerHdrText = "Tower";
constexpr const char *DoneText = "Done";
constexpr const char *CancelText = "Cancel";
constexpr std::array<const char *, 2> DefaultNames{"Player 1", "Player 2"};

constexpr const char *BadFilenameText = "Warning: invalid character(s) removed from filename.";
constexpr const char *BadFilenameCaption = "Bad Filename";
constexpr const char *BadTowerText = "Invalid Tower Number.  If tower numbers are entered,\n"
                                     "they must be 1,2,3,4,5,6, or 100,200,300,400,500,600.";
constexpr const char *BadTowerCaption = "That ain't no tower.";
constexpr const char *TooFewText = "Must have at least 2 players.";
constexpr const char *TooFewCaption = "Doh!";
constexpr const char *SomeTowersText = "Must enter towers for all players or none at all.";
constexpr const char *SomeTowersCaption = "I can't handle it!";
constexpr const char *DuplicateText = "Duplicate Tower Number.";
constexpr const char *DuplicateCaption = "Watch where you're driving!";
constexpr const char *NamelessText = "All players must have a name!";
constexpr const char *NamelessCaption = "Oops.";
constexpr const char *NotSetUpText = "Bug: form not set up before being shown";
constexpr const char *NoPlayersText = "bug: can't access player names";

constexpr int GameNameMax = 76;
constexpr int FilenameMax = 20;
constexpr int PlayerNameMax = 40;
constexpr int TowerMax = 3;
constexpr int MinPlayers = 2;

constexpr int TextPixels = 11; // 8 points
constexpr int ContentWidth = 400;
constexpr int GameNameWidth = 300;
constexpr int FilenameWidth = 150;
constexpr int PlayerNameWidth = 240;
constexpr int TowerWidth = 44;
constexpr QColor NoteColor{255, 0, 0};

QLabel *NewLabel(QWidget *parent, const char *text, bool wrapping)
{
    auto *label = new QLabel(QString::fromUtf8(text), parent);
    if (wrapping) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        label->setFixedWidth(ContentWidth);
    }
    return label;
}

QLineEdit *NewEdit(QWidget *parent, int maxLength, int width)
{
    auto *edit = new QLineEdit(parent);
    edit->setMaxLength(maxLength);
    edit->setFixedWidth(width);
    return edit;
}

void Answer(QWidget *asker, const char *text, const char *caption,
            Platform::Icon icon = Platform::Icon::None)
{
    ThePlatform().MessageBox(asker, text, caption, icon, Platform::Buttons::Ok);
}

// 1 … 6 for a valid tower number (1 … 6, or 100 … 600 in hundreds), 0 otherwise.
int TowerOf(const std::string &text)
{
    const int32_t number = StrToIntDef(text, 0);
    if (number >= 1 && number <= 6)
        return number;
    if (number >= 100 && number <= 600 && number % 100 == 0)
        return number / 100;
    return 0;
}

} // namespace

TNamesForm::TNamesForm(TColorForm &colours) : QDialog(nullptr), colours(colours)
{
    // The controls wait for the first set-up: this dialog is rarely needed, start-up always.
    setWindowTitle(QString::fromUtf8(Caption));
}

void TNamesForm::Build()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(TextPixels);
    setFont(font);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(16, 12, 16, 12);
    GNameInstrLbl = NewLabel(this, GNameInstrText, true);
    GRenameInstrLbl = NewLabel(this, GRenameInstrText, true);
    layout->addWidget(GNameInstrLbl);
    layout->addWidget(GRenameInstrLbl);

    auto *names = new QGridLayout;
    GameNameEditLbl = NewLabel(this, GameNameText, false);
    GameNameEdit = NewEdit(this, GameNameMax, GameNameWidth);
    FilenameEditLbl = NewLabel(this, FilenameText, false);
    FilenameEdit = NewEdit(this, FilenameMax, FilenameWidth);
    names->addWidget(GameNameEditLbl, 0, 0);
    names->addWidget(GameNameEdit, 0, 1, Qt::AlignLeft);
    names->addWidget(FilenameEditLbl, 1, 0);
    names->addWidget(FilenameEdit, 1, 1, Qt::AlignLeft);
    names->setColumnStretch(1, 1);
    layout->addLayout(names);
    layout->addSpacing(8);

    PNameInstrLbl = NewLabel(this, PNameInstrText, true);
    TowerOptLbl = NewLabel(this, TowerOptText, true);
    PRenameInstrLbl = NewLabel(this, PRenameInstrText, true);
    for (QLabel *label : {PNameInstrLbl, TowerOptLbl, PRenameInstrLbl})
        layout->addWidget(label);

    auto *rows = new QGridLayout;
    BuildRows(rows);
    layout->addLayout(rows);
    layout->setAlignment(rows, Qt::AlignHCenter);

    InProgressNoteLbl = NewLabel(this, InProgressNoteText, true);
    ShowNoteColor();
    layout->addWidget(InProgressNoteLbl);

    auto *buttons = new QHBoxLayout;
    // Plain buttons: a standard button box looks up its icons in the desktop theme.
    NamesDoneBtn = new QPushButton(QString::fromUtf8(DoneText), this);
    NamesDoneBtn->setDefault(true);
    CancelBtn = new QPushButton(QString::fromUtf8(CancelText), this);
    buttons->addStretch();
    buttons->addWidget(NamesDoneBtn);
    buttons->addWidget(CancelBtn);
    buttons->addStretch();
    layout->addSpacing(4);
    layout->addLayout(buttons);
    connect(NamesDoneBtn, &QPushButton::clicked, this, &TNamesForm::NamesDoneBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

// The note stands out in red on the dialog's face, whichever the desktop's theme.
void TNamesForm::ShowNoteColor()
{
    SetTextColor(InProgressNoteLbl, ReadableOn(NoteColor, palette().color(QPalette::Window)));
}

void TNamesForm::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && InProgressNoteLbl)
        ShowNoteColor();
}

void TNamesForm::BuildRows(QGridLayout *grid)
{
    NameHdrLabel = NewLabel(this, NameHdrText, false);
    TowerHdrLbl = NewLabel(this, TowerHdrText, false);
    grid->addWidget(NameHdrLabel, 0, 0);
    grid->addWidget(TowerHdrLbl, 0, 1);
    for (int k = 0; k < Rows; ++k) {
        NameEdits[size_t(k)] = NewEdit(this, PlayerNameMax, PlayerNameWidth);
        TowerEdits[size_t(k)] = NewEdit(this, TowerMax, TowerWidth);
        grid->addWidget(NameEdits[size_t(k)], k + 1, 0);
        grid->addWidget(TowerEdits[size_t(k)], k + 1, 1);
    }
    // Name and tower side by side, so Tab walks along each row.
    for (int k = 0; k + 1 < Rows; ++k)
        setTabOrder(TowerEdits[size_t(k)], NameEdits[size_t(k + 1)]);
}

void TNamesForm::ShowMode(bool newGame)
{
    for (QWidget *control : std::initializer_list<QWidget *>{
             GNameInstrLbl, TowerOptLbl, PNameInstrLbl, TowerHdrLbl, InProgressNoteLbl})
        control->setVisible(newGame);
    for (QWidget *control : std::initializer_list<QWidget *>{GRenameInstrLbl, PRenameInstrLbl})
        control->setVisible(!newGame);
    for (QLineEdit *edit : TowerEdits) {
        edit->clear();
        edit->setVisible(newGame);
    }
}

void TNamesForm::SetUpNames(int playerCount, const std::string &shownGameName,
                            const std::string &shownFileName, const std::vector<TPlayer *> *players)
{
    if (!GameNameEdit)
        Build();
    setUp = true;
    const bool newGame = playerCount == 0;
    ShowMode(newGame);
    for (int k = 0; k < Rows; ++k) {
        NameEdits[size_t(k)]->clear();
        NameEdits[size_t(k)]->setVisible(newGame || k < playerCount);
    }
    originalGameName = newGame ? std::string() : shownGameName;
    originalFileName = newGame ? std::string() : shownFileName;
    originalNames.fill(std::string());
    GameNameEdit->setText(ShownText(originalGameName));
    FilenameEdit->setText(ShownText(originalFileName));
    doneAction = newGame ? &TNamesForm::NamesDoneBtnClick1 : &TNamesForm::NamesDoneBtnClick2;
    GameNameEdit->setFocus();
    if (newGame) {
        std::copy(DefaultNames.begin(), DefaultNames.end(), originalNames.begin());
    } else if (!players) {
        ThePlatform().Diagnostic(this, "%s", NoPlayersText);
    } else {
        const int known = std::min({playerCount, int(players->size()), Rows});
        for (int k = 0; k < known; ++k)
            originalNames[size_t(k)] = (*players)[size_t(k)]->GetName();
    }
    for (int k = 0; k < Rows; ++k)
        NameEdits[size_t(k)]->setText(ShownText(originalNames[size_t(k)]));
}

std::string TNamesForm::GameName() const
{
    return gameName;
}

std::string TNamesForm::FileName() const
{
    return fileName;
}

std::string TNamesForm::PlayerName(int row) const
{
    return row >= 0 && row < Rows ? playerNames[size_t(row)] : std::string();
}

void TNamesForm::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
    // No window manager gives a new window the keyboard: it takes it itself.
    raise();
    activateWindow();
}

void TNamesForm::hideEvent(QHideEvent *event)
{
    FormHide();
    QDialog::hideEvent(event);
}

void TNamesForm::FormShow()
{
    if (!GameNameEdit)
        Build();
    if (!setUp)
        ThePlatform().Diagnostic(this, "%s", NotSetUpText);
}

void TNamesForm::FormHide()
{
    setUp = false;
}

// A name the user left as it was keeps its bytes, whatever its character set.
std::string TNamesForm::EditedText(const QLineEdit *edit, const std::string &original) const
{
    return Trim(KeptText(edit->text(), original));
}

void TNamesForm::CleanNames()
{
    gameName = EditedText(GameNameEdit, originalGameName);
    GameNameEdit->setText(ShownText(gameName));
    const CleanedFileName cleaned = CleanFileName(KeptText(FilenameEdit->text(), originalFileName));
    if (cleaned.removedCharacters)
        Answer(this, BadFilenameText, BadFilenameCaption, Platform::Icon::Warning);
    fileName = cleaned.name;
    FilenameEdit->setText(ShownText(fileName));
}

bool TNamesForm::ReadRows(std::vector<std::string> &names, std::vector<int> &towers)
{
    for (int k = 0; k < Rows; ++k) {
        const std::string name = EditedText(NameEdits[size_t(k)], originalNames[size_t(k)]);
        if (name.empty())
            continue;
        const std::string towerText = Trim(TowerEdits[size_t(k)]->text().toStdString());
        if (!towerText.empty()) {
            const int tower = TowerOf(towerText);
            if (tower == 0) {
                Answer(this, BadTowerText, BadTowerCaption);
                return false;
            }
            towers.push_back(tower);
        }
        names.push_back(name);
    }
    return true;
}

bool TNamesForm::CheckPlayers(const std::vector<std::string> &names, const std::vector<int> &towers)
{
    if (names.size() < size_t(MinPlayers)) {
        Answer(this, TooFewText, TooFewCaption);
        return false;
    }
    if (!towers.empty() && towers.size() != names.size()) {
        Answer(this, SomeTowersText, SomeTowersCaption);
        return false;
    }
    if (std::set<int>(towers.begin(), towers.end()).size() != towers.size()) {
        Answer(this, DuplicateText, DuplicateCaption);
        return false;
    }
    return true;
}

void TNamesForm::NamesDoneBtnClick()
{
    (this->*doneAction)();
}

void TNamesForm::NamesDoneBtnClick1()
{
    CleanNames();
    std::vector<std::string> names;
    std::vector<int> towers;
    if (!ReadRows(names, towers) || !CheckPlayers(names, towers))
        return;
    std::array<int, Rows> towerList{};
    std::copy(towers.begin(), towers.end(), towerList.begin());
    colours.SetupPlayers(names, towerList, int(names.size()));
    accept();
}

void TNamesForm::NamesDoneBtnClick2()
{
    CleanNames();
    for (size_t k = 0; k < size_t(Rows); ++k) {
        QLineEdit *edit = NameEdits[k];
        if (!edit->isVisibleTo(this))
            continue;
        playerNames[k] = EditedText(edit, originalNames[k]);
        edit->setText(ShownText(playerNames[k]));
        if (playerNames[k].empty()) {
            Answer(this, NamelessText, NamelessCaption);
            return;
        }
    }
    accept();
}
