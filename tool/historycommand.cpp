#include "tool/cardjsonwriter.h"
#include "tool/cardlisting.h"
#include "tool/commandline.h"
#include "tool/tooltexts.h"

#include "collection/historyapply.h"
#include "exchange/historyexport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

#include <algorithm>

namespace {

const QString kHistory = QStringLiteral("history");

struct HistoryOptions {
    bool dryRun = false, json = false, replace = false;
};

// An edit as set takes it: "note=9", "vu_le+=2024-01-05,2024-02-01".
QString editText(const CardEdit &edit)
{
    const QString value = holdsList(edit.field) ? edit.list.join(QLatin1Char(',')) : edit.text;
    return fieldName(edit.field) + (edit.op == CardEdit::Op::Add ? QStringLiteral("+=") : QStringLiteral("="))
        + value;
}

// QJsonDocument writes a file name's byte that is no UTF-8 (a lone
// surrogate) as U+FFFD: such a name goes in as a mark of its own, which
// the name's own JSON replaces once the document is written.
class NameMarks {
public:
    QJsonValue name(const QString &path)
    {
        if (QStringView(path).isValidUtf16())
            return path;
        m_names << path;
        return mark(m_names.size() - 1);
    }

    QJsonArray names(const QStringList &paths)
    {
        QJsonArray array;
        for (const QString &path : paths)
            array << name(path);
        return array;
    }

    QByteArray filled(QByteArray json) const
    {
        for (qsizetype i = 0; i < m_names.size(); ++i)
            json.replace(jsonString(mark(i)), jsonString(m_names[i]));
        return json;
    }

private:
    const QString m_nonce = QUuid::createUuid().toString(QUuid::WithoutBraces);
    QStringList m_names;
    QString mark(qsizetype index) const { return m_nonce + u'-' + QString::number(index); }
};

QJsonObject movieJson(const HistoryEntry &movie, NameMarks &marks)
{
    // Blank is null, as in show --json.
    const auto text = [](const QString &value) { return value.isEmpty() ? QJsonValue() : QJsonValue(value); };
    return { { QStringLiteral("titre"), text(movie.title) },
        { QStringLiteral("titre_original"), text(movie.originalTitle) },
        { QStringLiteral("annee"), movie.year == 0 ? QJsonValue() : QJsonValue(movie.year) },
        { QStringLiteral("imdb"), text(movie.imdb) }, { QStringLiteral("fichier"), marks.name(movie.file) },
        { QStringLiteral("ligne"), movie.line } };
}

// A match as JSON: the movie, the cards, and what the card gains.
QJsonObject matchJson(const HistoryMatch &match, NameMarks &marks)
{
    QJsonObject object = movieJson(match.movie, marks);
    object.insert(QStringLiteral("fiches"), marks.names(match.cards));
    QJsonObject changes;
    for (const CardEdit &edit : match.gains.edits)
        changes.insert(fieldName(edit.field),
            holdsList(edit.field) ? QJsonValue(QJsonArray::fromStringList(edit.list))
                                  : QJsonValue(edit.text));
    if (match.outcome == HistoryMatch::Outcome::Changed)
        object.insert(QStringLiteral("changements"), changes);
    if (match.gains.keptRating != 0)
        object.insert(QStringLiteral("note_de_l_export"), match.gains.keptRating);
    QJsonArray others;
    for (const HistoryEntry &other : match.others)
        others << movieJson(other, marks);
    if (!others.isEmpty())
        object.insert(QStringLiteral("autres_films"), others);
    return object;
}

// The lines of the report: changes first, then the cards up to date, the
// ambiguous and the movies not found, each in the exports' order.
class HistoryReport {
public:
    HistoryReport(ToolIo &io, const HistoryOptions &options) : m_io(io), m_options(options) { }

    // The matches to say, and how many cards could not be written: a long
    // history's matches are taken, not copied.
    void take(QList<HistoryMatch> &&matches, qsizetype failed)
    {
        m_matches = std::move(matches);
        m_counts.failed += failed;
    }

    void skipped(const SkippedRow &row) { m_skipped << row; }

    void print()
    {
        std::stable_sort(m_matches.begin(), m_matches.end(),
            [](const HistoryMatch &a, const HistoryMatch &b) { return a.outcome < b.outcome; });
        for (const HistoryMatch &match : m_matches)
            count(match);
        if (m_options.json)
            printJson();
        else
            printText();
    }

private:
    ToolIo &m_io;
    HistoryOptions m_options;
    QList<HistoryMatch> m_matches;
    QList<SkippedRow> m_skipped;
    ToolText::HistoryCounts m_counts;

    void count(const HistoryMatch &match)
    {
        switch (match.outcome) {
        case HistoryMatch::Outcome::Changed:
            ++m_counts.changed;
            break;
        case HistoryMatch::Outcome::UpToDate:
            ++m_counts.upToDate;
            break;
        case HistoryMatch::Outcome::Ambiguous:
            ++m_counts.ambiguous;
            break;
        case HistoryMatch::Outcome::NotFound:
            ++m_counts.notFound;
            break;
        }
    }

    void printText()
    {
        for (const HistoryMatch &match : m_matches) {
            for (const QString &line : lines(match))
                printLine(m_io.out, line);
        }
        printLine(m_io.out, ToolText::historyCount(m_counts, m_options.dryRun));
    }

