#pragma once
// The four ways a card is written: a whole new card, a copy under another
// name, and the rewrite of its record alone. Each writes the new file beside
// the destination and replaces it only once complete.

#include "card/cardrecord.h"

#include <QString>

enum class SaveStatus {
    Ok,
    PosterMissing,   // the poster to save is gone; failedPath names it
    SourceMissing,   // the card to copy is gone; failedPath names it
    WriteFailed,     // failedPath names the file that could not be written
};

struct SaveResult {
    SaveStatus status = SaveStatus::Ok;
    QString failedPath;
    bool ok() const { return status == SaveStatus::Ok; }
};

// Copies posterPath to folder + "/cfh_img.tmp".
SaveResult PreparePosterFile(const QString &folder, const QString &posterPath);

// Writes cardPath anew: the record, then the poster file posterPath (none
// when empty).
SaveResult writeWholeCard(const QString &cardPath, const CardRecord &record, const QString &posterPath);

// Writes cardPath as a copy of sourceCard whose record is replaced, and
// whose poster is replaced by posterPath unless that is empty.
SaveResult writeCardCopy(
    const QString &sourceCard, const QString &cardPath, const CardRecord &record, const QString &posterPath);

// Replaces the record of the existing card cardPath; its poster stays.
SaveResult rewriteRecord(const QString &cardPath, const CardRecord &record);
