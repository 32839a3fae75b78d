#include "tool/commandline.h"
#include "tool/nfo.h"
#include "tool/nfoimport.h"
#include "tool/tooltexts.h"

#include "app/common.h"
#include "card/cardsave.h"
#include "card/nativepath.h"

#include <QBuffer>
#include <QFileInfo>

#include <cstdlib>

namespace {

void reportNotes(ToolIo &io, const QStringList &notes)
{
    for (const QString &note : notes)
        report(io, note);
}

// The NFO beside the card: its name with ".nfo" for ".cfh".
QString nfoBeside(const QString &card)
{
    const QString suffix = QStringLiteral(".cfh");
    return (card.endsWith(suffix, Qt::CaseInsensitive) ? card.chopped(suffix.size()) : card)
        + QStringLiteral(".nfo");
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

// The folder that holds path once every link is followed; empty when
// there is none.
QByteArray realFolder(const QString &path)
{
    char *real = ::realpath(nativePath(path).constData(), nullptr);
    const QByteArray resolved(real);
    std::free(real);
    return resolved.left(std::max<qsizetype>(0, resolved.lastIndexOf('/')));
}

// A poster beside an NFO that is a link to a file elsewhere: a downloaded
// NFO must not reach into the user's own pictures.
bool leavesFolder(const QString &beside, const QString &nfoPath)
{
    const QByteArray folder = realFolder(beside);
    return folder.isEmpty() || folder != realFolder(nfoPath);
}

// The poster of a new card from an NFO: the one given, else NAME-poster.EXT
// beside the NFO when it is a picture. Empty when there is none; false, said
// on err, when the one given cannot be a poster.
bool importedPoster(
    ToolIo &io, const QString &given, const QString &nfoPath, QString &poster, QStringList &notes)
{
    if (!given.isEmpty()) {
        const auto problem = posterProblem(given);
        if (problem)
            report(io, *problem);
        poster = given;
        return !problem;
    }
    for (const char *extension : { "jpg", "jpeg", "png", "gif", "bmp", "webp", "tif", "tiff" }) {
        const QString beside = posterBesideNfo(nfoPath, QString::fromLatin1(extension));
        if (!FileExists(beside))
            continue;
        if (leavesFolder(beside, nfoPath))
            notes << ToolText::linkOutOfFolder(beside);
        else if (const auto problem = posterProblem(beside))
            notes << *problem;
        else
            poster = beside;
        return true;
    }
    return true;
}

// The movie of the NFO at path; nullopt, said on err, when it is none.
std::optional<NfoMovie> readMovie(ToolIo &io, const QString &path)
{
    QFile file;
    if (!FileExists(path) || !openForReading(file, path)) {
        report(io, FileExists(path) ? ToolText::unreadable(path) : ToolText::missing(path));
        return std::nullopt;
    }
    const NfoRead read = readNfo(file);
    switch (read.status) {
    case NfoStatus::Ok:
        return read.movie;
    case NfoStatus::NotMovie:
        report(io, ToolText::nfoNotMovie(path));
        return std::nullopt;
    case NfoStatus::TooLarge:
        report(io, ToolText::nfoTooLarge(path, kMaxNfoBytes));
        return std::nullopt;
    default:
        report(io, ToolText::nfoUnreadable(path, read.line, read.error));
        return std::nullopt;
    }
}

}   // namespace

int runNfo(const QStringList &args, ToolIo &io)
{
    QCommandLineParser parser;
    const QCommandLineOption force(QStringLiteral("force"));
    parser.addOption(force);
    if (const auto status = parseCommand(parser, QStringLiteral("nfo"), args, io, 1, 2))
        return *status;
    const LinkAtPath links = linksFor(parser.isSet(force));
    const QString card = parser.positionalArguments().at(0);
    const QString out = parser.positionalArguments().value(1, nfoBeside(card));
    const CardHead opened = readCardHead(card);
    if (opened.status != CardReadStatus::Ok)
        return cardFailed(io, card, opened.status);
    QStringList notes;
    QBuffer nfo;
    nfo.open(QIODevice::ReadWrite);
    writeNfo(nfo, cardValues(opened.record), notes);
    nfo.seek(0);
    if (!mayReplace(io, out) || (opened.posterBytes > 0 && !exportPoster(io, card, out, links, notes))
        || !writeOutput(io, nfo, out, links))
        return ExitStatus::FileFailed;
    reportNotes(io, notes);
    return ExitStatus::Done;
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
    const auto movie = readMovie(io, nfoPath);
    if (!movie)
        return ExitStatus::FileFailed;
    NfoImport imported = importMovie(*movie);
    if (imported.values.titre.isEmpty()) {
        report(io, ToolText::nfoNoTitle(nfoPath));
        return ExitStatus::FileFailed;
    }
    CardRecord record;
    QString poster;
    if (!applyEdits(io, record, editsOf(imported.values))
        || !importedPoster(io, parser.value(posterOption), nfoPath, poster, imported.notes))
        return ExitStatus::FileFailed;
    if (FileExists(out) && !parser.isSet(force)) {
        report(io, ToolText::exists(out));
        return ExitStatus::FileFailed;
    }
    const SaveResult saved = writeWholeCard(out, record, poster, linksFor(parser.isSet(force)));
    if (!saved.ok())
        return saveFailed(io, saved);
    reportNotes(io, imported.notes);
    return ExitStatus::Done;
}
