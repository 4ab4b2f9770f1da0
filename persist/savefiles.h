#pragma once

#include <string>

#include "filewrite.h"
#include "tdatetime.h"

// Naming and placing save files: every save gets a new time-stamped name, and the earlier saves of
// the same game step aside into the old-saves folder once the new one is safely in place.

std::string SavedGamesDir(const std::string &programDir); // ProgramDir + "SavedGames/"
std::string OldSavesDir(const std::string &programDir); // … + "SavedGames/OLDSAVES/"

// fileName + "_" + six-character stamp + ".txt"
std::string SaveFileName(const std::string &fileName, const TDateTime &time);

// "  Last Saved M/D/YYYY, H:M:S" (no leading zeros), appended to the caption after a save.
std::string LastSavedSuffix(const TDateTime &time);

// Moves every ordinary, non-hidden file of `savedGamesDir` named fileName + seven characters +
// ".txt", except `keep`, into `oldSavesDir`; a move that fails (or would replace a file) is
// skipped, and symbolic links never move. Returns the number of files moved.
int MoveOldSaves(const std::string &savedGamesDir, const std::string &oldSavesDir,
                 const std::string &fileName, const std::string &keep = {});

enum class SaveOutcome { Saved, OpenError, WriteError };
struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Saved;
    // Empty when saved; otherwise the message's usual first line, then the file and the
    // system's reason on a second line.
    std::string text;
    std::string caption; // shown with the error icon
};

// Makes the saves folder and its old-saves folder where they are missing. A saves folder that
// cannot be made, or a file in its way, is the open error; the old-saves folder is only tried,
// since earlier saves that cannot move simply stay where they are.
SaveResult PrepareSaveFolders(const std::string &savedGamesDir, const std::string &oldSavesDir);

// The game whose save this is: its earlier saves in `savedGames`, named after `fileName`, move
// into `oldSaves` once the new save is in place.
struct SaveFolders {
    std::string savedGames;
    std::string oldSaves;
    std::string fileName;
};

// Saves `text` as `path`. The bytes go to a hidden temporary file beside it, are flushed to the
// disk and renamed into place, so the save name never holds a half-written file and a failure
// leaves the earlier file as it was. A symbolic link is followed, so its target is replaced and
// the link stays; a read-only file or anything but an ordinary file is not replaced. Temporary
// files an interrupted save of the game left behind are removed first.
SaveResult SaveGameFile(const std::string &path, const std::string &text,
                        const SaveFolders &folders, WriteFunction write = nullptr);
