#include "card/extensionvalues.h"

#include "card/fieldrules.h"
#include "card/jsontext.h"

#include <QDate>

#include <memory>

namespace {

// A JSON string as it stands at its opening quote: its bytes between the
// quotes and the offset past the closing one.
struct StringAt {
    QByteArrayView bytes;
    qsizetype end = 0;
    bool escaped = false;
};

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// The length of the escape at at (its backslash) when it stands for a
// quote, a backslash, "/" or a control character but a carriage return,
// which a field of lines would change; 0 for any other.
qsizetype keptEscapeLength(QByteArrayView json, qsizetype at)
{
    static constexpr std::string_view kShort = "\"\\/bfnt";
    if (at + 1 >= json.size())
        return 0;
    if (kShort.find(json[at + 1]) != std::string_view::npos)
        return 2;
    if (json[at + 1] != 'u' || at + 6 > json.size() || json[at + 2] != '0' || json[at + 3] != '0')
        return 0;
    const int high = hexDigit(json[at + 4]), low = hexDigit(json[at + 5]);
    const int unit = high * 16 + low;
    return high >= 0 && low >= 0 && unit < 0x20 && unit != '\r' ? 6 : 0;
}

// The length of the character of UTF-8 at at when it is strict (no overlong
// form, no surrogate), below U+10000 and surely composed; 0 otherwise.
qsizetype keptCharacterLength(QByteArrayView bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) -> char32_t {
        return at + i < bytes.size() ? static_cast<unsigned char>(bytes[at + i]) : 0;
    };
    const auto follows = [](char32_t b) { return (b & 0xC0) == 0x80; };
    const char32_t lead = byte(0);
    if (lead >= 0xC2 && lead <= 0xDF && follows(byte(1)))
        return surelyComposed((lead & 0x1F) << 6 | (byte(1) & 0x3F)) ? 2 : 0;
    if (lead < 0xE0 || lead > 0xEF)
        return 0;
    const char32_t second = byte(1);
    const char32_t lowest = lead == 0xE0 ? 0xA0 : 0x80, highest = lead == 0xED ? 0x9F : 0xBF;
    if (second < lowest || second > highest || !follows(byte(2)))
        return 0;
    return surelyComposed((lead & 0x0F) << 12 | (second & 0x3F) << 6 | (byte(2) & 0x3F)) ? 3 : 0;
}

// The string that opens at at, when it reads as it is: strict UTF-8, each
// character surely composed, no raw control character, each escape kept
// (keptEscapeLength).
std::optional<StringAt> stringAt(QByteArrayView json, qsizetype at)
{
    if (at >= json.size() || json[at] != '"')
        return std::nullopt;
    bool escaped = false;
    qsizetype i = at + 1;
    while (true) {
        i += plainAsciiLength(json.sliced(i));
        if (i >= json.size())
            return std::nullopt;
        const auto byte = static_cast<unsigned char>(json[i]);
        if (byte == '"')
            break;
        if (byte == '\\') {
            const qsizetype length = keptEscapeLength(json, i);
            if (length == 0)
                return std::nullopt;
            escaped = true;
            i += length;
            continue;
        }
        do {   // a run of characters beyond ASCII, or a control character
            const qsizetype length = keptCharacterLength(json, i);
            if (length == 0)
                return std::nullopt;
            i += length;
        } while (i < json.size() && static_cast<unsigned char>(json[i]) >= 0x80);
    }
    return StringAt { json.sliced(at + 1, i - at - 1), i + 1, escaped };
}

