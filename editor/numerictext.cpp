#include "editor/numerictext.h"

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

} // namespace

bool IsNumericText(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
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
