#pragma once

#include <optional>
#include <string>

#include "tdatetime.h"

class QWidget;

// Everything the windows ask of the desktop: prompts, file dialogs, documents, restarting and
// ending the program, the clock and the random draw. The program installs the Qt implementation;
// window tests install a scripted fake, so no test ever blocks on a dialog or restarts for real.
//
// Every prompt names the window that asks: the prompt stays over it and the keyboard goes back to
// it afterwards. Only the model's own messages, which come through the window link, name none;
// they go to the active window.
class Platform {
public:
    enum class Icon { None, Stop, Warning, Question };
    enum class Buttons { Ok, OkCancel };
    enum class Answer { Ok, Cancel };

    virtual ~Platform() = default;

    virtual Answer MessageBox(QWidget *asker, const std::string &text, const std::string &caption,
                              Icon icon, Buttons buttons)
        = 0;
    // A question answered with one of two buttons the caller names: the first is the default
    // (Enter) and answers Ok, the second answers Cancel and is Escape's.
    virtual Answer Choose(QWidget *asker, const std::string &text, const std::string &caption,
                          const std::string &okButton, const std::string &cancelButton)
        = 0;
    // The "Debug Info" box for states that ordinary use cannot produce; printf-style, cut to 255
    // characters.
    void Diagnostic(QWidget *asker, const char *format, ...) __attribute__((format(printf, 3, 4)));

    // Empty when the user cancels. No file-type filter; the save dialog asks before it replaces
    // an existing file. Names are the system's bytes, whatever their character set.
    virtual std::optional<std::string> OpenFileName(QWidget *asker, const std::string &initialDir)
        = 0;
    virtual std::optional<std::string> SaveFileName(QWidget *asker, const std::string &initialDir,
                                                    const std::string &proposedName)
        = 0;

    // Hands a document or web address to the desktop's "open" action. Empty when done;
    // otherwise why not ("No such file or directory"), for the message's second line.
    virtual std::string OpenDocument(const std::string &pathOrUrl) = 0;

    // Shows the program's help file at its contents page in the program's help viewer. Empty
    // when shown; otherwise why the file cannot be read.
    virtual std::string ShowHelp(const std::string &helpFile) = 0;

    // Starts the program's own executable again with no arguments; false when it cannot be
    // started. The caller ends this run afterwards.
    virtual bool StartNewInstance() = 0;
    // Ends the run at once with the exit code, asking nothing and saving nothing.
    virtual void Exit(int code) = 0;

    virtual TDateTime Now() = 0;
    // Seeds the random draw from the clock.
    virtual void Randomize() = 0;
    // A draw in 0 … range − 1.
    virtual int Random(int range) = 0;
};

void InstallPlatform(Platform *platform);
// The installed platform; the program and every window test install one before any window exists.
Platform &ThePlatform();

constexpr const char *DiagnosticCaption = "Debug Info";
