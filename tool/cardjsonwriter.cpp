#include "tool/cardjsonwriter.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace {

// The object's members: the fields, then the file and the poster.
constexpr std::size_t kFileMember = kFieldTable.size();
constexpr std::size_t kPosterMember = kFileMember + 1;

struct Member {
    std::string_view key;
    std::size_t index;   // a field's, or kFileMember, kPosterMember
};

// QJsonObject keeps its keys sorted; all of them are ASCII.
constexpr std::array<Member, kPosterMember + 1> kMembers = [] {
    std::array<Member, kPosterMember + 1> members {};
    for (std::size_t i = 0; i < kFieldTable.size(); ++i)
        members[i] = { kFieldTable[i].key, i };
    members[kFileMember] = { "fichier", kFileMember };
    members[kPosterMember] = { "affiche", kPosterMember };
    std::sort(members.begin(), members.end(), [](const Member &a, const Member &b) { return a.key < b.key; });
    return members;
}();

// Four blanks a level, the deepest being an actor's name in an array item.
constexpr std::string_view kIndent = "\n                ";
// Bytes beyond the texts' own: keys, blanks, numbers, the poster.
constexpr qsizetype kFrameBytes = 1024;

// Writes into room made beforehand, where QJsonDocument breaks lines and
// indents; a text unit takes at most 6 bytes (a \u escape).
struct Writer {
    char *to;
    bool compact;

    void raw(std::string_view bytes) { to = std::copy(bytes.begin(), bytes.end(), to); }
    void number(qint64 value) { to = std::to_chars(to, to + 20, value).ptr; }
    void newLine(int depth)
    {
        if (!compact)
            raw(kIndent.substr(0, 1 + 4 * depth));
    }
    void key(std::string_view name, bool first, int depth)
    {
        if (!first)
            *to++ = ',';
        newLine(depth);
        *to++ = '"';
        raw(name);
        raw(compact ? "\":" : "\": ");
    }
    void unicodeEscape(char16_t unit);
    void asciiEscape(char16_t unit);
    qsizetype nonAscii(QStringView rest);
    void string(QStringView text);
};

char hexDigit(unsigned value)
{
    return char(value < 10 ? '0' + value : 'a' + value - 10);
}

void Writer::unicodeEscape(char16_t unit)
{
    raw("\\u");
    for (const int shift : { 12, 8, 4, 0 })
        *to++ = hexDigit(unit >> shift & 0xf);
}

void Writer::asciiEscape(char16_t unit)
{
    static constexpr std::string_view kShort = "\"\"\\\\\bb\ff\nn\rr\tt";
    for (std::size_t i = 0; i < kShort.size(); i += 2) {
        if (unit == char16_t(kShort[i])) {
            *to++ = '\\';
            *to++ = kShort[i + 1];
            return;
        }
    }
    unicodeEscape(unit);
}

// Beyond ASCII: UTF-8, a lone surrogate (a file name's byte that is no
// UTF-8) as its \u escape. Returns the units used.
qsizetype Writer::nonAscii(QStringView rest)
{
    const char16_t unit = rest[0].unicode();
    if (QChar::isHighSurrogate(unit) && rest.size() > 1 && QChar::isLowSurrogate(rest[1].unicode())) {
        const char32_t point = QChar::surrogateToUcs4(unit, rest[1].unicode());
        *to++ = char(0xf0 | point >> 18);
        *to++ = char(0x80 | (point >> 12 & 0x3f));
        *to++ = char(0x80 | (point >> 6 & 0x3f));
        *to++ = char(0x80 | (point & 0x3f));
        return 2;
    }
    if (QChar::isSurrogate(unit)) {
        unicodeEscape(unit);
    } else if (unit < 0x800) {
        *to++ = char(0xc0 | unit >> 6);
        *to++ = char(0x80 | (unit & 0x3f));
    } else {
        *to++ = char(0xe0 | unit >> 12);
        *to++ = char(0x80 | (unit >> 6 & 0x3f));
        *to++ = char(0x80 | (unit & 0x3f));
    }
    return 1;
}

