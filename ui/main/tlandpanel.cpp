#include "tlandpanel.h"

#include "labels.h"
#include "landtext.h"
#include "qtcolor.h"
#include "tcatalog.h"
#include "tlandstacks.h"
#include "tlegion.h"
#include "tmastrbd.h"
#include "tshape.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr const char *NoneCaption = "None";
constexpr int PanelNamePixels = 19;
constexpr QSize PanelSize(149, 320); // down to the Rotate button

} // namespace

TLandPanel::TLandPanel(QWidget *parent) : QWidget(parent)
{
    setGeometry(QRect(Origin, PanelSize));
    SelLandLbl = MakeLabel(this, "Currently Selected Land:", QPoint(4, 0));
    ActvLandShape = new TShape(this, 3, Qt::white);
    ActvLandShape->setGeometry(4, 17, 140, 54);
    ActvLandLbl = new QLabel(NoneCaption, this);
    ActvLandLbl->setTextFormat(Qt::PlainText);
    ActvLandLbl->setGeometry(11, 20, 128, 48);
    ActvLandLbl->setWordWrap(true);
    ActvLandLbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont nameFont = font();
    nameFont.setPixelSize(PanelNamePixels);
    ActvLandLbl->setFont(nameFont);
    AddMrkrBtn = new QPushButton("&Add Marker", this);
    AddMrkrBtn->setGeometry(4, 77, 75, 25);
    LandLgnLbl = MakeLabel(this, "Legions:  (Drag to Move)", QPoint(4, 105));
    auto legionRow = [&](int top, TShape *&shape, QLabel *&name, QLabel *&troops) {
        shape = new TShape(this, 3, Qt::white);
        shape->setGeometry(4, top, 140, 30);
        name = new QLabel(NoneCaption, this);
        name->setTextFormat(Qt::PlainText);
        name->setGeometry(11, top + 3, 128, 24);
        name->setFont(nameFont);
        troops = new QLabel(this);
        troops->setTextFormat(Qt::PlainText);
        troops->setGeometry(4, top + 32, 144, 39);
        troops->setWordWrap(true);
        troops->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    };
    legionRow(122, ActvLgnShape, ActvLgnLbl, LgnTroopsLbl1);
    legionRow(195, ActvLgnShape2, ActvLgnLbl2, LgnTroopsLbl2);
    ViewLgnBtn = new QPushButton("&View/Edit", this);
    ViewLgnBtn->setGeometry(4, 268, 61, 24);
    RotateLgnBtn = new QPushButton("&Rotate", this);
    RotateLgnBtn->setGeometry(4, 295, 61, 24);
    for (QWidget *widget : std::initializer_list<QWidget *>{
             ActvLandShape, AddMrkrBtn, ActvLgnShape, LgnTroopsLbl1, ActvLgnShape2, ActvLgnLbl2,
             LgnTroopsLbl2, ViewLgnBtn, RotateLgnBtn})
        widget->hide();
    // Nothing of it shows on the title screen, where it would lie over the title's controls.
    hide();
    // Created after the shapes, the labels lie above them.
    ActvLandLbl->raise();
    ActvLgnLbl->raise();
    ActvLgnLbl2->raise();
}

void TLandPanel::ShowHeadings()
{
    ActvLandLbl->setText(NoneCaption);
    ActvLgnLbl->setText(NoneCaption);
    show();
}

bool TLandPanel::HoldsFocus() const
{
    const QWidget *focused = window()->focusWidget();
    return focused == ViewLgnBtn || focused == AddMrkrBtn || focused == RotateLgnBtn;
}

void TLandPanel::ShowNone()
{
    ActvLandLbl->setText(NoneCaption);
    SetTextColor(ActvLandLbl, Qt::white);
    ActvLgnLbl->setText(NoneCaption);
    for (QWidget *widget : std::initializer_list<QWidget *>{ActvLandShape, ActvLgnShape,
                                                            LgnTroopsLbl1, ViewLgnBtn, AddMrkrBtn})
        widget->hide();
    HideRows();
}

void TLandPanel::HideRows()
{
    for (QWidget *widget :
         std::initializer_list<QWidget *>{ActvLgnLbl2, ActvLgnShape2, LgnTroopsLbl2, RotateLgnBtn})
        widget->hide();
}

void TLandPanel::ShowLegion(const TLegion &legion, TShape *shape, QLabel *name, QLabel *troops)
{
    name->setText(QString::fromStdString(legion.GetName()));
    shape->SetBrushColor(ToQColor(legion.GetColorValue()));
    // The colour the box paints, for those who cannot see it.
    shape->setAccessibleName(QString::fromLatin1(ColorNames[legion.GetColor()]));
    troops->setText(QString::fromStdString(TroopsText(legion)));
    shape->show();
    troops->show();
}

void TLandPanel::ShowLand(int n, const TLandStacks &legions)
{
    ActvLandLbl->setText(QString::fromStdString(LandCaption(n, legions)));
    SetTextColor(ActvLandLbl, Qt::black);
    const TTerrain terrain = LandTable[size_t(n)].terrain;
    ActvLandShape->SetBrushColor(ToQColor(TerrainColors[size_t(terrain)]));
    ActvLandShape->setAccessibleName(QString::fromStdString(TerrainTitle(terrain)));
    ActvLandShape->show();
    AddMrkrBtn->setVisible(legions.GetStack(2) == nullptr);

    const TLegion *first = legions.GetStack(0);
    if (!first) {
        ActvLgnLbl->setText(NoneCaption);
        for (QWidget *widget :
             std::initializer_list<QWidget *>{ActvLgnShape, LgnTroopsLbl1, ViewLgnBtn})
            widget->hide();
        HideRows();
        AddMrkrBtn->setFocus();
        return;
    }
    ShowLegion(*first, ActvLgnShape, ActvLgnLbl, LgnTroopsLbl1);
    ViewLgnBtn->show();
    ViewLgnBtn->setFocus();
    const TLegion *second = legions.GetStack(1);
    if (!second) {
        HideRows();
        return;
    }
    ShowLegion(*second, ActvLgnShape2, ActvLgnLbl2, LgnTroopsLbl2);
    ActvLgnLbl2->show();
    RotateLgnBtn->show();
}
