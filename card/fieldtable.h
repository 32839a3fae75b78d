#pragma once
// A card's fields, described once: where each lies in the record, the names
// scripts and movie files know it by, and the rule its value follows.

#include <array>
#include <cstddef>
#include <string_view>

enum class Field { Titre, Annee, Heures, Minutes, Type, Realisateur, Acteurs, Resume };

// How a field's value is stored and shown.
enum class FieldRule {
    Text,      // one line, as typed
    Number,    // a number, as typed
    Hours,     // a number; one digit is stored with a blank in front (" 2")
    Minutes,   // a number, written with two digits ("05")
    Actors,    // names, each followed by "|"
    Summary,   // lines, each break stored as CR LF
};

struct FieldLayout {
    Field field;
    std::string_view key;          // show's JSON key, FIELD=VALUE's name, a catalogue's column
    int offset;                    // in the record, in bytes
    int width;                     // in bytes: one a character, always all used
    std::string_view nfoElement;   // the movie .nfo element written and read for it
    FieldRule rule;
};

// In the record's order. The record is full: a new field needs a new card format.
inline constexpr std::array<FieldLayout, 8> kFieldTable = { {
    { Field::Titre, "titre", 0, 50, "title", FieldRule::Text },
    { Field::Annee, "annee", 50, 4, "year", FieldRule::Number },
    { Field::Heures, "heures", 54, 2, "runtime", FieldRule::Hours },
    { Field::Minutes, "minutes", 56, 2, "runtime", FieldRule::Minutes },
    { Field::Type, "type", 58, 50, "genre", FieldRule::Text },
    { Field::Realisateur, "realisateur", 108, 50, "director", FieldRule::Text },
    { Field::Acteurs, "acteurs", 158, 510, "actor", FieldRule::Actors },
    { Field::Resume, "resume", 668, 500, "plot", FieldRule::Summary },
} };

inline constexpr int kRecordWidth = kFieldTable.back().offset + kFieldTable.back().width;   // 1168

inline constexpr std::array<Field, kFieldTable.size()> kFields = [] {
    std::array<Field, kFieldTable.size()> fields {};
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i] = kFieldTable[i].field;
    return fields;
}();

constexpr const FieldLayout &fieldLayout(Field field)
{
    return kFieldTable[std::size_t(field)];
}

constexpr int fieldWidth(Field field)
{
    return fieldLayout(field).width;
}

// Whether the field holds a list of names rather than a text.
constexpr bool holdsNames(Field field)
{
    return fieldLayout(field).rule == FieldRule::Actors;
}

constexpr bool isNumberRule(FieldRule rule)
{
    return rule == FieldRule::Number || rule == FieldRule::Hours || rule == FieldRule::Minutes;
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
        if (kFieldTable[i].field != Field(i) || kFieldTable[i].offset != offset || kFieldTable[i].width <= 0)
            return false;
        offset += kFieldTable[i].width;
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

static_assert(FieldTableCheck::inOrderAndContiguous(), "each field follows the one before, in Field's order");
static_assert(FieldTableCheck::keysUnique(), "a key names one field");
// Every card ever written has this record; growing it breaks them all.
static_assert(kRecordWidth == 1168, "the record is full: a new field needs a new card format");
