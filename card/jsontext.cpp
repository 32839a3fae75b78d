#include "card/jsontext.h"

#include <QStringDecoder>
#include <QtEndian>

namespace {

constexpr int kMostDepth = 32;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Strict UTF-8: an invalid, overlong or surrogate sequence is an error.
std::optional<QString> fromStrictUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

}   // namespace

qsizetype plainAsciiLength(QByteArrayView bytes)
{
    constexpr quint64 kOnes = 0x0101010101010101, kHighs = 0x8080808080808080;
    const auto zeroIn = [](quint64 word) { return (word - kOnes) & ~word & kHighs; };
    qsizetype at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        const auto word = qFromLittleEndian<quint64>(bytes.data() + at);
        // A byte below a blank, beyond ASCII, a quote or a backslash. A borrow
        // may flag a byte after one of them, never before: the first is exact.
        const quint64 stops = ((word - 0x20 * kOnes) & ~word & kHighs) | (word & kHighs)
            | zeroIn(word ^ ('"' * kOnes)) | zeroIn(word ^ ('\\' * kOnes));
        if (stops != 0)
            return at + qCountTrailingZeroBits(stops) / 8;
    }
    while (at < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte < 0x20 || byte >= 0x80 || byte == '"' || byte == '\\')
            break;
        ++at;
    }
    return at;
}

void appendJsonString(QByteArray &out, const QString &text)
{
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (byte < 0x20) {
            const char escaped[] = { '\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0xF] };
            out.append(escaped, sizeof escaped);
        } else {
            out += c;
        }
    }
    out += '"';
}

void JsonReader::skipBlanks()
{
    while (m_at < m_json.size()
        && (m_json[m_at] == ' ' || m_json[m_at] == '\t' || m_json[m_at] == '\n' || m_json[m_at] == '\r'))
        ++m_at;
}

bool JsonReader::take(char c)
{
    skipBlanks();
    if (m_at >= m_json.size() || m_json[m_at] != c)
        return false;
    ++m_at;
    return true;
}

bool JsonReader::takeWord(QByteArrayView word)
{
    skipBlanks();
    if (!m_json.sliced(m_at).startsWith(word))
        return false;
    m_at += word.size();
    return true;
}

bool JsonReader::objectStart()
{
    m_failed = !take('{');
    return !m_failed;
}

bool JsonReader::nextMember()
{
    if (m_failed || m_closed)
        return false;
    if (take('}')) {
        m_closed = true;
        return false;
    }
    if (!m_first && !take(',')) {
        m_failed = true;
        return false;
    }
    m_first = false;
    return true;
}

std::optional<QString> JsonReader::key()
{
    std::optional<QString> name = string();
    if (!name || !take(':'))
        return std::nullopt;
    return name;
}

bool JsonReader::null()
{
    return takeWord("null");
}

std::optional<bool> JsonReader::boolean()
{
    if (takeWord("true"))
        return true;
    if (takeWord("false"))
        return false;
    return std::nullopt;
}

std::optional<QString> JsonReader::digits()
{
    skipBlanks();
    const qsizetype start = m_at;
    while (m_at < m_json.size() && isDigit(m_json[m_at]) && m_at - start < 19)
        ++m_at;
    const qsizetype length = m_at - start;
    const bool followed = m_at < m_json.size()
        && (isDigit(m_json[m_at]) || m_json[m_at] == '.' || m_json[m_at] == 'e' || m_json[m_at] == 'E');
    if (length == 0 || length > 18 || followed || (length > 1 && m_json[start] == '0'))
        return std::nullopt;
    return QString::fromLatin1(m_json.sliced(start, length));
}

std::optional<QString> JsonReader::string()
{
    if (!take('"'))
        return std::nullopt;
    if (const auto plain = plainBytes())
        return QString::fromUtf8(*plain);
    QString text;
    qsizetype run = m_at;   // raw bytes since the last escape
    while (m_at < m_json.size()) {
        const char c = m_json[m_at];
        if (static_cast<unsigned char>(c) < 0x20)
            return std::nullopt;
        if (c != '"' && c != '\\') {
            ++m_at;
            continue;
        }
        const auto raw = fromStrictUtf8(m_json.sliced(run, m_at - run));
        if (!raw)
            return std::nullopt;
        text += *raw;
        if (c == '"') {
            ++m_at;
            // A lone half of a surrogate pair, escaped, is no text.
            return text.isValidUtf16() ? std::optional(text) : std::nullopt;
        }
        if (m_at + 1 >= m_json.size())
            return std::nullopt;
        const char escaped = m_json[m_at + 1];
        m_at += 2;
        switch (escaped) {
        case '"':
        case '\\':
        case '/':
            text += QLatin1Char(escaped);
            break;
        case 'b':
            text += u'\b';
            break;
        case 'f':
            text += u'\f';
            break;
        case 'n':
            text += u'\n';
            break;
        case 'r':
            text += u'\r';
            break;
        case 't':
            text += u'\t';
            break;
        case 'u': {
            if (m_at + 4 > m_json.size())
                return std::nullopt;
            int unit = 0;
            for (int i = 0; i < 4; ++i) {
                const int digit = hexValue(m_json[m_at + i]);
                if (digit < 0)
                    return std::nullopt;
                unit = unit * 16 + digit;
            }
            m_at += 4;
            text += QChar(char16_t(unit));
            break;
        }
        default:
            return std::nullopt;
        }
        run = m_at;
    }
    return std::nullopt;
}

