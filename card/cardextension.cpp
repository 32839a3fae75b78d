#include "card/cardextension.h"

#include "card/extensionvalues.h"
#include "card/fieldrules.h"
#include "card/jsontext.h"

#include <QtEndian>

#include <zlib.h>

#include <bitset>
#include <optional>

namespace {

using namespace ExtensionLayout;

quint32 crc32Of(QByteArrayView bytes, quint32 crc = 0)
{
    return quint32(::crc32(crc, reinterpret_cast<const Bytef *>(bytes.data()), uInt(bytes.size())));
}

void appendNumber(QByteArray &out, quint32 number)
{
    char bytes[4];
    qToLittleEndian(number, bytes);
    out.append(bytes, 4);
}

quint32 numberAt(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

QByteArray fieldChecksums(QByteArrayView recordBytes)
{
    QByteArray checksums;
    for (const Field field : kRecordFields)
        appendNumber(checksums, crc32Of(recordBytes.sliced(fieldLayout(field).offset, fieldWidth(field))));
    return checksums;
}

// A field's value in JSON: a flag as true, a rating, TMDb's number or a count as a
// number, a list as an array of strings, any other text as a string.
void appendValue(QByteArray &out, Field field, const CardValues &values)
{
    if (holdsList(field)) {
        out += '[';
        const QStringList &items = values.list(field);
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (i > 0)
                out += ',';
            appendJsonString(out, items[i]);
        }
        out += ']';
        return;
    }
    const FieldRule rule = fieldLayout(field).rule;
    if (rule == FieldRule::Flag)
        out += "true";
    else if (isWholeNumberRule(rule))
        out += values.text(field).toLatin1();
    else
        appendJsonString(out, values.text(field));
}

QByteArray encodeBody(const CardExtension &extension)
{
    QByteArray body = "{";
    for (const Field field : kFields) {
        if (extension.values.isBlank(field))
            continue;
        appendJsonString(body, fieldName(field));
        body += ':';
        appendValue(body, field, extension.values);
        body += ',';
    }
    for (const UnknownEntry &entry : extension.unknown) {
        appendJsonString(body, entry.key);
        body += ':' + entry.value + ',';
    }
    if (body.endsWith(','))
        body.chop(1);
    return body + '}';
}

// A known field's value from the JSON value that opens at the reader, in
// the form its rule keeps; false when it is of the wrong kind or breaks the rule.
bool readValue(JsonReader &json, Field field, CardValues &values)
{
    if (json.null())
        return true;
    if (holdsList(field)) {
        auto items = json.stringArray(FieldBounds::MostItems);
        if (!items || checkList(field, *items, ControlCharacters::Kept))
            return false;
        values.list(field) = *items;
        return true;
    }
    std::optional<QString> text;
    const FieldRule rule = fieldLayout(field).rule;
    if (rule == FieldRule::Flag) {
        if (const auto set = json.boolean())
            text = *set ? kFlagSet : QString();
    } else if (isWholeNumberRule(rule)) {
        text = json.digits();
    } else {
        text = json.string();
    }
    if (!text || checkText(field, *text, ControlCharacters::Kept))
        return false;
    values.text(field) = *text;
    return true;
}

// A member's key: the field it names, or its text when this version knows no such field.
struct MemberKey {
    std::optional<Field> field;
    QString text;
};

// expected: the field whose key most likely comes, the body's keys being
// written in the table's order.
std::optional<MemberKey> readKey(JsonReader &json, std::size_t expected)
{
    // Known keys are found by their bytes: no text is made of them.
    if (const auto plain = json.plainKey()) {
        const std::string_view bytes(plain->data(), size_t(plain->size()));
        const auto field = expected < kFieldTable.size() && kFieldTable[expected].key == bytes
            ? std::optional(kFieldTable[expected].field)
            : fieldKeyed(bytes);
        return MemberKey { field, field ? QString() : QString::fromUtf8(*plain) };
    }
    const std::optional<QString> key = json.key();
    if (!key)
        return std::nullopt;
    return MemberKey { fieldNamed(*key), *key };
}

// The body's values and unknown keys, each value checked.
struct BodyRead {
    ExtensionValues values;
    QList<UnknownEntry> unknown;
};

std::optional<BodyRead> readBody(QByteArrayView body)
{
    BodyRead read;
    JsonReader json(body);
    std::bitset<kFieldCount> fields;   // the known keys read, each once
    std::size_t expected = 0;
    const auto unknownKey = [&read](const QString &key) {
        return std::any_of(read.unknown.begin(), read.unknown.end(),
            [&key](const UnknownEntry &entry) { return entry.key == key; });
    };
    if (!json.objectStart())
        return std::nullopt;
    while (json.nextMember()) {
        const std::optional<MemberKey> key = readKey(json, expected);
        if (!key)
            return std::nullopt;
        const std::optional<Field> field = key->field;
        if (field) {
            if (fields.test(size_t(*field)))
                return std::nullopt;
            fields.set(size_t(*field));
            expected = size_t(*field) + 1;
            // A value as this version writes it is left in the body until asked for.
            const qsizetype start = json.valueStart();
            if (const auto kept = keptValue(body, start, *field)) {
                read.values.setSpan(*field, start, kept->end - start, kept->escaped);
                json.moveTo(kept->end);
            } else if (!readValue(json, *field, read.values.decodedValues())) {
                return std::nullopt;
            }
        } else if (unknownKey(key->text)) {
            return std::nullopt;
        } else if (const auto raw = json.rawValue()) {
            read.unknown << UnknownEntry { key->text, raw->toByteArray() };
        } else {
            return std::nullopt;
        }
    }
    if (!json.atEnd())
        return std::nullopt;
    read.values.setBody(body.toByteArray());
    return read;
}

// Drops the exact text of every record field whose bytes differ from those
// the extension was written with: a reader of the record alone changed it.
void keepRecordChanges(ExtensionValues &values, QByteArrayView checksums, QByteArrayView recordBytes)
{
    for (const Field field : kRecordFields) {
        if (values.isBlank(field))
            continue;
        const QByteArrayView bytes = recordBytes.sliced(fieldLayout(field).offset, fieldWidth(field));
        if (crc32Of(bytes) != numberAt(checksums, 4 * qsizetype(field)))
            values.clear(field);
    }
}

// The extension's body, checked against its trailer and read.
std::optional<BodyRead> readExtension(QByteArrayView bytes, QByteArrayView recordBytes)
{
    const QByteArrayView trailer = bytes.last(TrailerSize);
    const QByteArrayView body = bytes.first(bytes.size() - TrailerSize);
    const qsizetype checked = bytes.size() - 12;   // up to the checksum
    if (numberAt(trailer, ChecksumsSize) != quint32(body.size())
        || numberAt(bytes, checked) != crc32Of(bytes.first(checked)))
        return std::nullopt;
    std::optional<BodyRead> read = readBody(body);
    if (read)
        keepRecordChanges(read->values, trailer.first(ChecksumsSize), recordBytes);
    return read;
}

}   // namespace

