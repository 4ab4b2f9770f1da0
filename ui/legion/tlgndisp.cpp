#include "tlgndisp.h"

#include "pictures.h"
#include "platform.h"
#include "labels.h"
#include "landtext.h"
#include "qtcolor.h"
#include "tcharadd.h"
#include "tgamedoc.h"
#include "tlegion.h"
#include "tlmselec.h"
#include "tshape.h"
#include "uilink.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <algorithm>
#include <tuple>

namespace {

constexpr const char *InitialCaption = "Legion Contents";
constexpr const char *CaptionPrefix = "Legion Contents -  ";
constexpr const char *AddStackCaption = "&New Stack";
constexpr const char *NotSureCaption = "&Unsure";
constexpr const char *RotateCaption = "&Rotate";
constexpr const char *StacksName = "Recruitment stacks";
constexpr const char *StacksTip
    = "Drag from here onto a legion to recruit a creature.\n"
      "Drop a creature here to return it to the stacks,\n"
      "or a legion's marker to return all its creatures and remove it from the board.";
constexpr const char *GraveyardName = "Graveyard";
constexpr const char *GraveyardTip
    = "Drop a creature here to kill it,\n"
      "or a legion's marker to kill all its creatures and remove it from the board.";
constexpr const char *SelectionName = "Selected creature";

constexpr const char *NoFirstLegion = "Bug: ShowLgns() called for land with no first legion";
constexpr const char *InvalidCreature
    = "Attempting to display legion %d with invalid character value";

constexpr int NarrowWidth = 700; // seven columns
constexpr int WideWidth = 800; // eight, once a legion on the land is full
// Client height by the number of legions on the land.
constexpr std::array<int, TLgnDispForm::RowCount> ClientHeights{183, 346, 509};
constexpr std::array<int, TLgnDispForm::RowCount> PictureTops{62, 225, 388};
constexpr std::array<int, TLgnDispForm::RowCount> PanelTops{0, 167, 330};
constexpr int PanelHeight = 54;
constexpr int PictureSize = 100;
// The selection frame shows above and below its picture.
constexpr int FrameAbove = 4;
constexpr int FrameHeight = 109;
constexpr QRect MarkBox(20, -21, 60, 121); // relative to the picture
constexpr QPoint FirstMarkerAt(6, 6); // on the window
constexpr QPoint PanelMarkerAt(6, 2); // on Panel2 and Panel3
constexpr QSize MarkerSize(224, 50);
constexpr int MarkerPen = 3;
constexpr QRect MarkerNameBox(8, 3, 208, 22);
constexpr QRect MarkerValueBox(8, 25, 208, 22);

constexpr QRect CStacksPanelBox(234, 6, 102, 50);
constexpr QRect GraveyardPanelBox(342, 6, 102, 50);
constexpr QRect PanelPictureBox(2, 2, 98, 46);
constexpr QRect AddStackBox(450, 6, 70, 50);
constexpr QRect NotSureBox(526, 6, 52, 50);
constexpr QRect RotateBox(584, 6, 52, 50);

constexpr int SmallTextPixels = 11;
constexpr int MarkerTextPixels = 19;
constexpr int UnsureTextPixels = 96;

QColor ButtonFaceColor()
{
    return QColor(192, 192, 192);
}

QFont PixelFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel *MakeLabel(QWidget *parent, QRect box, const QFont &font, QColor color)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(box);
    label->setFont(font);
    SetTextColor(label, color);
    return label;
}

