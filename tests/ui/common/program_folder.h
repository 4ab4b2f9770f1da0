#pragma once

#include "settings.h"
#include "temp_folder.h"
#include "tvorunwindows.h"
#include "vornmain.h"

#include <QStringList>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

// A throw-away installed folder for one window test: the build's board pictures, empty
// SavedGames/OLDSAVES and a settings file that fixes the window (no maximising, which depends on
// the desktop) and the board size.
struct ProgramFolder {
    explicit ProgramFolder(int boardSize = 1, int width = 1024, int height = 768)
    {
        const char *built = std::getenv("VK_PROGRAM_DIR");
        std::filesystem::create_symlink(std::filesystem::path(built ? built : "") / "GRAPHICS",
                                        folder.path / "GRAPHICS");
        std::filesystem::create_directories(folder.path / "SavedGames" / "OLDSAVES");
        WriteFile("VorunKelm.ini",
                  "WindowMax=No\nWindowTop=0\nWindowLeft=0\nWindowWidth=" + std::to_string(width)
                      + "\nWindowHeight=" + std::to_string(height)
                      + "\nBoardSize=" + std::to_string(boardSize) + "\n");
    }

    // With the trailing "/" the program's folder has.
    std::string Dir() const { return folder.path.string() + "/"; }
    // A portable folder: data, saves and settings side by side.
    TProgramFolders Folders() const { return {Dir(), Dir(), Dir() + IniFileBaseName}; }

    // Writes a file relative to the folder and returns its full path.
    std::string WriteFile(const std::string &name, const std::string &content) const
    {
        const std::filesystem::path path = folder.path / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    TempFolder folder;
};

// Creates the program's windows in the folder and shows the main window, as the program does.
inline std::unique_ptr<TVorunWindows> StartProgram(const ProgramFolder &folder,
                                                   std::vector<std::string> arguments = {})
{
    auto windows = std::make_unique<TVorunWindows>(folder.Folders(), arguments);
    windows->MainForm->show();
    windows->MainForm->activateWindow();
    if (!QTest::qWaitForWindowExposed(windows->MainForm.get()))
        qWarning("main window not exposed");
    return windows;
}

// Starts the program with a saved game on its command line and waits for the load.
inline std::unique_ptr<TVorunWindows> StartWithGame(const ProgramFolder &folder,
                                                    const std::string &gameText)
{
    const std::string path = folder.WriteFile("SavedGames/test.txt", gameText);
    auto windows = StartProgram(folder, {path});
    TVorunMainForm *form = windows->MainForm.get();
    if (!QTest::qWaitFor([form] { return !form->StartupPending(); }, 10000))
        qWarning("command-line load did not run");
    return windows;
}
