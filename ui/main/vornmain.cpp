#include "vornmain.h"

#include "gametext.h"
#include "gametextqt.h"
#include "platform.h"
#include "qtcolor.h"
#include "savefiles.h"
#include "savegame.h"
#include "tabout.h"
#include "tboardview.h"
#include "tcharleft.h"
#include "tchrleft.h"
#include "tconfig.h"
#include "tlegion.h"
#include "tlgndisp.h"
#include "tlmselec.h"
#include "tcharadd.h"
#include "tmastrbd.h"
#include "tnotes.h"
#include "tpcolor.h"
#include "tpnames.h"
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
constexpr int ScrollStep = 50;
constexpr int FlashInterval = 300; // ms
constexpr int MaxNameWidth = 194;

constexpr const char *NoneCaption = "None";
constexpr const char *TargetFullText
    = "The legion you're trying to move that creature into is full.";
constexpr const char *TargetFullCaption = "Target Legion Full";
constexpr const char *CloseQuestion = "Are you sure you want to close the program?";
constexpr const char *CloseCaption = "Close Program?";
constexpr const char *RestartQuestion = "Are you sure you want to restart?";
constexpr const char *ConfirmCaption = "Confirm";
constexpr const char *RestartFailed = "The program could not be started again.";
constexpr const char *RestartFailedCaption = "Restart Error";
constexpr const char *LoadFailed = "Error while attempting to load game.";
constexpr const char *LoadFailedCaption = "Load Error";
constexpr const char *SaveFailed = "Error while attempting to save file.";
constexpr const char *SaveFailedCaption = "Save Error";
constexpr const char *DocFailed = "Cannot Open Documentation File.";
constexpr const char *DocFailedCaption = "Error";

// Pixel sizes of the design's point sizes at 96 pixels per inch.
constexpr int SmallTextPixels = 11; // 8 points
constexpr int PanelNamePixels = 19;
constexpr int TitlePixels = 48;

QLabel *MakeLabel(QWidget *parent, const QString &text, QPoint at)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->move(at);
    label->adjustSize();
    return label;
}

void SetTextColor(QLabel *label, QColor color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

// "PLAINS 1" becomes "Plains 1".
QString PanelLandName(const std::string &name)
{
    QString text = QString::fromStdString(name).toLower();
    if (!text.isEmpty())
        text[0] = QChar::fromLatin1(name[0]);
    return text;
}

} // namespace

