#include "vornmain.h"

#include "gametextqt.h"
#include "labels.h"
#include "platform.h"
#include "savefiles.h"
#include "qtcolor.h"
#include "tboardview.h"
#include "tchrleft.h"
#include "thistory.h"
#include "tlandpanel.h"
#include "tlegion.h"
#include "tlgndisp.h"
#include "tlmselec.h"
#include "tcharadd.h"
#include "tmastrbd.h"
#include "tnotes.h"
#include "tshape.h"
#include "tvorunwindows.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace {

constexpr const char *WindowCaption = "Vorun";
constexpr int MinWidth = 640;
constexpr int MinHeight = 443;
constexpr int FlashInterval = 300; // ms
constexpr int MaxNameWidth = 194;

// Pixel sizes of the design's point sizes at 96 pixels per inch.
constexpr int SmallTextPixels = 11; // 8 points
constexpr int TitlePixels = 48;

} // namespace

TVorunMainForm::TVorunMainForm(TProgramFolders programFolders, std::vector<std::string> args)
    : folders(std::move(programFolders)),
      arguments(std::move(args)),
      link(*this),
      recovery(document, *this, SavedGamesDir(folders.games), [this] {
          if (windows)
              windows->NotesForm->TakeNotesIntoGame();
      })
{
    setWindowTitle(WindowCaption);
    setMinimumSize(MinWidth, MinHeight);
    resize(MinWidth, MinHeight);
    move(0, 0);
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);
    QFont font("MS Sans Serif");
    font.setPixelSize(SmallTextPixels);
    setFont(font);

    scrollArea = new QScrollArea(this);
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setFocusPolicy(Qt::NoFocus);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->horizontalScrollBar()->setSingleStep(ScrollStep);
    scrollArea->verticalScrollBar()->setSingleStep(ScrollStep);
    scrollArea->viewport()->setPalette(palette);
    scrollArea->viewport()->installEventFilter(this);
    setCentralWidget(scrollArea);
    content = new QWidget;
    content->setPalette(palette);
    // Keys a focused panel button leaves unused pass through here on their way to the window.
    content->installEventFilter(this);
    content->resize(MinWidth, MinHeight);
    scrollArea->setWidget(content);

    BoardImage = new TBoardView(content, *this);
    BoardImage->move(BoardLeft, 0);
    BoardImage->hide();
    BuildPlayerList(content);
    BuildPanel(content);
    BuildTitleScreen(content);

    FlashTimer = new QTimer(this);
    FlashTimer->setInterval(FlashInterval);
    connect(FlashTimer, &QTimer::timeout, this, &TVorunMainForm::FlashTimerTimer);
    BuildMenu();
    connect(&document, &TGameDocument::Changed, this, &TVorunMainForm::GameChanged);

    ThePlatform().Randomize();
    iniFileName = folders.settings;
    startupSettings = ReadStartupSettingsFile(iniFileName);
    EnableGameMenus(false);
    helpFileName = folders.data + "VorunKelm.html";

    // Both wait for the first idle moment, when the title screen is on show.
    if (!arguments.empty()) {
        startupPending = true;
        QTimer::singleShot(0, this, [this] {
            // The game asked for is opened; what a crash left is kept, never asked about here.
            for (TRecoverable &snapshot : FindRecoverable(SavedGamesDir(folders.games)))
                KeepUnrecovered(snapshot);
            LoadGame(true);
            startupPending = false;
        });
    } else if (!(unrecovered = FindRecoverable(SavedGamesDir(folders.games))).empty()) {
        startupPending = true;
        QTimer::singleShot(0, this, [this] {
            OfferRecovery();
            startupPending = false;
        });
    }
}

TVorunMainForm::~TVorunMainForm()
{
    TDragController::Instance().UnregisterTarget(BoardImage);
}

