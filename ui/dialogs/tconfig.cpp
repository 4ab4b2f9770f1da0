#include "tconfig.h"

#include "platform.h"
#include "settings.h"
#include "vornmain.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr std::array<const char *, TConfigForm::BoardSizes> BoardSizeNames{
    "0) Autosized", "1) Small", "2) Medium", "3) Large", "4) Giant", "5) Colossal"};

constexpr int TextPixels = 11; // 8 points
constexpr int LargePixels = 19; // 14 points
constexpr int EditWidth = 64;
constexpr int ValueWidth = 112;

// Grid columns: the left half's captions and controls, the dividing line, then the values when
// the program started and those in use now.
enum Column { CaptionCol, ControlCol, LineCol, StartCol, NowCol, ColumnCount };
enum Row {
    HeaderRow,
    SubHeaderRow,
    BoardSizeRow,
    MaxRow,
    TopRow,
    LeftRow,
    WidthRow,
    HeightRow,
    ButtonRow,
    RowCount
};

constexpr const char *CannotOpenText = "Cannot open .INI file";
constexpr const char *CannotOpenCaption = "Error";
constexpr const char *SavedText = "The changes will take effect the next time you start this "
                                  "program.";
constexpr const char *SavedCaption = "Settings Saved";
constexpr const char *YesText = "Yes";
constexpr const char *NoText = "No";

QFont PixelFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel *MakeLabel(const char *text, bool bold = false)
{
    auto *label = new QLabel(QString::fromLatin1(text));
    if (bold)
        label->setFont(PixelFont(TextPixels, true));
    return label;
}

// A value of the right half, centred in its column; the board size and the maximised state
// stand out in large bold type.
QLabel *MakeValue(QGridLayout &grid, int row, int column, bool large = false)
{
    auto *label = new QLabel;
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(ValueWidth);
    if (large)
        label->setFont(PixelFont(LargePixels, true));
    grid.addWidget(label, row, column);
    return label;
}

QString YesNo(bool value)
{
    return QString::fromLatin1(value ? YesText : NoText);
}

} // namespace

TConfigForm::TConfigForm(TVorunMainForm &mainForm) : QDialog(nullptr), mainForm(mainForm)
{
    setWindowTitle(QStringLiteral("Configuration"));
}

void TConfigForm::setVisible(bool visible)
{
    // Made on first show, not at start-up, which would pay for fonts and layouts nobody sees.
    if (visible && !Button1)
        BuildControls();
    QDialog::setVisible(visible);
}

void TConfigForm::BuildControls()
{
    setFont(PixelFont(TextPixels, false));
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    BuildNewSettings(*grid);
    BuildCurrentSettings(*grid);
    Shape1 = new QFrame;
    Shape1->setFrameShape(QFrame::VLine);
    Shape1->setFrameShadow(QFrame::Sunken);
    grid->addWidget(Shape1, HeaderRow, LineCol, RowCount, 1);
}

