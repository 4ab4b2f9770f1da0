#include "tabout.h"

#include "pictures.h"
#include "platform.h"
#include "product.h"
#include "tcatalog.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int NamePixels = 18;
constexpr int TextPixels = 13;
constexpr int Margin = 16;
constexpr int TextSpacing = 6;
constexpr int ButtonGap = 18;
constexpr int ColumnGap = 16;

constexpr const char *GamesText = "Saved games:  ";
constexpr const char *WebPageFailed = "Cannot Open Web Page.";
constexpr const char *WebPageFailedCaption = "Error";

QLabel *NewLabel(QWidget *parent, const QString &text, int pixels, bool bold)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

} // namespace

TAboutForm::TAboutForm(std::string games, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), savedGames(std::move(games))
{
    setWindowTitle(QStringLiteral("About"));
}

// Built on the first show, as nobody may ever open it; the sizes follow from the texts.
void TAboutForm::setVisible(bool visible)
{
    if (visible && !OKBtn)
        Build();
    QDialog::setVisible(visible);
    if (visible) {
        // Without a window manager the dialog is not active unless it makes itself so.
        raise();
        activateWindow();
    }
}

void TAboutForm::Build()
{
    auto *picture = new QLabel(this);
    picture->setPixmap(CreaturePicture(CritPicture(Crit::Vorun)));
    picture->setAccessibleName(QString::fromLatin1(CritNames[Crit::Vorun]));
    picture->setAlignment(Qt::AlignTop);
    auto *columns = new QHBoxLayout;
    columns->setSpacing(ColumnGap);
    columns->addWidget(picture);
    columns->addLayout(BuildTexts(), 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    layout->setSpacing(ButtonGap);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(columns);
    layout->addLayout(BuildButtons());
}

QLayout *TAboutForm::BuildTexts()
{
    Label1 = NewLabel(this, QString::fromLatin1(ProductLongName), NamePixels, true);
    Label2 = NewLabel(
        this, QStringLiteral("Keeps every legion of a game of Vorun, on screen and on disk."),
        TextPixels, false);
    Label3 = NewLabel(this, QStringLiteral("Version:  ") + QString::fromLatin1(ProductVersion),
                      TextPixels, false);
    GamesLbl
        = NewLabel(this, QString::fromLatin1(GamesText) + QFile::decodeName(savedGames.c_str()),
                   TextPixels, false);
    GamesLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *texts = new QVBoxLayout;
    texts->setSpacing(TextSpacing);
    for (QLabel *label : {Label1, Label2, Label3, GamesLbl})
        texts->addWidget(label);
    texts->addStretch();
    return texts;
}

QLayout *TAboutForm::BuildButtons()
{
    HomePageBtn = new QPushButton(QStringLiteral("Home Page"), this);
    HomePageBtn->setAutoDefault(false);
    connect(HomePageBtn, &QPushButton::clicked, this, &TAboutForm::HomePageBtnClick);
    // Enter presses the default button; a dialog's Escape rejects, which closes it the same way.
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(HomePageBtn);
    buttons->addWidget(OKBtn);
    OKBtn->setFocus();
    return buttons;
}

void TAboutForm::HomePageBtnClick()
{
    if (!ThePlatform().OpenDocument(ProductHomePage).empty())
        ThePlatform().MessageBox(this, WebPageFailed, WebPageFailedCaption, Platform::Icon::None,
                                 Platform::Buttons::Ok);
}
