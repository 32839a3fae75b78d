#pragma once
// Reading and writing card files: "@CNFCH@", the 1168-byte record, a
// separator byte, then the poster bytes to the end of the file.

#include "card/cardrecord.h"

#include <QIODevice>
#include <QString>

enum class CardReadStatus { Ok, Missing, NotCard, PosterWriteFailed };

struct CardRead {
    CardReadStatus status = CardReadStatus::Ok;
    CardRecord record;
    bool hasPoster = false;
};

// Reads a card from in; the poster bytes, when there are any, go to
// posterOut (opened lazily by the caller's device, may be null to skip them).
CardRead readCard(QIODevice &in, QIODevice *posterOut);

// Reads cardPath; its poster bytes go to folder + "/cfh_img.tmp", which is
// created only when the card has a poster (and removed again on failure).
CardRead ReadCardFile(const QString &cardPath, const QString &folder);

// Copies what remains of in to out in blocks of 512 bytes, then the tail;
// false on a read or write error.
bool copyRest(QIODevice &in, QIODevice &out);

// The marker and the record, 1175 bytes.
QByteArray cardHeader(const CardRecord &record);

// Writes folder + "/cfh_inf.tmp": the marker and the record.
bool WriteInfoFile(const QString &folder, const CardRecord &record);

// Appends the separator (and the poster file of folder when withPoster) to
// the working info file, then replaces cardPath with it. cardPath changes
// only once the new file is complete; false on any failure.
bool AssembleCardFile(const QString &folder, const QString &cardPath, bool withPoster);

// Replaces the first 1175 bytes of the existing card cardPath, leaving its
// separator and poster bytes as they are. Written through a complete new
// file, so a failure leaves the old card as it was.
bool WriteRecordInPlace(const QString &cardPath, const CardRecord &record);

// Replaces destination with the bytes of source, only once they are all
// written; the destination's permissions and links are kept. False when the
// destination is read-only or anything fails.
bool replaceFileWith(const QString &source, const QString &destination);
// The same with what remains to be read of in.
bool replaceFileFrom(QIODevice &in, const QString &destination);
