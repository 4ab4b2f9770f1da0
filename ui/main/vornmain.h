#pragma once

#include <QMainWindow>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "programfolders.h"
#include "settings.h"
#include "tdragcontroller.h"
#include "tgamedoc.h"
#include "tmainlink.h"
#include "trecovery.h"

class QAction;
class QActionGroup;
class QDialog;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QScrollBar;
class QTimer;
class QWheelEvent;
class TBoardView;
class TLandPanel;
class TLegion;
class TShape;
class TVorunMasterboard;
class TVorunMBLand;
enum class LoadOutcome;
struct TVorunWindows;

// The main window, and so the program: the title screen, then the game view with the board, the
// player list and the selected-land panel. It owns the game record and the masterboard, keeps the
// selection, and reaches every other window and command through its pop-up menu.
class TVorunMainForm : public QMainWindow {
public:
    // arguments exclude the program's own name and are the bytes the system gave, so a file name
    // in any character set opens.
    TVorunMainForm(TProgramFolders folders, std::vector<std::string> arguments);
    ~TVorunMainForm() override;

    // The nine other windows, created right after this one.
    void AttachWindows(TVorunWindows &windows);

    void HideAuxWindows();
    void EnableGameMenus(bool inGame);
    // unsaved: the game is new or recovered, so no save holds it yet.
    void EnterGameView(bool unsaved);
    void LoadGame(bool commandLineMode);
    void SaveGame();
    void SelectLand(int n);
    int ClearSelection();
    void UpdateScrollBars();
    // The window's present state beside the settings it started with.
    TWindowSettings GetWindowSettings() const;

    // Event handlers, named after their control and event.
    void MiscMouseDown(Qt::MouseButton button);
    void LandActiveAreaMouseDown(int n, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                 QPoint globalPos);
    void LandActiveAreaDblClick();
    bool LandActiveAreaDragOver(int n, const TDragSource &source);
    void LandActiveAreaDragDrop(int n, const TDragSource &source);
    void LoadBtnClick();
    void AddMrkrBtnClick();
    void RotateLgnBtnClick();
    void FlashTimerTimer();
    void FormKeyDown(QKeyEvent *event);
    void FormMouseWheel(QWheelEvent *event);
    bool LoadBtnKeyDown(QKeyEvent *event);
    bool LgnLandBtnKeyDown(QKeyEvent *event);
    bool PanelKeyLeftOver(QKeyEvent *event);
    void MainPopupMenuPopup();
    void StartGameMIClick();
    void SaveGameMIClick();
    void RestartMIClick();
    void CharLeftMIClick();
    void NotesMIClick();
    void NameChangeMIClick();
    void ReadmeMIClick();
    void AboutMIClick();
    void DocMIClick(QAction *item);
    void SizeMIClick(QAction *item);
    void ConfigMIClick();
    void QuitMIClick();
    void HistoryMIClick();

    TVorunGame &Game() { return game; }
    TGameDocument &Document() { return document; }
    TRecoveryKeeper &Recovery() { return recovery; }
    // Null until the first game is on screen.
    TVorunMasterboard *Board() const { return masterboard.get(); }
    TVorunMBLand *SelectedLand() const { return selectedLand; }
    // The legions on land n (1 … 96).
    const TLandStacks &LandStacks(int n) const { return document.Game().Land(n); }
    TLegion *ActiveLegion() const { return activeLegion; }
    bool FlashPhase() const { return flashPhase; }
    // The command-line load or the recovery question is still to come.
    bool StartupPending() const { return startupPending; }
    bool InGameView() const { return inGameView; }
    int ChosenBoardSize() const { return chosenBoardSize; }
    const TProgramFolders &Folders() const { return folders; }
    const std::string &IniFileName() const { return iniFileName; }
    const TStartupSettings &StartupSettings() const { return startupSettings; }
    QScrollArea *ScrollArea() const { return scrollArea; }

