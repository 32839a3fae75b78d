#include "tool/tooltexts.h"

namespace {

QString counted(qsizetype count, Say one, Say many)
{
    return QStringLiteral("%1 %2").arg(QString::number(count), toolText(count < 2 ? one : many));
}

// Where a row of an export stands: "diary.csv, ligne 3".
QString rowPlace(const QString &file, qint64 line)
{
    return say(Say::RowPlace, file, line);
}

// A movie of an export as the user finds it there: « Title » (year) tt…, file and line.
QString movieOf(const HistoryEntry &movie)
{
    QString text = QStringLiteral("« %1 »").arg(movie.title.isEmpty() ? movie.originalTitle : movie.title);
    if (movie.year != 0)
        text += QStringLiteral(" (%1)").arg(movie.year);
    if (!movie.imdb.isEmpty())
        text += QLatin1Char(' ') + movie.imdb;
    return text + QStringLiteral(" [") + rowPlace(movie.file, movie.line) + QLatin1Char(']');
}

}   // namespace

QString ToolText::historyRefused(const QString &place, HistoryRead::Status status)
{
    switch (status) {
    case HistoryRead::Status::TooLarge:
        return say(Say::HistoryTooLarge, place, kMostExchangeBytes >> 20);
    case HistoryRead::Status::NotHistory:
        return say(Say::NotHistory, place);
    case HistoryRead::Status::ZipTooLarge:
        return say(Say::ZipTooLarge, place);
    case HistoryRead::Status::ZipDamaged:
        return say(Say::ZipDamaged, place);
    case HistoryRead::Status::Ok:
    case HistoryRead::Status::Unreadable:
        break;
    }
    return say(Say::Unreadable, place);
}

QString ToolText::rowSkipped(const SkippedRow &row)
{
    const QString value = QStringLiteral("« %1 »").arg(row.value);
    QString cause;
    switch (row.cause) {
    case SkippedRow::Cause::Unreadable:
        cause = say(Say::RowUnreadable);
        break;
    case SkippedRow::Cause::NoTitle:
        cause = say(Say::RowNoTitle);
        break;
    case SkippedRow::Cause::BadYear:
        cause = say(Say::RowBadYear, value);
        break;
    case SkippedRow::Cause::BadRating:
        cause = say(Say::RowBadRating, value);
        break;
    case SkippedRow::Cause::BadDate:
        cause = say(Say::RowBadDate, value);
        break;
    case SkippedRow::Cause::BadIdentifier:
        cause = say(Say::RowBadIdentifier, value);
        break;
    }
    return say(Say::RowSkipped, rowPlace(row.file, row.line), cause);
}

QString ToolText::historyChanged(const QString &card, const QStringList &changes, bool dryRun)
{
    return say(
        dryRun ? Say::HistoryToChange : Say::HistoryChanged, card, changes.join(QStringLiteral(" ; ")));
}

QString ToolText::historyUpToDate(const QString &card)
{
    return say(Say::HistoryUpToDate, card);
}

QString ToolText::historyAmbiguousMovie(const HistoryEntry &movie, const QStringList &cards)
{
    return say(Say::AmbiguousMovie, movieOf(movie), cards.join(QStringLiteral(" ; ")));
}

QString ToolText::historyAmbiguousCard(const QString &card, const QList<HistoryEntry> &movies)
{
    QStringList names;
    for (const HistoryEntry &movie : movies)
        names << movieOf(movie);
    return say(Say::AmbiguousCard, card, names.join(QStringLiteral(" ; ")));
}

QString ToolText::historyNotFound(const HistoryEntry &movie)
{
    return say(Say::NotFound, movieOf(movie));
}

QString ToolText::historyCount(const HistoryCounts &counts, bool dryRun)
{
    const QString changed = dryRun ? counted(counts.changed, Say::CardToChangeOne, Say::CardToChangeMany)
                                   : counted(counts.changed, Say::CardChangedOne, Say::CardChangedMany);
    QString text = say(dryRun ? Say::HistoryTrialCount : Say::HistoryCount, changed,
        counted(counts.upToDate, Say::UpToDate, Say::UpToDate),
        counted(counts.ambiguous, Say::MovieAmbiguousOne, Say::MovieAmbiguousMany),
        counted(counts.notFound, Say::MovieNotFoundOne, Say::MovieNotFoundMany));
    if (counts.failed > 0)
        text += say(Say::FailedAfter, counted(counts.failed, Say::Failed, Say::Failed));
    return text;
}