// Piles of counters of several colours, waiting to be recruited.
QPixmap StacksPicture()
{
    constexpr std::array<int, 5> pileHeights{4, 6, 3, 5, 2};
    constexpr std::array<QRgb, 5> pileColours{0xd40000, 0x00008c, 0xaa8a00, 0x00741c, 0x743c00};
    QPixmap picture(PanelPictureBox.size());
    picture.fill(QColor(40, 96, 40));
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::black, 1));
    for (size_t pile = 0; pile < pileHeights.size(); ++pile) {
        for (int counter = 0; counter < pileHeights[pile]; ++counter) {
            const QRect face(4 + int(pile) * 19 + counter, 29 - 4 * counter, 14, 14);
            painter.setBrush(QColor(pileColours[pile]));
            painter.drawRect(face);
            painter.setPen(QColor(255, 255, 255, 120));
            painter.drawLine(face.topLeft() + QPoint(1, 1), face.topRight() + QPoint(-1, 1));
            painter.setPen(Qt::black);
        }
    }
    return picture;
}

// A tombstone on a patch of earth.
QPixmap GraveyardPicture()
{
    QPixmap picture(PanelPictureBox.size());
    picture.fill(QColor(30, 30, 60));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(0, 38, 98, 8), QColor(90, 60, 30));
    QPainterPath stone;
    stone.moveTo(35, 40);
    stone.lineTo(35, 16);
    stone.arcTo(QRectF(35, 4, 28, 24), 180, -180);
    stone.lineTo(63, 40);
    stone.closeSubpath();
    painter.setPen(QPen(QColor(60, 60, 60), 1.5));
    painter.setBrush(QColor(170, 170, 170));
    painter.drawPath(stone);
    painter.setPen(QPen(QColor(60, 60, 60), 3));
    painter.drawLine(QPointF(49, 11), QPointF(49, 33));
    painter.drawLine(QPointF(42, 18), QPointF(56, 18));
    return picture;
}

} // namespace

// One drop area of the window, handing the drag to the window's handler for that control.
class TLgnDispForm::TDropSpot : public TDragTarget {
public:
    enum class Role { Picture, RowArea, Stacks, Graveyard };

    TDropSpot(TLgnDispForm &form, QWidget *widget, Role role, int number)
        : form(form), widget(widget), role(role), number(number)
    {
        TDragController::Instance().RegisterTarget(this);
    }
    ~TDropSpot() override { TDragController::Instance().UnregisterTarget(this); }
    TDropSpot(const TDropSpot &) = delete;
    TDropSpot &operator=(const TDropSpot &) = delete;

    QWidget *DropWidget() override { return widget; }

    bool DragOver(const TDragSource &source, QPoint) override
    {
        if (role == Role::Picture || role == Role::RowArea)
            return form.ValidDestDragOver(source);
        return form.RemoveDragOver(source);
    }

    void DragDrop(const TDragSource &source, QPoint) override
    {
        switch (role) {
        case Role::Picture:
            form.CritImageDragDrop(number, source);
            break;
        case Role::RowArea:
            form.CatchBoxDragDrop(number, source);
            break;
        case Role::Stacks:
            form.CStacksDragDrop(source);
            break;
        case Role::Graveyard:
            form.GraveyardDragDrop(source);
            break;
        }
    }

private:
    TLgnDispForm &form;
    QWidget *widget;
    Role role;
    int number;
};

TLgnDispForm::TLgnDispForm(TGameDocument &document, QWidget &dragGrabber, TMonSelectForm &creatures,
                           TLMSelectForm &markers)
    : TModelessForm(nullptr, Maximizable),
      document(document),
      dragGrabber(dragGrabber),
      creatures(creatures),
      markers(markers)
{
    connect(&document, &TGameDocument::Changed, this, &TLgnDispForm::GameChanged);
    setWindowTitle(InitialCaption);
    setFont(PixelFont(SmallTextPixels));
    // The face is the same under every desktop theme, so its text is too.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ButtonFaceColor());
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);
    resize(NarrowWidth, ClientHeights[0]);
}

// The controls are made when the window is first shown rather than at start-up, which they would
// slow down noticeably.
void TLgnDispForm::BuildControls()
{
    // Back to front: row areas, selection frames, pictures, then the marks drawn over them.
    BuildRows();
    BuildTopStrip();
    for (QLabel *mark : UnsureLbls)
        mark->raise();
    BuildDropSpots();
    // A double click reaches the window holding the drag's grab, so it is looked for everywhere;
    // presses and releases of the controls are taken here too, before they propagate.
    qApp->installEventFilter(this);
}

