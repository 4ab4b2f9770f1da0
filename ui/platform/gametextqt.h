#pragma once

#include <QString>

#include <string>

class QLabel;

// The game's text (names, notes) in the windows. The game keeps the bytes the user typed, UTF-8 or
// those of an older Western save (see gametext.h); the windows show both correctly and give back
// the very same bytes for any text the user left as it was.

QString ShownText(const std::string &bytes);

// The bytes for what a control holds now: `original` itself while the control still shows it,
// otherwise the control's text as UTF-8.
std::string KeptText(const QString &shown, const std::string &original);

// Shows a user's text as it stands: a name such as "<b>Bo</b>" is not markup.
void SetPlainText(QLabel *label, const QString &text);
