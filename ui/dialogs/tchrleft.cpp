#include "tchrleft.h"

#include "platform.h"
#include "tcharleft.h"
#include "tgame.h"
#include "tplayer.h"
#include "tgamedoc.h"
#include "util.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>

namespace {

constexpr std::array<const char *, TCharLeftForm::TypeSlots> PluralNames{
    "", // no creature
    "Angels",  "Archangels", "Behemoths", "Centaurs", "Colossi",  "Cyclopses",
    "Dragons", "Gargoyles",  "Giants",    "Gorgons",  "Griffons", "Guardians",
    "Hydras",  "Lions",      "Minotaurs", "Ogres",    "Rangers",  "Serpents",
    "Voruns",  "Trolls",     "Unicorns",  "Warbears", "Warlocks", "Wyverns",
};

constexpr int RowsPerGroup = 12;
constexpr int TextPixels = 11; // 8 points
// Within a group: name, total, count left, killed; a row every 24 pixels.
constexpr int Margin = 12;
constexpr int NameWidth = 76;
constexpr int NumberWidth = 36;
constexpr int TotalLeft = 80;
constexpr int EditLeft = 128;
constexpr int EditWidth = 40;
constexpr int KilledLeft = 176;
constexpr int GroupWidth = KilledLeft + NumberWidth;
constexpr int GroupGap = 32;
constexpr int HeadingTop = 10;
constexpr int FirstRowTop = 30;
constexpr int RowPitch = 24;
constexpr int RowHeight = 21;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ButtonGap = 12;
constexpr int ButtonTop = FirstRowTop + RowsPerGroup * RowPitch + 10;
constexpr int ClientWidth = 2 * Margin + 2 * GroupWidth + GroupGap;
constexpr int ClientHeight = ButtonTop + ButtonHeight + Margin;

constexpr const char *BadInputText
    = "Error processing updated %s count.\nMake sure all entries contain only numbers.";
constexpr const char *BadInputCaption = "Bad Input";
constexpr const char *VorunKilled = "?";

int GroupLeft(uint8_t type)
{
    return Margin + (type > RowsPerGroup ? GroupWidth + GroupGap : 0);
}

int RowTop(uint8_t type)
{
    return FirstRowTop + RowPitch * ((type - Crit::FirstType) % RowsPerGroup);
}

QLabel *MakeLabel(QWidget *parent, const QString &text, QRect box, Qt::Alignment alignment)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(box);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

// Creatures of each type in all legions of all players, on the board or not, unsure ones too.
std::string BadInputMessage(uint8_t type)
{
    std::string text = BadInputText;
    text.replace(text.find("%s"), 2, CritNames[type]);
    return text;
}

} // namespace

TCharLeftForm::TCharLeftForm(TGameDocument &document)
    : TModelessForm(nullptr, Maximizable), document(document)
{
    setWindowTitle(QStringLiteral("Creatures Remaining"));
    resize(ClientWidth, ClientHeight);
    // An undo or redo changes the counts under the open window; a correction being typed is lost
    // as it would be by closing and opening the window.
    connect(&document, &TGameDocument::Changed, this,
            [this](const TChange &change, bool fromHistory) {
                if (fromHistory && !isHidden() && (change.stacks || change.legions))
                    FormShow();
            });
}

void TCharLeftForm::setVisible(bool visible)
{
    // The 100-odd controls are made on first show rather than at start-up, which they would slow.
    if (visible && !UpdateBtn)
        BuildControls();
    TModelessForm::setVisible(visible);
}

void TCharLeftForm::BuildControls()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(TextPixels);
    setFont(font);
    BuildHeadings(GroupLeft(Crit::FirstType), TotalC1Lbl, LeftC1Lbl, KilledC1Lbl);
    BuildHeadings(GroupLeft(Crit::LastType), TotalC2Lbl, LeftC2Lbl, KilledC2Lbl);
    for (uint8_t type = Crit::FirstType; type <= Crit::LastType; ++type)
        BuildRow(type);
    BuildButtons();
}

