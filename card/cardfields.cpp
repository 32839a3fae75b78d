#include "card/cardfields.h"

#include "card/cardrecord.h"

#include <cmath>

namespace {

std::optional<int> wholeNumber(const QString &field)
{
    bool number = false;
    const double value = field.trimmed().toDouble(&number);
    if (!number || !std::isfinite(value) || std::fabs(value) > 1e9)
        return std::nullopt;
    return int(std::nearbyint(value));
}

}   // namespace

QString hoursField(const QString &hours)
{
    bool number = false;
    const double value = hours.toDouble(&number);
    return number && value < 10 && hours.size() == 1 ? QLatin1Char(' ') + hours : hours;
}

std::optional<QString> hoursText(const QString &field)
{
    const auto hours = wholeNumber(field);
    return hours ? std::optional(QString::number(*hours)) : std::nullopt;
}

std::optional<QString> minutesText(const QString &field)
{
    const auto minutes = wholeNumber(field);
    return minutes ? std::optional(QStringLiteral("%1").arg(*minutes, 2, 10, QLatin1Char('0')))
                   : std::nullopt;
}

QString lfLineBreaks(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

QString summaryText(const QString &field)
{
    return lfLineBreaks(trimRight(field));
}

qsizetype summaryStoredLength(const QString &text)
{
    return text.size() + text.count(QLatin1Char('\n'));
}

QString summaryField(const QString &text)
{
    if (summaryStoredLength(text) > fieldWidth(Field::Resume))
        return text;
    QString field = text;
    return field.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}