void TVorunMainForm::AttachWindows(TVorunWindows &all)
{
    windows = &all;
    // Undo and redo work from every window where the game is edited; text fields keep their own
    // Ctrl+Z, which they take before a window's shortcut.
    for (QWidget *window :
         std::initializer_list<QWidget *>{all.LgnDispForm.get(), all.MonSelectForm.get(),
                                          all.LMSelectForm.get(), all.HistoryForm.get()})
        window->addActions({UndoMI, RedoMI, HistoryMI});
    all.NotesForm->SetEditedHandler([this] { document.NotesEdited(); });
}

void TVorunMainForm::BuildTitleScreen(QWidget *parent)
{
    TitleLabel = new QLabel("VORUN", parent);
    QFont titleFont("Copperplate Gothic Bold");
    titleFont.setPixelSize(TitlePixels);
    titleFont.setBold(true);
    TitleLabel->setFont(titleFont);
    SetTextColor(TitleLabel, QColor(128, 0, 128));
    MyCoprLabel = new QLabel("VorunKelm keeps the board of a Vorun game.  "
                             "Copyright 2026 the VorunKelm developers.",
                             parent);
    OrigCoprLabel = new QLabel("The Vorun board game and its rules are the work of its own "
                               "authors; this program only keeps its score.",
                               parent);
    ClickLoadLabel = new QLabel("To load a game, press <Enter> or <Space> or click", parent);
    LoadBtn = new QPushButton("Load", parent);
    LoadBtn->setDefault(true);
    LoadBtn->installEventFilter(this);
    connect(LoadBtn, &QPushButton::clicked, this, &TVorunMainForm::LoadBtnClick);
    ClickStartLabel
        = new QLabel("To start a new game, click anywhere else or press any other key.", parent);
    for (QLabel *label :
         {TitleLabel, MyCoprLabel, OrigCoprLabel, ClickLoadLabel, ClickStartLabel}) {
        label->setTextFormat(Qt::PlainText); // "<Enter>" is a key, not a tag
        label->adjustSize();
    }
    LoadBtn->setFocus();
    LayoutTitleScreen();
}

// Centres the title screen in the visible part of the window.
void TVorunMainForm::LayoutTitleScreen()
{
    if (InGameView() || !ClickStartLabel)
        return;
    const int width = scrollArea->viewport()->width();
    content->resize(scrollArea->viewport()->size());
    auto centre = [width](QWidget *widget, int top) {
        widget->adjustSize();
        widget->move(std::max(0, (width - widget->width()) / 2), top);
    };
    centre(TitleLabel, 40);
    centre(MyCoprLabel, 130);
    centre(OrigCoprLabel, 150);
    const int loadRow = 230;
    LoadBtn->resize(75, 25);
    ClickLoadLabel->adjustSize();
    const int rowWidth = ClickLoadLabel->width() + 8 + LoadBtn->width();
    const int left = std::max(0, (width - rowWidth) / 2);
    ClickLoadLabel->move(left, loadRow + (LoadBtn->height() - ClickLoadLabel->height()) / 2);
    LoadBtn->move(left + ClickLoadLabel->width() + 8, loadRow);
    centre(ClickStartLabel, loadRow + 45);
}

void TVorunMainForm::BuildPlayerList(QWidget *parent)
{
    for (int k = 0; k < TVorunGame::MaxPlayers; ++k) {
        PlyrBgShapes[size_t(k)] = new TShape(parent, 0, Qt::black);
        PlyrBgShapes[size_t(k)]->setGeometry(2, 2 + 15 * k, 10, 14);
        PlyrBgShapes[size_t(k)]->hide();
        PlyrLabels[size_t(k)] = MakeLabel(parent, QString(), QPoint(4, 2 + 15 * k));
        PlyrLabels[size_t(k)]->hide();
    }
}

