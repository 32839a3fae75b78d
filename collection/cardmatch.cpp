#include "collection/cardmatch.h"

#include "card/basics.h"
#include "card/cp1252.h"

#include <QRegularExpression>

namespace {

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// The letters a decomposition keeps whole, though a French reader types them
// as two.
void spellLigatures(QString &text)
{
    static const std::array<std::pair<char16_t, const char *>, 2> ligatures { { { u'œ', "oe" },
        { u'æ', "ae" } } };
    for (const auto &[letter, spelled] : ligatures)
        text.replace(QChar(letter), QLatin1StringView(spelled));
}

// The text folded the long way: case, ligatures, then accents dropped.
QString foldedWhole(QStringView text)
{
    QString folded = text.toString().toCaseFolded();
    spellLigatures(folded);
    folded = folded.normalized(QString::NormalizationForm_D);
    folded.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return folded;
}

// Each character of the Latin alphabets folded once, the long way, so that
// a card's texts (Windows-1252, all below U+0300 but a few punctuation
// marks) are folded a character at a time.
constexpr char16_t kFoldTableSize = 0x300;
struct FoldedChar {
    char16_t units[2] {};
    quint8 length = 3;   // over 2: fold the whole text the long way
};
using FoldTable = std::array<FoldedChar, kFoldTableSize>;

const FoldTable &foldTable()
{
    static const FoldTable table = [] {
        FoldTable folds;
        for (char16_t c = 0; c < kFoldTableSize; ++c) {
            const QString folded = foldedWhole(QStringView(&c, 1));
            if (folded.size() > 2)
                continue;
            folds[c].length = quint8(folded.size());
            std::copy(folded.utf16(), folded.utf16() + folded.size(), folds[c].units);
        }
        return folds;
    }();
    return table;
}

// A character beyond the table that folding leaves as it is: no case, no
// accent, nothing to decompose (the quotes, dashes and euro sign of a card).
bool keptAsIs(QChar c)
{
    return !c.isSurrogate() && c.category() != QChar::Mark_NonSpacing
        && c.decompositionTag() != QChar::Canonical && c.toCaseFolded() == c;
}

// The card's field behind each of FoldedCard's.
constexpr std::array<Field, FoldedCard::Count> kSearchedFields
    = { Field::Titre, Field::Annee, Field::Type, Field::Realisateur, Field::Acteurs, Field::Resume };

const QString &recordField(const CardRecord &record, int field)
{
    return record.text(kSearchedFields[size_t(field)]);
}

int yearOf(const QString &annee)
{
    bool number = false;
    const int year = annee.trimmed().toInt(&number);
    return number ? year : 0;
}

}   // namespace

QString foldedText(QStringView text)
{
    if (isAscii(text))   // most texts: no accent to drop
        return text.toString().toCaseFolded();
    const FoldTable &table = foldTable();
    QString folded(text.size() * 2, Qt::Uninitialized);
    qsizetype length = 0;
    for (const QChar c : text) {
        if (c.unicode() >= kFoldTableSize) {
            if (!keptAsIs(c))
                return foldedWhole(text);
            folded[length++] = c;
            continue;
        }
        const FoldedChar &fold = table[c.unicode()];
        if (fold.length > 2)
            return foldedWhole(text);
        for (quint8 i = 0; i < fold.length; ++i)
            folded[length++] = QChar(fold.units[i]);
    }
    folded.truncate(length);
    return folded;
}

std::optional<YearRange> yearRange(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,4})(?:-(\\d{1,4}))?$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int from = match.captured(1).toInt();
    const int to = match.hasCaptured(2) ? match.captured(2).toInt() : from;
    return from <= to ? std::optional(YearRange { from, to }) : std::nullopt;
}

FoldedCard foldCard(const CardRecord &record)
{
    FoldedCard card;
    for (int field = 0; field < FoldedCard::Count; ++field)
        card.fields[size_t(field)] = foldedText(TrimRight(recordField(record, field)));
    card.year = yearOf(record.text(Field::Annee));
    return card;
}

CardMatcher::CardMatcher(const CardQuery &query) : m_years(query.years)
{
    for (const QString &word : query.words)
        m_words << foldedText(word);
    m_fieldTexts[FoldedCard::Titre] = foldedText(query.titre);
    m_fieldTexts[FoldedCard::Acteurs] = foldedText(query.acteur);
    m_fieldTexts[FoldedCard::Realisateur] = foldedText(query.realisateur);
    m_fieldTexts[FoldedCard::Type] = foldedText(query.type);
}

bool CardMatcher::matches(const FoldedCard &card) const
{
    if (m_years && (card.year == 0 || card.year < m_years->from || card.year > m_years->to))
        return false;
    for (size_t field = 0; field < m_fieldTexts.size(); ++field) {
        if (!card.fields[field].contains(m_fieldTexts[field]))
            return false;
    }
    return std::all_of(m_words.begin(), m_words.end(), [&card](const QString &word) {
        return std::any_of(card.fields.begin(), card.fields.end(),
            [&word](const QString &field) { return field.contains(word); });
    });
}

bool CardMatcher::matches(const CardRecord &record) const
{
    FoldedCard card;
    card.year = yearOf(record.text(Field::Annee));
    for (size_t field = 0; field < m_fieldTexts.size(); ++field) {
        if (!m_words.isEmpty() || !m_fieldTexts[field].isEmpty())
            card.fields[field] = foldedText(TrimRight(recordField(record, int(field))));
    }
    return matches(card);
}

bool CardMatcher::matches(QByteArrayView bytes) const
{
    CardRecord record(Qt::Uninitialized);
    const auto decode = [&](Field field) {
        const FieldLayout &layout = fieldLayout(field);
        record.text(field) = fromCp1252(bytes.data() + layout.offset, layout.width);
    };
    decode(Field::Annee);
    for (size_t field = 0; field < m_fieldTexts.size(); ++field) {
        if (!m_words.isEmpty() || !m_fieldTexts[field].isEmpty())
            decode(kSearchedFields[field]);
    }
    return matches(record);
}
