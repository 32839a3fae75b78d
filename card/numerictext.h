#pragma once
// The test the numeric fields (the year, the hours, the minutes) apply to a
// whole value, in the editor's boxes and in the card tool.

#include <QLocale>
#include <QString>

// True when text reads as one number under locale: blanks around it, a sign,
// digits with one decimal separator, an exponent ("1e3", also "1e" and "1e-"
// while it is being typed). Digits alone always
// pass, whatever the locale; a lone sign or any letter but the exponent mark
// fails.
bool isNumericText(const QString &text, const QLocale &locale = QLocale());
