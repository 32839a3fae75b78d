#pragma once
// Which cards a search finds: every word somewhere in the card, every field
// condition in its field, case and accents ignored. Reads the record alone.

#include "card/cardrecord.h"

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

// A span of years, both ends included.
struct YearRange {
    int from = 0, to = 0;
    bool operator==(const YearRange &) const = default;
};
// "1995" or "1990-1999"; nullopt when text is neither, or the span runs backwards.
std::optional<YearRange> yearRange(const QString &text);

struct CardQuery {
    QStringList words {};   // each in some field
    // Each, when not empty, in its field.
    QString titre {}, acteur {}, realisateur {}, type {};
    std::optional<YearRange> years {};   // the year, a number, within
};

// The fields a search reads, folded.
struct FoldedCard {
    enum Field { Titre, Annee, Type, Realisateur, Acteurs, Resume, Count };
    std::array<QString, Count> fields;
    int year = 0;   // 0 when the year is no number
};

// The fields a search reads as a card stores them (Windows-1252), in
// FoldedCard's order, with or without their final blanks.
using StoredFields = std::array<QByteArrayView, FoldedCard::Count>;
// The same, each folded by foldedBytes.
using FoldedFields = std::array<std::string_view, FoldedCard::Count>;
// The fields of a record's bytes (kRecordWidth of them).
StoredFields storedFields(QByteArrayView record);

// The bytes, without their final blanks, folded as foldedText folds their
// characters, into out (room for 4 a byte); a character that folds beyond
// ASCII gives '\0', which no ASCII text holds.
std::string_view foldedBytes(QByteArrayView bytes, char *out);

class CardMatcher {
public:
    explicit CardMatcher(const CardQuery &query);
    // Folds only the fields the query reads.
    bool matches(const CardRecord &record) const;
    // The same from the record's bytes as a card stores them (kRecordWidth
    // of them): when every text sought is ASCII, the bytes are folded a byte
    // at a time, never decoded.
    bool matches(QByteArrayView record) const;
    // The same with the fields folded already, as a collection keeps them.
    bool matches(const StoredFields &stored, const FoldedFields &folded) const;

private:
    QStringList m_words;
    std::array<QString, FoldedCard::Count> m_fieldTexts;   // empty: no condition
    std::optional<YearRange> m_years;
    // The same texts as bytes when all are ASCII.
    bool m_ascii = false;
    std::vector<std::string> m_asciiWords;
    std::array<std::string, FoldedCard::Count> m_asciiFields;

    bool reads(size_t field) const;
    bool yearWithin(int year) const;
    bool matches(const FoldedCard &card) const;
    bool matchesDecoded(const StoredFields &stored) const;
    template <typename FoldedOf> bool matchesFolded(QByteArrayView annee, FoldedOf foldedOf) const;
};