// Escaped as QJsonDocument does: quotes, backslash and the control
// characters; "/" and DEL as they are.
void Writer::string(QStringView text)
{
    *to++ = '"';
    for (qsizetype at = 0; at < text.size();) {
        const char16_t unit = text[at].unicode();
        if (unit >= 0x80) {
            at += nonAscii(text.sliced(at));
            continue;
        }
        if (unit < 0x20 || unit == u'"' || unit == u'\\')
            asciiEscape(unit);
        else
            *to++ = char(unit);
        ++at;
    }
    *to++ = '"';
}

void writeNames(Writer &out, const QStringList &names, int depth)
{
    *out.to++ = '[';
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (i > 0)
            *out.to++ = ',';
        out.newLine(depth + 1);
        out.string(names[i]);
    }
    out.newLine(depth);
    *out.to++ = ']';
}

void writeNumberText(Writer &out, const QString &text)
{
    if (text.isEmpty())
        out.raw("null");
    else if (const std::optional<int> number = jsonNumber(text))
        out.number(*number);
    else
        out.string(text);
}

void writeSize(Writer &out, bool known, int pixels)
{
    known ? out.number(pixels) : out.raw("null");
}

void writePoster(Writer &out, qint64 bytes, const PosterInfo &picture, int depth)
{
    if (bytes == 0)
        return out.raw("null");
    const bool known = !picture.format.isEmpty();
    *out.to++ = '{';
    out.key("format", true, depth + 1);
    known ? out.string(QString::fromLatin1(picture.format)) : out.raw("null");
    out.key("hauteur", false, depth + 1);
    writeSize(out, known, picture.size.height());
    out.key("largeur", false, depth + 1);
    writeSize(out, known, picture.size.width());
    out.key("octets", false, depth + 1);
    out.number(bytes);
    out.newLine(depth);
    *out.to++ = '}';
}

void writeMember(Writer &out, const Member &member, const QString &path, const CardValues &values,
    qint64 posterBytes, const PosterInfo &picture, int depth)
{
    if (member.index == kFileMember)
        out.string(path);
    else if (member.index == kPosterMember)
        writePoster(out, posterBytes, picture, depth);
    else if (const Field field = kFields[member.index]; holdsNames(field))
        writeNames(out, values.acteurs, depth);
    else if (isNumberRule(fieldSpec(field).rule))
        writeNumberText(out, values.text(field));
    else
        out.string(values.text(field));
}

// The most bytes the object can take.
qsizetype roomFor(const QString &path, const CardValues &values, const PosterInfo &picture)
{
    qsizetype units = path.size() + picture.format.size();
    for (const Field field : kFields)
        units += holdsNames(field) ? 0 : values.text(field).size();
    for (const QString &name : values.acteurs)
        units += name.size() + qsizetype(kIndent.size()) + 3;
    return 6 * units + kFrameBytes;
}

}   // namespace

std::optional<int> jsonNumber(const QString &text)
{
    const bool digits = std::all_of(text.begin() + (text.startsWith(QLatin1Char('-')) ? 1 : 0), text.end(),
        [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool number = false;
    const int value = text.toInt(&number);
    return digits && number ? std::optional(value) : std::nullopt;
}

void appendCardJson(QByteArray &out, const QString &path, const CardValues &values, qint64 posterBytes,
    const PosterInfo &picture, JsonLayout layout)
{
    const qsizetype start = out.size();
    out.resize(start + roomFor(path, values, picture));
    Writer writer { .to = out.data() + start, .compact = layout == JsonLayout::Line };
    const int depth = writer.compact ? 0 : 1;
    if (!writer.compact)
        writer.raw(kIndent.substr(1, 4 * depth));
    *writer.to++ = '{';
    for (const Member &member : kMembers) {
        writer.key(member.key, &member == kMembers.data(), depth + 1);
        writeMember(writer, member, path, values, posterBytes, picture, depth + 1);
    }
    writer.newLine(depth);
    *writer.to++ = '}';
    out.truncate(writer.to - out.constData());
}
