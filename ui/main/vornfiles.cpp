// The main window's commands: a new game, loading and saving, restarting, the other windows and
// documents of the menu, and closing.

#include "vornmain.h"

#include "gametext.h"
#include "platform.h"
#include "recovery.h"
#include "savefiles.h"
#include "savegame.h"
#include "tabout.h"
#include "tchrleft.h"
#include "tconfig.h"
#include "thistory.h"
#include "tnotes.h"
#include "tpcolor.h"
#include "tpnames.h"
#include "tvorunwindows.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>

#include <cstdio>
#include <optional>

namespace {

constexpr const char *CloseQuestion = "Are you sure you want to close the program?";
constexpr const char *CloseCaption = "Close Program?";
constexpr const char *RestartQuestion = "Are you sure you want to restart?";
constexpr const char *RestartFailed = "The program could not be started again.";
constexpr const char *RestartFailedCaption = "Restart Error";
constexpr const char *LoadFailed = "Error while attempting to load game.";
constexpr const char *LoadFailedCaption = "Load Error";
constexpr const char *SaveFailed = "Error while attempting to save file.";
constexpr const char *SaveFailedCaption = "Save Error";
constexpr const char *DocFailed = "Cannot Open Documentation File.";
constexpr const char *DocFailedCaption = "Error";
constexpr const char *ConfirmCaption = "Confirm";
constexpr const char *RecoveryHint
    = "Unsaved changes will be offered for recovery at the next start.";
constexpr const char *RecoverCaption = "Recover Game";
constexpr const char *RecoverButton = "Recover";
constexpr const char *DiscardButton = "Discard";
constexpr const char *KeepFailedText = "The unsaved game could not be kept in OLDSAVES; it will "
                                       "be offered again at the next start.";
constexpr const char *KeepFailedCaption = "Recovery";

// "M/D/YYYY at H:MM:SS"
std::string EditTime(const TDateTime &time)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%d at %d:%02d:%02d", time.month, time.day, time.year,
                  time.hour, time.minute, time.second);
    return text;
}

std::string RecoverQuestion(const TRecoverable &snapshot)
{
    const std::string name
        = DisplayUtf8(snapshot.gameName.empty() ? snapshot.fileName : snapshot.gameName);
    return "The game \"" + name + "\" has unsaved changes, last edited on "
        + EditTime(snapshot.lastEdit)
        + ".\nRecover opens it with them; Discard keeps it in OLDSAVES.";
}

} // namespace

void TVorunMainForm::LoadBtnClick()
{
    if (!startupPending && !InGameView())
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
    const LoadOutcome outcome = LoadFile(path);
    if (outcome == LoadOutcome::Restart)
        Restart();
    else if (outcome == LoadOutcome::Loaded)
        EnterGameView(false);
}

// Reads the file into the game, telling the user when it cannot.
LoadOutcome TVorunMainForm::LoadFile(const std::string &path)
{
    LoadResult result;
    try {
        result = LoadSavedGameFile(path, game);
    } catch (...) {
        result = {LoadOutcome::Restart, MessageKind::Error, LoadFailed, LoadFailedCaption};
    }
    if (result.kind == MessageKind::Error)
        ThePlatform().MessageBox(this, result.text, result.caption, Platform::Icon::Stop,
                                 Platform::Buttons::Ok);
    return result.outcome;
}

// One question for each snapshot a crash left, the newest first, until one is recovered; the rest
// wait for a later start.
void TVorunMainForm::OfferRecovery()
{
    std::vector<TRecoverable> snapshots = std::move(unrecovered);
    unrecovered.clear();
    for (TRecoverable &snapshot : snapshots) {
        if (InGameView())
            break;
        if (ThePlatform().Choose(this, RecoverQuestion(snapshot), RecoverCaption, RecoverButton,
                                 DiscardButton)
            == Platform::Answer::Ok)
            Recover(snapshot);
        else
            KeepUnrecovered(snapshot);
    }
}

// As if loaded, but with its edits still unsaved; the snapshot is this run's from now on.
void TVorunMainForm::Recover(TRecoverable &snapshot)
{
    game.ClearPlayers();
    if (LoadFile(snapshot.lock.Snapshot()) != LoadOutcome::Loaded) {
        game.ClearPlayers();
        KeepUnrecovered(snapshot);
        return;
    }
    EnterGameView(true);
    recovery.Adopt(std::move(snapshot.lock), snapshot.lastEdit);
}

// Nothing a player typed is deleted: a snapshot not recovered becomes an ordinary old save.
void TVorunMainForm::KeepUnrecovered(TRecoverable &snapshot)
{
    std::string reason;
    if (KeepAsOldSave(snapshot, OldSavesDir(folders.games), reason).empty())
        ThePlatform().MessageBox(this, std::string(KeepFailedText) + "\n" + reason,
                                 KeepFailedCaption, Platform::Icon::Warning, Platform::Buttons::Ok);
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
            result = SaveGameFile(*chosen, SavedGameText(game), saves);
        } catch (...) {
            result = {SaveOutcome::WriteError, SaveFailed, SaveFailedCaption};
        }
    }
    if (result.outcome != SaveOutcome::Saved) {
        ThePlatform().MessageBox(this, result.text, result.caption, Platform::Icon::Stop,
                                 Platform::Buttons::Ok);
        return;
    }
    document.MarkSaved();
    setWindowTitle(QString::fromStdString(game.CaptionText + LastSavedSuffix(now)));
}

std::string TVorunMainForm::WithRecoveryHint(const char *question) const
{
    return document.Unsaved() ? std::string(question) + "\n" + RecoveryHint : question;
}

void TVorunMainForm::RestartMIClick()
{
    if (ThePlatform().MessageBox(this, WithRecoveryHint(RestartQuestion), ConfirmCaption,
                                 Platform::Icon::Question, Platform::Buttons::OkCancel)
        == Platform::Answer::Ok)
        Restart();
}

// A fresh run replaces this one. If the new run cannot be started this one stays, so the
// players never lose both.
void TVorunMainForm::Restart()
{
    // The new run offers what this one leaves unsaved, so the snapshot is written and let go first.
    recovery.Finish();
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
    windows->ColorForm->AddPlayersTo(game);
    game.StartTime = ThePlatform().Now();
    game.GameName = names.GameName();
    game.FileName = names.FileName();
    EnterGameView(true);
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
    TGameNames chosen{names.GameName(), names.FileName(), {}};
    for (int k = 0; k < game.PlayerCount() && k < TVorunGame::MaxPlayers; ++k)
        chosen.players.push_back(names.PlayerName(k));
    document.Perform(TEdit::Rename(std::move(chosen)));
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

void TVorunMainForm::HistoryMIClick()
{
    windows->HistoryForm->ShowInFront();
}

void TVorunMainForm::closeEvent(QCloseEvent *event)
{
    if (closeAllowed || ConfirmClose()) {
        TDragController::Instance().Cancel();
        recovery.Finish();
        // The other windows go with the main window, so the program ends.
        HideAuxWindows();
        if (windows) {
            windows->NotesForm->hide();
            windows->HistoryForm->hide();
        }
        event->accept();
        return;
    }
    event->ignore();
}

bool TVorunMainForm::ConfirmClose()
{
    return ThePlatform().MessageBox(this, WithRecoveryHint(CloseQuestion), CloseCaption,
                                    Platform::Icon::Question, Platform::Buttons::OkCancel)
        == Platform::Answer::Ok;
}
