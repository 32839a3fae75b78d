#pragma once
// The rules a field's value follows, wherever it comes from: typed in the
// editor, given to the card tool, read from a movie library or from the
// extension of a card (which may be hostile, so every value is bounded).

#include "card/fieldtable.h"

#include <QString>
#include <QStringList>

#include <optional>

// Bounds on what one field holds.
namespace FieldBounds {
constexpr int MostTextLength = 65536;   // characters of one text
constexpr int MostItems = 1000;         // items of one list
}   // namespace FieldBounds

struct FieldProblem {
    enum Kind {
        TooLong,            // a number wider than its field, or a text over its bound
        ControlCharacter,   // a character no field holds (line breaks only where lines are kept)
        NotNumber,
        TooManyItems,
        EmptyItem,
        ItemWithBar,   // an actor's name with "|", which the record's list uses between names
        NotFlag,       // neither yes nor no
        NotRating,     // no whole number from 1 to 10
        NotDate,       // no valid YYYY-MM-DD date, nor one with a time, YYYY-MM-DD HH:MM:SS
        NotImdb,       // not "tt" then digits
        NotTmdb,       // no whole number from 1
        NotCount,      // no whole number from 1
    };
    Kind kind = TooLong;
    Field field = Field::Titre;
    char32_t character = 0;   // ControlCharacter, ItemWithBar
    qsizetype length = 0;     // TooLong, TooManyItems: the value's size
    int limit = 0;            // TooLong, TooManyItems: the most the field holds
    QString value {};         // the value, or the item, at fault
};

// Whether a control character is refused: a script's or a movie library's
// value is refused for one, but a card keeps what its editor's user typed.
enum class ControlCharacters { Refused, Kept };

// Whether text is in composed form as it stands, known from each of its
// characters alone (most scripts' letters); false may still be composed.
bool surelyComposed(QStringView text);
bool surelyComposed(char32_t character);

// Puts text into the form field keeps (composed characters, line breaks as
// "\n", a flag as kFlagSet or blank, a number of a rating or an identifier
// without blanks around it); the problem when it breaks the field's rule.
// Not for a field that holds a list.
std::optional<FieldProblem> checkText(
    Field field, QString &text, ControlCharacters controls = ControlCharacters::Refused);

// The same for the items of a list: each checked, dates sorted, an item
// given twice kept once (actors excepted: two may share a name).
std::optional<FieldProblem> checkList(
    Field field, QStringList &items, ControlCharacters controls = ControlCharacters::Refused);