bool CardExtension::isEmpty() const
{
    return unknown.isEmpty()
        && std::all_of(kFields.begin(), kFields.end(), [this](Field field) { return values.isBlank(field); });
}

QByteArray encodeExtension(const CardExtension &extension, QByteArrayView recordBytes)
{
    if (extension.isEmpty())
        return {};
    QByteArray bytes = encodeBody(extension);
    const qsizetype bodySize = bytes.size();
    QByteArray trailer = fieldChecksums(recordBytes);
    appendNumber(trailer, quint32(bodySize));
    bytes += trailer;
    appendNumber(bytes, crc32Of(bytes));
    return bytes + QByteArray(Signature, 8);
}

ExtensionTrailer readTrailer(QByteArrayView last, qint64 after)
{
    if (last.size() < TrailerSize || !last.endsWith(QByteArrayView(Signature, 8)))
        return {};
    const QByteArrayView trailer = last.last(TrailerSize);
    const qint64 bodySize = numberAt(trailer, ChecksumsSize);
    if (bodySize > MostBodyBytes || bodySize + TrailerSize > after)
        return { ExtensionStatus::Damaged, {} };
    return { ExtensionStatus::Ok, bodySize + TrailerSize };
}

ExtensionRead decodeExtension(QByteArrayView bytes, QByteArrayView recordBytes)
{
    if (bytes.size() < TrailerSize)
        return {};
    std::optional<BodyRead> read = readExtension(bytes, recordBytes);
    if (!read)
        return { ExtensionStatus::Damaged, {} };
    return { ExtensionStatus::Ok, { read->values.decoded(), std::move(read->unknown) } };
}

CheckedExtension checkExtension(QByteArrayView bytes, QByteArrayView recordBytes)
{
    if (bytes.size() < TrailerSize)
        return {};
    std::optional<BodyRead> read = readExtension(bytes, recordBytes);
    if (!read)
        return { ExtensionStatus::Damaged, {} };
    return { ExtensionStatus::Ok, std::move(read->values) };
}
