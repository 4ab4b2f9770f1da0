#include "tnotes.h"

#include "gametextqt.h"
#include "tgame.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace {

constexpr int InitialWidth = 640;
constexpr int InitialHeight = 453;
constexpr int CloseBtnHeight = 25;
constexpr int MemoPixels = 13;

// One memo line per game line. An empty memo has no lines at all, so a game without notes is
// saved without any.
QStringList MemoLines(const QString &text)
{
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

QString MemoText(const std::vector<std::string> &lines)
{
    QStringList text;
    for (const std::string &line : lines)
        text << ShownText(line);
    return text.join(u'\n');
}

} // namespace

TNotesForm::TNotesForm(TVorunGame &game) : TModelessForm(nullptr), game(game)
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
    connect(Memo1->document(), &QTextDocument::contentsChanged, this, [this] {
        if (!filling && edited)
            edited();
    });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CloseBtn);
    layout->addWidget(Memo1);
    setTabOrder(Memo1, CloseBtn);
    FillMemo();
}

void TNotesForm::GameNotesChanged()
{
    if (Memo1)
        FillMemo();
}

void TNotesForm::FillMemo()
{
    const std::vector<std::string> &lines = game.NotesLines();
    filling = true;
    Memo1->setPlainText(MemoText(lines));
    filling = false;
    Memo1->document()->setModified(false);
    // The editor gives some characters back changed (a no-break space as a blank), and older text
    // is shown decoded: such lines are remembered by what the memo makes of them.
    keptLines.clear();
    const QStringList shown = MemoLines(Memo1->toPlainText());
    if (shown.size() != qsizetype(lines.size()))
        return;
    for (size_t i = 0; i < lines.size(); ++i)
        if (shown[qsizetype(i)].toStdString() != lines[i])
            keptLines.insert(shown[qsizetype(i)], lines[i]);
}

void TNotesForm::TakeNotesIntoGame()
{
    if (!Memo1 || !Memo1->document()->isModified())
        return;
    std::vector<std::string> lines;
    for (const QString &line : MemoLines(Memo1->toPlainText()))
        lines.push_back(keptLines.value(line, line.toStdString()));
    game.SetNotes(std::move(lines));
    Memo1->document()->setModified(false);
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
