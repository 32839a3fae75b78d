#include "tool/cardlisting.h"
#include "tool/commandline.h"
#include "tool/nfo.h"
#include "tool/nfocards.h"
#include "tool/tooltexts.h"

#include "app/common.h"
#include "card/cardsave.h"
#include "card/nativepath.h"
#include "collection/movielibrary.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>
#include <sys/stat.h>

namespace {

const QString kNfo = QStringLiteral("nfo");

void reportNotes(ToolIo &io, const QString &file, const QStringList &notes)
{
    for (const QString &note : notes)
        report(io, ToolText::nfoNote(file, note));
}

// The NFO beside the card: its name with ".nfo" for ".cfh".
QString nfoBeside(const QString &card)
{
    const QString suffix = QStringLiteral(".cfh");
    return (card.endsWith(suffix, Qt::CaseInsensitive) ? card.chopped(suffix.size()) : card)
        + QStringLiteral(".nfo");
}

// The sidecar of a card: NAME.nfo beside the movie it plays; a card named
// alone, without a movie, gets its own name. Empty for a card found in a
// folder without a movie (no media centre would read it) or not named
// NAME.cfh (a copy beside it, "NAME.old", would write the same sidecar).
QString sidecarOf(const QString &card, bool named)
{
    if (!named && !card.endsWith(QLatin1String(".cfh"), Qt::CaseInsensitive))
        return {};
    const QString movie = movieBesideCard(card);
    if (!movie.isEmpty())
        return withoutExtension(movie) + QStringLiteral(".nfo");
    return named ? nfoBeside(card) : QString();
}

// A file at path that another program wrote: a regular file without this
// tool's mark (one that cannot be read counts as another's). A link or a
// device is left to the writer's own rules.
bool isOthersNfo(const QString &path)
{
    struct stat info { };
    if (::lstat(nativePath(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    QFile file;
    return !openForReading(file, path) || !hasOwnMark(file);
}

// Writes the card's poster beside the NFO, named after its real format; a
// poster that is no known picture stays out, said in notes.
bool exportPoster(
    ToolIo &io, const QString &card, const QString &nfoPath, LinkAtPath links, QStringList &notes)
{
    const PosterInfo info = cardPosterInfo(card);
    if (info.format.isEmpty()) {
        notes << ToolText::posterNotExported(card);
        return true;
    }
    PosterDevice poster(card);
    if (!poster.open(QIODevice::ReadOnly)) {
        report(io, ToolText::unreadable(card));
        return false;
    }
    return writeOutput(io, poster, posterBesideNfo(nfoPath, pictureExtension(info.format)), links);
}

enum class Exported { Written, Kept, Failed };

// Writes the NFO of the card at out, its poster beside it; an NFO that
// another program wrote is kept unless force.
Exported exportNfo(ToolIo &io, const QString &card, const CardHead &head, const QString &out, bool force)
{
    if (!mayReplace(io, out))
        return Exported::Failed;
    if (!force && isOthersNfo(out)) {
        report(io, ToolText::nfoKept(out));
        return Exported::Kept;
    }
    QStringList notes;
    QBuffer nfo;
    nfo.open(QIODevice::ReadWrite);
    writeNfo(nfo, cardValues(head.record), notes);
    nfo.seek(0);
    const LinkAtPath links = linksFor(force);
    if ((head.posterBytes > 0 && !exportPoster(io, card, out, links, notes))
        || !writeOutput(io, nfo, out, links))
        return Exported::Failed;
    reportNotes(io, out, notes);
    return Exported::Written;
}

// "nfo FICHE SORTIE": two arguments, a card and an output that is neither
// a folder nor a card; any other arguments are cards and folders.
bool namesOutput(const QStringList &places, bool recursive)
{
    if (recursive || places.size() != 2 || !FileExists(places[0]))
        return false;
    return !isFolder(places[1]) && readCardHead(places[1]).status != CardReadStatus::Ok;
}

int exportToOutput(ToolIo &io, const QString &card, const QString &out, bool force)
{
    const CardHead opened = readCardHead(card);
    if (opened.status != CardReadStatus::Ok)
        return cardFailed(io, card, opened.status);
    const Exported done = exportNfo(io, card, opened, out, force);
    return done == Exported::Failed ? ExitStatus::FileFailed : ExitStatus::Done;
}

// Exports every card of places; with a folder among them, ends with the count.
int exportPlaces(ToolIo &io, const QStringList &places, bool recursive, bool force)
{
    qsizetype written = 0, kept = 0, failed = 0;
    int status = readPlaces(io, places, { .recursive = recursive }, [&](const ScannedCard &card) {
        const QString out = sidecarOf(card.path, places.contains(card.path));
        if (out.isEmpty())
            return;
        switch (exportNfo(io, card.path, card.head, out, force)) {
        case Exported::Written:
            ++written;
            break;
        case Exported::Kept:
            ++kept;
            break;
        case Exported::Failed:
            ++failed;
            break;
        }
    });
    if (std::any_of(places.cbegin(), places.cend(), isFolder))
        printLine(io.out, ToolText::nfoCount(written, kept, failed));
    return failed > 0 ? ExitStatus::FileFailed : status;
}

}   // namespace

int runNfo(const QStringList &args, ToolIo &io)
{
    QCommandLineParser parser;
    const QCommandLineOption force(QStringLiteral("force"));
    const QCommandLineOption recursive = recursiveOption();
    parser.addOptions({ force, recursive });
    if (const auto status = parseCommand(parser, kNfo, args, io, 1, -1))
        return *status;
    const QStringList places = parser.positionalArguments();
    if (namesOutput(places, parser.isSet(recursive)))
        return exportToOutput(io, places[0], places[1], parser.isSet(force));
    return exportPlaces(io, places, parser.isSet(recursive), parser.isSet(force));
}

int runFromNfo(const QStringList &args, ToolIo &io)
{
    QCommandLineParser parser;
    const QCommandLineOption posterOption(QStringLiteral("poster"), QString(), QStringLiteral("image"));
    const QCommandLineOption force(QStringLiteral("force"));
    parser.addOptions({ posterOption, force });
    if (const auto status = parseCommand(parser, QStringLiteral("from-nfo"), args, io, 2, 2))
        return *status;
    const QString nfoPath = parser.positionalArguments().at(0);
    const QString out = parser.positionalArguments().at(1);
    auto card = cardFromNfo(io, nfoPath);
    if (!card)
        return ExitStatus::FileFailed;
    const QString given = parser.value(posterOption);
    if (const auto problem = given.isEmpty() ? std::nullopt : posterProblem(given)) {
        report(io, *problem);
        return ExitStatus::FileFailed;
    }
    const QString poster
        = given.isEmpty() ? posterAmong(postersBesideNfo(nfoPath), nfoPath, card->notes) : given;
    if (FileExists(out) && !parser.isSet(force)) {
        report(io, ToolText::exists(out));
        return ExitStatus::FileFailed;
    }
    const SaveResult saved = writeImportedCard(out, card->record, poster, linksFor(parser.isSet(force)));
    if (!saved.ok())
        return saveFailed(io, saved);
    for (const QString &note : card->notes)
        report(io, note);
    return ExitStatus::Done;
}