void TLgnDispForm::BuildTopStrip()
{
    BuildRowHeader(0, this, FirstMarkerAt);
    CStacksPanel = new QFrame(this);
    GraveyardPanel = new QFrame(this);
    CStacksPanel->setGeometry(CStacksPanelBox);
    GraveyardPanel->setGeometry(GraveyardPanelBox);
    CStacksImage = new QLabel(CStacksPanel);
    GraveyardImage = new QLabel(GraveyardPanel);
    for (QLabel *image : {CStacksImage, GraveyardImage}) {
        static_cast<QFrame *>(image->parentWidget())->setFrameStyle(QFrame::Panel | QFrame::Raised);
        image->setGeometry(PanelPictureBox);
    }
    CStacksImage->setPixmap(StacksPicture());
    GraveyardImage->setPixmap(GraveyardPicture());
    CStacksImage->setAccessibleName(QString::fromLatin1(StacksName));
    CStacksImage->setToolTip(QString::fromLatin1(StacksTip));
    GraveyardImage->setAccessibleName(QString::fromLatin1(GraveyardName));
    GraveyardImage->setToolTip(QString::fromLatin1(GraveyardTip));

    AddStackBtn = new QPushButton(AddStackCaption, this);
    NotSureBtn = new QPushButton(NotSureCaption, this);
    RotateBtn = new QPushButton(RotateCaption, this);
    AddStackBtn->setGeometry(AddStackBox);
    NotSureBtn->setGeometry(NotSureBox);
    RotateBtn->setGeometry(RotateBox);
    setTabOrder(AddStackBtn, NotSureBtn);
    setTabOrder(NotSureBtn, RotateBtn);
    connect(AddStackBtn, &QPushButton::clicked, this, &TLgnDispForm::AddStackBtnClick);
    connect(NotSureBtn, &QPushButton::clicked, this, &TLgnDispForm::NotSureBtnClick);
    connect(RotateBtn, &QPushButton::clicked, this, &TLgnDispForm::RotateBtnClick);
}

void TLgnDispForm::BuildRows()
{
    PaintBox1 = new QWidget(this);
    PaintBox2 = new QWidget(this);
    PaintBox3 = new QWidget(this);
    paintBoxes = {PaintBox1, PaintBox2, PaintBox3};
    for (int row = 0; row < RowCount; ++row)
        paintBoxes[size_t(row)]->setGeometry(0, PictureTops[size_t(row)], NarrowWidth, PictureSize);
    for (int k = 0; k < PictureCount; ++k) {
        const QPoint at(PictureSize * (k % RowCrits), PictureTops[size_t(k / RowCrits)]);
        TShape *frame = new TShape(this, 0, Qt::blue);
        frame->SetBrushColor(Qt::blue);
        frame->setAccessibleName(QString::fromLatin1(SelectionName));
        frame->setGeometry(at.x(), at.y() - FrameAbove, PictureSize, FrameHeight);
        frame->hide();
        SelShapes[size_t(k)] = frame;
        auto *image = new QLabel(this);
        image->setGeometry(QRect(at, QSize(PictureSize, PictureSize)));
        image->hide();
        CritImages[size_t(k)] = image;
    }
    Panel2 = new QWidget(this);
    Panel3 = new QWidget(this);
    for (int row = 1; row < RowCount; ++row) {
        QWidget *panel = row == 1 ? Panel2 : Panel3;
        panel->setGeometry(0, PanelTops[size_t(row)], WideWidth, PanelHeight);
        BuildRowHeader(row, panel, PanelMarkerAt);
    }
    for (int k = 0; k < PictureCount; ++k) {
        QLabel *mark = MakeLabel(this, MarkBox.translated(CritImages[size_t(k)]->pos()),
                                 PixelFont(UnsureTextPixels, true), Qt::black);
        mark->setText(UnsureMark);
        mark->setAlignment(Qt::AlignCenter);
        // Presses, and the drag's search for a target, reach the picture underneath.
        mark->setAttribute(Qt::WA_TransparentForMouseEvents);
        mark->hide();
        UnsureLbls[size_t(k)] = mark;
    }
}