TVorunMainForm::TVorunMainForm(TProgramFolders programFolders, std::vector<std::string> args)
    : folders(std::move(programFolders)), arguments(std::move(args)), link(*this)
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
    BoardImage->move(TBoardView::BoardLeft, 0);
    BoardImage->hide();
    BuildPlayerList(content);
    BuildPanel(content);
    BuildTitleScreen(content);

    FlashTimer = new QTimer(this);
    FlashTimer->setInterval(FlashInterval);
    connect(FlashTimer, &QTimer::timeout, this, &TVorunMainForm::FlashTimerTimer);
    BuildMenu();

    ThePlatform().Randomize();
    iniFileName = folders.settings;
    startupSettings = ReadStartupSettingsFile(iniFileName);
    EnableGameMenus(false);
    helpFileName = folders.data + "VorunKelm.html";

    if (!arguments.empty()) {
        cmdLoadPending = true;
        QTimer::singleShot(0, this, [this] {
            LoadGame(true);
            cmdLoadPending = false;
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
    SelLandLbl = MakeLabel(parent, "Currently Selected Land:", QPoint(4, 94));
    ActvLandShape = new TShape(parent, 3, Qt::white);
    ActvLandShape->setGeometry(4, 111, 140, 54);
    ActvLandLbl = new QLabel(NoneCaption, parent);
    ActvLandLbl->setTextFormat(Qt::PlainText);
    ActvLandLbl->setGeometry(11, 114, 128, 48);
    ActvLandLbl->setWordWrap(true);
    ActvLandLbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont nameFont = font();
    nameFont.setPixelSize(PanelNamePixels);
    ActvLandLbl->setFont(nameFont);
    AddMrkrBtn = new QPushButton("&Add Marker", parent);
    AddMrkrBtn->setGeometry(4, 171, 75, 25);
    LandLgnLbl = MakeLabel(parent, "Legions:  (Drag to Move)", QPoint(4, 199));
    auto legionRow = [&](int top, TShape *&shape, QLabel *&name, QLabel *&troops) {
        shape = new TShape(parent, 3, Qt::white);
        shape->setGeometry(4, top, 140, 30);
        name = new QLabel(NoneCaption, parent);
        name->setTextFormat(Qt::PlainText);
        name->setGeometry(11, top + 3, 128, 24);
        name->setFont(nameFont);
        troops = new QLabel(parent);
        troops->setTextFormat(Qt::PlainText);
        troops->setGeometry(4, top + 32, 144, 39);
        troops->setWordWrap(true);
        troops->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    };
    legionRow(216, ActvLgnShape, ActvLgnLbl, LgnTroopsLbl1);
    legionRow(289, ActvLgnShape2, ActvLgnLbl2, LgnTroopsLbl2);
    ViewLgnBtn = new QPushButton("&View/Edit", parent);
    ViewLgnBtn->setGeometry(4, 362, 61, 24);
    RotateLgnBtn = new QPushButton("&Rotate", parent);
    RotateLgnBtn->setGeometry(4, 389, 61, 24);
    connect(AddMrkrBtn, &QPushButton::clicked, this, &TVorunMainForm::AddMrkrBtnClick);
    connect(ViewLgnBtn, &QPushButton::clicked, this, &TVorunMainForm::LandActiveAreaDblClick);
    connect(RotateLgnBtn, &QPushButton::clicked, this, &TVorunMainForm::RotateLgnBtnClick);
    for (QPushButton *button : {AddMrkrBtn, ViewLgnBtn, RotateLgnBtn})
        button->installEventFilter(this);
    for (QWidget *widget : std::initializer_list<QWidget *>{
             SelLandLbl, ActvLandShape, ActvLandLbl, AddMrkrBtn, LandLgnLbl, ActvLgnShape,
             ActvLgnLbl, LgnTroopsLbl1, ActvLgnShape2, ActvLgnLbl2, LgnTroopsLbl2, ViewLgnBtn,
             RotateLgnBtn})
        widget->hide();
    // Created after the shapes, the labels lie above them.
    ActvLandLbl->raise();
    ActvLgnLbl->raise();
    ActvLgnLbl2->raise();
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
    for (QAction *item : {NameChangeMI, SaveGameMI, RestartMI, CharLeftMI, ConfigMI, NotesMI})
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
    return label->width();
}

// Every player's name on a background of one width, that of the widest name.
void TVorunMainForm::SizePlayerList()
{
    game.WidestNameWidth = std::min(game.WidestNameWidth, MaxNameWidth);
    for (int k = 0; k < game.PlayerCount() && k < TVorunGame::MaxPlayers; ++k) {
        PlyrBgShapes[size_t(k)]->resize(game.WidestNameWidth + 5,
                                        PlyrBgShapes[size_t(k)]->height());
        PlyrLabels[size_t(k)]->resize(game.WidestNameWidth, PlyrLabels[size_t(k)]->height());
        PlyrBgShapes[size_t(k)]->show();
        PlyrLabels[size_t(k)]->show();
        PlyrLabels[size_t(k)]->raise();
    }
}

void TVorunMainForm::EnterGameView()
{
    inGameView = true;
    game.UpdateTitle();
    for (QWidget *widget : std::initializer_list<QWidget *>{
             TitleLabel, OrigCoprLabel, MyCoprLabel, ClickLoadLabel, ClickStartLabel, LoadBtn})
        widget->hide();
    SizePlayerList();
    PlaceWindow();
    chosenBoardSize = startupSettings.BoardSize >= 1 && startupSettings.BoardSize <= 5
        ? startupSettings.BoardSize
        : AutoBoardSize(ClientHeightForBoardSize());
    SizeMIs[size_t(chosenBoardSize - 1)]->setChecked(true);
    if (!masterboard) {
        BoardImage->show();
        masterboard = std::make_unique<TVorunMasterboard>(folders.data, chosenBoardSize);
    }
    for (int p = 0; p < game.PlayerCount(); ++p) {
        for (int m = 0; m < TPlayer::LegionSlots; ++m) {
            TLegion *legion = game.GetPlayer(p)->GetLegion(m);
            if (legion && legion->GetLocation() >= 1 && legion->GetLocation() <= LandCount)
                legion->PlaceOnBoard(0);
        }
    }
    for (QWidget *widget :
         std::initializer_list<QWidget *>{SelLandLbl, ActvLandLbl, LandLgnLbl, ActvLgnLbl})
        widget->show();
    ActvLandLbl->setText(NoneCaption);
    ActvLgnLbl->setText(NoneCaption);
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
    const QSize picture = BoardImage->Picture().size();
    if (!picture.isEmpty()) {
        content->resize(TBoardView::BoardLeft + picture.width(),
                        std::max(picture.height(), ViewLgnBtn->geometry().bottom() + 30));
    }
    const QSize client = scrollArea->size();
    scrollArea->setVerticalScrollBarPolicy(
        client.height() + 10 < picture.height() ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    scrollArea->setHorizontalScrollBarPolicy(
        client.width() + 8 < picture.width() + TBoardView::BoardLeft ? Qt::ScrollBarAlwaysOn
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

// ---- Selection and panel ----------------------------------------------------------------------

std::string TVorunMainForm::TroopsText(const TLegion &legion)
{
    std::string text;
    const auto &crits = legion.GetCrits();
    for (int i = 0; i < TLegion::MaxCrits && crits[size_t(i)] != Crit::None; ++i) {
        text += CritNames[crits[size_t(i)]];
        if (legion.GetUnsure()[size_t(i)])
            text += "?";
        if (i + 1 < TLegion::MaxCrits && crits[size_t(i + 1)] != Crit::None)
            text += ", ";
    }
    return text;
}

// Hiding the focused panel button would pass the focus on, and the scroll area would then
// scroll to show the next button; the window itself takes the focus instead.
void TVorunMainForm::TakeFocusFromPanel()
{
    QWidget *focused = focusWidget();
    if (focused == ViewLgnBtn || focused == AddMrkrBtn || focused == RotateLgnBtn)
        setFocus();
}

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
    ActvLandLbl->setText(NoneCaption);
    SetTextColor(ActvLandLbl, Qt::white);
    ActvLgnLbl->setText(NoneCaption);
    for (QWidget *widget : std::initializer_list<QWidget *>{
             ActvLandShape, ActvLgnShape, LgnTroopsLbl1, ActvLgnLbl2, ActvLgnShape2, LgnTroopsLbl2,
             ViewLgnBtn, RotateLgnBtn, AddMrkrBtn})
        widget->hide();
    return was;
}

void TVorunMainForm::FillPanelLegion(const TLegion &legion, TShape *shape, QLabel *name,
                                     QLabel *troops)
{
    name->setText(QString::fromStdString(legion.GetName()));
    shape->SetBrushColor(ToQColor(legion.GetColorValue()));
    troops->setText(QString::fromStdString(TroopsText(legion)));
    shape->show();
    troops->show();
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

    QString caption = PanelLandName(selectedLand->GetName());
    const int stacks = selectedLand->StackCount();
    if (stacks > 0)
        caption += QStringLiteral("  (%1S)").arg(stacks);
    ActvLandLbl->setText(caption);
    SetTextColor(ActvLandLbl, Qt::black);
    ActvLandShape->SetBrushColor(ToQColor(TerrainColors[size_t(selectedLand->GetTerrain())]));
    ActvLandShape->show();
    AddMrkrBtn->setVisible(selectedLand->GetStack(2) == nullptr);

    TLegion *first = selectedLand->GetStack(0);
    if (!first) {
        ActvLgnLbl->setText(NoneCaption);
        for (QWidget *widget : std::initializer_list<QWidget *>{
                 ActvLgnShape, LgnTroopsLbl1, ActvLgnLbl2, ActvLgnShape2, LgnTroopsLbl2, ViewLgnBtn,
                 RotateLgnBtn})
            widget->hide();
        AddMrkrBtn->setFocus();
        return;
    }
    activeLegion = first;
    FillPanelLegion(*first, ActvLgnShape, ActvLgnLbl, LgnTroopsLbl1);
    ViewLgnBtn->show();
    ViewLgnBtn->setFocus();
    TLegion *second = selectedLand->GetStack(1);
    RotateLgnBtn->setVisible(second != nullptr);
    if (second) {
        FillPanelLegion(*second, ActvLgnShape2, ActvLgnLbl2, LgnTroopsLbl2);
        ActvLgnLbl2->show();
    } else {
        for (QWidget *widget :
             std::initializer_list<QWidget *>{ActvLgnLbl2, ActvLgnShape2, LgnTroopsLbl2})
            widget->hide();
    }
}

void TVorunMainForm::AddMrkrBtnClick()
{
    windows->LMSelectForm->ShowPicker();
}

void TVorunMainForm::RotateLgnBtnClick()
{
    if (selectedLand)
        selectedLand->RotateStacks();
}

// ---- Mouse ------------------------------------------------------------------------------------

void TVorunMainForm::mousePressEvent(QMouseEvent *event)
{
    MiscMouseDown(event->button());
}

void TVorunMainForm::MiscMouseDown(Qt::MouseButton button)
{
    if (!InGameView()) {
        if (button != Qt::RightButton && !cmdLoadPending)
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
        ViewLgnBtn->setFocus();
        if (!activeLegion->MoveStack(uint8_t(n)))
            return;
    }
    windows->CharLeftForm->hide();
    SelectLand(n);
    if (activeLegion && button == Qt::LeftButton) {
        TDragController::Instance().Arm(BoardImage, {TDragSource::Kind::LandArea, n}, globalPos);
    }
}

void TVorunMainForm::LandActiveAreaDblClick()
{
    if (activeLegion)
        windows->LgnDispForm->ShowLgns();
}

bool TVorunMainForm::LandActiveAreaDragOver(int n, const TDragSource &source)
{
    if (source.kind == TDragSource::Kind::LandArea)
        return true;
    if (source.kind == TDragSource::Kind::CritPicture) {
        HideAuxWindows();
        return masterboard && masterboard->GetLand(n).GetStack(0) != nullptr;
    }
    return false;
}

void TVorunMainForm::LandActiveAreaDragDrop(int n, const TDragSource &source)
{
    if (!activeLegion)
        return;
    if (source.kind == TDragSource::Kind::CritPicture) {
        TransferCritToLand(source.number, n);
        return;
    }
    if (source.kind != TDragSource::Kind::LandArea)
        return;
    ViewLgnBtn->setFocus();
    if (!activeLegion->MoveStack(uint8_t(n)))
        return;
    HideAuxWindows();
    SelectLand(n);
}

// A creature from the legion window (picture `picture`: 8 per row of the selected land) passes to
// the legion on top of land n.
void TVorunMainForm::TransferCritToLand(int picture, int n)
{
    TLegion *target = masterboard->GetLand(n).GetStack(0);
    TLegion *from = selectedLand->GetStack(picture / TLegion::MaxCrits);
    const int position = picture % TLegion::MaxCrits;
    if (!target || !from || from->GetCrits()[size_t(position)] == Crit::None) {
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
    from->TransferCrit(position, *target);
    BoardImage->RepaintLand(selectedLand->GetLandNumber());
    BoardImage->RepaintLand(n);
    SelectLand(0);
}

void TVorunMainForm::contextMenuEvent(QContextMenuEvent *event)
{
    MainPopupMenu->popup(event->globalPos());
}

void TVorunMainForm::MainPopupMenuPopup()
{
    HideAuxWindows();
}

// ---- Keys and flashing ------------------------------------------------------------------------

bool TVorunMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == scrollArea->viewport()) {
        // The title screen follows the visible area, which is only known once laid out.
        if (event->type() == QEvent::Resize)
            LayoutTitleScreen();
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress && watched != LoadBtn && watched != content)
        HideAuxWindows(); // a press on a panel button
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (watched == LoadBtn)
        return LoadBtnKeyDown(key);
    if (watched == content)
        return PanelKeyLeftOver(key);
    return LgnLandBtnKeyDown(key);
}

// A key the focused panel button had for its normal handling and did not use ends here: the
// window would take it for a press on the background and clear the selection, and the scroll area
// would scroll by it. Only the close key goes on.
bool TVorunMainForm::PanelKeyLeftOver(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F4 && (event->modifiers() & Qt::AltModifier))
        return false;
    event->accept();
    return true;
}

bool TVorunMainForm::LoadBtnKeyDown(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        LoadBtn->click();
        return true;
    default:
        FormKeyDown(event);
        return true;
    }
}

bool TVorunMainForm::LgnLandBtnKeyDown(QKeyEvent *event)
{
    HideAuxWindows();
    if (ScrollByKey(event->key()))
        return true;
    if (event->key() == Qt::Key_Escape) {
        ClearSelection();
        return true;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto *button = qobject_cast<QPushButton *>(QApplication::focusWidget()))
            button->click();
        return true;
    }
    return false;
}

