#include "thelpviewer.h"

#include "platform.h"
#include "product.h"
#include "windowfocus.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

constexpr int InitialWidth = 760;
constexpr int InitialHeight = 600;
constexpr int Margin = 6;
// The help file marks its table of contents with <a name="contents">.
constexpr const char *ContentsAnchor = "contents";

bool IsInsideHelp(const QUrl &link)
{
    return link.isLocalFile() || link.scheme().isEmpty() || link.scheme() == QLatin1String("qrc");
}

} // namespace

THelpViewer::THelpViewer()
{
    setWindowTitle(QString::fromLatin1(ProductName) + QStringLiteral(" Help"));
    resize(InitialWidth, InitialHeight);
    // Help left open must not keep the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    ContentsBtn = new QPushButton(QStringLiteral("Contents"), this);
    BackBtn = new QPushButton(QStringLiteral("< Back"), this);
    ForwardBtn = new QPushButton(QStringLiteral("Forward >"), this);
    Browser = new QTextBrowser(this);
    // Links are followed here, so that a web address goes to the browser of the desktop.
    Browser->setOpenLinks(false);
    BackBtn->setEnabled(false);
    ForwardBtn->setEnabled(false);
    connect(ContentsBtn, &QPushButton::clicked, this, &THelpViewer::ContentsBtnClick);
    connect(BackBtn, &QPushButton::clicked, Browser, &QTextBrowser::backward);
    connect(ForwardBtn, &QPushButton::clicked, Browser, &QTextBrowser::forward);
    connect(Browser, &QTextBrowser::backwardAvailable, BackBtn, &QPushButton::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, ForwardBtn, &QPushButton::setEnabled);
    connect(Browser, &QTextBrowser::anchorClicked, this, &THelpViewer::BrowserAnchorClicked);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {ContentsBtn, BackBtn, ForwardBtn})
        buttons->addWidget(button);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    layout->setSpacing(Margin);
    layout->addLayout(buttons);
    layout->addWidget(Browser);
}

void THelpViewer::ShowContents(const QString &helpFile)
{
    contents = QUrl::fromLocalFile(helpFile);
    contents.setFragment(QString::fromLatin1(ContentsAnchor));
    if (QApplication::activeWindow() != this)
        opener = QApplication::activeWindow();
    show();
    raise();
    activateWindow();
    Browser->setFocus();
    ContentsBtnClick();
}

void THelpViewer::ContentsBtnClick()
{
    Browser->setSource(contents);
}

void THelpViewer::BrowserAnchorClicked(const QUrl &link)
{
    const QUrl target = Browser->source().resolved(link);
    if (IsInsideHelp(target))
        Browser->setSource(target);
    else
        (void)ThePlatform().OpenDocument(target.toString().toStdString());
}

void THelpViewer::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        hide();
    else
        QWidget::keyPressEvent(event);
}

void THelpViewer::hideEvent(QHideEvent *event)
{
    HandFocusBack(this, opener);
    QWidget::hideEvent(event);
}
