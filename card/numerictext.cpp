#include "card/numerictext.h"

#include <QRegularExpression>

namespace {

bool isPlainInteger(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[+-]?[0-9]+$"));
    return digits.match(text).hasMatch();
}

// The locale's reader also takes "inf" and "nan", which are no numbers here.
bool hasOtherLetter(const QString &text)
{
    for (const QChar c : text) {
        if (c.isLetter() && c.toLower() != QLatin1Char('e'))
            return true;
    }
    return false;
}

// "1e" and "1e-" read as 1, so that an exponent can be typed one
// character at a time.
QString withoutOpenExponent(const QString &text)
{
    static const QRegularExpression open(QStringLiteral("[0-9.,][eE][+-]?$"));
    const QRegularExpressionMatch match = open.match(text);
    return match.hasMatch() ? text.left(match.capturedStart() + 1) : text;
}

}   // namespace

bool isNumericText(const QString &text, const QLocale &locale)
{
    const QString trimmed = withoutOpenExponent(text.trimmed());
    if (trimmed.isEmpty())
        return false;
    if (isPlainInteger(trimmed))
        return true;
    if (hasOtherLetter(trimmed))
        return false;
    bool ok = false;
    locale.toDouble(trimmed, &ok);
    return ok;
}
