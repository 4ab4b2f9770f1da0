#pragma once

#include <memory>
#include <string>
#include <vector>

#include "programfolders.h"

class TVorunMainForm;
class TNamesForm;
class TColorForm;
class TLgnDispForm;
class TMonSelectForm;
class TLMSelectForm;
class TCharLeftForm;
class TAboutForm;
class TNotesForm;
class TConfigForm;
class TGameHistoryForm;

// The program's windows, each created once at start in this order and kept for the whole run;
// they are destroyed in the reverse order, the main window last.
struct TVorunWindows {
    // arguments: the program's arguments as the system gave them, without the program's name.
    TVorunWindows(TProgramFolders folders, std::vector<std::string> arguments);
    ~TVorunWindows();
    TVorunWindows(const TVorunWindows &) = delete;
    TVorunWindows &operator=(const TVorunWindows &) = delete;

    std::unique_ptr<TVorunMainForm> MainForm;
    std::unique_ptr<TColorForm> ColorForm;
    std::unique_ptr<TNamesForm> NamesForm;
    std::unique_ptr<TMonSelectForm> MonSelectForm;
    std::unique_ptr<TLMSelectForm> LMSelectForm;
    std::unique_ptr<TLgnDispForm> LgnDispForm;
    std::unique_ptr<TCharLeftForm> CharLeftForm;
    std::unique_ptr<TAboutForm> AboutForm;
    std::unique_ptr<TNotesForm> NotesForm;
    std::unique_ptr<TConfigForm> ConfigForm;
    std::unique_ptr<TGameHistoryForm> HistoryForm;
};
