#include "tool/cardlisting.h"
#include "tool/commandline.h"
#include "tool/nfocards.h"
#include "tool/nfoplace.h"
#include "tool/tooltexts.h"

#include "card/cardsave.h"
#include "card/filepaths.h"
#include "card/nativepath.h"
#include "collection/movielibrary.h"
#include "nfo/nfoexport.h"
#include "nfo/nfowriter.h"

#include <QBuffer>

#include <algorithm>
#include <unistd.h>

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

// Where a card's export goes: beside the movie it plays; a card named alone,
// without a movie, beside itself. nullopt for a card found in a folder
// without a movie (no media centre would read it) or not named NAME.cfh (a
// copy beside it, "NAME.old", would write the same sidecar).
std::optional<NfoPlace> exportPlace(const QString &card, bool named, LibraryPlaces &library)
{
    if (!named && !card.endsWith(QLatin1String(".cfh"), Qt::CaseInsensitive))
        return std::nullopt;
    const QString movie = movieBesideCard(card);
    if (!movie.isEmpty())
        return library.placeOf(movie);
    return named ? std::optional(placeBeside(nfoBeside(card))) : std::nullopt;
}

// The poster's path at place, named after its real format; empty when the
// card has none to export (said in notes when it is no known picture).
QString posterTarget(const QString &card, const CardHead &head, const NfoPlace &place, QStringList &notes)
{
    if (head.posterBytes == 0 || place.posterStem.isEmpty())
        return {};
    const PosterInfo info = cardPosterInfo(card);
    if (info.format.isEmpty()) {
        notes << say(Say::PosterNotExported, card);
        return {};
    }
    return place.posterStem + QLatin1Char('.') + pictureExtension(info.format);
}

bool copyPoster(ToolIo &io, const QString &card, const QString &target, bool force)
{
    PosterDevice poster(card);
    if (!poster.open(QIODevice::ReadOnly)) {
        report(io, say(Say::Unreadable, card));
        return false;
    }
    return writeOutput(io, poster, target, linksFor(force));
}

// Writes the card's poster at place and removes the posters of ours it
// replaces; while a poster there is another's, none is written unless force.
// Returns the poster of ours that stands there then, which the NFO's mark
// records; nullopt, said on err, when it could not be written.
std::optional<WrittenPoster> exportPoster(ToolIo &io, const QString &card, const CardHead &head,
    const NfoPlace &place, const WrittenPoster &before, bool force, QStringList &notes)
{
    const QString target = posterTarget(card, head, place, notes);
    QStringList ours, others;
    for (const QString &poster : place.posters) {
        const StandingPoster standing = standingPoster(poster, before, card, head.posterBytes);
        if (standing == StandingPoster::Ours)
            ours << poster;
        else if (standing == StandingPoster::Others)
            others << poster;
    }
    if (!target.isEmpty() && !others.isEmpty() && !force) {
        report(io, say(Say::PosterKept, others.first()));
        return before;
    }
    if (!target.isEmpty() && !copyPoster(io, card, target, force))
        return std::nullopt;
    for (const QString &old : ours) {
        if (old != target)
            ::unlink(nativePath(old).constData());   // left behind, it would pass for another's
    }
    return target.isEmpty() ? WrittenPoster {} : writtenPoster(target);
}

enum class Exported { Written, Kept, Failed };

// Writes the NFO of the card at place, its poster beside it; an NFO that
// another program wrote is kept unless force, and so is its poster.
Exported exportNfo(ToolIo &io, const QString &card, const CardHead &head, const NfoPlace &place, bool force)
{
    if (!mayReplace(io, place.nfo))
        return Exported::Failed;
    const StandingNfo standing = standingNfo(place.nfo);
    if (!force && standing.owner == Owner::Others) {
        report(io, say(Say::NfoKept, place.nfo));
        return Exported::Kept;
    }
    QStringList notes;
    const auto poster = exportPoster(io, card, head, place, standing.poster, force, notes);
    if (!poster)
        return Exported::Failed;
    QList<NfoNote> movieNotes;
    const NfoMovie movie = movieOfCard(cardValues(head.card), movieNotes);
    for (const NfoNote &note : movieNotes)
        notes << ToolText::nfoNoteText(note);
    QBuffer nfo;
    nfo.open(QIODevice::ReadWrite);
    writeNfo(nfo, movie, ToolText::nfoMark(*poster));
    nfo.seek(0);
    if (!writeOutput(io, nfo, place.nfo, linksFor(force)))
        return Exported::Failed;
    reportNotes(io, place.nfo, notes);
    return Exported::Written;
}

// "nfo FICHE SORTIE": two arguments, a card and an output that is neither
// a folder nor a card; any other arguments are cards and folders.
bool namesOutput(const QStringList &places, bool recursive)
{
    if (recursive || places.size() != 2 || !fileExists(places[0]))
        return false;
    return !isFolder(places[1]) && readCardHead(places[1]).status != CardReadStatus::Ok;
}

int exportToOutput(ToolIo &io, const QString &card, const QString &out, bool force)
{
    const CardHead opened = readCardHead(card);
    if (opened.status != CardReadStatus::Ok)
        return cardFailed(io, card, opened.status);
    const Exported done = exportNfo(io, card, opened, placeBeside(out), force);
    return done == Exported::Failed ? ExitStatus::FileFailed : ExitStatus::Done;
}

// Exports every card of places; with a folder among them, ends with the count.
int exportPlaces(ToolIo &io, const QStringList &places, bool recursive, bool force)
{
    qsizetype written = 0, kept = 0, failed = 0;
    LibraryPlaces library;
    int status = readPlaces(io, places, { .recursive = recursive }, [&](const ScannedCard &card) {
        const auto place = exportPlace(card.path, places.contains(card.path), library);
        if (!place)
            return;
        switch (exportNfo(io, card.path, card.head, *place, force)) {
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
    if (fileExists(out) && !parser.isSet(force)) {
        report(io, say(Say::Exists, out));
        return ExitStatus::FileFailed;
    }
    const SaveResult saved = writeImportedCard(out, card->card, poster, linksFor(parser.isSet(force)));
    if (!saved.ok())
        return saveFailed(io, saved);
    for (const QString &note : card->notes)
        report(io, note);
    return ExitStatus::Done;
}
