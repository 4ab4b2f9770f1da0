#pragma once

#include <string>

#include "tdatetime.h"

// Naming and placing save files: every save gets a new time-stamped name, and the earlier saves of
// the same game step aside into the old-saves folder.

std::string SavedGamesDir(const std::string &programDir); // ProgramDir + "SavedGames/"
std::string OldSavesDir(const std::string &programDir); // … + "SavedGames/OLDSAVES/"

// fileName + "_" + six-character stamp + ".txt"
std::string SaveFileName(const std::string &fileName, const TDateTime &time);

// "  Last Saved M/D/YYYY, H:M:S" (no leading zeros), appended to the caption after a save.
std::string LastSavedSuffix(const TDateTime &time);

// Moves every ordinary, non-hidden file of `savedGamesDir` named fileName + seven characters +
// ".txt" into `oldSavesDir`; a move that fails (or would replace a file) is skipped.
// Returns the number of files moved.
int MoveOldSaves(const std::string &savedGamesDir, const std::string &oldSavesDir,
                 const std::string &fileName);
