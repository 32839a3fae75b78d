#include "card/cp1252.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Characters of the bytes 0x80 to 0x9F; the five unassigned bytes map to
// the C1 control of the same value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

char encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

// Every byte's character, so that decoding is one look-up per byte.
const std::array<char16_t, 256> &byteCharacters()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> characters {};
        for (int b = 0; b < 256; ++b)
            characters[b] = b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b);
        return characters;
    }();
    return table;
}

}   // namespace

QString fromCp1252(const char *bytes, qsizetype size)
{
    // Latin-1 is the code page but for 0x80 to 0x9F, and Qt decodes it many bytes at a time.
    QString text = QString::fromLatin1(bytes, size);
    qsizetype first = 0;   // ASCII is passed over eight bytes at a time
    for (quint64 word = 0; first + 8 <= size; first += 8) {
        std::memcpy(&word, bytes + first, 8);
        if (word & 0x8080808080808080)
            break;
    }
    const auto high = [](char byte) { return (uchar(byte) & 0xE0) == 0x80; };
    char16_t *out = nullptr;
    for (qsizetype i = first; i < size; ++i) {
        if (!high(bytes[i]))
            continue;
        if (out == nullptr)
            out = reinterpret_cast<char16_t *>(text.data());
        out[i] = kHigh[uchar(bytes[i]) - 0x80];
    }
    return text;
}

char16_t cp1252Character(unsigned char byte)
{
    return byteCharacters()[byte];
}

QString fromCp1252(const QByteArray &bytes)
{
    return fromCp1252(bytes.constData(), bytes.size());
}

QByteArray toCp1252(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;   // one character outside the code page, one "?"
        bytes.append(encodeChar(c.unicode()));
    }
    return bytes;
}

bool isCp1252(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return true;
    if (c > 0xFFFF)
        return false;
    return toCp1252(QString(QChar(char16_t(c)))) != "?";
}

QList<TextSpan> nonCp1252Spans(QStringView text)
{
    QList<TextSpan> spans;
    for (qsizetype i = 0; i < text.size();) {
        const bool pair
            = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1)) : text.at(i).unicode();
        const qsizetype length = pair ? 2 : 1;
        if (!isCp1252(c))
            spans.append({ i, length });
        i += length;
    }
    return spans;
}

QString removeNonCp1252(QString &text, int *pos)
{
    const QList<TextSpan> spans = nonCp1252Spans(text);
    if (spans.isEmpty())
        return {};
    const QString first = text.mid(spans.first().from, spans.first().length);
    for (auto span = spans.crbegin(); span != spans.crend(); ++span) {
        text.remove(span->from, span->length);
        if (pos != nullptr && *pos > span->from)
            *pos -= int(std::min(span->length, *pos - span->from));
    }
    return first;
}
