#pragma once
// A card's fields as people and scripts read and give them, and the
// editor's rules for putting a value into its field.

#include "card/cardrecord.h"

#include <QString>
#include <QStringList>
#include <optional>

// The field's key in the field table ("titre", "annee", ...): the keys of
// show's JSON and the names of FIELD=VALUE.
QString fieldName(Field field);
std::optional<Field> fieldNamed(const QString &name);

// What the editor shows: trailing blanks removed, the hours without the
// blank the writer puts before one digit, the actors as a list, the
// summary's line breaks as "\n".
struct CardValues {
    QString titre {}, annee {}, heures {}, minutes {}, type {}, realisateur {};
    QStringList acteurs {};
    QString resume {};

    // The text of a field whose rule is not Actors.
    QString &text(Field field);
    const QString &text(Field field) const;
};
CardValues cardValues(const CardRecord &record);
// The value shown of a field's stored text (not for Actors).
QString shownText(FieldRule rule, const QString &stored);

// One field's new value; names is used for Acteurs, text for the others.
struct CardEdit {
    Field field = Field::Titre;
    QString text {};
    QStringList names {};
};
// The edits that rebuild every field of values.
QList<CardEdit> editsOf(const CardValues &values);

struct FieldProblem {
    enum Kind {
        TooLong,
        NotCp1252,
        ControlCharacter,
        NotNumber,
        TooManyNames,
        EmptyName,
        NameTooLong,
        NameWithBar
    };
    Kind kind = TooLong;
    Field field = Field::Titre;
    char32_t character = 0;   // NotCp1252, ControlCharacter, NameWithBar
    qsizetype length = 0;     // TooLong, NameTooLong, TooManyNames: the value's size
    int limit = 0;            // the most the field (or a name) holds
    QString value {};         // NotNumber, the names' problems: the value in question
};

// Stores edit into its field of record under the editor's rules (the
// hour's blank, actors joined with "|", the summary's CR LF); a value that
// does not fit leaves record unchanged and says why. Nothing is ever cut.
std::optional<FieldProblem> applyEdit(CardRecord &record, const CardEdit &edit);
