#include "exchange/historyexport.h"

#include "collection/csvreader.h"
#include "exchange/ziparchive.h"

#include <QBuffer>
#include <QDate>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

enum class ExportKind { Letterboxd, Imdb };

// The header's columns, found by name whatever their case.
class Columns {
public:
    explicit Columns(const QStringList &header)
    {
        for (qsizetype i = 0; i < header.size(); ++i)
            m_at.insert(header[i].trimmed().toCaseFolded(), i);
    }
    bool has(const QString &name) const { return m_at.contains(name.toCaseFolded()); }
    // The cell of the first column named, trimmed; empty when there is none.
    QString cell(const QStringList &row, std::initializer_list<QString> names) const
    {
        for (const QString &name : names) {
            if (const auto at = m_at.constFind(name.toCaseFolded()); at != m_at.cend())
                return row.value(*at).trimmed();
        }
        return {};
    }
    qsizetype count() const { return m_at.size(); }

private:
    QHash<QString, qsizetype> m_at;
};

std::optional<ExportKind> exportKind(const Columns &columns)
{
    if (columns.has(u"Letterboxd URI"_s) && columns.has(u"Name"_s))
        return ExportKind::Letterboxd;
    const bool letterboxdImport = columns.has(u"WatchedDate"_s) || columns.has(u"imdbID"_s)
        || columns.has(u"tmdbID"_s) || columns.has(u"LetterboxdURI"_s);
    if (columns.has(u"Title"_s) && letterboxdImport)
        return ExportKind::Letterboxd;
    if (columns.has(u"Const"_s) && columns.has(u"Title"_s))
        return ExportKind::Imdb;
    return std::nullopt;
}

// What makes a row be left out.
struct RowFault {
    SkippedRow::Cause cause;
    QString value;
};

// A date as an export writes it, its time dropped; nullopt for none of ours.
std::optional<QString> dateOf(const QString &text)
{
    const QString day = text.left(10);
    if (text.isEmpty() || (QDate::fromString(day, Qt::ISODate).isValid() && day.size() == 10))
        return day;
    return std::nullopt;
}

bool isYes(const QString &text)
{
    static const QStringList kYes { u"yes"_s, u"true"_s, u"1"_s, u"oui"_s };
    return kYes.contains(text.toCaseFolded());
}

QStringList tagsOf(const QString &text)
{
    QStringList tags;
    for (const QString &tag : text.split(u','))
        if (!tag.trimmed().isEmpty() && !tags.contains(tag.trimmed()))
            tags << tag.trimmed();
    return tags;
}

// The fields every export shares: title, year, identifier.
std::optional<RowFault> readMovie(const Columns &columns, const QStringList &row, HistoryEntry &entry)
{
    static const QRegularExpression imdbId(u"^tt[0-9]{1,12}$"_s), year(u"^[0-9]{4}$"_s);
    entry.title = columns.cell(row, { u"Name"_s, u"Title"_s });
    entry.originalTitle = columns.cell(row, { u"Original Title"_s });
    const QString yearText = columns.cell(row, { u"Year"_s });
    entry.imdb = columns.cell(row, { u"Const"_s, u"imdbID"_s });
    if (entry.title.isEmpty() && entry.originalTitle.isEmpty())
        return RowFault { SkippedRow::Cause::NoTitle, {} };
    if (!yearText.isEmpty() && !year.match(yearText).hasMatch())
        return RowFault { SkippedRow::Cause::BadYear, yearText };
    if (!entry.imdb.isEmpty() && !imdbId.match(entry.imdb).hasMatch())
        return RowFault { SkippedRow::Cause::BadIdentifier, entry.imdb };
    entry.year = yearText.toInt();
    return std::nullopt;
}

// A Letterboxd row: seen, perhaps on a day, rated 0.5 to 5 in half stars.
std::optional<RowFault> readLetterboxd(const Columns &columns, const QStringList &row, HistoryEntry &entry)
{
    const QString rating = columns.cell(row, { u"Rating"_s });
    bool number = false;
    const double stars = rating.toDouble(&number);
    if (!rating.isEmpty() && (!number || stars < 0.5 || stars > 5 || stars * 2 != std::floor(stars * 2)))
        return RowFault { SkippedRow::Cause::BadRating, rating };
    const QString watchedText = columns.cell(row, { u"Watched Date"_s, u"WatchedDate"_s });
    const auto watched = dateOf(watchedText);
    const auto logged = dateOf(columns.cell(row, { u"Date"_s }));
    if (!watched)
        return RowFault { SkippedRow::Cause::BadDate, watchedText };
    entry.seen = true;
    entry.rating = rating.isEmpty() ? 0 : int(stars * 2);
    entry.ratedOn = !watched->isEmpty() ? *watched : logged.value_or(QString());
    if (!watched->isEmpty())
        entry.viewings << *watched;
    if (!watched->isEmpty() && isYes(columns.cell(row, { u"Rewatch"_s })))
        entry.rewatches << *watched;
    entry.tags = tagsOf(columns.cell(row, { u"Tags"_s }));
    return std::nullopt;
}

