#pragma once

#include <QColor>
#include <QLabel>
#include <QPalette>

#include <algorithm>
#include <cmath>

// Labels as the windows make them: plain text, never rich text from a name or a file.

inline QLabel *MakeLabel(QWidget *parent, const QString &text, QPoint at)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->move(at);
    label->adjustSize();
    return label;
}

inline void SetTextColor(QLabel *label, QColor color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

// The contrast of two colours as WCAG 2 measures it, from 1 (none) to 21 (black on white); Qt
// has no measure of it.
inline double Contrast(QColor a, QColor b)
{
    const auto luminance = [](QColor colour) {
        const auto linear = [](double c) {
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
            + 0.0722 * linear(colour.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The windows' own text colours were chosen for the light face of a window; on a dark face (one
// white reads better on than black), as a dark desktop theme gives, such a colour is lightened
// towards white until it reads (4.5:1). On a light face it stays as drawn.
inline QColor ReadableOn(QColor colour, QColor face)
{
    constexpr double Readable = 4.5;
    constexpr int Steps = 20;
    if (Contrast(Qt::white, face) <= Contrast(Qt::black, face))
        return colour;
    QColor mixed = colour;
    for (int step = 1; step <= Steps && Contrast(mixed, face) < Readable; ++step) {
        const double white = double(step) / Steps;
        mixed = QColor::fromRgbF(float(colour.redF() + (1 - colour.redF()) * white),
                                 float(colour.greenF() + (1 - colour.greenF()) * white),
                                 float(colour.blueF() + (1 - colour.blueF()) * white));
    }
    return mixed;
}
