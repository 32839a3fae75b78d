#include "tool/tooltexts.h"

namespace {

QString counted(qsizetype count, const QString &one, const QString &many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count < 2 ? one : many);
}

// Where a row of an export stands: "diary.csv, ligne 3".
QString rowPlace(const QString &file, qint64 line)
{
    return QStringLiteral("%1, ligne %2").arg(file).arg(line);
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
        return place + QStringLiteral(" : fichier de plus de %1 Mo, refusé").arg(kMostExchangeBytes >> 20);
    case HistoryRead::Status::NotHistory:
        return place
            + QStringLiteral(" : ni un export de Letterboxd ni un export d'IMDb (en-tête inconnu), refusé");
    case HistoryRead::Status::ZipTooLarge:
        return place + QStringLiteral(" : archive zip trop grande une fois décompressée, refusée");
    case HistoryRead::Status::ZipDamaged:
        return place + QStringLiteral(" : archive zip endommagée");
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
        cause = QStringLiteral("ligne illisible (guillemets ou nombre de cellules)");
        break;
    case SkippedRow::Cause::NoTitle:
        cause = QStringLiteral("pas de titre");
        break;
    case SkippedRow::Cause::BadYear:
        cause = QStringLiteral("année %1 incorrecte").arg(value);
        break;
    case SkippedRow::Cause::BadRating:
        cause = QStringLiteral("note %1 incorrecte").arg(value);
        break;
    case SkippedRow::Cause::BadDate:
        cause = QStringLiteral("date %1 incorrecte").arg(value);
        break;
    case SkippedRow::Cause::BadIdentifier:
        cause = QStringLiteral("identifiant IMDb %1 incorrect").arg(value);
        break;
    }
    return rowPlace(row.file, row.line) + QStringLiteral(" : ") + cause + QStringLiteral(" ; ligne ignorée");
}

QString ToolText::historyChanged(const QString &card, const QStringList &changes, bool dryRun)
{
    return (dryRun ? QStringLiteral("à changer : ") : QStringLiteral("changée : ")) + card
        + QStringLiteral(" : ") + changes.join(QStringLiteral(" ; "));
}

QString ToolText::historyUpToDate(const QString &card)
{
    return QStringLiteral("à jour : ") + card;
}

QString ToolText::historyAmbiguousMovie(const HistoryEntry &movie, const QStringList &cards)
{
    return QStringLiteral("ambigu : ") + movieOf(movie) + QStringLiteral(" : plusieurs fiches : ")
        + cards.join(QStringLiteral(" ; "));
}

QString ToolText::historyAmbiguousCard(const QString &card, const QList<HistoryEntry> &movies)
{
    QStringList names;
    for (const HistoryEntry &movie : movies)
        names << movieOf(movie);
    return QStringLiteral("ambigu : ") + card + QStringLiteral(" : plusieurs films : ")
        + names.join(QStringLiteral(" ; "));
}

QString ToolText::historyNotFound(const HistoryEntry &movie)
{
    return QStringLiteral("introuvable : ") + movieOf(movie);
}

QString ToolText::historyCount(const HistoryCounts &counts, bool dryRun)
{
    const QString changed = dryRun
        ? counted(counts.changed, QStringLiteral("fiche à changer"), QStringLiteral("fiches à changer"))
        : counted(counts.changed, QStringLiteral("fiche changée"), QStringLiteral("fiches changées"));
    QString text
        = (dryRun ? QStringLiteral("history, essai sans rien écrire : ") : QStringLiteral("history : "))
        + changed + QStringLiteral(", ")
        + counted(counts.upToDate, QStringLiteral("à jour"), QStringLiteral("à jour")) + QStringLiteral(", ")
        + counted(counts.ambiguous, QStringLiteral("film ambigu"), QStringLiteral("films ambigus"))
        + QStringLiteral(", ")
        + counted(counts.notFound, QStringLiteral("film introuvable"), QStringLiteral("films introuvables"));
    if (counts.failed > 0)
        text += QStringLiteral(", ")
            + counted(counts.failed, QStringLiteral("en échec"), QStringLiteral("en échec"));
    return text;
}
