#include "collection/cardmatch.h"

#include "card/cardrecord.h"
#include "card/cp1252.h"

#include <QRegularExpression>

#include <cstring>

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

// Each character of the Latin, Greek and Cyrillic alphabets and their
// accents folded once, the long way, so that a card's texts (Windows-1252,
// all below U+0300 but a few punctuation marks, and the exact texts) are
// folded a character at a time.
constexpr char16_t kFoldTableSize = 0x530;
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

// A character of the basic plane, no surrogate, written in UTF-8 at to;
// the byte after it.
char *utf8Of(char16_t unit, char *to)
{
    if (unit < 0x80) {
        *to++ = char(unit);
    } else if (unit < 0x800) {
        *to++ = char(0xC0 | unit >> 6);
        *to++ = char(0x80 | (unit & 0x3F));
    } else {
        *to++ = char(0xE0 | unit >> 12);
        *to++ = char(0x80 | (unit >> 6 & 0x3F));
        *to++ = char(0x80 | (unit & 0x3F));
    }
    return to;
}

// A character beyond the table that folding leaves as it is: no case, no
// accent, nothing to decompose (the quotes, dashes and euro sign of a card).
bool keptAsIs(QChar c)
{
    return !c.isSurrogate() && c.category() != QChar::Mark_NonSpacing
        && c.decompositionTag() != QChar::Canonical && c.toCaseFolded() == c;
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
// characters, in UTF-8 (three bytes at most: the quotes, dashes and euro
// sign). Made on the first such byte: most records have none.
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
            const QByteArray folded = foldedText(QStringView(&character, 1)).toUtf8();
            ByteFold &fold = folds[size_t(byte - 0x80)];
            Q_ASSERT(folded.size() <= qsizetype(fold.units.size()));
            fold.length = quint8(std::min<qsizetype>(folded.size(), qsizetype(fold.units.size())));
            std::copy_n(folded.constData(), fold.length, fold.units.data());
        }
        return folds;
    }();
    return table;
}

// The number a folded field holds, blanks around it; 0 when it holds none.
int numberIn(std::string_view folded)
{
    bool number = false;
    const int value = QByteArrayView(folded.data(), qsizetype(folded.size())).trimmed().toInt(&number);
    return number ? value : 0;
}

// Whether item is one of a folded list's items, each followed by "|".
bool hasItem(std::string_view list, std::string_view item)
{
    for (size_t at = list.find(item); at != std::string_view::npos; at = list.find(item, at + 1)) {
        const size_t end = at + item.size();
        if ((at == 0 || list[at - 1] == '|') && end < list.size() && list[end] == '|')
            return true;
    }
    return false;
}

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

// The fields a search's words read, by their place in kSearchedFields.
constexpr auto kWordFields = [] {
    std::array<std::size_t,
        countFields([](const FieldLayout &layout) { return layout.searched == Searched::ByWords; })>
        indexes {};
    std::size_t found = 0;
    for (std::size_t i = 0; i < kSearchedFields.size(); ++i) {
        if (fieldLayout(kSearchedFields[i]).searched == Searched::ByWords)
            indexes[found++] = i;
    }
    return indexes;
}();

std::optional<NumberRange> rangeOf(const QString &text, int mostDigits)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+)(?:-(\\d+))?$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch() || match.capturedLength(1) > mostDigits || match.capturedLength(2) > mostDigits)
        return std::nullopt;
    const int from = match.captured(1).toInt();
    const int to = match.hasCaptured(2) ? match.captured(2).toInt() : from;
    return from <= to ? std::optional(NumberRange { from, to }) : std::nullopt;
}

}   // namespace

std::string_view foldedBytes(QByteArrayView bytes, char *out)
{
    char *to = out;
    for (const char c : trimRight(bytes)) {
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

void appendFolded(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + 6 * text.size());   // two units a character at most, three bytes each
    char *to = out.data() + start;
    const FoldTable &table = foldTable();
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit < 0x80) {   // folds as toCaseFolded does ASCII
            *to++ = char(unit >= 'A' && unit <= 'Z' ? unit + ('a' - 'A') : unit);
        } else if (unit < kFoldTableSize && table[unit].length <= 2) {
            for (quint8 i = 0; i < table[unit].length; ++i)
                to = utf8Of(table[unit].units[i], to);
        } else if (unit >= kFoldTableSize && keptAsIs(c)) {
            to = utf8Of(unit, to);
        } else {
            out.truncate(start);
            out += foldedWhole(text).toUtf8();
            return;
        }
    }
    out.truncate(to - out.constData());
}

