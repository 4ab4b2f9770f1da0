#include "tpcolor.h"

#include "gametextqt.h"
#include "platform.h"
#include "qtcolor.h"
#include "tcatalog.h"
#include "tgame.h"
#include "tshape.h"
#include "tgame.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr const char *Caption = "Choose Colors";
constexpr const char *TowerInfoText = "Players have been randomly assigned the following towers:";
constexpr const char *PlrHdrText = "Player";
constexpr const char *PlrTowerText = "Tower";
constexpr const char *PlrColorText = "Color";
constexpr const char *ColorInstrText = "Choose a color for player:";
// The swatches' states, for those who cannot see them; a chosen colour is named.
constexpr const char *NotChosenName = "No color yet";
constexpr const char *ChoosingName = "Choosing now";

constexpr int TextPixels = 11; // 8 points
constexpr int RowPitch = 24;
constexpr int NameWidth = 180;
constexpr QSize SwatchSize{60, 20};
constexpr QSize FaceSize{68, 20};
constexpr int ButtonsPerLine = 3;
constexpr int TowerCount = TColorForm::Rows;
constexpr int SpareArgument = 0;
constexpr uint8_t MarkerSets = 1;
// The classic button face: the white cross-hatch of the player choosing now shows on it.
constexpr QColor FaceColor{212, 208, 200};

int RowOfTower(int tower)
{
    return TowerCount - tower;
}

// A name of up to 40 characters would widen the dialog under the pointer; it is cut to its column
// instead, and shown whole in the label's tip.
void ShowName(QLabel *label, const std::string &name)
{
    const QString text = ShownText(name);
    const QString fitted
        = label->fontMetrics().elidedText(text, Qt::ElideRight, label->maximumWidth());
    SetPlainText(label, fitted);
    label->setToolTip(fitted == text ? QString() : text);
}

// The button face: the colour with its name in white, as on the players' markers.
QPixmap ButtonFace(int colour, const QFont &font)
{
    QPixmap face(FaceSize);
    face.fill(ToQColor(ColorValues[size_t(colour)]));
    QPainter painter(&face);
    QFont bold = font;
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::white);
    painter.drawText(face.rect(), Qt::AlignCenter, QString::fromLatin1(ColorNames[size_t(colour)]));
    return face;
}

} // namespace

TColorForm::TColorForm() : QDialog(nullptr)
{
    // The controls wait for the first set-up: this dialog is rarely needed, start-up always.
    setWindowTitle(QString::fromUtf8(Caption));
}

void TColorForm::Build()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(TextPixels);
    setFont(font);
    // The face is the same under every desktop theme, so its text is too.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, FaceColor);
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(16, 12, 16, 12);
    TowerInfoLabel = new QLabel(QString::fromUtf8(TowerInfoText), this);
    layout->addWidget(TowerInfoLabel);

    auto *rows = new QGridLayout;
    rows->setVerticalSpacing(0);
    rows->setHorizontalSpacing(16);
    PlrHdrLabel = new QLabel(QString::fromUtf8(PlrHdrText), this);
    PlrTowerLabel = new QLabel(QString::fromUtf8(PlrTowerText), this);
    PlrColorLabel = new QLabel(QString::fromUtf8(PlrColorText), this);
    rows->addWidget(PlrHdrLabel, 0, 0);
    rows->addWidget(PlrTowerLabel, 0, 1);
    rows->addWidget(PlrColorLabel, 0, 2);
    for (int row = 0; row < Rows; ++row) {
        NameLabels[size_t(row)] = new QLabel(this);
        NameLabels[size_t(row)]->setFixedWidth(NameWidth);
        TowerLabels[size_t(row)] = new QLabel(QString::number(100 * (TowerCount - row)), this);
        Shapes[size_t(row)] = new TShape(this, 0, Qt::black);
        Shapes[size_t(row)]->setFixedSize(SwatchSize);
        rows->setRowMinimumHeight(row + 1, RowPitch);
        rows->addWidget(NameLabels[size_t(row)], row + 1, 0);
        rows->addWidget(TowerLabels[size_t(row)], row + 1, 1);
        rows->addWidget(Shapes[size_t(row)], row + 1, 2);
    }
    layout->addLayout(rows);

    auto *current = new QHBoxLayout;
    ColorInstrLabel = new QLabel(QString::fromUtf8(ColorInstrText), this);
    CurPlrLabel = new QLabel(this);
    QFont bold = font;
    bold.setBold(true);
    CurPlrLabel->setFont(bold);
    CurPlrLabel->setFixedWidth(NameWidth);
    current->addWidget(ColorInstrLabel);
    current->addWidget(CurPlrLabel, 1);
    layout->addSpacing(8);
    layout->addLayout(current);

    auto *buttons = new QGridLayout;
    BuildButtons(buttons);
    layout->addLayout(buttons);
    layout->setAlignment(buttons, Qt::AlignHCenter);
}

