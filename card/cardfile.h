#pragma once
// Reading and writing card files: "@CNFCH@", the 1168-byte record, a
// separator byte, the poster bytes, then the extension, when the card has
// one, to the end of the file (card/cardextension.h).

#include "card/card.h"
#include "card/cardlock.h"
#include "card/filereplace.h"
#include "card/pictureheader.h"

#include <QFile>
#include <QIODevice>
#include <QString>

#include <functional>

// The extension of a card file's name.
inline const QString kCardExtension = QStringLiteral("cfh");

enum class CardReadStatus {
    Ok,
    Missing,             // no such file (or not a regular file)
    Unreadable,          // the file is there but cannot be read
    NotCard,             // its first 7 bytes are not the marker
    PosterWriteFailed,   // the poster's working file could not be written
    NameTooLong,         // the path is longer than the system allows
};

// The card is meaningful only when the status is Ok.
struct CardRead {
    CardReadStatus status = CardReadStatus::Ok;
    Card card { CardRecord(Qt::Uninitialized), {} };
    ExtensionStatus extension = ExtensionStatus::None;   // Damaged: read as a card without one
    bool hasPoster = false;
    CardVersion version {};   // readCardFile: the file as read
};

// Reads a card from in, which must not be sequential; the poster bytes,
// when there are any, go to posterOut (may be null to skip them).
CardRead readCard(QIODevice &in, QIODevice *posterOut);

// Reads cardPath; its poster bytes go to folder + "/cfh_img.tmp", which is
// created only when the card has a poster (and removed again on failure).
CardRead readCardFile(const QString &cardPath, const QString &folder);

struct CardHead {
    CardReadStatus status = CardReadStatus::Ok;
    // Meaningful only when the status is Ok; its record only when it is decoded.
    Card card { CardRecord(Qt::Uninitialized), {} };
    std::array<char, kRecordWidth> recordBytes {};   // the record as stored, when the status is Ok
    ExtensionStatus extension = ExtensionStatus::None;
    qint64 posterBytes = 0;           // the poster's, from offset 1176
    CardFingerprint fingerprint {};   // the file as read
    PosterInfo poster {};             // with PosterHeader::Read: the poster's picture
    ExtensionValues values {};        // with RecordText::Checked: the extension's, which card lacks
};

enum class PosterHeader { Skip, Read };
// BytesOnly: the record is left undecoded, for a reader of its bytes alone;
// Checked: the extension too, its values checked and left in its body
// (CardHead::values), for a reader of a few of them.
enum class RecordText { Decoded, BytesOnly, Checked };

// The record of the card at path, from its first 1176 bytes, its
// extension from its last ones, and the size of its poster: one open, one
// look at the file and one read, two for a card with a poster. With
// PosterHeader::Read, also the poster's format and pixels from its header,
// most often in the first read.
CardHead readCardHead(
    const QString &path, PosterHeader poster = PosterHeader::Skip, RecordText text = RecordText::Decoded);
// The same for the card named name (its own bytes) in the folder open as
// folder: no path to walk again for each card of a folder.
CardHead readCardHeadAt(int folder, const QByteArray &name, PosterHeader poster, RecordText text);
// Up to size bytes of the file open as fd into buffer; fewer only at its
// end, -1 on a read error.
qsizetype readUpTo(int fd, char *buffer, qsizetype size);

// The record and the extension of a card its folder's listing calls a
// regular file: no look at the file (no fingerprint), so one system call
// less. A name that has become a link since is looked at as readCardHeadAt does.
CardHead readCardRecordAt(int folder, const QByteArray &name, RecordText text);

// The poster of the card at cardPath, read in place: position 0 is the byte
// at offset 1176, and it ends where the extension begins. Read-only; empty
// for a card without poster.
class PosterDevice : public QIODevice {
public:
    explicit PosterDevice(const QString &cardPath);
    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return false; }
    qint64 size() const override;
    bool seek(qint64 pos) override;
    // The card's file descriptor, and where in it the byte at pos lies.
    int handle() const { return m_card.handle(); }
    qint64 fileOffset(qint64 pos) const { return CardLayout::PosterOffset + pos; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QString m_path;
    QFile m_card;
    qint64 m_size = 0;
};

// The poster's size of the card open as card (not sequential), read from
// its end: what follows the separator but the extension.
qint64 posterSizeOf(QIODevice &card);

// Copies what remains of in to out, at most most bytes (-1: all); copied
// counts the bytes. From a file (a poster in its card too) to a file the
// kernel copies them, without a pass through memory; otherwise block by block.
Transfer copyRest(QIODevice &in, QIODevice &out, qint64 *copied = nullptr, qint64 most = -1);

// The marker and the record, 1175 bytes.
QByteArray cardHeader(const CardRecord &record);

// The one writer of card bytes: the marker, the record, the separator,
// posterSize bytes of poster (none when null; -1: every byte that remains
// to be read of it), then the extension.
Transfer writeCard(QIODevice &out, const Card &card, QIODevice *poster, qint64 posterSize = -1,
    char separator = CardLayout::Separator);