void TLgnDispForm::BuildRowHeader(int row, QWidget *parent, QPoint at)
{
    auto *shape = new TShape(parent, MarkerPen, Qt::white);
    shape->setGeometry(QRect(at, MarkerSize));
    const QFont font = PixelFont(MarkerTextPixels);
    QLabel *name = MakeLabel(shape, MarkerNameBox, font, Qt::white);
    QLabel *value = MakeLabel(shape, MarkerValueBox, font, Qt::white);
    mrkrShapes[size_t(row)] = shape;
    mrkrLbls[size_t(row)] = name;
    ValueLbls[size_t(row)] = value;
    switch (row) {
    case 0:
        std::tie(LgnMrkrShape, LgnMrkrLbl, LgnValueLbl) = std::tie(shape, name, value);
        break;
    case 1:
        std::tie(LgnMrkrShape2, LgnMrkrLbl2, LgnValueLbl2) = std::tie(shape, name, value);
        break;
    default:
        std::tie(LgnMrkrShape3, LgnMrkrLbl3, LgnValueLbl3) = std::tie(shape, name, value);
        break;
    }
}

TLgnDispForm::~TLgnDispForm()
{
    qApp->removeEventFilter(this);
}

void TLgnDispForm::BuildDropSpots()
{
    using Role = TDropSpot::Role;
    for (int k = 0; k < PictureCount; ++k)
        dropSpots.push_back(
            std::make_unique<TDropSpot>(*this, CritImages[size_t(k)], Role::Picture, k));
    for (int row = 0; row < RowCount; ++row)
        dropSpots.push_back(
            std::make_unique<TDropSpot>(*this, paintBoxes[size_t(row)], Role::RowArea, row));
    dropSpots.push_back(std::make_unique<TDropSpot>(*this, CStacksImage, Role::Stacks, 0));
    dropSpots.push_back(std::make_unique<TDropSpot>(*this, GraveyardImage, Role::Graveyard, 0));
}

// ---- Showing the land's legions ----------------------------------------------------------------

void TLgnDispForm::ShowLgns(int land)
{
    shownLand = land >= 1 && land <= LandCount ? land : 0;
    ShowLgns();
}

void TLgnDispForm::ShowLgns()
{
    if (!CritImages[0])
        BuildControls();
    TLegion *first = RowLegion(0);
    if (!first) {
        ThePlatform().Diagnostic(this, "%s", NoFirstLegion);
        return;
    }
    setWindowTitle(CaptionPrefix + QString::fromStdString(LandName(shownLand)));
    DeactivateCrit();
    int count = 0;
    bool anyFull = false;
    for (; count < RowCount && RowLegion(count); ++count)
        anyFull = anyFull || RowLegion(count)->Full();
    for (int row = 0; row < count; ++row)
        ShowRowLegion(row, *RowLegion(row));
    HideRowPictures(count);
    Panel2->setVisible(count >= 2);
    PaintBox2->setVisible(count >= 2);
    Panel3->setVisible(count == 3);
    PaintBox3->setVisible(count == 3);
    RotateBtn->setVisible(count >= 2);
    AddStackBtn->setVisible(count < 3);
    resize(anyFull ? WideWidth : NarrowWidth, ClientHeights[size_t(count - 1)]);
    if (anyFull || width() >= NarrowWidth) {
        SetRowWidths(anyFull ? WideWidth : NarrowWidth);
    } else {
        // The screen would not give the window its width: the rows still reach the buttons.
        const QPushButton *last = RotateBtn->isHidden() ? NotSureBtn : RotateBtn;
        SetRowWidths(std::max(width(), last->geometry().right() + 1));
    }
    ShowInFront();
}

