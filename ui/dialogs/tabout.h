#pragma once

#include <QDialog>

// The About box: the program's name and version and the way to the author's home page. Modal.
class TAboutForm : public QDialog {
public:
    explicit TAboutForm(QWidget *parent = nullptr);
};
