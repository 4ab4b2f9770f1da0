#include "gametextqt.h"

#include "gametext.h"

#include <QLabel>

QString ShownText(const std::string &bytes)
{
    return QString::fromStdString(DisplayUtf8(bytes));
}

std::string KeptText(const QString &shown, const std::string &original)
{
    return shown == ShownText(original) ? original : shown.toStdString();
}

void SetPlainText(QLabel *label, const QString &text)
{
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
}
