#pragma once

class QWidget;

// Without a window manager (Xvfb) no window becomes active unless the program makes it so, and a
// window that has just hidden itself may still count as the active one. These keep the keyboard
// with a window the user can see.

// The window itself while it is visible, otherwise the program's main window (or null).
QWidget *VisibleOrMain(QWidget *window);

// For a window that is hiding: when it held the keyboard, the window that opened it takes it back
// (the main window when that one is hidden too), as a window manager would do.
void HandFocusBack(QWidget *hiding, QWidget *opener);