    QStringList lines(const HistoryMatch &match) const
    {
        const QString card = match.cards.value(0);
        QStringList lines;
        switch (match.outcome) {
        case HistoryMatch::Outcome::Changed: {
            QStringList changes;
            for (const CardEdit &edit : match.gains.edits)
                changes << editText(edit);
            lines << ToolText::historyChanged(card, changes, m_options.dryRun);
            break;
        }
        case HistoryMatch::Outcome::UpToDate:
            lines << ToolText::historyUpToDate(card);
            break;
        case HistoryMatch::Outcome::Ambiguous:
            lines << (match.others.isEmpty() ? ToolText::historyAmbiguousMovie(match.movie, match.cards)
                                             : ToolText::historyAmbiguousCard(
                                                 card, QList<HistoryEntry> { match.movie } + match.others));
            break;
        case HistoryMatch::Outcome::NotFound:
            lines << ToolText::historyNotFound(match.movie);
            break;
        }
        if (match.gains.keptRating != 0)
            lines << say(Say::HistoryRatingKept, card, match.gains.cardRating, match.gains.keptRating);
        return lines;
    }

    void printJson()
    {
        static const char *const kGroups[]
            = { "changees", "a_jour", "ambigus", "introuvables" };   // in Outcome's order
        QJsonObject report;
        NameMarks marks;
        QJsonArray groups[std::size(kGroups)];
        for (const HistoryMatch &match : m_matches)
            groups[int(match.outcome)] << matchJson(match, marks);
        for (size_t i = 0; i < std::size(kGroups); ++i)
            report.insert(QString::fromLatin1(kGroups[i]), groups[i]);
        QJsonArray skipped;
        for (const SkippedRow &row : m_skipped)
            skipped << QJsonObject { { QStringLiteral("fichier"), marks.name(row.file) },
                { QStringLiteral("ligne"), row.line },
                { QStringLiteral("cause"), ToolText::rowSkipped(row) } };
        report.insert(QStringLiteral("lignes_ignorees"), skipped);
        report.insert(QStringLiteral("en_echec"), m_counts.failed);
        report.insert(QStringLiteral("essai"), m_options.dryRun);
        m_io.out.write(marks.filled(QJsonDocument(report).toJson()));
    }
};

// Writes what each card gains; false, said on err, when it could not be written.
bool applyMatch(ToolIo &io, HistoryMatch &match, bool replace)
{
    const HistoryApplied applied = applyHistoryMatch(match, replace);
    for (const FieldProblem &problem : applied.refused)
        report(io, match.cards.value(0) + QStringLiteral(" : ") + ToolText::fieldProblem(problem));
    if (applied.saved.status == SaveStatus::Cancelled)   // another writer gave it all meanwhile
        match.outcome = HistoryMatch::Outcome::UpToDate;
    else if (!applied.saved.ok())
        saveFailed(io, applied.saved);
    return applied.saved.ok() || applied.saved.status == SaveStatus::Cancelled;
}

int runOnCards(
    ToolIo &io, const HistoryExports &exports, const QStringList &folders, const HistoryOptions &options)
{
    QList<HistoryCard> cards;
    const CardScan scan { .recursive = true, .fileFacts = false };
    int status = readPlaces(io, folders, scan,
        [&cards](const ScannedCard &card) { cards << historyCard(card.path, cardValues(card.head.card)); });
    HistoryReport report(io, options);
    for (const SkippedRow &row : exports.skipped)
        report.skipped(row);
    QList<HistoryMatch> matches = matchHistory(exports.entries, cards, options.replace);
    cards.clear();
    // Those that failed are counted alone, the others kept in place.
    qsizetype kept = 0;
    for (qsizetype m = 0; m < matches.size(); ++m) {
        HistoryMatch &match = matches[m];
        if (match.outcome == HistoryMatch::Outcome::Changed && !options.dryRun
            && !applyMatch(io, match, options.replace))
            continue;
        if (kept != m)
            matches[kept] = std::move(match);
        ++kept;
    }
    const qsizetype failed = matches.size() - kept;
    if (failed > 0)
        status = ExitStatus::FileFailed;
    matches.resize(kept);
    report.take(std::move(matches), failed);
    report.print();
    return status;
}

}   // namespace

int runHistory(const QStringList &args, ToolIo &io)
{
    const qsizetype dashes = args.indexOf(QStringLiteral("--"));
    QCommandLineParser parser;
    const QCommandLineOption dryRun(QStringLiteral("n"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption replace(QStringLiteral("remplacer"));
    parser.addOptions({ dryRun, json, replace });
    if (const auto status = parseCommand(parser, kHistory, args.mid(0, dashes), io, 1, -1))
        return *status;
    const QStringList folders = dashes < 0 ? QStringList() : args.mid(dashes + 1);
    if (folders.isEmpty())
        return usageError(io, kHistory, say(Say::HistoryFoldersAfterDashes));
    const HistoryExports exports = readHistoryExports(parser.positionalArguments());
    for (const HistoryRead &refused : exports.refused) {
        report(io,
            refused.status == HistoryRead::Status::Unreadable
                ? unreadableFile(refused.place)
                : ToolText::historyRefused(refused.place, refused.status));
    }
    if (!exports.refused.isEmpty())
        return ExitStatus::FileFailed;
    for (const SkippedRow &row : exports.skipped)
        report(io, ToolText::rowSkipped(row));
    return runOnCards(io, exports, folders,
        { .dryRun = parser.isSet(dryRun), .json = parser.isSet(json), .replace = parser.isSet(replace) });
}