// In tab order: the radio group, the check box, the four boxes, Save, Cancel.
void TConfigForm::BuildNewSettings(QGridLayout &grid)
{
    NewSetHdrLbl = MakeLabel("New Settings", true);
    grid.addWidget(NewSetHdrLbl, HeaderRow, CaptionCol, 1, 2, Qt::AlignHCenter);

    BoardSizeRadioGroup = new QGroupBox(QStringLiteral("Board Size"));
    auto *items = new QVBoxLayout(BoardSizeRadioGroup);
    boardSizeGroup = new QButtonGroup(this);
    for (int k = 0; k < BoardSizes; ++k) {
        BoardSizeItems[size_t(k)]
            = new QRadioButton(QString::fromLatin1(BoardSizeNames[size_t(k)]));
        boardSizeGroup->addButton(BoardSizeItems[size_t(k)], k);
        items->addWidget(BoardSizeItems[size_t(k)]);
    }
    grid.addWidget(BoardSizeRadioGroup, BoardSizeRow, CaptionCol, 1, 2);

    MaxChkBox = new QCheckBox(QStringLiteral("Maximize Window"));
    grid.addWidget(MaxChkBox, MaxRow, CaptionCol, 1, 2);
    connect(MaxChkBox, &QCheckBox::clicked, this, &TConfigForm::MaxChkBoxClick);

    const auto windowValue = [&grid](int row, const char *caption, QLabel *&label) {
        label = MakeLabel(caption);
        grid.addWidget(label, row, CaptionCol);
        auto *edit = new QLineEdit;
        edit->setFixedWidth(EditWidth);
        grid.addWidget(edit, row, ControlCol);
        return edit;
    };
    Edit1 = windowValue(TopRow, "Window Top", WindowTopLbl);
    Edit2 = windowValue(LeftRow, "Window Left", WindowLeftLbl);
    Edit3 = windowValue(WidthRow, "Window Width", WindowWidthLbl);
    Edit4 = windowValue(HeightRow, "Window Height", WindowHeightLbl);

    auto *buttons = new QHBoxLayout;
    // No default button: Enter after typing a number must not rewrite the settings file, so
    // saving takes a click or Alt+S.
    Button1 = new QPushButton(QStringLiteral("&Save New Settings"));
    Button2 = new QPushButton(QStringLiteral("Cancel"));
    for (QPushButton *button : {Button1, Button2})
        button->setAutoDefault(false);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    grid.addLayout(buttons, ButtonRow, CaptionCol, 1, 2);
    connect(Button1, &QPushButton::clicked, this, &TConfigForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TConfigForm::BuildCurrentSettings(QGridLayout &grid)
{
    CurSetHdrLbl = MakeLabel("Current Settings", true);
    grid.addWidget(CurSetHdrLbl, HeaderRow, StartCol, 1, 2, Qt::AlignHCenter);
    FileHdrLbl = MakeLabel("When Program Starts", true);
    grid.addWidget(FileHdrLbl, SubHeaderRow, StartCol, Qt::AlignHCenter);
    AppHdrLbl = MakeLabel("In Use Right Now", true);
    grid.addWidget(AppHdrLbl, SubHeaderRow, NowCol, Qt::AlignHCenter);
    CFBSLbl = MakeValue(grid, BoardSizeRow, StartCol, true);
    CABSLbl = MakeValue(grid, BoardSizeRow, NowCol, true);
    CFWMLbl = MakeValue(grid, MaxRow, StartCol, true);
    CAWMLbl = MakeValue(grid, MaxRow, NowCol, true);
    CFWTLbl = MakeValue(grid, TopRow, StartCol);
    CAWTLbl = MakeValue(grid, TopRow, NowCol);
    CFWLLbl = MakeValue(grid, LeftRow, StartCol);
    CAWLLbl = MakeValue(grid, LeftRow, NowCol);
    CFWWLbl = MakeValue(grid, WidthRow, StartCol);
    CAWWLbl = MakeValue(grid, WidthRow, NowCol);
    CFWHLbl = MakeValue(grid, HeightRow, StartCol);
    CAWHLbl = MakeValue(grid, HeightRow, NowCol);
}

int TConfigForm::BoardSizeIndex() const
{
    return boardSizeGroup ? boardSizeGroup->checkedId() : -1;
}

void TConfigForm::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
    // Without a window manager no window is active unless the program makes it so.
    raise();
    activateWindow();
}

// The new settings start from this run's start every time, not from the file or the window.
void TConfigForm::FormShow()
{
    const TWindowSettings values = mainForm.GetWindowSettings();
    CFBSLbl->setNum(values.boardSizeStart);
    CABSLbl->setNum(values.boardSizeNow);
    CFWMLbl->setText(YesNo(values.maxStart));
    CAWMLbl->setText(YesNo(values.maxNow));
    CFWTLbl->setNum(values.topStart);
    CAWTLbl->setNum(values.topNow);
    CFWLLbl->setNum(values.leftStart);
    CAWLLbl->setNum(values.leftNow);
    CFWWLbl->setNum(values.widthStart);
    CAWWLbl->setNum(values.widthNow);
    CFWHLbl->setNum(values.heightStart);
    CAWHLbl->setNum(values.heightNow);

    if (QAbstractButton *item = boardSizeGroup->button(values.boardSizeStart))
        item->setChecked(true);
    MaxChkBox->setChecked(values.maxStart);
    Edit1->setText(QString::number(values.topStart));
    Edit2->setText(QString::number(values.leftStart));
    Edit3->setText(QString::number(values.widthStart));
    Edit4->setText(QString::number(values.heightStart));
    SetWindowEditsEnabled(!values.maxStart);
}

void TConfigForm::MaxChkBoxClick()
{
    SetWindowEditsEnabled(!MaxChkBox->isChecked());
}

void TConfigForm::SetWindowEditsEnabled(bool enabled)
{
    for (QLineEdit *edit : {Edit1, Edit2, Edit3, Edit4})
        edit->setEnabled(enabled);
}

void TConfigForm::Button1Click()
{
    TSettingsToWrite values;
    values.windowMax = MaxChkBox->isChecked();
    values.top = Edit1->text().toStdString();
    values.left = Edit2->text().toStdString();
    values.width = Edit3->text().toStdString();
    values.height = Edit4->text().toStdString();
    values.boardSize = BoardSizeIndex();
    const std::string &file = mainForm.IniFileName();
    std::string reason;
    if (!WriteStartupSettingsFile(file, values, &reason)) {
        ThePlatform().MessageBox(this, std::string(CannotOpenText) + "\n" + file + ": " + reason,
                                 CannotOpenCaption, Platform::Icon::Stop, Platform::Buttons::Ok);
        reject();
        return;
    }
    ThePlatform().MessageBox(this, SavedText, SavedCaption, Platform::Icon::None,
                             Platform::Buttons::Ok);
    accept();
}
