#pragma once

#include <string>

// Where the program finds what ships with it and keeps what the players make. A portable copy
// (the build folder, a folder copied anywhere) keeps everything side by side as it always has; a
// program installed the way a distribution installs it reads its data from share/ and keeps the
// saves and settings in the user's own folders, since it may not write where it is installed.

struct TProgramFolders {
    std::string data; // GRAPHICS/, the help and the documents; ends with "/"
    std::string games; // the folder that holds SavedGames/; ends with "/"
    std::string settings; // the startup settings file
};

// The data folder for an executable in `exeDir` (ending with "/"): the executable's own folder
// when it holds the board pictures, otherwise ../share/vorunkelm/ beside it, which then must
// hold them. Empty when neither does.
std::string FindDataDir(const std::string &exeDir);

// The user's folders: where an installed program keeps saves and settings.
struct TUserFolders {
    std::string data; // e.g. ~/.local/share/vorunkelm/ ; ends with "/"
    std::string config; // e.g. ~/.config/vorunkelm/ ; ends with "/"
};

// Chosen once at start. The program's folder keeps saves and settings when the data lies there
// and the folder can be written; otherwise the user's folders do (made when first needed).
TProgramFolders ChooseProgramFolders(const std::string &exeDir, const TUserFolders &user);

// Whether the file or folder may be written. One without any write permission counts as
// read-only even for a user the system would let write there, such as root: its owner made it so.
bool MayWrite(const std::string &path);