void TColorForm::BuildButtons(QGridLayout *grid)
{
    for (int tag = 0; tag < Rows; ++tag) {
        auto *button = new QPushButton(this);
        // A chosen colour's button leaves its place empty rather than moving the others.
        QSizePolicy policy = button->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        button->setSizePolicy(policy);
        button->setIcon(ButtonFace(tag, font()));
        // The name is painted on the face, which a screen reader cannot read.
        button->setAccessibleName(QString::fromLatin1(ColorNames[size_t(tag)]));
        button->setIconSize(FaceSize);
        grid->addWidget(button, tag / ButtonsPerLine, tag % ButtonsPerLine);
        connect(button, &QPushButton::clicked, this, [this, tag] { ColorBtnClick(tag); });
        BitBtns[size_t(tag)] = button;
    }
}

void TColorForm::SetupPlayers(const std::vector<std::string> &names, std::array<int, 6> &towers,
                              int count)
{
    if (!TowerInfoLabel)
        Build();
    playerCount = std::clamp(count, 0, std::min(Rows, int(names.size())));
    chosenCount = 0;
    for (int row = 0; row < Rows; ++row)
        ClearRow(row);
    for (QPushButton *button : BitBtns)
        button->show();
    BitBtns[0]->setFocus();
    for (int i = 0; i < playerCount; ++i) {
        // A tower that is not one is drawn like a missing one.
        while (towers[size_t(i)] < 1 || towers[size_t(i)] > TowerCount) {
            const int drawn = ThePlatform().Random(TowerCount) + 1;
            if (std::find(towers.begin(), towers.begin() + i, drawn) == towers.begin() + i)
                towers[size_t(i)] = drawn;
        }
        const int row = RowOfTower(towers[size_t(i)]);
        rowNames[size_t(row)] = names[size_t(i)];
        ShowName(NameLabels[size_t(row)], names[size_t(i)]);
    }
    currentRow = Rows;
    AdvanceChooser();
}

void TColorForm::ClearRow(int row)
{
    rowNames[size_t(row)].clear();
    NameLabels[size_t(row)]->clear();
    NameLabels[size_t(row)]->setToolTip(QString());
    Shapes[size_t(row)]->SetBrushStyle(Qt::SolidPattern);
    Shapes[size_t(row)]->SetBrushColor(palette().color(QPalette::Window));
    Shapes[size_t(row)]->setAccessibleName(QString::fromLatin1(NotChosenName));
}

void TColorForm::AdvanceChooser()
{
    do
        --currentRow;
    while (currentRow >= 0 && rowNames[size_t(currentRow)].empty());
    if (currentRow < 0)
        return;
    Shapes[size_t(currentRow)]->SetBrushColor(Qt::white);
    Shapes[size_t(currentRow)]->SetBrushStyle(Qt::DiagCrossPattern);
    Shapes[size_t(currentRow)]->setAccessibleName(QString::fromLatin1(ChoosingName));
    ShowName(CurPlrLabel, rowNames[size_t(currentRow)]);
}

void TColorForm::ColorBtnClick(int tag)
{
    if (currentRow < 0)
        return;
    chosen[size_t(currentRow)] = uint8_t(tag);
    Shapes[size_t(currentRow)]->SetBrushStyle(Qt::SolidPattern);
    Shapes[size_t(currentRow)]->SetBrushColor(ToQColor(ColorValues[size_t(tag)]));
    Shapes[size_t(currentRow)]->setAccessibleName(QString::fromLatin1(ColorNames[size_t(tag)]));
    AdvanceChooser();
    // Hiding the pressed button, which holds the focus, moves the focus on along the tab order.
    BitBtns[size_t(tag)]->hide();
    if (++chosenCount < playerCount)
        return;
    accept();
}

// Descending towers: the player in tower 600, if any, becomes the game's first player.
void TColorForm::AddPlayersTo(TVorunGame &game) const
{
    for (int row = 0; row < Rows; ++row)
        game.AddPlayer(rowNames[size_t(row)], chosen[size_t(row)], TowerCount - row, SpareArgument,
                       MarkerSets);
}

void TColorForm::keyPressEvent(QKeyEvent *event)
{
    FormKeyDown(event);
}

void TColorForm::FormKeyDown(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        reject();
    else
        QDialog::keyPressEvent(event);
}

void TColorForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // No window manager gives a new window the keyboard: it takes it itself.
    raise();
    activateWindow();
}
