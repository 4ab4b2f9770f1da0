#include "tlmselec.h"

#include "platform.h"
#include "qtcolor.h"
#include "tgamedoc.h"
#include "tlegion.h"
#include "tplayer.h"
#include "tshape.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr int InitialWidth = 638;
constexpr int InitialHeight = 318;

// Every box, the colour box and the markers alike, is a 44-pixel square on a 48-pixel pitch.
constexpr int BoxSize = 44;
constexpr int Pitch = 48;
constexpr int Margin = 4;
constexpr int FirstMarkerLeft = 52;
constexpr int OutlineWidth = 3;
constexpr QPoint CountOffset{14, 8};
constexpr QPoint LeftOffset{11, 24};
constexpr QPoint MarkerLabelOffset{6, 4};
constexpr int LabelPixels = 16; // 12 points
constexpr int SmallestLabelPixels = 8;
constexpr int ShortNameLength = 3;
constexpr const char *LeftText = "left";
constexpr const char *WidestCount = "12";
constexpr QColor InUseColor{128, 128, 128};

constexpr const char *InUseText = "That legion marker is already in use.\nPlease choose another.";
constexpr const char *InUseCaption = "In Use";
constexpr const char *NotMarkerText
    = "The first box only displays the number of markers of that color remaining.\n"
      "Please select a legion marker to the right.";
constexpr const char *NotMarkerCaption = "Not a Legion Marker";

QString ShortName(size_t marker)
{
    return QString::fromLatin1(MarkerNames[marker]).left(ShortNameLength);
}

// The design's bold type, as large as lets every caption end inside its box. The fonts that
// stand in for the design's font are wider ("Moo" ran over its square), and differ from desktop
// to desktop, so the size is measured here rather than fixed.
QFont LabelFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(true);
    const int inside = BoxSize - OutlineWidth;
    std::vector<std::pair<QString, int>> captions{{LeftText, LeftOffset.x()},
                                                  {WidestCount, CountOffset.x()}};
    for (size_t m = 0; m < MarkerNames.size(); ++m)
        captions.emplace_back(ShortName(m), MarkerLabelOffset.x());
    for (int pixels = LabelPixels; pixels > SmallestLabelPixels; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        if (std::all_of(captions.begin(), captions.end(), [&](const auto &caption) {
                return caption.second + metrics.horizontalAdvance(caption.first) <= inside;
            }))
            break;
    }
    return font;
}

QLabel *MakeLabel(QWidget *parent, const QString &text, QPoint at, const QFont &font)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->move(at);
    label->adjustSize();
    return label;
}

QPoint RowOrigin(int row)
{
    return QPoint(Margin, Margin + Pitch * row);
}

QPoint MarkerOrigin(int row, int marker)
{
    return QPoint(FirstMarkerLeft + Pitch * marker, Margin + Pitch * row);
}

} // namespace

TLMSelectForm::TLMSelectForm(TGameDocument &document) : TModelessForm(nullptr), document(document)
{
    setWindowTitle(QStringLiteral("Select Legion Marker"));
    resize(InitialWidth, InitialHeight);
    // Which markers are in use follows an undo or redo while the picker is open.
    connect(&document, &TGameDocument::Changed, this, [this] {
        if (!isHidden())
            FormShow();
    });
}

void TLMSelectForm::BuildColorBoxes()
{
    labelFont = LabelFont();
    for (int p = 0; p < Rows; ++p) {
        ColorShapes[size_t(p)] = new TShape(this, OutlineWidth, Qt::white);
        ColorShapes[size_t(p)]->setGeometry(QRect(RowOrigin(p), QSize(BoxSize, BoxSize)));
        NLLbls[size_t(p)] = MakeLabel(this, QString(), RowOrigin(p) + CountOffset, labelFont);
        LeftLbls[size_t(p)]
            = MakeLabel(this, QString::fromLatin1(LeftText), RowOrigin(p) + LeftOffset, labelFont);
        for (QWidget *control : std::initializer_list<QWidget *>{
                 ColorShapes[size_t(p)], NLLbls[size_t(p)], LeftLbls[size_t(p)]})
            control->installEventFilter(this);
    }
}

