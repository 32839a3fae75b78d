#pragma once
// The ways a card is written: a whole new card, and a copy under another
// name (or onto itself, which rewrites its record alone). Each card is
// written into a new file beside the destination, which replaces it only
// once complete.

#include "card/cardrecord.h"

#include <QString>

enum class SaveStatus {
    Ok,
    PosterMissing,   // the poster to save is gone; failedPath names it
    SourceMissing,   // the card to copy is gone; failedPath names it
    ReadFailed,      // failedPath names the file that could not be read
    WriteFailed,     // failedPath names the file that could not be written
};

struct SaveResult {
    SaveStatus status = SaveStatus::Ok;
    QString failedPath;
    bool ok() const { return status == SaveStatus::Ok; }
};

// Writes cardPath anew: the record, then the poster file posterPath (none
// when empty).
SaveResult writeWholeCard(const QString &cardPath, const CardRecord &record, const QString &posterPath);

// Writes cardPath as a copy of sourceCard whose record is replaced: its
// separator and poster bytes stay, unless posterPath names a new poster.
SaveResult writeCardCopy(
    const QString &sourceCard, const QString &cardPath, const CardRecord &record, const QString &posterPath);

// Replaces the record of the existing card cardPath; every byte after it stays.
SaveResult rewriteRecord(const QString &cardPath, const CardRecord &record);
