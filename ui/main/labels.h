#pragma once

#include <QColor>
#include <QLabel>
#include <QPalette>

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
