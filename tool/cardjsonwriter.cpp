#include "tool/cardjsonwriter.h"

#include "card/cp1252.h"

#include <algorithm>
#include <charconv>
#include <cstring>
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
// A record's most: each byte written as 8 (see ByteText), and a name for
// each byte of the actors' field, each on its own indented line.
constexpr qsizetype kRecordRoom = 8 * kRecordWidth + (510 + 1) * (qsizetype(kIndent.size()) + 3);

// A Windows-1252 byte as it stands in a JSON string, padded to 8 bytes so
// that it is copied whole.
struct ByteText {
    char bytes[8];
    qsizetype size;
};

// Where a carriage return of the summary is a line break ("\r\n" is one).
enum class LineBreaks { Kept, Summary };

// Writes into room made beforehand, where QJsonDocument breaks lines and
// indents; a text unit takes at most 6 bytes (a \u escape).
struct Writer {
    char *to;
    bool compact;

    void raw(std::string_view bytes)
    {
        std::memcpy(to, bytes.data(), bytes.size());
        to += bytes.size();
    }
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
    void cp1252String(QByteArrayView bytes, LineBreaks breaks = LineBreaks::Kept);
    void keptString(QByteArrayView json);
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

// A string an extension holds as written, quotes included, whose escapes
// each stand for ASCII (card/extensionvalues.h): each written again as
// string() writes its character.
void Writer::keptString(QByteArrayView json)
{
    *to++ = '"';
    for (qsizetype at = 1; at + 1 < json.size();) {
        if (json[at] != '\\') {
            *to++ = json[at++];
            continue;
        }
        const char kind = json[at + 1];
        char16_t unit = kind == 'b' ? u'\b'
            : kind == 'f'           ? u'\f'
            : kind == 'n'           ? u'\n'
            : kind == 't'           ? u'\t'
                                    : kind;
        if (kind == 'u')
            unit = char16_t(json.sliced(at + 2, 4).toUShort(nullptr, 16));
        at += kind == 'u' ? 6 : 2;
        if (unit == u'/')
            *to++ = '/';
        else
            asciiEscape(unit);
    }
    *to++ = '"';
}

// Each byte's text, written by the same rules as string().
const std::array<ByteText, 256> &byteTexts()
{
    static const std::array<ByteText, 256> table = [] {
        std::array<ByteText, 256> texts {};
        for (int byte = 0; byte < 256; ++byte) {
            Writer writer { .to = texts[byte].bytes, .compact = true };
            const char16_t unit = cp1252Character(uchar(byte));
            writer.string(QStringView(&unit, 1));
            texts[byte].size = writer.to - texts[byte].bytes - 2;
            std::memmove(texts[byte].bytes, texts[byte].bytes + 1, size_t(texts[byte].size));
        }
        return texts;
    }();
    return table;
}

// Whether the eight bytes of word stand in a JSON string as they are:
// none below a blank, above ASCII, a quote or a backslash.
bool plainWord(quint64 word)
{
    constexpr quint64 kOnes = 0x0101010101010101, kHighs = 0x8080808080808080;
    const auto hasZero = [](quint64 bytes) { return (bytes - kOnes) & ~bytes & kHighs; };
    const quint64 belowBlank = (word - 0x20 * kOnes) & ~word & kHighs;
    return (belowBlank | (word & kHighs) | hasZero(word ^ ('"' * kOnes)) | hasZero(word ^ ('\\' * kOnes)))
        == 0;
}

void Writer::cp1252String(QByteArrayView bytes, LineBreaks breaks)
{
    const std::array<ByteText, 256> &texts = byteTexts();
    *to++ = '"';
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        // Most text is plain ASCII, copied eight bytes at a time.
        for (quint64 word = 0; at + 8 <= bytes.size(); at += 8, to += 8) {
            std::memcpy(&word, bytes.data() + at, 8);
            if (!plainWord(word))
                break;
            std::memcpy(to, &word, 8);
        }
        if (at == bytes.size())
            break;
        const uchar byte = uchar(bytes[at]);
        if (byte == '\r' && breaks == LineBreaks::Summary) {
            raw("\\n");
            at += at + 1 < bytes.size() && bytes[at + 1] == '\n';
            continue;
        }
        std::memcpy(to, texts[byte].bytes, sizeof texts[byte].bytes);
        to += texts[byte].size;
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

// Without the trailing blanks of a fixed-width field, eight at a time.
QByteArrayView trimmedField(QByteArrayView field)
{
    constexpr quint64 kBlanks = 0x2020202020202020;
    qsizetype end = field.size();
    for (quint64 word = 0; end >= 8; end -= 8) {
        std::memcpy(&word, field.data() + end - 8, 8);
        if (word != kBlanks)
            break;
    }
    while (end > 0 && field[end - 1] == ' ')
        --end;
    return field.first(end);
}

// The names between "|", the empty one after a final "|" left out.
void writeNameBytes(Writer &out, QByteArrayView names, int depth)
{
    *out.to++ = '[';
    for (qsizetype start = 0; start < names.size();) {
        const qsizetype bar = names.indexOf('|', start);
        const qsizetype end = bar < 0 ? names.size() : bar;
        if (start > 0)
            *out.to++ = ',';
        out.newLine(depth + 1);
        out.cp1252String(names.sliced(start, end - start));
        start = end + 1;
    }
    out.newLine(depth);
    *out.to++ = ']';
}

bool allDigits(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Plain digits (and the hour's blank before one digit) are the number
// itself; anything else takes the values' way.
void writeNumberBytes(Writer &out, FieldRule rule, QByteArrayView stored)
{
    QByteArrayView digits = stored;
    if (rule == FieldRule::Hours && digits.size() == 2 && digits[0] == ' ')
        digits = digits.sliced(1);
    int value = 0;
    if (!digits.isEmpty() && digits.size() <= 9 && allDigits(digits)) {
        std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return out.number(value);
    }
    writeNumberText(out, shownText(rule, fromCp1252(stored.data(), stored.size())));
}

void writeRecordField(Writer &out, Field field, QByteArrayView record, int depth)
{
    const FieldLayout &layout = fieldLayout(field);
    const QByteArrayView stored = trimmedField(record.sliced(layout.offset, layout.width));
    if (layout.rule == FieldRule::Actors)
        writeNameBytes(out, stored, depth);
    else if (isNumberRule(layout.rule))
        writeNumberBytes(out, layout.rule, stored);
    else
        out.cp1252String(stored, layout.rule == FieldRule::Summary ? LineBreaks::Summary : LineBreaks::Kept);
}

// A card's fields: its values, or else its record's bytes where the
// extension's values hold nothing; values or checked.
struct FieldSource {
    const CardValues *values;
    QByteArrayView record;
    const ExtensionValues *checked = nullptr;
};

// A flag is true or false, a rating or TMDb's number a number; a blank
// text of the extension is null, one of the record an empty string.
void writeValue(Writer &out, Field field, const QString &text)
{
    const FieldRule rule = fieldLayout(field).rule;
    if (rule == FieldRule::Flag)
        out.raw(text.isEmpty() ? "false" : "true");
    else if (isNumberRule(rule) || isWholeNumberRule(rule))
        writeNumberText(out, text);
    else if (text.isEmpty() && !inRecord(field))
        out.raw("null");
    else
        out.string(text);
}

// The items of a list of plain strings as the body writes it, each copied.
void writePlainItems(Writer &out, QByteArrayView list, int depth)
{
    *out.to++ = '[';
    bool first = true;
    for (qsizetype open = list.indexOf('"'); open >= 0; open = list.indexOf('"', open)) {
        const qsizetype close = list.indexOf('"', open + 1);
        if (!first)
            *out.to++ = ',';
        first = false;
        out.newLine(depth + 1);
        out.raw(std::string_view(list.data() + open, size_t(close + 1 - open)));
        open = close + 1;
    }
    out.newLine(depth);
    *out.to++ = ']';
}

// A checked value: a string, a list or a number the body holds without an
// escape is copied as it stands (string() would write the same bytes), any
// other decoded.
void writeChecked(Writer &out, Field field, const ExtensionValues &values, int depth)
{
    const QByteArrayView json = values.json(field);
    const std::string_view bytes(json.data(), size_t(json.size()));
    if (json.isEmpty() && holdsList(field))   // blank, or decoded as it was read
        writeNames(out, values.decodedValues().list(field), depth);
    else if (json.isEmpty())
        writeValue(out, field, values.decodedValues().text(field));
    else if (holdsList(field))   // no item holds an escape
        writePlainItems(out, json, depth);
    else if (json[0] == '"' && values.escaped(field))
        out.keptString(json);
    else if (json[0] == '"' || fieldLayout(field).rule == FieldRule::Flag || json.size() <= 9)
        out.raw(bytes);
    else   // a number too long to be sure it is one
        writeValue(out, field, values.text(field));
}

void writeField(Writer &out, Field field, const FieldSource &source, int depth)
{
    const bool blank = source.checked ? source.checked->isBlank(field) : source.values->isBlank(field);
    if (inRecord(field) && blank && !source.record.isEmpty())
        writeRecordField(out, field, source.record, depth);
    else if (source.checked)
        writeChecked(out, field, *source.checked, depth);
    else if (holdsList(field))
        writeNames(out, source.values->list(field), depth);
    else
        writeValue(out, field, source.values->text(field));
}

void writeMember(Writer &out, const Member &member, const QString &path, const FieldSource &source,
    qint64 posterBytes, const PosterInfo &picture, int depth)
{
    if (member.index == kFileMember)
        out.string(path);
    else if (member.index == kPosterMember)
        writePoster(out, posterBytes, picture, depth);
    else
        writeField(out, kFields[member.index], source, depth);
}

// The most bytes the object can take.
qsizetype roomFor(const QString &path, const CardValues &values, const PosterInfo &picture)
{
    qsizetype units = path.size() + picture.format.size();
    for (const Field field : kFields) {
        units += holdsList(field) ? 0 : values.text(field).size();
        for (const QString &item : holdsList(field) ? values.list(field) : QStringList())
            units += item.size() + qsizetype(kIndent.size()) + 3;
    }
    return 6 * units + kFrameBytes;
}

// room: the most bytes the object can take.
void appendObject(QByteArray &out, const QString &path, const FieldSource &source, qint64 posterBytes,
    const PosterInfo &picture, JsonLayout layout, qsizetype room)
{
    const qsizetype start = out.size();
    out.resize(start + room);
    Writer writer { .to = out.data() + start, .compact = layout == JsonLayout::Line };
    const int depth = writer.compact ? 0 : 1;
    if (!writer.compact)
        writer.raw(kIndent.substr(1, 4 * depth));
    *writer.to++ = '{';
    for (const Member &member : kMembers) {
        writer.key(member.key, &member == kMembers.data(), depth + 1);
        writeMember(writer, member, path, source, posterBytes, picture, depth + 1);
    }
    writer.newLine(depth);
    *writer.to++ = '}';
    out.truncate(writer.to - out.constData());
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
    appendObject(out, path, { &values, {} }, posterBytes, picture, layout, roomFor(path, values, picture));
}

void appendRecordJson(QByteArray &out, const QString &path, QByteArrayView record,
    const ExtensionValues &extension, qint64 posterBytes, const PosterInfo &picture, JsonLayout layout)
{
    Q_ASSERT(record.size() == kRecordWidth);
    // A value copied takes its bytes; a list's items each a line besides.
    const qsizetype room = roomFor(path, extension.decodedValues(), picture)
        + extension.bodySize() * (qsizetype(kIndent.size()) + 4) + kRecordRoom;
    appendObject(
        out, path, { &extension.decodedValues(), record, &extension }, posterBytes, picture, layout, room);
}

void appendRecordJson(QByteArray &out, const QString &path, QByteArrayView record,
    const CardExtension &extension, qint64 posterBytes, const PosterInfo &picture, JsonLayout layout)
{
    Q_ASSERT(record.size() == kRecordWidth);
    const qsizetype room = roomFor(path, extension.values, picture) + kRecordRoom;
    appendObject(out, path, { &extension.values, record }, posterBytes, picture, layout, room);
}

QByteArray jsonString(QStringView text)
{
    QByteArray out(text.size() * 6 + 2, Qt::Uninitialized);
    Writer writer { .to = out.data(), .compact = true };
    writer.string(text);
    out.truncate(writer.to - out.data());
    return out;
}