void TVorunMainForm::BuildPanel(QWidget *parent)
{
    Panel = new TLandPanel(parent);
    connect(Panel->AddMrkrBtn, &QPushButton::clicked, this, &TVorunMainForm::AddMrkrBtnClick);
    connect(Panel->ViewLgnBtn, &QPushButton::clicked, this,
            &TVorunMainForm::LandActiveAreaDblClick);
    connect(Panel->RotateLgnBtn, &QPushButton::clicked, this, &TVorunMainForm::RotateLgnBtnClick);
    for (QPushButton *button : Panel->Buttons())
        button->installEventFilter(this);
}

QAction *TVorunMainForm::AddMenuItem(QMenu *menu, const char *caption, QKeySequence shortcut,
                                     void (TVorunMainForm::*handler)())
{
    QAction *item = menu->addAction(caption);
    item->setShortcut(shortcut);
    // Shortcuts work whenever the item is enabled, with or without the menu open.
    addAction(item);
    connect(item, &QAction::triggered, this, handler);
    return item;
}

void TVorunMainForm::BuildMenu()
{
    MainPopupMenu = new QMenu(this);
    QMenu *m = MainPopupMenu;
    StartGameMI = AddMenuItem(m, "Start New Game", {}, &TVorunMainForm::StartGameMIClick);
    LoadGameMI = AddMenuItem(m, "Load Game", {}, &TVorunMainForm::LoadBtnClick);
    SaveGameMI
        = AddMenuItem(m, "Save Game", QKeySequence("Ctrl+S"), &TVorunMainForm::SaveGameMIClick);
    RestartMI = AddMenuItem(m, "Restart Program", QKeySequence("Ctrl+R"),
                            &TVorunMainForm::RestartMIClick);
    CharLeftMI = AddMenuItem(m, "Show Creatures Remaining", QKeySequence("Ctrl+C"),
                             &TVorunMainForm::CharLeftMIClick);
    NotesMI = AddMenuItem(m, "Make Notes about game", QKeySequence("Ctrl+N"),
                          &TVorunMainForm::NotesMIClick);
    NameChangeMI
        = AddMenuItem(m, "Change Game/Player Names", {}, &TVorunMainForm::NameChangeMIClick);
    UndoMI = document.History().createUndoAction(this);
    UndoMI->setShortcut(QKeySequence("Ctrl+Z"));
    RedoMI = document.History().createRedoAction(this);
    RedoMI->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    for (QAction *item : {UndoMI, RedoMI}) {
        m->addAction(item);
        addAction(item);
    }
    HistoryMI
        = AddMenuItem(m, "Game History", QKeySequence("Ctrl+H"), &TVorunMainForm::HistoryMIClick);
    DocSubM = m->addMenu("Help/Documentation");
    ReadmeMI
        = AddMenuItem(DocSubM, "Help", QKeySequence(Qt::Key_F1), &TVorunMainForm::ReadmeMIClick);
    AboutMI = AddMenuItem(DocSubM, "About", QKeySequence("Ctrl+A"), &TVorunMainForm::AboutMIClick);
    LicenseMI = DocSubM->addAction("License");
    HistMI = DocSubM->addAction("Rev History");
    for (QAction *item : {LicenseMI, HistMI})
        connect(item, &QAction::triggered, this, [this, item] { DocMIClick(item); });
    SizeSubM = m->addMenu("Select Board Size");
    sizeGroup = new QActionGroup(this);
    constexpr std::array<const char *, 5> sizeCaptions{"640 x 480", "800 x 600", "1024 x 768",
                                                       "1280 x 960", "1280 x 1024"};
    constexpr std::array<Qt::Key, 5> sizeKeys{Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4,
                                              Qt::Key_F5};
    for (size_t i = 0; i < SizeMIs.size(); ++i) {
        QAction *item = SizeSubM->addAction(sizeCaptions[i]);
        item->setCheckable(true);
        item->setData(int(i)); // the board size minus one
        item->setShortcut(QKeySequence(Qt::CTRL | sizeKeys[i]));
        sizeGroup->addAction(item);
        addAction(item);
        connect(item, &QAction::triggered, this, [this, item] { SizeMIClick(item); });
        SizeMIs[i] = item;
    }
    ConfigMI = AddMenuItem(m, "Startup Settings", {}, &TVorunMainForm::ConfigMIClick);
    QuitMI = AddMenuItem(m, "Quit Game", QKeySequence("Ctrl+Q"), &TVorunMainForm::QuitMIClick);
    connect(MainPopupMenu, &QMenu::aboutToShow, this, &TVorunMainForm::MainPopupMenuPopup);
}

