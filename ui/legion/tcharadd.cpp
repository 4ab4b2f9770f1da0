#include "tcharadd.h"

#include "pictures.h"
#include "platform.h"
#include "tcatalog.h"
#include "tgamedoc.h"
#include "tlegion.h"
#include "tshape.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

#include <string>

namespace {

// Six pictures a row on a 106-pixel pitch; each 100-pixel picture sits 3 pixels inside its
// 107-pixel frame, so the frame's colour shows as a border around it.
constexpr int Columns = 6;
constexpr int Pitch = 106;
constexpr int PictureInset = 3;
constexpr int PictureSize = 100;
constexpr int FrameSize = 107;
constexpr int CoverWidth = 68;
constexpr int CoverHeight = 66;
constexpr int CoverPixels = 24;
constexpr int Rows = (TMonSelectForm::TypeCount + Columns - 1) / Columns;
constexpr int ClientWidth = (Columns - 1) * Pitch + FrameSize;
constexpr int ClientHeight = (Rows - 1) * Pitch + FrameSize;

// A type's frame turns yellow at twice its level and red at its level; the Vorun has no stack
// and is never framed.
constexpr std::array<int, Crit::LastType + 1> LowStockLevel{
    0, // no creature
    3,  2, 4, 4, 3, 6, // Angel … Cyclops
    4,  4, 4, 5, 4, 2, // Dragon … Guardian
    3,  5, 4, 4, 6, 3, // Hydra … Serpent
    -1, 5, 3, 4, 2, 4, // Vorun … Wyvern
};

const QColor LowColor(255, 255, 0);
const QColor ScarceColor(255, 0, 0);
// What the frame's colour tells, for those who cannot see it.
constexpr const char *LowName = "Running low";
constexpr const char *ScarceName = "Nearly gone";

QPoint FramePos(uint8_t type)
{
    const int index = type - Crit::FirstType;
    return {Pitch * (index % Columns), Pitch * (index / Columns)};
}

QLabel *NewCover(QWidget *parent, QPoint framePos)
{
    auto *cover = new QLabel(QStringLiteral("None Left"), parent);
    QFont font(QStringLiteral("Arial Black"));
    font.setPixelSize(CoverPixels);
    // The heavy face itself is rarely installed; its substitute is asked for in its weight.
    font.setWeight(QFont::Black);
    cover->setFont(font);
    cover->setAlignment(Qt::AlignCenter);
    cover->setWordWrap(true);
    QPalette palette = cover->palette();
    palette.setColor(QPalette::Window, ScarceColor);
    palette.setColor(QPalette::WindowText, Qt::black);
    cover->setPalette(palette);
    cover->setAutoFillBackground(true);
    const int inset = PictureInset + (PictureSize - CoverWidth) / 2;
    cover->setGeometry(framePos.x() + inset,
                       framePos.y() + PictureInset + (PictureSize - CoverHeight) / 2, CoverWidth,
                       CoverHeight);
    cover->hide();
    return cover;
}

} // namespace

TMonSelectForm::TMonSelectForm(TGameDocument &document) : TModelessForm(nullptr), document(document)
{
    setFixedSize(ClientWidth, ClientHeight);
    connect(&document, &TGameDocument::Changed, this, [this] {
        if (isHidden() || !Images[0])
            return;
        // An undo may have taken the legion off the board or filled it.
        if (!TargetLgn || TargetLgn->GetLocation() == 0 || TargetLgn->Full()) {
            hide();
            return;
        }
        for (uint8_t type = Crit::FirstType; type <= Crit::LastType; ++type)
            ShowStock(type);
    });
}

// Frames first and covers last, so each lies at its place in the stacking order.
void TMonSelectForm::BuildType(uint8_t type)
{
    const size_t index = type - Crit::FirstType;
    const QPoint framePos = FramePos(type);
    TShape *frame = new TShape(this, 0, Qt::black);
    frame->setGeometry(QRect(framePos, QSize(FrameSize, FrameSize)));
    frame->hide();
    Shapes[index] = frame;

    auto *image = new QLabel(this);
    image->setPixmap(CreaturePicture(CritPicture(type)));
    image->setAccessibleName(QString::fromLatin1(CritNames[type]));
    image->setGeometry(
        QRect(framePos + QPoint(PictureInset, PictureInset), QSize(PictureSize, PictureSize)));
    image->installEventFilter(this);
    Images[index] = image;

    Labels[index] = NewCover(this, framePos);
}

void TMonSelectForm::ShowForLgn(TLegion *legion)
{
    TargetLgn = legion;
    // Built when first needed: decoding the 24 pictures and the covers' font would cost
    // start-up more than the rest of the windows together.
    if (!Images[0])
        for (uint8_t type = Crit::FirstType; type <= Crit::LastType; ++type)
            BuildType(type);
    const std::string caption = "Select character to add to " + legion->ColouredName();
    setWindowTitle(QString::fromStdString(caption));
    for (uint8_t type = Crit::FirstType; type <= Crit::LastType; ++type)
        ShowStock(type);
    ShowInFront();
}

void TMonSelectForm::ShowStock(uint8_t type)
{
    const size_t index = type - Crit::FirstType;
    const int left = document.Game().Stacks().GetCharLeft(type);
    QLabel *image = Images[index];
    TShape *frame = Shapes[index];
    if (left == 0 && type != Crit::Vorun) {
        image->setEnabled(false);
        // A hint on a covered picture would only repeat an old count.
        image->setToolTip(QString());
        frame->hide();
        Labels[index]->show();
        return;
    }
    image->setEnabled(true);
    image->setToolTip(QString::number(left) + QStringLiteral(" left"));
    Labels[index]->hide();
    const int level = LowStockLevel[type];
    if (left > 2 * level) {
        frame->hide();
        return;
    }
    frame->SetBrushColor(left > level ? LowColor : ScarceColor);
    frame->setAccessibleName(QString::fromLatin1(left > level ? LowName : ScarceName));
    frame->show();
}

void TMonSelectForm::ImageClick(uint8_t type)
{
    hide();
    if (!TargetLgn) {
        ThePlatform().Diagnostic(this, "Bug!  Attempted to recruit into deep space.");
        return;
    }
    document.Perform(TEdit::Recruit(TargetLgn->Ref(), type));
}

uint8_t TMonSelectForm::ImageType(const QObject *object) const
{
    for (size_t index = 0; index < Images.size(); ++index)
        if (Images[index] == object)
            return uint8_t(index + Crit::FirstType);
    return 0;
}

// A click is a left press and release on the same enabled picture; a covered picture swallows
// its presses so that they reach nothing else either.
bool TMonSelectForm::eventFilter(QObject *watched, QEvent *event)
{
    const uint8_t type = ImageType(watched);
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (!type || (!press && event->type() != QEvent::MouseButtonRelease))
        return TModelessForm::eventFilter(watched, event);
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    const QLabel *image = Images[type - Crit::FirstType];
    if (press) {
        pressedType = image->isEnabled() ? type : 0;
        return true;
    }
    const bool clicked = pressedType == type && image->rect().contains(mouse->position().toPoint());
    pressedType = 0;
    if (clicked)
        ImageClick(type);
    return true;
}