void TCharLeftForm::BuildHeadings(int left, QLabel *&total, QLabel *&count, QLabel *&killed)
{
    const auto heading = [this, left](const char *text, int at, int width, Qt::Alignment align) {
        return MakeLabel(this, QString::fromLatin1(text),
                         QRect(left + at, HeadingTop, width, RowHeight - 4), align);
    };
    total = heading("Total", TotalLeft, NumberWidth, Qt::AlignRight);
    count = heading("Left", EditLeft, EditWidth, Qt::AlignHCenter);
    killed = heading("Killed", KilledLeft, NumberWidth, Qt::AlignRight);
}

void TCharLeftForm::BuildRow(uint8_t type)
{
    const int left = GroupLeft(type);
    const int top = RowTop(type);
    NameLbls[type] = MakeLabel(this, QString::fromLatin1(PluralNames[type]),
                               QRect(left, top, NameWidth, RowHeight), Qt::AlignLeft);
    TotalLbls[type]
        = MakeLabel(this, QString::number(StackTotal[type]),
                    QRect(left + TotalLeft, top, NumberWidth, RowHeight), Qt::AlignRight);
    Edits[type] = new QLineEdit(this);
    Edits[type]->setGeometry(left + EditLeft, top, EditWidth, RowHeight);
    KilledLbls[type] = MakeLabel(
        this, QString(), QRect(left + KilledLeft, top, NumberWidth, RowHeight), Qt::AlignRight);
    if (type == Crit::Vorun) {
        // The Vorun has no stack to correct; its box stays, hidden, so Update reads it like the
        // others.
        Edits[type]->hide();
        Edits[type]->setEnabled(false);
        VorunsAvailLbl
            = MakeLabel(this, QStringLiteral("Yes"),
                        QRect(left + EditLeft, top, EditWidth, RowHeight), Qt::AlignHCenter);
    }
}

void TCharLeftForm::BuildButtons()
{
    const int left = (ClientWidth - 2 * ButtonWidth - ButtonGap) / 2;
    UpdateBtn = new QPushButton(QStringLiteral("Update"), this);
    UpdateBtn->setGeometry(left, ButtonTop, ButtonWidth, ButtonHeight);
    UpdateBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setGeometry(left + ButtonWidth + ButtonGap, ButtonTop, ButtonWidth, ButtonHeight);
    // Enter on a focused button presses that button, as in a dialog.
    UpdateBtn->setAutoDefault(true);
    CancelBtn->setAutoDefault(true);
    connect(UpdateBtn, &QPushButton::clicked, this, &TCharLeftForm::UpdateBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TCharLeftForm::CancelBtnClick);
}

void TCharLeftForm::showEvent(QShowEvent *event)
{
    FormShow();
    TModelessForm::showEvent(event);
}

void TCharLeftForm::keyPressEvent(QKeyEvent *event)
{
    // A plain window has no default button of its own: Enter anywhere else means Update.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        UpdateBtnClick();
    else
        TModelessForm::keyPressEvent(event);
}

void TCharLeftForm::FormShow()
{
    const TVorunGame &game = document.Game();
    const std::array<int, TypeSlots> killed = game.KilledCounts();
    for (uint8_t type = Crit::FirstType; type <= Crit::LastType; ++type) {
        Edits[type]->setText(QString::number(game.Stacks().GetCharLeft(type)));
        KilledLbls[type]->setText(type == Crit::Vorun ? QString::fromLatin1(VorunKilled)
                                                      : QString::number(killed[type]));
    }
}

void TCharLeftForm::UpdateBtnClick()
{
    bool failed = false;
    std::vector<std::pair<uint8_t, int32_t>> accepted;
    for (uint8_t type = Crit::FirstType; type <= Crit::LastType; ++type) {
        const int32_t value = StrToIntDef(Trim(Edits[type]->text().toStdString()), -1);
        if (value < 0) {
            ThePlatform().MessageBox(this, BadInputMessage(type), BadInputCaption,
                                     Platform::Icon::None, Platform::Buttons::Ok);
            failed = true;
            continue;
        }
        accepted.emplace_back(type, value);
    }
    document.Perform(TEdit::SetCounts(accepted));
    if (!failed)
        hide();
}

void TCharLeftForm::CancelBtnClick()
{
    hide();
}
