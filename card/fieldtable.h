#pragma once
// A card's fields, described once: where each lies in the record, if it
// does, the names scripts, catalogues and movie files know it by, the rule
// its value follows, whether a search reads it and whether a collection's
// list shows it.

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// The record's eight fields in their order, then those of the extension
// that follows the poster (card/cardextension.h).
enum class Field {
    Titre,
    Annee,
    Heures,
    Minutes,
    Type,
    Realisateur,
    Acteurs,
    Resume,
    TitreOriginal,
    TitreTri,
    Saga,
    Pays,
    Vu,
    VuLe,
    VuFois,
    Note,
    Etiquettes,
    PretA,
    PretLe,
    Support,
    Emplacement,
    Imdb,
    Tmdb,
    TmdbPrincipal,
    Notes,
    AjouteeLe,
};

// How a field's value is stored, checked and shown.
enum class FieldRule {
    Text,      // one line, as typed
    Number,    // a number, as typed
    Hours,     // a number; one digit is stored in the record with a blank in front (" 2")
    Minutes,   // a number, written with two digits ("05")
    Actors,    // names, each followed by "|" in the record
    Summary,   // lines, each break stored as CR LF in the record
    Lines,     // lines, kept as they are typed
    Texts,     // a list of one-line texts
    Flag,      // yes, or blank
    Rating,    // a whole number from 1 to 10
    Date,      // an ISO date, YYYY-MM-DD, possibly with its time, YYYY-MM-DD HH:MM:SS
    Dates,     // such dates, oldest first, each once
    ImdbId,    // "tt" then digits
    TmdbId,    // a whole number from 1
    Count,     // a whole number from 1
};

// Whether a search reads the field: its words and a condition on the field
// alone, or only such a condition (seen, rating, loan, copy).
enum class Searched { No, ByCondition, ByWords };

// Whether a collection's list has a column for the field (the hours'
// column shows the running time, minutes included; the viewings' the last).
enum class Listed { No, AsColumn };

struct FieldLayout {
    Field field;
    std::string_view key;          // the name everywhere: JSON, FIELD=VALUE, a catalogue's column
    int offset;                    // in the record, in bytes (-1: not in the record)
    int width;                     // in bytes: one a character, always all used (0: not in the record)
    std::string_view nfoElement;   // the movie .nfo element that carries it (empty: none)
    FieldRule rule;
    Searched searched;
    Listed listed;
};

// clang-format off: one line a field, its columns aligned
inline constexpr std::array<FieldLayout, 26> kFieldTable = { {
    { Field::Titre, "titre", 0, 50, "title", FieldRule::Text, Searched::ByWords, Listed::AsColumn },
    { Field::Annee, "annee", 50, 4, "year", FieldRule::Number, Searched::ByWords, Listed::AsColumn },
    { Field::Heures, "heures", 54, 2, "runtime", FieldRule::Hours, Searched::No, Listed::AsColumn },
    { Field::Minutes, "minutes", 56, 2, "runtime", FieldRule::Minutes, Searched::No, Listed::No },
    { Field::Type, "type", 58, 50, "genre", FieldRule::Text, Searched::ByWords, Listed::AsColumn },
    { Field::Realisateur, "realisateur", 108, 50, "director", FieldRule::Text, Searched::ByWords,
        Listed::AsColumn },
    { Field::Acteurs, "acteurs", 158, 510, "actor", FieldRule::Actors, Searched::ByWords, Listed::AsColumn },
    { Field::Resume, "resume", 668, 500, "plot", FieldRule::Summary, Searched::ByWords, Listed::No },
    { Field::TitreOriginal, "titre_original", -1, 0, "originaltitle", FieldRule::Text, Searched::ByWords,
        Listed::AsColumn },
    { Field::TitreTri, "titre_tri", -1, 0, "sorttitle", FieldRule::Text, Searched::No, Listed::No },
    { Field::Saga, "saga", -1, 0, "set", FieldRule::Text, Searched::ByWords, Listed::AsColumn },
    { Field::Pays, "pays", -1, 0, "country", FieldRule::Texts, Searched::No, Listed::No },
    { Field::Vu, "vu", -1, 0, "watched", FieldRule::Flag, Searched::ByCondition, Listed::AsColumn },
    { Field::VuLe, "vu_le", -1, 0, "lastplayed", FieldRule::Dates, Searched::No, Listed::AsColumn },
    { Field::VuFois, "vu_fois", -1, 0, "playcount", FieldRule::Count, Searched::No, Listed::No },
    { Field::Note, "note", -1, 0, "userrating", FieldRule::Rating, Searched::ByCondition, Listed::AsColumn },
    { Field::Etiquettes, "etiquettes", -1, 0, "tag", FieldRule::Texts, Searched::ByWords, Listed::AsColumn },
    { Field::PretA, "pret_a", -1, 0, "", FieldRule::Text, Searched::ByCondition, Listed::AsColumn },
    { Field::PretLe, "pret_le", -1, 0, "", FieldRule::Date, Searched::No, Listed::No },
    { Field::Support, "support", -1, 0, "", FieldRule::Text, Searched::ByCondition, Listed::No },
    { Field::Emplacement, "emplacement", -1, 0, "", FieldRule::Text, Searched::No, Listed::No },
    { Field::Imdb, "imdb", -1, 0, "uniqueid", FieldRule::ImdbId, Searched::No, Listed::No },
    { Field::Tmdb, "tmdb", -1, 0, "uniqueid", FieldRule::TmdbId, Searched::No, Listed::No },
    { Field::TmdbPrincipal, "tmdb_principal", -1, 0, "uniqueid", FieldRule::Flag, Searched::No, Listed::No },
    { Field::Notes, "notes", -1, 0, "", FieldRule::Lines, Searched::ByWords, Listed::No },
    { Field::AjouteeLe, "ajoutee_le", -1, 0, "dateadded", FieldRule::Date, Searched::No, Listed::AsColumn },
} };
// clang-format on

