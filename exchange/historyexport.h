#pragma once
// The exports of the services people log their viewings on, read as a
// history (collection/historymatch.h): Letterboxd's (its zip, or diary.csv,
// ratings.csv, watched.csv, reviews.csv; and the table its import takes,
// which catalogue --letterboxd writes) and IMDb's ratings or lists. Each
// kind is told by its header, never by the file's name.

#include "collection/historymatch.h"
#include "exchange/exchangefile.h"

#include <QIODevice>

// A row left out, and why.
struct SkippedRow {
    enum class Cause { Unreadable, NoTitle, BadYear, BadRating, BadDate, BadIdentifier };
    QString file {};   // the table, "EXPORT.zip:diary.csv" inside a zip
    qint64 line = 0;
    Cause cause = Cause::Unreadable;
    QString value {};
};

struct HistoryRead {
    enum class Status {
        Ok,
        Unreadable,    // missing, no regular file, or unreadable
        TooLarge,      // the file, over kMostExchangeBytes
        NotHistory,    // no header of a known export (place names the table)
        ZipTooLarge,   // a zip whose entries inflate beyond the bounds
        ZipDamaged,
    };
    Status status = Status::Ok;
    QString place {};   // the table at fault
    QList<HistoryEntry> entries {};
    QList<SkippedRow> skipped {};
};

// The history in the file at path: a zip export, or one table.
HistoryRead readHistoryFile(const QString &path);
// The history in one table, named name in entries and skipped rows.
HistoryRead readHistoryTable(QIODevice &in, const QString &name);

// The history of several exports, as a window or the card tool reads it
// before matching (matchHistory) and writing (applyHistoryMatch).
struct HistoryExports {
    QList<HistoryRead> refused {};   // those that could not be read: nothing is to be written then
    QList<HistoryEntry> entries {};
    QList<SkippedRow> skipped {};
};
HistoryExports readHistoryExports(const QStringList &paths);