void TLMSelectForm::BuildMarkers(int count, const std::vector<TPlayer *> &gamePlayers)
{
    // Made with the game's markers rather than at start-up, which they would slow down.
    if (!ColorShapes[0])
        BuildColorBoxes();
    ClearMarkers();
    playerCount = std::clamp(count, 0, std::min(Rows, int(gamePlayers.size())));
    players.assign(gamePlayers.begin(), gamePlayers.begin() + playerCount);
    for (int p = 0; p < Rows; ++p) {
        const bool present = p < playerCount;
        for (QWidget *control : std::initializer_list<QWidget *>{
                 ColorShapes[size_t(p)], NLLbls[size_t(p)], LeftLbls[size_t(p)]})
            control->setVisible(present);
        if (!present)
            continue;
        const uint8_t colour = players[size_t(p)]->GetColor();
        ColorShapes[size_t(p)]->SetBrushColor(ToQColor(ColorValues[colour]));
        ColorShapes[size_t(p)]->setAccessibleName(QString::fromLatin1(ColorNames[colour]));
        for (int m = 0; m < MarkersPerColor; ++m)
            BuildMarker(p, m, colour);
    }
    // The colour boxes' captions were made before the grid; keep them over their boxes.
    for (int p = 0; p < Rows; ++p) {
        NLLbls[size_t(p)]->raise();
        LeftLbls[size_t(p)]->raise();
    }
}

void TLMSelectForm::ClearMarkers()
{
    for (size_t k = 0; k < size_t(GridSize); ++k) {
        delete MarkerLbls[k];
        delete MarkerShapes[k];
        MarkerLbls[k] = nullptr;
        MarkerShapes[k] = nullptr;
    }
    inUse.fill(false);
}

void TLMSelectForm::BuildMarker(int row, int marker, uint8_t colour)
{
    const size_t tag = size_t(MarkersPerColor * row + marker);
    auto *shape = new TShape(this, OutlineWidth, Qt::white);
    shape->setGeometry(QRect(MarkerOrigin(row, marker), QSize(BoxSize, BoxSize)));
    QLabel *label = MakeLabel(this, ShortName(size_t(MarkersPerColor * colour + marker)),
                              MarkerOrigin(row, marker) + MarkerLabelOffset, labelFont);
    // The box shows only the marker's first letters, and its colour.
    const QString fullName
        = QString::fromStdString(players[size_t(row)]->GetLegion(marker)->ColouredName());
    shape->setAccessibleName(fullName);
    label->setAccessibleName(fullName);
    for (QWidget *control : std::initializer_list<QWidget *>{shape, label}) {
        control->installEventFilter(this);
        control->show();
    }
    label->raise();
    MarkerShapes[tag] = shape;
    MarkerLbls[tag] = label;
}

void TLMSelectForm::ShowPicker(int land)
{
    targetLand = land;
    ShowInFront();
}

void TLMSelectForm::showEvent(QShowEvent *event)
{
    FormShow();
    TModelessForm::showEvent(event);
}

void TLMSelectForm::FormShow()
{
    for (int p = 0; p < playerCount; ++p) {
        const TPlayer &player = *players[size_t(p)];
        int free = 0;
        for (int m = 0; m < MarkersPerColor; ++m) {
            const size_t tag = size_t(MarkersPerColor * p + m);
            const TLegion *legion = player.GetLegion(m);
            inUse[tag] = legion && legion->GetLocation() != 0;
            MarkerShapes[tag]->SetBrushColor(inUse[tag] ? InUseColor
                                                        : ToQColor(ColorValues[player.GetColor()]));
            if (!inUse[tag])
                ++free;
        }
        NLLbls[size_t(p)]->setText(QString::number(free));
        NLLbls[size_t(p)]->adjustSize();
    }
}

bool TLMSelectForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return TModelessForm::eventFilter(watched, event);
    const int tag = MarkerTag(watched);
    if (tag >= 0 && inUse[size_t(tag)])
        DisabledMarkerMouseDown();
    else if (tag >= 0)
        MarkerMouseDown(tag);
    else if (IsColorBox(watched))
        NLMouseDown();
    else
        return TModelessForm::eventFilter(watched, event);
    return true;
}

int TLMSelectForm::MarkerTag(const QObject *control) const
{
    for (size_t k = 0; k < size_t(GridSize); ++k)
        if (control && (MarkerShapes[k] == control || MarkerLbls[k] == control))
            return int(k);
    return -1;
}

bool TLMSelectForm::IsColorBox(const QObject *control) const
{
    for (size_t p = 0; p < size_t(Rows); ++p)
        if (ColorShapes[p] == control || NLLbls[p] == control || LeftLbls[p] == control)
            return true;
    return false;
}

void TLMSelectForm::MarkerMouseDown(int tag)
{
    const int p = tag / MarkersPerColor;
    const int m = tag % MarkersPerColor;
    const TLegion *legion = p < playerCount ? players[size_t(p)]->GetLegion(m) : nullptr;
    if (targetLand && legion)
        document.Perform(TEdit::PlaceLegion(legion->Ref(), targetLand));
    hide();
}

void TLMSelectForm::DisabledMarkerMouseDown()
{
    ThePlatform().MessageBox(this, InUseText, InUseCaption, Platform::Icon::None,
                             Platform::Buttons::Ok);
}

void TLMSelectForm::NLMouseDown()
{
    ThePlatform().MessageBox(this, NotMarkerText, NotMarkerCaption, Platform::Icon::None,
                             Platform::Buttons::Ok);
}
