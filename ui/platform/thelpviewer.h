#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

class QKeyEvent;
class QPushButton;
class QTextBrowser;

// The program's own help window: the help file, an HTML document beside the program, in a
// browser with Contents, Back and Forward. Made on the first request for help, never at
// start-up; Escape hides it.
class THelpViewer : public QWidget {
public:
    THelpViewer();

    // Shows the document at its table of contents, in front and active.
    void ShowContents(const QString &helpFile);

    // Event handlers, named after their control and event.
    void ContentsBtnClick();
    void BrowserAnchorClicked(const QUrl &link);

    QPushButton *ContentsBtn = nullptr;
    QPushButton *BackBtn = nullptr;
    QPushButton *ForwardBtn = nullptr;
    QTextBrowser *Browser = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QUrl contents;
    // Gets the keyboard back when the help hides.
    QPointer<QWidget> opener;
};
