#include "card/cardvalues.h"

#include "card/cardfields.h"
#include "card/cardrecord.h"

QString shownText(FieldRule rule, const QString &stored)
{
    if (rule == FieldRule::Summary)
        return summaryText(stored);
    QString text = trimRight(stored);
    // Only the blank the writer adds is dropped, so that the value stores back the same.
    if (rule == FieldRule::Hours && text.startsWith(QLatin1Char(' ')) && hoursField(text.mid(1)) == text)
        text.remove(0, 1);
    return text;
}

QString fieldName(Field field)
{
    const std::string_view key = fieldLayout(field).key;
    return QString::fromLatin1(key.data(), qsizetype(key.size()));
}

std::optional<Field> fieldNamed(const QString &name)
{
    // Compared as they stand: each key of an extension is looked up, and a
    // QString made of every field's key for each would cost most of its reading.
    for (const Field field : kFields) {
        const std::string_view key = fieldLayout(field).key;
        if (name == QLatin1StringView(key.data(), qsizetype(key.size())))
            return field;
    }
    return std::nullopt;
}

CardValues recordValues(const CardRecord &record)
{
    CardValues values;
    for (const Field field : kRecordFields) {
        if (holdsList(field))
            values.list(field) = splitActorNames(record.text(field));
        else
            values.text(field) = shownText(fieldLayout(field).rule, record.text(field));
    }
    return values;
}