// An IMDb row: a rating of 1 to 10 says the movie was seen, on the day it was rated at the latest.
std::optional<RowFault> readImdb(const Columns &columns, const QStringList &row, HistoryEntry &entry)
{
    const QString rating = columns.cell(row, { u"Your Rating"_s });
    bool number = false;
    const int value = rating.toInt(&number);
    if (!rating.isEmpty() && (!number || value < 1 || value > 10))
        return RowFault { SkippedRow::Cause::BadRating, rating };
    const QString ratedText = columns.cell(row, { u"Date Rated"_s });
    const auto rated = dateOf(ratedText);
    if (!rated)
        return RowFault { SkippedRow::Cause::BadDate, ratedText };
    entry.rating = rating.isEmpty() ? 0 : value;
    entry.seen = entry.rating != 0;
    entry.ratedOn = *rated;
    if (entry.seen)
        entry.viewingWhenNoneKnown = *rated;
    return std::nullopt;
}

void readRow(
    ExportKind kind, const Columns &columns, const CsvRow &row, const QString &name, HistoryRead &read)
{
    HistoryEntry entry { .file = name, .line = row.line };
    std::optional<RowFault> fault;
    if (row.broken || row.cells.size() > columns.count())
        fault = RowFault { SkippedRow::Cause::Unreadable, {} };
    else if (!(fault = readMovie(columns, row.cells, entry)))
        fault = kind == ExportKind::Letterboxd ? readLetterboxd(columns, row.cells, entry)
                                               : readImdb(columns, row.cells, entry);
    if (fault)
        read.skipped << SkippedRow { name, row.line, fault->cause, fault->value };
    else
        read.entries << entry;
}

// The tables of a Letterboxd export that tell what was seen; its watchlist does not.
const QStringList kLetterboxdTables { u"diary.csv"_s, u"ratings.csv"_s, u"watched.csv"_s, u"reviews.csv"_s };

HistoryRead readZip(const QByteArray &bytes, const QString &path)
{
    HistoryRead read;
    const ZipArchive zip(bytes);
    const QString name = QFileInfo(path).fileName();
    for (const QString &table : zip.status() == ZipStatus::Ok ? kLetterboxdTables : QStringList()) {
        if (!zip.names().contains(table))
            continue;
        ZipStatus why = ZipStatus::Ok;
        auto tableBytes = zip.read(table, why);
        if (!tableBytes)
            return { .status = HistoryRead::Status::ZipDamaged, .place = path + u':' + table };
        QBuffer in(&*tableBytes);
        in.open(QIODevice::ReadOnly);
        HistoryRead one = readHistoryTable(in, path + u':' + table);
        if (one.status != HistoryRead::Status::Ok)
            return one;
        read.entries << one.entries;
        read.skipped << one.skipped;
    }
    if (zip.status() == ZipStatus::TooLarge)
        return { .status = HistoryRead::Status::ZipTooLarge, .place = path };
    if (zip.status() != ZipStatus::Ok)
        return { .status = HistoryRead::Status::ZipDamaged, .place = path };
    if (read.entries.isEmpty() && read.skipped.isEmpty() && !zip.names().contains(kLetterboxdTables.first()))
        return { .status = HistoryRead::Status::NotHistory, .place = path };
    return read;
}

}   // namespace

HistoryRead readHistoryTable(QIODevice &in, const QString &name)
{
    CsvReader reader(in);
    const auto header = reader.next();
    const Columns columns(header ? header->cells : QStringList());
    const auto kind = header && !header->broken ? exportKind(columns) : std::nullopt;
    // A watchlist has the header of the movies seen, but is none of them.
    if (!kind || QFileInfo(name).fileName() == u"watchlist.csv")
        return { .status = HistoryRead::Status::NotHistory, .place = name };
    HistoryRead read;
    while (const auto row = reader.next())
        readRow(*kind, columns, *row, name, read);
    if (reader.readFailed())
        return { .status = HistoryRead::Status::Unreadable, .place = name };
    return read;
}

HistoryRead readHistoryFile(const QString &path)
{
    QFile file;
    switch (openExchangeFile(file, path)) {
    case ExchangeFileStatus::Unreadable:
        return { .status = HistoryRead::Status::Unreadable, .place = path };
    case ExchangeFileStatus::TooLarge:
        return { .status = HistoryRead::Status::TooLarge, .place = path };
    case ExchangeFileStatus::Ok:
        break;
    }
    if (looksLikeZip(file.peek(4)))
        return readZip(file.readAll(), path);
    return readHistoryTable(file, path);
}

HistoryExports readHistoryExports(const QStringList &paths)
{
    HistoryExports exports;
    for (const QString &path : paths) {
        HistoryRead read = readHistoryFile(path);
        if (read.status != HistoryRead::Status::Ok) {
            exports.refused << read;
            continue;
        }
        exports.entries << read.entries;
        exports.skipped << read.skipped;
    }
    return exports;
}
