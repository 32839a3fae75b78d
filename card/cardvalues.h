#pragma once
// A card's fields as people and scripts read and give them.

#include "card/cardrecord.h"

#include <QString>
#include <QStringList>
#include <optional>

// The field's key in the field table ("titre", "annee", ...): the keys of
// show's JSON, the names of FIELD=VALUE, a catalogue's columns.
QString fieldName(Field field);
std::optional<Field> fieldNamed(const QString &name);

// Every field's value as it is shown: trailing blanks removed from the
// record's texts, the hours without the blank the writer puts before one
// digit, line breaks as "\n", a list as its items. A blank value is empty.
// A flag is "oui" or empty, a rating "1" to "10", a date "YYYY-MM-DD" or
// "YYYY-MM-DD HH:MM:SS".
class CardValues {
public:
    // The text of a field that holds no list.
    QString &text(Field field) { return m_texts[size_t(field)]; }
    const QString &text(Field field) const { return m_texts[size_t(field)]; }
    // The items of a field that holds a list.
    QStringList &list(Field field) { return m_lists[size_t(field)]; }
    const QStringList &list(Field field) const { return m_lists[size_t(field)]; }

    bool isBlank(Field field) const
    {
        return holdsList(field) ? list(field).isEmpty() : text(field).isEmpty();
    }
    bool operator==(const CardValues &) const = default;

private:
    std::array<QString, kFieldCount> m_texts;
    std::array<QStringList, kFieldCount> m_lists;
};

// The values a record alone shows: those of its eight fields.
CardValues recordValues(const CardRecord &record);
// The value shown of a record field's stored text (not for Acteurs).
QString shownText(FieldRule rule, const QString &stored);

// The text of a flag that is set.
inline const QString kFlagSet = QStringLiteral("oui");
