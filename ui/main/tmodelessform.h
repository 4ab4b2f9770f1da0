#pragma once

#include <QPointer>
#include <QWidget>

class QKeyEvent;

// A modeless window of the program: created once, shown and brought to the front when needed,
// hidden by Escape or by the main window, and keeping its state in between.
class TModelessForm : public QWidget {
public:
    // A title bar with a maximise box but no minimise box.
    static constexpr Qt::WindowFlags Maximizable = Qt::Window | Qt::CustomizeWindowHint
        | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint
        | Qt::WindowCloseButtonHint;

    explicit TModelessForm(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::Window);

    // Without a window manager no window is active unless the program makes it so.
    void ShowInFront();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // The window that had the keyboard when this one was shown gets it back when this one hides.
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QPointer<QWidget> opener;
};