inline constexpr std::size_t kFieldCount = kFieldTable.size();
// The record's fields come first, in Field's order.
inline constexpr std::size_t kRecordFieldCount = 8;
inline constexpr int kRecordWidth
    = kFieldTable[kRecordFieldCount - 1].offset + kFieldTable[kRecordFieldCount - 1].width;   // 1168

// Every field, and the record's alone, in Field's order.
inline constexpr std::array<Field, kFieldCount> kFields = [] {
    std::array<Field, kFieldCount> fields {};
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i] = kFieldTable[i].field;
    return fields;
}();
inline constexpr std::array<Field, kRecordFieldCount> kRecordFields = [] {
    std::array<Field, kRecordFieldCount> fields {};
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i] = kFieldTable[i].field;
    return fields;
}();

// How many fields have(layout) holds for.
template <typename Has> constexpr std::size_t countFields(Has has)
{
    return std::size_t(std::count_if(kFieldTable.begin(), kFieldTable.end(), has));
}

// The fields have(layout) holds for, in Field's order; Count is their number.
template <std::size_t Count, typename Has> constexpr std::array<Field, Count> fieldsWhere(Has has)
{
    std::array<Field, Count> fields {};
    std::size_t found = 0;
    for (const FieldLayout &layout : kFieldTable) {
        if (has(layout))
            fields[found++] = layout.field;
    }
    return fields;
}

inline constexpr auto kIsSearched = [](const FieldLayout &layout) { return layout.searched != Searched::No; };
inline constexpr auto kIsListed = [](const FieldLayout &layout) { return layout.listed == Listed::AsColumn; };
// The fields a search reads, and those a collection's list shows.
inline constexpr auto kSearchedFields = fieldsWhere<countFields(kIsSearched)>(kIsSearched);
inline constexpr auto kListedFields = fieldsWhere<countFields(kIsListed)>(kIsListed);

constexpr const FieldLayout &fieldLayout(Field field)
{
    return kFieldTable[std::size_t(field)];
}

// The field a key names; nullopt for none.
constexpr std::optional<Field> fieldKeyed(std::string_view key)
{
    for (const FieldLayout &layout : kFieldTable) {
        if (layout.key == key)
            return layout.field;
    }
    return std::nullopt;
}

// The field's width in the record; 0 for a field the record does not hold.
constexpr int fieldWidth(Field field)
{
    return fieldLayout(field).width;
}

constexpr bool inRecord(Field field)
{
    return fieldWidth(field) > 0;
}

// Whether the field holds a list (actors, countries, tags, viewings) rather than a text.
constexpr bool holdsList(Field field)
{
    const FieldRule rule = fieldLayout(field).rule;
    return rule == FieldRule::Actors || rule == FieldRule::Texts || rule == FieldRule::Dates;
}

constexpr bool isNumberRule(FieldRule rule)
{
    return rule == FieldRule::Number || rule == FieldRule::Hours || rule == FieldRule::Minutes;
}

// Whether the field holds a whole number that JSON writes as a number: a
// rating, TMDb's identifier, a count.
constexpr bool isWholeNumberRule(FieldRule rule)
{
    return rule == FieldRule::Rating || rule == FieldRule::TmdbId || rule == FieldRule::Count;
}

// Whether the field's text may hold line breaks.
constexpr bool holdsLines(Field field)
{
    const FieldRule rule = fieldLayout(field).rule;
    return rule == FieldRule::Summary || rule == FieldRule::Lines;
}

// The characters the editor's box takes: the hours' box one digit, the
// blank the writer puts before it taking the field's other character.
constexpr int typedLength(Field field)
{
    return fieldLayout(field).rule == FieldRule::Hours ? fieldWidth(field) - 1 : fieldWidth(field);
}

namespace FieldTableCheck {
constexpr bool inOrderAndContiguous()
{
    int offset = 0;
    for (std::size_t i = 0; i < kFieldTable.size(); ++i) {
        const FieldLayout &entry = kFieldTable[i];
        const bool recorded = i < kRecordFieldCount;
        if (entry.field != Field(i) || (recorded && (entry.offset != offset || entry.width <= 0))
            || (!recorded && (entry.offset != -1 || entry.width != 0)))
            return false;
        offset += entry.width;
    }
    return true;
}

constexpr bool keysUnique()
{
    for (std::size_t i = 0; i < kFieldTable.size(); ++i) {
        for (std::size_t j = i + 1; j < kFieldTable.size(); ++j) {
            if (kFieldTable[i].key == kFieldTable[j].key)
                return false;
        }
    }
    return true;
}
}   // namespace FieldTableCheck

static_assert(FieldTableCheck::inOrderAndContiguous(),
    "the record's fields follow one another, in Field's order, and the others have no slot");
static_assert(FieldTableCheck::keysUnique(), "a key names one field");
// Every card ever written has this record; growing it breaks them all.
static_assert(kRecordWidth == 1168, "the record is full: a new field goes into the extension");
