#pragma once
// A card's texts and data, without its poster: the record every reader
// shows and the extension that holds what the record cannot (card/cardextension.h).
// A value is changed here, by its field's rules, so that the record keeps
// what a reader of the record alone should see and the extension the rest.

#include "card/cardextension.h"
#include "card/fieldrules.h"

#include <QDate>

struct Card {
    // A record alone is a card as every version before the extension wrote it.
    Card(CardRecord record = CardRecord(), CardExtension extension = {})
        : record(std::move(record)), extension(std::move(extension))
    {
    }
    CardRecord record;
    CardExtension extension;
    bool operator==(const Card &) const = default;
};

// Every field's value: the exact text where the extension holds it, the
// record's otherwise.
CardValues cardValues(const Card &card);

// One field's new value: text for a field that holds no list; for a list,
// its items (Set), or the items to add to it or to remove from it.
struct CardEdit {
    enum class Op { Set, Add, Remove };
    Field field = Field::Titre;
    QString text {};
    QStringList list {};
    Op op = Op::Set;
};
// The edits that set every field of values.
QList<CardEdit> editsOf(const CardValues &values);

// Stores edit under its field's rules: a record field's text goes into the
// record when it fits there as it is, else the record gets its Windows-1252
// form cut to the field's width (as many whole actors as fit) and the
// extension the exact text. Setting a viewing or a count of them sets Vu,
// clearing Vu clears both, clearing PretA clears PretLe. A value that breaks the rule
// leaves card unchanged and says why. Nothing is ever cut but in the record.
std::optional<FieldProblem> applyEdit(
    Card &card, const CardEdit &edit, ControlCharacters controls = ControlCharacters::Refused);

// A date as the card keeps it: "YYYY-MM-DD".
QString isoDate(const QDate &date);
