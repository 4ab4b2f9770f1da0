#pragma once

#include "tcatalog.h"
#include "tmodelessform.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class TGameDocument;

// The creatures remaining window: for every creature type its stack size and the numbers left
// and killed, with the numbers left open to correction. Modeless; created once. It keeps no
// counts of its own: it shows and corrects the recruitment stacks of the run.
class TCharLeftForm : public TModelessForm {
public:
    static constexpr int TypeSlots = Crit::LastType + 1; // indexed by creature type, 0 unused

    explicit TCharLeftForm(TGameDocument &document);

    void setVisible(bool visible) override;

    // Event handlers, named after their control and event.
    void FormShow();
    void UpdateBtnClick();
    void CancelBtnClick();

    // The rows, indexed by creature type: names (Label1–Label24), totals (Label49–Label72),
    // counts left (Edit1–Edit24) and killed numbers (Label25–Label48).
    std::array<QLabel *, TypeSlots> NameLbls{};
    std::array<QLabel *, TypeSlots> TotalLbls{};
    std::array<QLineEdit *, TypeSlots> Edits{};
    std::array<QLabel *, TypeSlots> KilledLbls{};
    QLabel *VorunsAvailLbl = nullptr;
    QLabel *TotalC1Lbl = nullptr;
    QLabel *LeftC1Lbl = nullptr;
    QLabel *KilledC1Lbl = nullptr;
    QLabel *TotalC2Lbl = nullptr;
    QLabel *LeftC2Lbl = nullptr;
    QLabel *KilledC2Lbl = nullptr;
    QPushButton *UpdateBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void BuildControls();
    void BuildHeadings(int left, QLabel *&total, QLabel *&count, QLabel *&killed);
    void BuildRow(uint8_t type);
    void BuildButtons();

    TGameDocument &document;
};
