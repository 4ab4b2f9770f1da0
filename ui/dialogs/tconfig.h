#pragma once

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TVorunMainForm;

// The startup settings dialog: the settings the program started with beside those in use now,
// and new ones to save for the next start. Modal; filled again from the main window every time
// it opens, and changing nothing in the running program.
class TConfigForm : public QDialog {
public:
    static constexpr int BoardSizes = 6; // 0 (automatic) … 5

    explicit TConfigForm(TVorunMainForm &mainForm);

    void setVisible(bool visible) override;

    // The position of the selected board size item, 0 … 5.
    int BoardSizeIndex() const;

    // Event handlers, named after their control and event.
    void FormShow();
    void MaxChkBoxClick();
    void Button1Click();

    // New settings, the values that will be written.
    QLabel *NewSetHdrLbl = nullptr;
    QGroupBox *BoardSizeRadioGroup = nullptr;
    std::array<QRadioButton *, BoardSizes> BoardSizeItems{};
    QCheckBox *MaxChkBox = nullptr;
    QLabel *WindowTopLbl = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLabel *WindowLeftLbl = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLabel *WindowWidthLbl = nullptr;
    QLineEdit *Edit3 = nullptr;
    QLabel *WindowHeightLbl = nullptr;
    QLineEdit *Edit4 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QFrame *Shape1 = nullptr;
    // Current settings: when the program started (CF…) and in use right now (CA…).
    QLabel *CurSetHdrLbl = nullptr;
    QLabel *FileHdrLbl = nullptr;
    QLabel *AppHdrLbl = nullptr;
    QLabel *CFBSLbl = nullptr;
    QLabel *CABSLbl = nullptr;
    QLabel *CFWMLbl = nullptr;
    QLabel *CAWMLbl = nullptr;
    QLabel *CFWTLbl = nullptr;
    QLabel *CAWTLbl = nullptr;
    QLabel *CFWLLbl = nullptr;
    QLabel *CAWLLbl = nullptr;
    QLabel *CFWWLbl = nullptr;
    QLabel *CAWWLbl = nullptr;
    QLabel *CFWHLbl = nullptr;
    QLabel *CAWHLbl = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildControls();
    void BuildNewSettings(QGridLayout &grid);
    void BuildCurrentSettings(QGridLayout &grid);
    void SetWindowEditsEnabled(bool enabled);

    TVorunMainForm &mainForm;
    QButtonGroup *boardSizeGroup = nullptr;
};