// Most strings hold no escape: their bytes are checked in one go. Nullopt,
// the reader left where it was, for any other.
std::optional<QByteArrayView> JsonReader::plainBytes()
{
    const qsizetype plain = plainAsciiLength(m_json.sliced(m_at));
    if (m_at + plain < m_json.size() && m_json[m_at + plain] == '"') {
        const QByteArrayView run = m_json.sliced(m_at, plain);
        m_at += plain + 1;
        return run;
    }
    const char *const begin = m_json.data() + m_at;
    const char *const end = m_json.data() + m_json.size();
    bool ascii = true;
    const char *c = begin;
    for (; c != end; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        if (byte == '"' || byte == '\\' || byte < 0x20)
            break;
        ascii = ascii && byte < 0x80;
    }
    const QByteArrayView run(begin, c - begin);
    if (c == end || *c != '"' || (!ascii && !run.isValidUtf8()))   // strict: no overlong form, no surrogate
        return std::nullopt;
    m_at += run.size() + 1;
    return run;
}

std::optional<QByteArrayView> JsonReader::plainKey()
{
    const qsizetype start = m_at;
    std::optional<QByteArrayView> bytes = take('"') ? plainBytes() : std::nullopt;
    if (!bytes || !take(':')) {
        m_at = start;
        return std::nullopt;
    }
    return bytes;
}

std::optional<QStringList> JsonReader::stringArray(int mostItems)
{
    if (!take('['))
        return std::nullopt;
    QStringList items;
    if (take(']'))
        return items;
    do {
        std::optional<QString> item = string();
        if (!item || items.size() >= mostItems)
            return std::nullopt;
        items << *item;
    } while (take(','));
    if (!take(']'))
        return std::nullopt;
    return items;
}

bool JsonReader::skipString()
{
    return string().has_value();
}

bool JsonReader::skipNumber()
{
    skipBlanks();
    const qsizetype start = m_at;
    if (m_at < m_json.size() && m_json[m_at] == '-')
        ++m_at;
    while (m_at < m_json.size()
        && (isDigit(m_json[m_at]) || m_json[m_at] == '.' || m_json[m_at] == 'e' || m_json[m_at] == 'E'
            || m_json[m_at] == '+' || m_json[m_at] == '-'))
        ++m_at;
    return m_at > start && isDigit(m_json[m_at - 1]);
}

bool JsonReader::skipScalar()
{
    skipBlanks();
    if (m_at >= m_json.size())
        return false;
    if (m_json[m_at] == '"')
        return skipString();
    return takeWord("true") || takeWord("false") || takeWord("null") || skipNumber();
}

std::optional<QByteArrayView> JsonReader::rawValue()
{
    skipBlanks();
    const qsizetype start = m_at;
    QByteArray open;   // the brackets still open, innermost last
    bool valueNext = true;
    do {
        skipBlanks();
        const char c = m_at < m_json.size() ? m_json[m_at] : '\0';
        if (valueNext && (c == '[' || c == '{')) {
            if (open.size() >= kMostDepth)
                return std::nullopt;
            open += c == '[' ? ']' : '}';
            ++m_at;
            if (take(open.back())) {
                open.chop(1);
                valueNext = false;
            } else if (c == '{' && !key()) {
                return std::nullopt;
            }
            continue;
        }
        if (valueNext && !skipScalar())
            return std::nullopt;
        valueNext = false;
        if (open.isEmpty())
            break;
        if (take(open.back())) {
            open.chop(1);
        } else if (take(',')) {
            valueNext = true;
            if (open.back() == '}' && !key())
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    } while (!open.isEmpty() || valueNext);
    return m_json.sliced(start, m_at - start);
}

bool JsonReader::atEnd()
{
    skipBlanks();
    return m_closed && !m_failed && m_at == m_json.size();
}

qsizetype JsonReader::valueStart()
{
    skipBlanks();
    return m_at;
}
