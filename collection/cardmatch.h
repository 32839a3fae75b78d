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

// The fields a search reads, folded once (the collection window keeps them).
struct FoldedCard {
    enum Field { Titre, Annee, Type, Realisateur, Acteurs, Resume, Count };
    std::array<QString, Count> fields;
    int year = 0;   // 0 when the year is no number
};
FoldedCard foldCard(const CardRecord &record);

class CardMatcher {
public:
    explicit CardMatcher(const CardQuery &query);
    bool matches(const FoldedCard &card) const;
    // Folds only the fields the query reads.
    bool matches(const CardRecord &record) const;
    // The same from the record's bytes as a card stores them (kRecordWidth
    // of them), decoding only the fields the query reads.
    bool matches(QByteArrayView record) const;

private:
    QStringList m_words;
    std::array<QString, FoldedCard::Count> m_fieldTexts;   // empty: no condition
    std::optional<YearRange> m_years;
    // The same texts as bytes when all are ASCII: a record is then folded a
    // byte at a time, never decoded.
    bool m_ascii = false;
    std::vector<std::string> m_asciiWords;
    std::array<std::string, FoldedCard::Count> m_asciiFields;

    bool yearWithin(int year) const;
    bool matchesBytes(QByteArrayView record) const;
};
