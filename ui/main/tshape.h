#pragma once

#include <QColor>
#include <QWidget>

// A filled rectangle with a border, the coloured backgrounds behind the player names and the
// selected land's and legions' captions. Presses fall through to the window beneath.
class TShape : public QWidget {
public:
    TShape(QWidget *parent, int penWidth, QColor penColor);

    void SetBrushColor(QColor color);
    QColor BrushColor() const { return brush; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int penWidth;
    QColor pen;
    QColor brush = Qt::white;
};
