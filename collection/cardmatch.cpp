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

}   // namespace

int yearOf(const QString &annee)
{
    bool number = false;
    const int year = annee.trimmed().toInt(&number);
    return number ? year : 0;
}

namespace {

// The bytes from 0x80 of Windows-1252 folded as foldedText folds their
// characters, in ASCII; a unit beyond ASCII becomes '\0', which no ASCII
// text holds, so that a search for ASCII texts finds in these bytes what it
// finds in the folded text. Made on the first such byte: most records have none.
struct ByteFold {
    std::array<char, 4> units {};
    quint8 length = 0;
};

const std::array<ByteFold, 128> &highByteFolds()
{
    static const std::array<ByteFold, 128> table = [] {
        std::array<ByteFold, 128> folds;
        for (int byte = 0x80; byte < 0x100; ++byte) {
            const char16_t character = cp1252Character(uchar(byte));
            const QString folded = foldedText(QStringView(&character, 1));
            ByteFold &fold = folds[size_t(byte - 0x80)];
            fold.length = quint8(std::min<qsizetype>(folded.size(), qsizetype(fold.units.size())));
            for (quint8 i = 0; i < fold.length; ++i)
                fold.units[i] = folded[i].unicode() < 0x80 ? char(folded[i].unicode()) : '\0';
        }
        return folds;
    }();
    return table;
}

// A text every character of which is ASCII but NUL, as bytes.
std::optional<std::string> asciiBytes(const QString &text)
{
    if (!std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() - 1u < 0x7Fu; }))
        return std::nullopt;
    return text.toStdString();
}

}   // namespace

std::string_view foldedBytes(QByteArrayView bytes, char *out)
{
    char *to = out;
    for (const char c : TrimRight(bytes)) {
        const uchar byte = uchar(c);
        if (byte < 0x80) {   // folds as toCaseFolded does ASCII
            *to++ = char(byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte);
            continue;
        }
        const ByteFold &fold = highByteFolds()[byte - 0x80];
        std::memcpy(to, fold.units.data(), fold.units.size());
        to += fold.length;
    }
    return { out, size_t(to - out) };
}

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

StoredFields storedFields(QByteArrayView record)
{
    StoredFields fields;
    for (int searched = 0; searched < FoldedCard::Count; ++searched) {
        const FieldLayout &layout = fieldLayout(kSearchedFields[size_t(searched)]);
        fields[size_t(searched)] = record.sliced(layout.offset, layout.width);
    }
    return fields;
}

CardMatcher::CardMatcher(const CardQuery &query) : m_years(query.years)
{
    for (const QString &word : query.words)
        m_words << foldedText(word);
    m_fieldTexts[FoldedCard::Titre] = foldedText(query.titre);
    m_fieldTexts[FoldedCard::Acteurs] = foldedText(query.acteur);
    m_fieldTexts[FoldedCard::Realisateur] = foldedText(query.realisateur);
    m_fieldTexts[FoldedCard::Type] = foldedText(query.type);
    m_ascii = true;
    for (const QString &word : std::as_const(m_words)) {
        const auto bytes = asciiBytes(word);
        m_ascii = m_ascii && bytes;
        m_asciiWords.push_back(bytes.value_or(std::string()));
    }
    for (size_t field = 0; field < m_fieldTexts.size(); ++field) {
        const auto bytes = asciiBytes(m_fieldTexts[field]);
        m_ascii = m_ascii && bytes;
        m_asciiFields[field] = bytes.value_or(std::string());
    }
}

bool CardMatcher::yearWithin(int year) const
{
    return !m_years || (year != 0 && year >= m_years->from && year <= m_years->to);
}

bool CardMatcher::matches(const FoldedCard &card) const
{
    if (!yearWithin(card.year))
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
        if (reads(field))
            card.fields[field] = foldedText(TrimRight(recordField(record, int(field))));
    }
    return matches(card);
}

bool CardMatcher::matches(QByteArrayView record) const
{
    const StoredFields stored = storedFields(record);
    if (!m_ascii)
        return matchesDecoded(stored);
    char folded[4 * kRecordWidth];   // the fields' folded texts, one after the other
    char *end = folded;
    return matchesFolded(stored[FoldedCard::Annee], [&](size_t field) {
        const std::string_view text = foldedBytes(stored[field], end);
        end += text.size();
        return text;
    });
}

bool CardMatcher::matches(const StoredFields &stored, const FoldedFields &folded) const
{
    if (!m_ascii)
        return matchesDecoded(stored);
    return matchesFolded(stored[FoldedCard::Annee], [&folded](size_t field) { return folded[field]; });
}

bool CardMatcher::reads(size_t field) const
{
    return !m_words.isEmpty() || !m_fieldTexts[field].isEmpty();
}

bool CardMatcher::matchesDecoded(const StoredFields &stored) const
{
    const auto text
        = [&stored](size_t field) { return fromCp1252(stored[field].data(), stored[field].size()); };
    FoldedCard card;
    card.year = yearOf(text(FoldedCard::Annee));
    for (size_t field = 0; field < m_fieldTexts.size(); ++field) {
        if (reads(field))
            card.fields[field] = foldedText(TrimRight(text(field)));
    }
    return matches(card);
}

// Each field the query reads is folded only when the fields before it matched.
template <typename FoldedOf> bool CardMatcher::matchesFolded(QByteArrayView annee, FoldedOf foldedOf) const
{
    if (m_years && !yearWithin(yearOf(fromCp1252(annee.data(), annee.size()))))
        return false;
    std::array<std::string_view, FoldedCard::Count> texts;
    for (size_t field = 0; field < texts.size(); ++field) {
        if (!reads(field))
            continue;
        texts[field] = foldedOf(field);
        if (texts[field].find(m_asciiFields[field]) == std::string_view::npos)
            return false;
    }
    return std::all_of(m_asciiWords.begin(), m_asciiWords.end(), [&texts](const std::string &word) {
        return std::any_of(texts.begin(), texts.end(),
            [&word](std::string_view text) { return text.find(word) != std::string_view::npos; });
    });
}