// The character of valid UTF-8 that starts at at; its length in length.
char32_t characterAt(QByteArrayView bytes, qsizetype at, qsizetype &length)
{
    const auto byte = [&](qsizetype i) { return char32_t(static_cast<unsigned char>(bytes[at + i])); };
    const char32_t lead = byte(0);
    length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (length == 1)
        return lead;
    if (length == 2)
        return (lead & 0x1F) << 6 | (byte(1) & 0x3F);
    if (length == 3)
        return (lead & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
    return (lead & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 | (byte(3) & 0x3F);
}

// Whether a string's text reads as it is: not blank, within its bound.
bool keptText(QByteArrayView bytes)
{
    return !bytes.isEmpty() && bytes.size() <= FieldBounds::MostTextLength;
}

// Whether an item of a list reads as it is: as keptText, no escape, no
// blank around it, no bar in an actor's name.
bool keptItem(FieldRule rule, const StringAt &item)
{
    if (item.escaped || !keptText(item.bytes))
        return false;
    qsizetype length = 0;
    qsizetype last = item.bytes.size() - 1;
    while ((item.bytes[last] & 0xC0) == 0x80)
        --last;
    return !QChar::isSpace(characterAt(item.bytes, 0, length))
        && !QChar::isSpace(characterAt(item.bytes, last, length))
        && (rule != FieldRule::Actors || !item.bytes.contains('|'));
}

bool digitsAt(QByteArrayView text, qsizetype at, qsizetype count)
{
    return std::all_of(
        text.begin() + at, text.begin() + at + count, [](char c) { return c >= '0' && c <= '9'; });
}

int numberAt(QByteArrayView text, qsizetype at, qsizetype count)
{
    return text.sliced(at, count).toInt();
}

// "YYYY-MM-DD", or "YYYY-MM-DD HH:MM:SS", as fieldrules reads a date.
bool isIsoDate(QByteArrayView text)
{
    if ((text.size() != 10 && text.size() != 19) || text[4] != '-' || text[7] != '-' || !digitsAt(text, 0, 4)
        || !digitsAt(text, 5, 2) || !digitsAt(text, 8, 2)
        || !QDate(numberAt(text, 0, 4), numberAt(text, 5, 2), numberAt(text, 8, 2)).isValid())
        return false;
    return text.size() == 10
        || (text[10] == ' ' && text[13] == ':' && text[16] == ':' && digitsAt(text, 11, 2)
            && digitsAt(text, 14, 2) && digitsAt(text, 17, 2) && numberAt(text, 11, 2) < 24
            && numberAt(text, 14, 2) < 60 && numberAt(text, 17, 2) < 60);
}

qsizetype skipBlanks(QByteArrayView json, qsizetype at)
{
    while (at < json.size() && (json[at] == ' ' || json[at] == '\t' || json[at] == '\n' || json[at] == '\r'))
        ++at;
    return at;
}

// A list of strings, each read as it is, the dates oldest first and each
// text once.
std::optional<qsizetype> keptListEnd(QByteArrayView json, qsizetype at, FieldRule rule)
{
    constexpr qsizetype kMostCompared = 16;   // texts compared with each other for a double
    std::array<QByteArrayView, kMostCompared> seen;
    qsizetype count = 0;
    if (at >= json.size() || json[at] != '[')
        return std::nullopt;
    do {
        const std::optional<StringAt> item = stringAt(json, skipBlanks(json, at + 1));
        if (!item || !keptItem(rule, *item) || count >= FieldBounds::MostItems)
            return std::nullopt;
        if (rule == FieldRule::Dates && (!isIsoDate(item->bytes) || (count > 0 && !(seen[0] < item->bytes))))
            return std::nullopt;
        if (rule == FieldRule::Texts
            && (count >= kMostCompared
                || std::find(seen.begin(), seen.begin() + count, item->bytes) != seen.begin() + count))
            return std::nullopt;
        seen[rule == FieldRule::Texts ? count : 0] = item->bytes;
        ++count;
        at = skipBlanks(json, item->end);
    } while (at < json.size() && json[at] == ',');
    if (at >= json.size() || json[at] != ']')
        return std::nullopt;
    return at + 1;
}

// A whole number as JsonReader::digits reads it, and then its rule.
std::optional<qsizetype> keptNumberEnd(QByteArrayView json, qsizetype at, FieldRule rule)
{
    qsizetype end = at;
    while (end < json.size() && json[end] >= '0' && json[end] <= '9')
        ++end;
    const qsizetype length = end - at;
    const bool followed = end < json.size() && (json[end] == '.' || json[end] == 'e' || json[end] == 'E');
    if (length == 0 || followed || json[at] == '0')
        return std::nullopt;
    if (rule == FieldRule::Rating)
        return length <= 2 && numberAt(json, at, length) <= 10 ? std::optional(end) : std::nullopt;
    return length <= 12 ? std::optional(end) : std::nullopt;
}

std::optional<KeptValue> keptString(QByteArrayView json, qsizetype at, FieldRule rule)
{
    const std::optional<StringAt> text = stringAt(json, at);
    if (!text || !keptText(text->bytes))
        return std::nullopt;
    const QByteArrayView bytes = text->bytes;
    const KeptValue kept { text->end, text->escaped };
    switch (rule) {
    case FieldRule::Text:
    case FieldRule::Lines:
    case FieldRule::Summary:
        return kept;
    case FieldRule::Date:
        return !text->escaped && isIsoDate(bytes) ? std::optional(kept) : std::nullopt;
    case FieldRule::ImdbId:
        return !text->escaped && bytes.size() > 2 && bytes.size() <= 14 && bytes.startsWith("tt")
                && digitsAt(bytes, 2, bytes.size() - 2)
            ? std::optional(kept)
            : std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<KeptValue> plain(std::optional<qsizetype> end)
{
    return end ? std::optional(KeptValue { *end, false }) : std::nullopt;
}

}   // namespace

std::optional<KeptValue> keptValue(QByteArrayView body, qsizetype at, Field field)
{
    const FieldRule rule = fieldLayout(field).rule;
    if (holdsList(field))
        return plain(keptListEnd(body, at, rule));
    if (rule == FieldRule::Flag)
        return plain(body.sliced(at).startsWith("true") ? std::optional(at + 4) : std::nullopt);
    if (isWholeNumberRule(rule))
        return plain(keptNumberEnd(body, at, rule));
    return keptString(body, at, rule);
}

QByteArrayView ExtensionValues::json(Field field) const
{
    const Span &span = m_spans[size_t(field)];
    return QByteArrayView(m_body).sliced(span.at, span.size);
}

const CardValues &ExtensionValues::decodedValues() const
{
    static const CardValues none;
    return m_decoded ? *m_decoded : none;
}

CardValues &ExtensionValues::decodedValues()
{
    if (!m_decoded)
        m_decoded = std::make_shared<CardValues>();
    else if (m_decoded.use_count() > 1)   // shared with a copy: its own from now on
        m_decoded = std::make_shared<CardValues>(*m_decoded);
    return *m_decoded;
}

bool ExtensionValues::isBlank(Field field) const
{
    return m_spans[size_t(field)].size == 0 && (!m_decoded || m_decoded->isBlank(field));
}

QString ExtensionValues::text(Field field) const
{
    const QByteArrayView json = this->json(field);
    if (json.isEmpty())
        return decodedValues().text(field);
    const FieldRule rule = fieldLayout(field).rule;
    if (rule == FieldRule::Flag)
        return kFlagSet;
    if (isWholeNumberRule(rule))
        return QString::fromLatin1(json);
    if (!m_spans[size_t(field)].escaped)
        return QString::fromUtf8(json.sliced(1, json.size() - 2));
    return JsonReader(json).string().value_or(QString());
}

QStringList ExtensionValues::list(Field field) const
{
    const QByteArrayView json = this->json(field);
    if (json.isEmpty())
        return decodedValues().list(field);
    return JsonReader(json).stringArray(FieldBounds::MostItems).value_or(QStringList());
}

CardValues ExtensionValues::decoded() const
{
    CardValues values = decodedValues();
    for (const Field field : kFields) {
        if (m_spans[size_t(field)].size == 0)
            continue;
        if (holdsList(field))
            values.list(field) = list(field);
        else
            values.text(field) = text(field);
    }
    return values;
}

void ExtensionValues::clear(Field field)
{
    m_spans[size_t(field)] = {};
    if (m_decoded && !m_decoded->isBlank(field))
        holdsList(field) ? decodedValues().list(field).clear() : decodedValues().text(field).clear();
}
