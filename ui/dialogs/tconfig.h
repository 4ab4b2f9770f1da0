#pragma once

#include <QDialog>

struct TVorunWindows;

// The startup settings dialog: the settings the program started with beside those in use now,
// and new ones to save for the next start. Modal.
class TConfigForm : public QDialog {
public:
    explicit TConfigForm(TVorunWindows &windows);

private:
    TVorunWindows &windows;
};
