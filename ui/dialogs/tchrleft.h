#pragma once

#include <QWidget>

class QKeyEvent;

// The creatures remaining window: for every creature type its stack size and the numbers left
// and killed, with the numbers left open to correction. Modeless; created once.
class TCharLeftForm : public QWidget {
public:
    explicit TCharLeftForm(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
