#pragma once
// What a card cannot take from a movie .nfo, or a .nfo from a card: one
// note a kind, which the tool puts into words.

#include "card/fieldrules.h"

#include <QList>

struct NfoNote {
    enum class Kind {
        Refused,             // values the field's rule refuses, left out: problem says why
        OtherIdentifier,     // identifiers of a type a card has no field for (type), left out
        NotSeen,             // a last viewing of a movie the file says is not seen, left out
        RuntimeRefused,      // no number of minutes below a hundred hours, left out
        RuntimeNotWritten,   // the card's hours or minutes are no numbers, not written
        ControlReplaced,     // control characters of the field, each written as "?"
    };
    Kind kind = Kind::Refused;
    // The field, and the value left out: the first one when others follow.
    FieldProblem problem {};
    qsizetype others = 0;   // how many more values of the same kind are left out
    // OtherIdentifier: the identifier's type; RuntimeNotWritten: the minutes
    // (problem.value the hours).
    QString detail {};
    QList<char32_t> characters {};   // ControlReplaced
};