void TLgnDispForm::ShowRowLegion(int row, const TLegion &legion)
{
    mrkrLbls[size_t(row)]->setText(QString::fromStdString(legion.GetName()));
    mrkrShapes[size_t(row)]->SetBrushColor(ToQColor(legion.GetColorValue()));
    // The colour the marker paints, for those who cannot see it.
    mrkrShapes[size_t(row)]->setAccessibleName(QString::fromLatin1(ColorNames[legion.GetColor()]));
    DrawLgnRow(row, legion);
}

void TLgnDispForm::DrawLgnRow(int row, const TLegion &legion)
{
    QLabel *value = ValueLbls[size_t(row)];
    value->clear();
    const TLegion::Crits &creatures = legion.GetCrits();
    int i = 0;
    for (; i < RowCrits && creatures[size_t(i)] != Crit::None; ++i) {
        const uint8_t type = creatures[size_t(i)];
        if (type > Crit::Unknown) {
            ThePlatform().Diagnostic(this, InvalidCreature, row + 1);
            return;
        }
        const size_t k = size_t(row * RowCrits + i);
        const bool unsure = legion.GetUnsure()[size_t(i)];
        UnsureLbls[k]->setVisible(unsure);
        CritImages[k]->setPixmap(CreaturePicture(CritPicture(type)));
        CritImages[k]->setAccessibleName(QString::fromStdString(CreatureName(type, unsure)));
        CritImages[k]->setToolTip(QString::fromStdString(CreatureText(type, unsure)));
        CritImages[k]->show();
    }
    value->setText(QString::fromStdString(PointsText(legion)));
    for (; i < RowCrits; ++i) {
        CritImages[size_t(row * RowCrits + i)]->hide();
        UnsureLbls[size_t(row * RowCrits + i)]->hide();
    }
}

void TLgnDispForm::HideRowPictures(int firstRow)
{
    for (int k = firstRow * RowCrits; k < PictureCount; ++k) {
        CritImages[size_t(k)]->hide();
        UnsureLbls[size_t(k)]->hide();
    }
}

void TLgnDispForm::SetRowWidths(int width)
{
    for (QWidget *box : paintBoxes)
        box->resize(width, PictureSize);
}

// After an undo or redo the land it touched is shown, as the main window selects it.
void TLgnDispForm::GameChanged(const TChange &change, bool fromHistory)
{
    if (isHidden())
        return;
    if (fromHistory && change.focus)
        shownLand = change.focus;
    else if (!change.lands[size_t(shownLand)])
        return; // another land, or only the stacks or names
    if (RowLegion(0))
        ShowLgns();
    else
        hide();
}

// ---- Lookups -----------------------------------------------------------------------------------

TLegion *TLgnDispForm::RowLegion(int row) const
{
    return shownLand && row >= 0 && row < RowCount ? document.Game().Land(shownLand).GetStack(row)
                                                   : nullptr;
}

int TLgnDispForm::RowOf(int legion) const
{
    for (int row = 0; row < RowCount; ++row)
        if (const TLegion *shown = RowLegion(row); shown && shown->Ref() == legion)
            return row;
    return -1;
}

TLegion *TLgnDispForm::SelectedLegion() const
{
    return RowLegion(SelCrit / RowCrits);
}

int TLgnDispForm::PictureTag(const QObject *widget) const
{
    const auto found = std::find(CritImages.begin(), CritImages.end(), widget);
    return found == CritImages.end() ? -1 : int(found - CritImages.begin());
}

int TLgnDispForm::RowOfMarkerPart(const QWidget *widget) const
{
    for (int row = 0; row < RowCount; ++row) {
        const size_t r = size_t(row);
        if (widget == mrkrShapes[r] || widget == mrkrLbls[r] || widget == ValueLbls[r])
            return row;
    }
    return -1;
}
