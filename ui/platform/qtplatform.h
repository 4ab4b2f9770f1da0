#pragma once

#include "platform.h"
#include "programfolders.h"
#include "thelpviewer.h"

#include <memory>
#include <random>

// This run's folders, from the executable's place and the user's XDG folders (QStandardPaths);
// chosen once, at start.
TProgramFolders QtProgramFolders();

// The platform of the real program: Qt's message boxes and file dialogs, the desktop's open
// action, the program's own executable, the local clock.
class QtPlatform : public Platform {
public:
    Answer MessageBox(QWidget *asker, const std::string &text, const std::string &caption,
                      Icon icon, Buttons buttons) override;
    Answer Choose(QWidget *asker, const std::string &text, const std::string &caption,
                  const std::string &okButton, const std::string &cancelButton) override;
    std::optional<std::string> OpenFileName(QWidget *asker, const std::string &initialDir) override;
    std::optional<std::string> SaveFileName(QWidget *asker, const std::string &initialDir,
                                            const std::string &proposedName) override;
    std::string OpenDocument(const std::string &pathOrUrl) override;
    std::string ShowHelp(const std::string &helpFile) override;
    bool StartNewInstance() override;
    void Exit(int code) override;
    TDateTime Now() override;
    void Randomize() override;
    int Random(int range) override;

private:
    std::mt19937 generator;
    // Made on the first request for help.
    std::unique_ptr<THelpViewer> helpViewer;
};
