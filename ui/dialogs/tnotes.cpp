#include "tnotes.h"

#include "tgame.h"
#include "tvorunwindows.h"
#include "vornmain.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace {

constexpr int InitialWidth = 640;
constexpr int InitialHeight = 453;
constexpr int CloseBtnHeight = 25;
constexpr int MemoPixels = 13;

// One game line per memo line. An empty memo has no lines at all, so a game without notes is
// saved without any.
std::vector<std::string> MemoLines(const QString &text)
{
    std::vector<std::string> lines;
    if (text.isEmpty())
        return lines;
    for (const QString &line : text.split(u'\n'))
        lines.push_back(line.toStdString());
    return lines;
}

QString MemoText(const std::vector<std::string> &lines)
{
    QStringList text;
    for (const std::string &line : lines)
        text << QString::fromStdString(line);
    return text.join(u'\n');
}

} // namespace

TNotesForm::TNotesForm(TVorunWindows &windows) : TModelessForm(nullptr), windows(windows)
{
    setWindowTitle(QStringLiteral("Notes  (saved/loaded with game)"));
    resize(InitialWidth, InitialHeight);
}

// Built on the first show: the notes are often never opened, and start-up should not pay for
// an editor and its font.
void TNotesForm::setVisible(bool visible)
{
    if (visible && !Memo1)
        Build();
    TModelessForm::setVisible(visible);
    // The notes are opened to be written in, whichever control had the focus when they hid.
    if (visible)
        Memo1->setFocus();
}

void TNotesForm::Build()
{
    CloseBtn = new QPushButton(QStringLiteral("Close"), this);
    CloseBtn->setFixedHeight(CloseBtnHeight);
    connect(CloseBtn, &QPushButton::clicked, this, &TNotesForm::CloseBtnClick);
    Memo1 = new QPlainTextEdit(this);
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(MemoPixels);
    font.setStyleHint(QFont::TypeWriter);
    Memo1->setFont(font);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CloseBtn);
    layout->addWidget(Memo1);
    setTabOrder(Memo1, CloseBtn);
    FillMemo();
    connect(Memo1, &QPlainTextEdit::textChanged, this, &TNotesForm::Memo1Change);
}

void TNotesForm::GameNotesChanged()
{
    if (Memo1)
        FillMemo();
}

void TNotesForm::FillMemo()
{
    filling = true;
    Memo1->setPlainText(MemoText(windows.MainForm->Game().NotesLines()));
    filling = false;
}

void TNotesForm::Memo1Change()
{
    if (!filling)
        windows.MainForm->Game().SetNotes(MemoLines(Memo1->toPlainText()));
}

void TNotesForm::CloseBtnClick()
{
    hide();
}

bool TNotesForm::Memo1KeyDown(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape)
        return false;
    hide();
    return true;
}

bool TNotesForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Memo1 && event->type() == QEvent::KeyPress)
        return Memo1KeyDown(static_cast<QKeyEvent *>(event));
    return TModelessForm::eventFilter(watched, event);
}
