#pragma once

#include <string>

// The model's only way to the windows. Model operations that must tell the user something, or
// that load the board picture, call the one installed link; with none installed every call is a
// no-op, so the model runs bare in tests and in the command-line tool. What an edit changed
// reaches the windows as its TChange, not through here.
class UiLink {
public:
    virtual ~UiLink() = default;

    // The "Debug Info" box for states that ordinary use cannot produce.
    virtual void ShowDiagnostic(const std::string &text) = 0;
    // An OK box with no icon ("Land is full").
    virtual void ShowMessage(const std::string &text, const std::string &caption) = 0;
    // A stop box after which the program ends at once with exit code 0.
    virtual void ShowFatalError(const std::string &text, const std::string &caption) = 0;

    // Load the board picture for board unit s; false when the file is missing or unreadable.
    virtual bool LoadBoardPicture(const std::string &path, int s) = 0;
    // The board picture changed size: recompute the scroll bars and repaint.
    virtual void BoardResized() = 0;
    // Scroll positions to subtract from land areas (0 where a scroll bar is hidden).
    virtual int ScrollX() = 0;
    virtual int ScrollY() = 0;
};

void InstallUiLink(UiLink *link);
UiLink *InstalledUiLink();

// Null-safe entry points used throughout the model.
namespace Ui {
// printf-style; the text is cut to 255 characters.
void Diagnostic(const char *format, ...) __attribute__((format(printf, 1, 2)));
void Message(const std::string &text, const std::string &caption);
void FatalError(const std::string &text, const std::string &caption);
bool LoadBoardPicture(const std::string &path, int s);
void BoardResized();
int ScrollX();
int ScrollY();
} // namespace Ui