// Page Up/Down and Home/End scroll by one step when their scroll bar is shown.
bool TVorunMainForm::ScrollByKey(int key)
{
    const bool vertical = scrollArea->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
    const bool horizontal = scrollArea->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
    QScrollBar *bar = nullptr;
    int step = ScrollStep;
    switch (key) {
    case Qt::Key_PageUp:
        step = -ScrollStep;
        [[fallthrough]];
    case Qt::Key_PageDown:
        bar = vertical ? scrollArea->verticalScrollBar() : nullptr;
        break;
    case Qt::Key_Home:
        step = -ScrollStep;
        [[fallthrough]];
    case Qt::Key_End:
        bar = horizontal ? scrollArea->horizontalScrollBar() : nullptr;
        break;
    default:
        break;
    }
    if (!bar)
        return false;
    bar->setValue(bar->value() + step);
    return true;
}

void TVorunMainForm::keyPressEvent(QKeyEvent *event)
{
    FormKeyDown(event);
}

void TVorunMainForm::FormKeyDown(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (ScrollByKey(key)) {
        MiscMouseDown(Qt::LeftButton);
        return;
    }
    if (modifiers & Qt::AltModifier) {
        // The desktop's close key, handled here too where no window manager does it.
        if (key == Qt::Key_F4)
            close();
        if (key == Qt::Key_F4 || key == Qt::Key_Alt)
            return;
    }
    if ((modifiers & Qt::ControlModifier) || key == Qt::Key_Menu)
        return;
    MiscMouseDown(Qt::LeftButton);
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

// ---- Commands ---------------------------------------------------------------------------------

void TVorunMainForm::LoadBtnClick()
{
    if (!cmdLoadPending && !InGameView())
        LoadGame(false);
}

void TVorunMainForm::LoadGame(bool commandLineMode)
{
    game.ClearPlayers();
    std::string path;
    if (commandLineMode && !arguments.empty()) {
        path = arguments.front();
    } else {
        if (commandLineMode)
            ThePlatform().Diagnostic(this, "bug: cmd-line game load attempted with no filename.");
        const std::optional<std::string> chosen
            = ThePlatform().OpenFileName(this, SavedGamesDir(folders.games));
        if (!chosen)
            return;
        path = *chosen;
    }
    LoadResult result;
    try {
        result = LoadSavedGameFile(path, game, RecruitStacks());
    } catch (...) {
        result = {LoadOutcome::Restart, MessageKind::Error, LoadFailed, LoadFailedCaption};
    }
    if (result.kind == MessageKind::Error)
        ThePlatform().MessageBox(this, result.text, result.caption, Platform::Icon::Stop,
                                 Platform::Buttons::Ok);
    if (result.outcome == LoadOutcome::Restart)
        Restart();
    else if (result.outcome == LoadOutcome::Loaded)
        EnterGameView();
}

void TVorunMainForm::SaveGameMIClick()
{
    SaveGame();
}

void TVorunMainForm::SaveGame()
{
    HideAuxWindows();
    const TDateTime now = ThePlatform().Now();
    // Saves are named in UTF-8 like every file the desktop shows, whatever the game's own text.
    const SaveFolders saves{SavedGamesDir(folders.games), OldSavesDir(folders.games),
                            CleanFileName(DisplayUtf8(game.FileName)).name};
    // Without its folder the save dialog would quietly offer some other one.
    SaveResult result = PrepareSaveFolders(saves.savedGames, saves.oldSaves);
    if (result.outcome == SaveOutcome::Saved) {
        const std::optional<std::string> chosen
            = ThePlatform().SaveFileName(this, saves.savedGames, SaveFileName(saves.fileName, now));
        if (!chosen)
            return;
        try {
            windows->NotesForm->TakeNotesIntoGame();
            result = SaveGameFile(*chosen, SavedGameText(game, RecruitStacks()), saves);
        } catch (...) {
            result = {SaveOutcome::WriteError, SaveFailed, SaveFailedCaption};
        }
    }
    if (result.outcome != SaveOutcome::Saved) {
        ThePlatform().MessageBox(this, result.text, result.caption, Platform::Icon::Stop,
                                 Platform::Buttons::Ok);
        return;
    }
    setWindowTitle(QString::fromStdString(game.CaptionText + LastSavedSuffix(now)));
}

void TVorunMainForm::RestartMIClick()
{
    if (ThePlatform().MessageBox(this, RestartQuestion, ConfirmCaption, Platform::Icon::Question,
                                 Platform::Buttons::OkCancel)
        == Platform::Answer::Ok)
        Restart();
}

// A fresh run replaces this one. If the new run cannot be started this one stays, so the
// players never lose both.
void TVorunMainForm::Restart()
{
    if (!ThePlatform().StartNewInstance()) {
        ThePlatform().MessageBox(this, RestartFailed, RestartFailedCaption, Platform::Icon::Stop,
                                 Platform::Buttons::Ok);
        return;
    }
    closeAllowed = true;
    ThePlatform().Exit(0);
}

// True when the dialog closed with OK. Without a window manager nothing hands the keyboard back
// once a dialog has closed, so the main window takes it itself.
bool TVorunMainForm::RunDialog(QDialog &dialog)
{
    const bool accepted = dialog.exec() == QDialog::Accepted;
    activateWindow();
    return accepted;
}

void TVorunMainForm::StartGameMIClick()
{
    if (InGameView())
        return;
    // A cancelled set-up may be tried again from the start.
    game.ClearPlayers();
    TNamesForm &names = *windows->NamesForm;
    names.SetUpNames(0, game.GameName, game.FileName, nullptr);
    if (!RunDialog(names) || !RunDialog(*windows->ColorForm))
        return;
    game.StartTime = ThePlatform().Now();
    game.GameName = names.GameName();
    game.FileName = names.FileName();
    EnterGameView();
}

void TVorunMainForm::NameChangeMIClick()
{
    HideAuxWindows();
    std::vector<TPlayer *> players;
    for (int p = 0; p < game.PlayerCount(); ++p)
        players.push_back(game.GetPlayer(p));
    TNamesForm &names = *windows->NamesForm;
    names.SetUpNames(game.PlayerCount(), game.GameName, game.FileName, &players);
    if (!RunDialog(names))
        return;
    game.GameName = names.GameName();
    game.FileName = names.FileName();
    game.UpdateTitle();
    // A longer name widens the player list rather than being cut off.
    game.WidestNameWidth = 0;
    for (int k = 0; k < game.PlayerCount() && k < TVorunGame::MaxPlayers; ++k) {
        TPlayer &player = *game.GetPlayer(k);
        player.SetName(names.PlayerName(k));
        game.WidestNameWidth
            = std::max(game.WidestNameWidth, ShowPlayer(k, player.GetName(), player.GetColor()));
    }
    SizePlayerList();
}

void TVorunMainForm::CharLeftMIClick()
{
    HideAuxWindows();
    windows->CharLeftForm->ShowInFront();
}

void TVorunMainForm::NotesMIClick()
{
    windows->NotesForm->ShowInFront();
}

void TVorunMainForm::ReadmeMIClick()
{
    ShowDocumentFailure(helpFileName, ThePlatform().ShowHelp(helpFileName));
}

// The message keeps its line; the file and the reason follow on a second one.
void TVorunMainForm::ShowDocumentFailure(const std::string &file, const std::string &reason)
{
    if (!reason.empty())
        ThePlatform().MessageBox(this, std::string(DocFailed) + "\n" + file + ": " + reason,
                                 DocFailedCaption, Platform::Icon::Stop, Platform::Buttons::Ok);
}

void TVorunMainForm::AboutMIClick()
{
    RunDialog(*windows->AboutForm);
}

void TVorunMainForm::DocMIClick(QAction *item)
{
    const std::string file = folders.data + (item == LicenseMI ? "License.txt" : "History.txt");
    ShowDocumentFailure(file, ThePlatform().OpenDocument(file));
}

void TVorunMainForm::SizeMIClick(QAction *item)
{
    item->setChecked(true);
    const int size = item->data().toInt() + 1;
    const int before = chosenBoardSize;
    chosenBoardSize = size;
    if (size != before && masterboard)
        masterboard->SetBoardSize(size, false);
}

void TVorunMainForm::ConfigMIClick()
{
    RunDialog(*windows->ConfigForm);
}

void TVorunMainForm::QuitMIClick()
{
    close();
}

void TVorunMainForm::closeEvent(QCloseEvent *event)
{
    if (closeAllowed || ConfirmClose()) {
        TDragController::Instance().Cancel();
        // The other windows go with the main window, so the program ends.
        HideAuxWindows();
        if (windows)
            windows->NotesForm->hide();
        event->accept();
        return;
    }
    event->ignore();
}

bool TVorunMainForm::ConfirmClose()
{
    return ThePlatform().MessageBox(this, CloseQuestion, CloseCaption, Platform::Icon::Question,
                                    Platform::Buttons::OkCancel)
        == Platform::Answer::Ok;
}