    // The window's controls, reached by the other windows and the tests.
    TBoardView *BoardImage = nullptr;
    QLabel *TitleLabel = nullptr;
    QLabel *MyCoprLabel = nullptr;
    QLabel *OrigCoprLabel = nullptr;
    QLabel *ClickLoadLabel = nullptr;
    QPushButton *LoadBtn = nullptr;
    QLabel *ClickStartLabel = nullptr;
    std::array<QLabel *, TVorunGame::MaxPlayers> PlyrLabels{};
    std::array<TShape *, TVorunGame::MaxPlayers> PlyrBgShapes{};
    TLandPanel *Panel = nullptr;
    QTimer *FlashTimer = nullptr;
    QMenu *MainPopupMenu = nullptr;
    QAction *StartGameMI = nullptr;
    QAction *LoadGameMI = nullptr;
    QAction *SaveGameMI = nullptr;
    QAction *RestartMI = nullptr;
    QAction *CharLeftMI = nullptr;
    QAction *NotesMI = nullptr;
    QAction *NameChangeMI = nullptr;
    QMenu *DocSubM = nullptr;
    QAction *ReadmeMI = nullptr;
    QAction *AboutMI = nullptr;
    QAction *LicenseMI = nullptr;
    QAction *HistMI = nullptr;
    QMenu *SizeSubM = nullptr;
    std::array<QAction *, 5> SizeMIs{};
    QAction *ConfigMI = nullptr;
    QAction *QuitMI = nullptr;
    // The history's items, also on the game windows so that their keys work there.
    QAction *UndoMI = nullptr;
    QAction *RedoMI = nullptr;
    QAction *HistoryMI = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class TMainLink;
    static constexpr int ScrollStep = 50;

    void BuildTitleScreen(QWidget *content);
    void BuildPlayerList(QWidget *content);
    void BuildPanel(QWidget *content);
    void BuildMenu();
    QAction *AddMenuItem(QMenu *menu, const char *caption, QKeySequence shortcut,
                         void (TVorunMainForm::*handler)());
    void LayoutTitleScreen();
    void PlaceWindow();
    QRect OnScreen(QRect bounds) const;
    int ClientHeightForBoardSize() const;
    void TakeFocusFromPanel();
    void TransferCritToLand(const TDragSource &source, int n);
    void GameChanged(const TChange &change, bool fromHistory);
    void ShowTitle();
    void ShowPlayers();
    bool ScrollByKey(int key);
    QScrollBar *ShownScrollBar(Qt::Orientation orientation) const;
    void StepBoardSize(int steps);
    void Restart();
    LoadOutcome LoadFile(const std::string &path);
    void OfferRecovery();
    void Recover(TRecoverable &snapshot);
    void KeepUnrecovered(TRecoverable &snapshot);
    std::string WithRecoveryHint(const char *question) const;
    bool RunDialog(QDialog &dialog);
    bool ConfirmClose();
    void ShowDocumentFailure(const std::string &file, const std::string &reason);
    int ShowPlayer(int index, const std::string &name, int colour);

    TProgramFolders folders;
    std::string iniFileName;
    std::string helpFileName;
    std::vector<std::string> arguments;
    TStartupSettings startupSettings;
    int chosenBoardSize = 1;
    TGameDocument document;
    TVorunGame &game = document.Game();
    std::unique_ptr<TVorunMasterboard> masterboard;
    TVorunMBLand *selectedLand = nullptr;
    TLegion *activeLegion = nullptr;
    bool flashPhase = false;
    // The wheel's turn not yet used, in eighths of a degree: a touchpad sends a notch in pieces.
    int wheelSizeTurn = 0;
    // Scrolling's share of it that is less than a pixel, in 1/120 pixels.
    int wheelScrollRest = 0;
    bool inGameView = false;
    bool startupPending = false;
    // Set once the user has agreed to close, or the program restarts, so no second question.
    bool closeAllowed = false;
    TVorunWindows *windows = nullptr;
    QScrollArea *scrollArea = nullptr;
    QWidget *content = nullptr;
    QActionGroup *sizeGroup = nullptr;
    TMainLink link;
    TRecoveryKeeper recovery; // after the document, which it watches
    // Snapshots a crash left, found at start and offered once the window is on show.
    std::vector<TRecoverable> unrecovered;
};
