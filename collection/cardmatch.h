#pragma once
// Which cards a search finds: every word somewhere in the card, every
// condition in its field, case and accents ignored. Reads the record and
// the extension, never the poster.

#include "card/extensionvalues.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <string>
#include <vector>

// The text as a search compares it: accents dropped (decomposed, marks
// removed), case folded, "œ" and "æ" spelled "oe" and "ae".
QString foldedText(QStringView text);

// The year of a card's Annee field; 0 when it is no number.
int yearOf(const QString &annee);

// A span of whole numbers, both ends included.
struct NumberRange {
    int from = 0, to = 0;
    bool operator==(const NumberRange &) const = default;
};
// "1995" or "1990-1999"; nullopt when text is neither, or the span runs backwards.
std::optional<NumberRange> yearRange(const QString &text);
// "8" or "8-10", each a rating from 1 to 10; nullopt otherwise, or backwards.
std::optional<NumberRange> ratingRange(const QString &text);

struct CardQuery {
    QStringList words {};   // each in some field a search's words read
    // Each, when not empty, in its field; the tag, one of the card's whole.
    QString titre {}, acteur {}, realisateur {}, type {}, saga {}, etiquette {}, support {};
    std::optional<NumberRange> years {};   // the year, a number, within
    std::optional<NumberRange> note {};    // the user's rating within
    std::optional<bool> vu {};             // seen, or not
    bool prete = false;                    // lent to someone
};

// A searched field's place in kSearchedFields.
constexpr std::size_t searchedIndex(Field field)
{
    for (std::size_t i = 0; i < kSearchedFields.size(); ++i) {
        if (kSearchedFields[i] == field)
            return i;
    }
    return kSearchedFields.size();
}

// Each field a search reads, in kSearchedFields' order, folded by
// foldedText, in UTF-8: a list as its items, each followed by "|", as the
// record holds actors. A blank field is empty.
using FoldedFields = std::array<std::string_view, kSearchedFields.size()>;

// A record field's bytes (Windows-1252), without their final blanks, folded
// as foldedText folds their characters, in UTF-8, into out (room for 4 a byte).
std::string_view foldedBytes(QByteArrayView bytes, char *out);
// Appends text folded by foldedText, in UTF-8, to out.
void appendFolded(QByteArray &out, QStringView text);
// Appends a field's value folded so.
void appendFolded(QByteArray &out, const CardValues &values, Field field);

class CardMatcher {
public:
    explicit CardMatcher(const CardQuery &query);
    // A card as it is read: its record's bytes (kRecordWidth of them) and
    // its extension's values, which hold the fields the record cannot.
    // Only the fields the query needs are folded, the record's a byte at a
    // time, never decoded.
    bool matches(QByteArrayView record, const CardValues &extension = {}) const;
    // The same with the extension's values left in its body: only those the query reads are decoded.
    bool matches(QByteArrayView record, const ExtensionValues &extension) const;
    // The same with the fields folded already, as a collection keeps them.
    bool matches(const FoldedFields &folded) const;

private:
    struct Condition {
        enum Kind { None, Contains, HasItem, Within, Set, Blank };
        Kind kind = None;
        std::string text {};    // Contains, HasItem: folded
        NumberRange range {};   // Within
        bool holds(std::string_view folded) const;
    };
    std::vector<std::string> m_words;   // folded
    std::array<Condition, kSearchedFields.size()> m_conditions;
    bool m_findsNothing = false;   // a text sought is no valid UTF-16

    void addText(Field field, const QString &text, Condition::Kind kind = Condition::Contains);
    std::string folded(const QString &text);
    template <typename FoldedOf> bool matchesFolded(FoldedOf foldedOf) const;
    template <typename Values> bool matchesRecord(QByteArrayView record, const Values &extension) const;
};
