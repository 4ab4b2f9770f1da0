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
    // A pattern other than solid paints only its lines; the window beneath shows between them.
    void SetBrushStyle(Qt::BrushStyle style);
    Qt::BrushStyle BrushStyle() const { return brushStyle; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int penWidth;
    QColor pen;
    QColor brush = Qt::white;
    Qt::BrushStyle brushStyle = Qt::SolidPattern;
};
