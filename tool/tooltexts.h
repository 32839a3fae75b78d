#pragma once
// Every French text cinefiche-card prints, in one place.

#include "card/card.h"
#include "card/pictureheader.h"
#include "exchange/catalogueimport.h"
#include "exchange/historyexport.h"
#include "nfo/nfomark.h"
#include "nfo/nfonote.h"

#include <QString>
#include <QStringList>

namespace ToolText {

QString version();
QString toolHelp();
// The help of one command; empty for an unknown one.
QString commandHelp(const QString &command);

// Failures, each naming the file.
QString missing(const QString &path);
QString notRegularFile(const QString &path);   // a FIFO, a folder, a device
QString unreadable(const QString &path);
QString notCard(const QString &path);
QString writeFailed(const QString &path);
QString outputFailed();
QString helperMissing(const QString &helper);
QString helperFailed(const QString &helper);
QString noPoster(const QString &card);
QString posterNotDecoded(const QString &card);
QString notPicture(const QString &path);
QString pictureTooLarge(const QString &path, int width, int height);
QString tooManyScans(const QString &path);
QString isACard(const QString &path);
QString exists(const QString &path);
QString nameTooLong(const QString &path);
QString linkRefused(const QString &path);
QString cardBusy(const QString &path);
QString linkOutOfFolder(const QString &path);
QString shareSilent(const QString &mountPoint, int seconds);

// Wrong usage.
QString missingCommand();
QString unknownCommand(const QString &command);
QString usageOf(const QString &command, const QString &problem);
QString argumentCount();
QString notAnEdit(const QString &argument);
QString unknownField(const QString &name);
QString missingOutput();
QString nothingToChange();
QString posterOptionsClash();
QString badSize(const QString &size);
QString fieldProblem(const FieldProblem &problem);
QString notAList(const QString &name);
QString extensionDamaged(const QString &path);
QString damagedNotChanged(const QString &path);
QString titleMissing();
QString jsonUnreadable(const QString &path, const QString &cause);
QString jsonNotObject(const QString &path);
QString jsonWrongType(const QString &key);
QString jsonRepeatedKey(const QString &key);

// The commands over many cards and folders (collectiontexts.cpp).
QString jsonOptionsClash();
QString findOutputsClash();
QString badYears(const QString &years);
QString badRatings(const QString &ratings);
QString seenOptionsClash();
QString catalogueKind(const QString &output);
QString badSeparator(const QString &separator);
QString catalogueOptionsClash();

// A library's import and export, and set over many cards (librarytexts.cpp).
QString notFolder(const QString &path);
QString placesAfterDashes();
QString historyFoldersAfterDashes();
// The comment that marks an .nfo as written by this tool, with the poster
// written beside it, as readOwnMark reads it back.
QString nfoMark(const WrittenPoster &poster);
QString nfoKept(const QString &path);
QString posterKept(const QString &path);
QString nfoNote(const QString &nfoPath, const QString &note);
// Lines of standard output, without the line break that printLine adds.
QString cardImported(const QString &card, const QString &nfo, const QString &poster, bool dryRun);
QString cardKept(const QString &card);
QString importCount(qsizetype written, qsizetype kept, qsizetype failed, qsizetype withoutNfo, bool dryRun);
QString nfoCount(qsizetype written, qsizetype kept, qsizetype failed);
// The line of a terminal that each movie imported redraws.
QString importProgress(qsizetype movies);

// An NFO that gives no card, and what an import or export leaves out, one
// line a kind.
QString nfoUnreadable(const QString &path, qint64 line, const QString &cause);
QString nfoNotMovie(const QString &path);
QString nfoTooLarge(const QString &path, qint64 limit);
QString nfoTooDeep(int limit);   // a cause of nfoUnreadable
QString nfoNoTitle(const QString &path);
QString nfoNoteText(const NfoNote &note);
QString posterNotExported(const QString &card);

// A viewing history onto cards (historytexts.cpp): an export refused, a row
// left out, then a line a movie or card, and the count.
QString historyRefused(const QString &place, HistoryRead::Status status);
QString rowSkipped(const SkippedRow &row);
QString historyChanged(const QString &card, const QStringList &changes, bool dryRun);
QString historyUpToDate(const QString &card);
QString historyRatingKept(const QString &card, int kept, int given);
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
QString tableWithoutTitle(const QString &file);
QString columnsLeftOut(const QString &file, const QStringList &columns);
QString fieldsLeftOut(const QString &file, const QStringList &fields);
QString catalogueRefused(const QString &file, const CatalogueRead &read);
QString importSourcesClash();

// A card for people: one "Label : value" line per field, continued lines
// indented; the poster's size in bytes, and its format and pixels when known.
QString cardText(
    const QString &path, const CardValues &values, qint64 posterBytes, const PosterInfo &picture);

}   // namespace ToolText
