#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

// The About box: the program's name and version, where the games are saved, and the way to the
// author's home page. Modal.
class TAboutForm : public QDialog {
public:
    // savedGames: the folder the saves go to, which depends on how the program is installed.
    explicit TAboutForm(std::string savedGames, QWidget *parent = nullptr);

    // Event handlers, named after their control and event.
    void HomePageBtnClick();

    // Null until the dialog is first shown.
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *GamesLbl = nullptr;
    QPushButton *HomePageBtn = nullptr;
    QPushButton *OKBtn = nullptr;

    void setVisible(bool visible) override;

private:
    void Build();
    QLayout *BuildTexts();
    QLayout *BuildButtons();

    std::string savedGames;
};