void TVorunMainForm::EnableGameMenus(bool inGame)
{
    for (QAction *item :
         {NameChangeMI, SaveGameMI, RestartMI, CharLeftMI, ConfigMI, NotesMI, HistoryMI})
        item->setEnabled(inGame);
    SizeSubM->setEnabled(inGame);
    for (QAction *item : SizeMIs)
        item->setEnabled(inGame);
    for (QAction *item : {StartGameMI, LoadGameMI}) {
        item->setEnabled(!inGame);
        item->setVisible(!inGame);
    }
}

void TVorunMainForm::HideAuxWindows()
{
    if (!windows)
        return;
    windows->LgnDispForm->hide();
    windows->LMSelectForm->hide();
    windows->CharLeftForm->hide();
    windows->MonSelectForm->hide();
}

int TVorunMainForm::ShowPlayer(int index, const std::string &name, int colour)
{
    if (index < 0 || index >= TVorunGame::MaxPlayers)
        return 0;
    QLabel *label = PlyrLabels[size_t(index)];
    label->setText(ShownText(name));
    label->adjustSize();
    PlyrBgShapes[size_t(index)]->SetBrushColor(ToQColor(ColorValues[size_t(colour)]));
    PlyrBgShapes[size_t(index)]->setAccessibleName(QString::fromLatin1(ColorNames[size_t(colour)]));
    return label->width();
}

// Every player's name on a background of one width, that of the widest name: a longer name widens
// the player list rather than being cut off.
void TVorunMainForm::ShowPlayers()
{
    const int players = std::min(game.PlayerCount(), int(TVorunGame::MaxPlayers));
    int widest = 0;
    for (int k = 0; k < players; ++k) {
        const TPlayer &player = *game.GetPlayer(k);
        widest = std::max(widest, ShowPlayer(k, player.GetName(), player.GetColor()));
    }
    widest = std::min(widest, MaxNameWidth);
    for (size_t k = 0; k < size_t(players); ++k) {
        PlyrBgShapes[k]->resize(widest + 5, PlyrBgShapes[k]->height());
        PlyrLabels[k]->resize(widest, PlyrLabels[k]->height());
        PlyrBgShapes[k]->show();
        PlyrLabels[k]->show();
        PlyrLabels[k]->raise();
    }
}

void TVorunMainForm::ShowTitle()
{
    game.UpdateTitle();
    setWindowTitle(QString::fromStdString(game.CaptionText));
}

void TVorunMainForm::EnterGameView(bool unsaved)
{
    inGameView = true;
    document.StartHistory(unsaved);
    ShowTitle();
    for (QWidget *widget : std::initializer_list<QWidget *>{
             TitleLabel, OrigCoprLabel, MyCoprLabel, ClickLoadLabel, ClickStartLabel, LoadBtn})
        widget->hide();
    ShowPlayers();
    PlaceWindow();
    chosenBoardSize = startupSettings.BoardSize >= 1 && startupSettings.BoardSize <= 5
        ? startupSettings.BoardSize
        : AutoBoardSize(ClientHeightForBoardSize());
    SizeMIs[size_t(chosenBoardSize - 1)]->setChecked(true);
    if (!masterboard) {
        BoardImage->show();
        masterboard = std::make_unique<TVorunMasterboard>(folders.data, chosenBoardSize);
    }
    Panel->ShowHeadings();
    FlashTimer->start();
    EnableGameMenus(true);
    std::vector<TPlayer *> players;
    for (int p = 0; p < game.PlayerCount(); ++p)
        players.push_back(game.GetPlayer(p));
    windows->LMSelectForm->BuildMarkers(game.PlayerCount(), players);
    windows->NotesForm->GameNotesChanged();
    setFocus();
}