namespace {

template <typename Values> void appendFoldedValue(QByteArray &out, const Values &values, Field field)
{
    if (!holdsList(field)) {
        appendFolded(out, values.text(field));
        return;
    }
    for (const QString &item : values.list(field)) {
        appendFolded(out, item);
        out += '|';
    }
}

void appendFolded(QByteArray &out, const ExtensionValues &values, Field field)
{
    appendFoldedValue(out, values, field);
}

}   // namespace

void appendFolded(QByteArray &out, const CardValues &values, Field field)
{
    appendFoldedValue(out, values, field);
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

std::optional<NumberRange> yearRange(const QString &text)
{
    return rangeOf(text, 4);
}

std::optional<NumberRange> ratingRange(const QString &text)
{
    const auto range = rangeOf(text, 2);
    return range && range->from >= 1 && range->to <= 10 ? range : std::nullopt;
}

CardMatcher::CardMatcher(const CardQuery &query)
{
    for (const QString &word : query.words)
        m_words.push_back(folded(word));
    addText(Field::Titre, query.titre);
    addText(Field::Acteurs, query.acteur);
    addText(Field::Realisateur, query.realisateur);
    addText(Field::Type, query.type);
    addText(Field::Saga, query.saga);
    addText(Field::Support, query.support);
    addText(Field::Etiquettes, query.etiquette, Condition::HasItem);
    if (query.years)
        m_conditions[searchedIndex(Field::Annee)] = { Condition::Within, {}, *query.years };
    if (query.note)
        m_conditions[searchedIndex(Field::Note)] = { Condition::Within, {}, *query.note };
    if (query.vu)
        m_conditions[searchedIndex(Field::Vu)] = { *query.vu ? Condition::Set : Condition::Blank };
    if (query.prete)
        m_conditions[searchedIndex(Field::PretA)] = { Condition::Set };
}

std::string CardMatcher::folded(const QString &text)
{
    const QString folded = foldedText(text);
    // No card holds half a character: a text with one finds nothing.
    m_findsNothing = m_findsNothing || !folded.isValidUtf16();
    return folded.toStdString();
}

void CardMatcher::addText(Field field, const QString &text, Condition::Kind kind)
{
    if (!text.isEmpty())
        m_conditions[searchedIndex(field)] = { kind, folded(text) };
}

bool CardMatcher::matches(QByteArrayView record, const CardValues &extension) const
{
    return matchesRecord(record, extension);
}

bool CardMatcher::matches(QByteArrayView record, const ExtensionValues &extension) const
{
    return matchesRecord(record, extension);
}

template <typename Values>
bool CardMatcher::matchesRecord(QByteArrayView record, const Values &extension) const
{
    char bytes[4 * kRecordWidth];   // the record's fields folded, one after the other
    char *end = bytes;
    std::array<QByteArray, kSearchedFields.size()> exact;   // those of the extension
    return matchesFolded([&](std::size_t searched) -> std::string_view {
        const Field field = kSearchedFields[searched];
        if (!extension.isBlank(field)) {
            appendFolded(exact[searched], extension, field);
            return { exact[searched].constData(), size_t(exact[searched].size()) };
        }
        if (!inRecord(field))
            return {};
        const std::string_view text
            = foldedBytes(record.sliced(fieldLayout(field).offset, fieldWidth(field)), end);
        end += text.size();
        return text;
    });
}

bool CardMatcher::Condition::holds(std::string_view folded) const
{
    switch (kind) {
    case Contains:
        return contains(folded, text);
    case HasItem:
        return hasItem(folded, text);
    case Within: {
        const int number = numberIn(folded);
        return number != 0 && number >= range.from && number <= range.to;
    }
    case Set:
    case Blank:
        return folded.empty() == (kind == Blank);
    case None:
        break;
    }
    return true;
}

bool CardMatcher::matches(const FoldedFields &folded) const
{
    return matchesFolded([&folded](std::size_t searched) { return folded[searched]; });
}

// Each field is folded when first read: the conditions first, then the
// fields the words read, each only until every word is found.
template <typename FoldedOf> bool CardMatcher::matchesFolded(FoldedOf foldedOf) const
{
    if (m_findsNothing)
        return false;
    std::array<std::optional<std::string_view>, kSearchedFields.size()> texts;
    const auto text = [&](std::size_t searched) {
        if (!texts[searched])
            texts[searched] = foldedOf(searched);
        return *texts[searched];
    };
    for (std::size_t searched = 0; searched < m_conditions.size(); ++searched) {
        const Condition &condition = m_conditions[searched];
        if (condition.kind == Condition::None)
            continue;
        if (!condition.holds(text(searched)))
            return false;
    }
    return std::all_of(m_words.begin(), m_words.end(), [&](const std::string &word) {
        return std::any_of(kWordFields.begin(), kWordFields.end(),
            [&](std::size_t searched) { return contains(text(searched), word); });
    });
}
