#pragma once
// The texts of cinefiche-card that choose among words (counts, kinds,
// reports); every word they say is a row of tool/tooltable.

#include "card/card.h"
#include "card/pictureheader.h"
#include "exchange/catalogueimport.h"
#include "exchange/historyexport.h"
#include "nfo/nfomark.h"
#include "nfo/nfonote.h"

#include "tool/tooltable.h"

#include <QString>
#include <QStringList>

namespace ToolText {

QString version();
// The help of one command; empty for an unknown one.
QString commandHelp(const QString &command);

// Failures, each naming the file.
QString pictureTooLarge(const QString &path, int width, int height);
QString tooManyScans(const QString &path);

// Wrong usage.
QString unknownField(const QString &name);
QString fieldProblem(const FieldProblem &problem);
QString jsonWrongType(const QString &key);

// A library's import and export, and set over many cards (librarytexts.cpp).
// The comment that marks an .nfo as written by this tool, with the poster
// written beside it, as readOwnMark reads it back.
QString nfoMark(const WrittenPoster &poster);
QString nfoNote(const QString &nfoPath, const QString &note);
// Lines of standard output, without the line break that printLine adds.
QString cardImported(const QString &card, const QString &nfo, const QString &poster, bool dryRun);
QString importCount(qsizetype written, qsizetype kept, qsizetype failed, qsizetype withoutNfo, bool dryRun);
QString nfoCount(qsizetype written, qsizetype kept, qsizetype failed);
// The line of a terminal that each movie imported redraws.
QString importProgress(qsizetype movies);

// An NFO that gives no card, and what an import or export leaves out, one
// line a kind.
QString nfoTooLarge(const QString &path, qint64 limit);
QString nfoNoteText(const NfoNote &note);

// A viewing history onto cards (historytexts.cpp): an export refused, a row
// left out, then a line a movie or card, and the count.
QString historyRefused(const QString &place, HistoryRead::Status status);
QString rowSkipped(const SkippedRow &row);
QString historyChanged(const QString &card, const QStringList &changes, bool dryRun);
QString historyUpToDate(const QString &card);
QString historyAmbiguousMovie(const HistoryEntry &movie, const QStringList &cards);
QString historyAmbiguousCard(const QString &card, const QList<HistoryEntry> &movies);
QString historyNotFound(const HistoryEntry &movie);
struct HistoryCounts {
    qsizetype changed = 0, upToDate = 0, ambiguous = 0, notFound = 0, failed = 0;
};
QString historyCount(const HistoryCounts &counts, bool dryRun);

// The cards of a spreadsheet or another catalogue (importtexts.cpp).
QString cardImportedFrom(const QString &card, const QString &file, qint64 line, bool poster, bool dryRun);
QString valueLeftOut(const QString &file, qint64 line, const FieldProblem &problem);
QString posterLeftOut(
    const QString &file, qint64 line, const QString &picture, ImportedMovie::PosterLeft why);
QString columnsLeftOut(const QString &file, const QStringList &columns);
QString fieldsLeftOut(const QString &file, const QStringList &fields);
QString catalogueRefused(const QString &file, const CatalogueRead &read);

// A card for people: one "Label : value" line per field, continued lines
// indented; the poster's size in bytes, and its format and pixels when known.
QString cardText(
    const QString &path, const CardValues &values, qint64 posterBytes, const PosterInfo &picture);

}   // namespace ToolText