void TVorunMainForm::PlaceWindow()
{
    const QSize frame = frameGeometry().size() - size();
    setWindowState(windowState() & ~Qt::WindowMaximized);
    const QRect bounds = OnScreen(QRect(startupSettings.WindowLeft, startupSettings.WindowTop,
                                        startupSettings.WindowWidth, startupSettings.WindowHeight));
    move(bounds.topLeft());
    resize(std::max(0, bounds.width() - frame.width()),
           std::max(0, bounds.height() - frame.height()));
    if (startupSettings.WindowMax) {
        // Without a window manager nothing maximises the window, so it takes the screen itself.
        if (screen())
            setGeometry(
                screen()->availableGeometry().adjusted(0, 0, -frame.width(), -frame.height()));
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

// The settings may place the window beyond this desktop (a monitor since unplugged, a larger
// screen); it is shrunk and moved into the screen's free area, where the user can reach it. The
// settings themselves keep their values.
QRect TVorunMainForm::OnScreen(QRect bounds) const
{
    const QScreen *target = QGuiApplication::screenAt(bounds.center());
    if (!target)
        target = screen();
    if (!target)
        return bounds;
    const QRect available = target->availableGeometry();
    bounds.setSize(bounds.size().boundedTo(available.size()));
    bounds.moveLeft(
        std::clamp(bounds.left(), available.left(), available.right() + 1 - bounds.width()));
    bounds.moveTop(
        std::clamp(bounds.top(), available.top(), available.bottom() + 1 - bounds.height()));
    return bounds;
}

// The client height the automatic board size goes by; a maximised window may not have its final
// size yet when the window manager maximises it later.
int TVorunMainForm::ClientHeightForBoardSize() const
{
    if (!startupSettings.WindowMax || !screen())
        return height();
    const int frame = frameGeometry().height() - height();
    return screen()->availableGeometry().height() - frame;
}

void TVorunMainForm::UpdateScrollBars()
{
    const QSize picture = BoardImage->PictureSize();
    if (!picture.isEmpty()) {
        content->resize(
            BoardLeft + picture.width(),
            std::max(picture.height(), Panel->y() + Panel->ViewLgnBtn->geometry().bottom() + 30));
    }
    const QSize client = scrollArea->size();
    scrollArea->setVerticalScrollBarPolicy(
        client.height() + 10 < picture.height() ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    scrollArea->setHorizontalScrollBarPolicy(client.width() + 8 < picture.width() + BoardLeft
                                                 ? Qt::ScrollBarAlwaysOn
                                                 : Qt::ScrollBarAlwaysOff);
}

TWindowSettings TVorunMainForm::GetWindowSettings() const
{
    const QRect frame = frameGeometry();
    TWindowSettings settings;
    settings.maxNow = isMaximized();
    settings.maxStart = startupSettings.WindowMax;
    settings.topNow = frame.top();
    settings.topStart = startupSettings.WindowTop;
    settings.leftNow = frame.left();
    settings.leftStart = startupSettings.WindowLeft;
    settings.heightNow = frame.height();
    settings.heightStart = startupSettings.WindowHeight;
    settings.widthNow = frame.width();
    settings.widthStart = startupSettings.WindowWidth;
    settings.boardSizeNow = chosenBoardSize;
    settings.boardSizeStart = startupSettings.BoardSize;
    return settings;
}

void TVorunMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (InGameView())
        UpdateScrollBars();
}
