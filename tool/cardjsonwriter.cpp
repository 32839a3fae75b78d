#include "tool/cardjsonwriter.h"

#include <algorithm>
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

char hexDigit(unsigned value)
{
    return char(value < 10 ? '0' + value : 'a' + value - 10);
}

void appendUnicodeEscape(QByteArray &out, char16_t unit)
{
    const char escape[] = { '\\', 'u', hexDigit(unit >> 12 & 0xf), hexDigit(unit >> 8 & 0xf),
        hexDigit(unit >> 4 & 0xf), hexDigit(unit & 0xf) };
    out.append(escape, sizeof escape);
}

void appendAsciiEscaped(QByteArray &out, char16_t unit)
{
    static constexpr std::string_view kShort = "\"\"\\\\\bb\ff\nn\rr\tt";
    for (std::size_t i = 0; i < kShort.size(); i += 2) {
        if (unit == char16_t(kShort[i])) {
            out.append('\\').append(kShort[i + 1]);
            return;
        }
    }
    appendUnicodeEscape(out, unit);
}

// Beyond ASCII: UTF-8, a lone surrogate (a file name's byte that is no
// UTF-8) as its \u escape. Returns the units used.
qsizetype appendNonAscii(QByteArray &out, QStringView rest)
{
    const char16_t unit = rest[0].unicode();
    if (QChar::isHighSurrogate(unit) && rest.size() > 1 && QChar::isLowSurrogate(rest[1].unicode())) {
        out.append(rest.first(2).toUtf8());
        return 2;
    }
    if (QChar::isSurrogate(unit))
        appendUnicodeEscape(out, unit);
    else
        out.append(rest.first(1).toUtf8());
    return 1;
}

// Escaped as QJsonDocument does: quotes, backslash and the control
// characters; "/" and DEL as they are.
void appendString(QByteArray &out, QStringView text)
{
    out.append('"');
    for (qsizetype at = 0; at < text.size();) {
        const char16_t unit = text[at].unicode();
        if (unit >= 0x80) {
            at += appendNonAscii(out, text.sliced(at));
            continue;
        }
        if (unit < 0x20 || unit == u'"' || unit == u'\\')
            appendAsciiEscaped(out, unit);
        else
            out.append(char(unit));
        ++at;
    }
    out.append('"');
}

// Four blanks a level, the deepest being an actor's name in an array item.
constexpr std::string_view kIndent = "\n                ";

// Where QJsonDocument breaks lines and indents.
struct Layout {
    bool compact;
    void newLine(QByteArray &out, int depth) const
    {
        if (!compact)
            out.append(kIndent.data(), 1 + 4 * depth);
    }
    void key(QByteArray &out, std::string_view name, bool first, int depth) const
    {
        if (!first)
            out.append(',');
        newLine(out, depth);
        out.append('"').append(name.data(), qsizetype(name.size())).append(compact ? "\":" : "\": ");
    }
};

void appendNames(QByteArray &out, const QStringList &names, const Layout &layout, int depth)
{
    out.append('[');
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (i > 0)
            out.append(',');
        layout.newLine(out, depth + 1);
        appendString(out, names[i]);
    }
    layout.newLine(out, depth);
    out.append(']');
}

void appendNumberText(QByteArray &out, const QString &text)
{
    if (text.isEmpty())
        out.append("null");
    else if (const std::optional<int> number = jsonNumber(text))
        out.append(QByteArray::number(*number));
    else
        appendString(out, text);
}

void appendPoster(QByteArray &out, qint64 bytes, const PosterInfo &picture, const Layout &layout, int depth)
{
    if (bytes == 0) {
        out.append("null");
        return;
    }
    const bool known = !picture.format.isEmpty();
    out.append('{');
    layout.key(out, "format", true, depth + 1);
    known ? appendString(out, QString::fromLatin1(picture.format)) : void(out.append("null"));
    layout.key(out, "hauteur", false, depth + 1);
    out.append(known ? QByteArray::number(picture.size.height()) : QByteArray("null"));
    layout.key(out, "largeur", false, depth + 1);
    out.append(known ? QByteArray::number(picture.size.width()) : QByteArray("null"));
    layout.key(out, "octets", false, depth + 1);
    out.append(QByteArray::number(bytes));
    layout.newLine(out, depth);
    out.append('}');
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
    const PosterInfo &picture, JsonLayout shape)
{
    const Layout layout { .compact = shape == JsonLayout::Line };
    const int depth = layout.compact ? 0 : 1;
    if (!layout.compact)
        out.append(kIndent.data() + 1, 4 * depth);
    out.append('{');
    for (const Member &member : kMembers) {
        layout.key(out, member.key, &member == kMembers.data(), depth + 1);
        if (member.index == kFileMember)
            appendString(out, path);
        else if (member.index == kPosterMember)
            appendPoster(out, posterBytes, picture, layout, depth + 1);
        else if (const Field field = kFields[member.index]; holdsNames(field))
            appendNames(out, values.acteurs, layout, depth + 1);
        else if (isNumberRule(fieldSpec(field).rule))
            appendNumberText(out, values.text(field));
        else
            appendString(out, values.text(field));
    }
    layout.newLine(out, depth);
    out.append('}');
}
