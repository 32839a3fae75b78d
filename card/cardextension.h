#pragma once
// The extension of a card: what its record cannot hold, written after the
// poster's bytes so that every reader of the record still reads the card.
//
// It holds the exact text of each record field the record does not hold
// as it is (longer than its field, or with characters Windows-1252 lacks),
// every actor when the record cannot hold them all, and the fields the
// record has no room for. Its body is a JSON object in UTF-8, keyed as the
// field table; a fixed trailer ends the file:
//
//   the CRC-32 of each of the record's eight fields as written  32 bytes
//   the body's length                                            4 bytes
//   the CRC-32 of the body and of the 36 bytes above              4 bytes
//   the signature "@CNFCH2@"                                     8 bytes
//
// (numbers little-endian). The field checksums tell a record that a reader
// of the record alone changed since: its texts then win over the exact ones.

#include "card/extensionvalues.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace ExtensionLayout {
constexpr int ChecksumsSize = 4 * int(kRecordFieldCount);
constexpr int TrailerSize = ChecksumsSize + 4 + 4 + 8;   // 48
constexpr qint64 MostBodyBytes = 1024 * 1024;
inline constexpr char Signature[] = "@CNFCH2@";
}   // namespace ExtensionLayout

// A key this version does not know, kept as it was written: a newer
// version's field survives a change made by this one.
struct UnknownEntry {
    QString key;
    QByteArray value;   // its JSON value as written
    bool operator==(const UnknownEntry &) const = default;
};

struct CardExtension {
    // A record field's text only when the record cannot hold it as it is;
    // the other fields as they are kept (card/fieldrules.h).
    CardValues values;
    QList<UnknownEntry> unknown;

    bool isEmpty() const;
    bool operator==(const CardExtension &) const = default;
};

// The extension's bytes, body and trailer, for a card whose record is
// recordBytes (kRecordWidth of them); empty for an empty extension, so that
// such a card is written as it always was.
QByteArray encodeExtension(const CardExtension &extension, QByteArrayView recordBytes);

enum class ExtensionStatus {
    None,   // the card ends without an extension
    Ok,
    Damaged,   // a trailer, but what it announces cannot be read: the card is read as if it had none
};

// What the last bytes of a card announce: how many bytes at its end the
// extension takes (body and trailer). last holds the file's last
// ExtensionLayout::TrailerSize bytes (fewer when the file is shorter);
// after is how many bytes the file holds after its separator.
struct ExtensionTrailer {
    ExtensionStatus status = ExtensionStatus::None;
    qint64 size = 0;   // Ok: the extension's bytes, trailer included
};
ExtensionTrailer readTrailer(QByteArrayView last, qint64 after);

// The extension from its bytes (the size readTrailer gave, at the end of
// the file), for a card whose record is now recordBytes: a field whose
// record text changed since the extension was written loses its exact text.
struct ExtensionRead {
    ExtensionStatus status = ExtensionStatus::None;
    CardExtension extension;
};
ExtensionRead decodeExtension(QByteArrayView bytes, QByteArrayView recordBytes);

// The same for a reader of a few of its values: each checked as
// decodeExtension checks it, the status the same, but the values of the
// form this version writes left in the body until asked for.
struct CheckedExtension {
    ExtensionStatus status = ExtensionStatus::None;
    ExtensionValues values;
};
CheckedExtension checkExtension(QByteArrayView bytes, QByteArrayView recordBytes);
