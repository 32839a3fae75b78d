#include "tool/commandline.h"
#include "tool/fileimport.h"
#include "tool/nfocards.h"
#include "tool/tooltexts.h"

#include "collection/movielibrary.h"

#include <QFileInfo>

namespace {

// How many movies were seen, on one line of a terminal that each movie
// redraws; nothing when standard error is no terminal (a file, a pipe).
class Progress {
public:
    explicit Progress(ToolIo &io) : m_io(io), m_shown(io.err.isTerminal()) { }

    // Before anything else is written: the line goes, and what the movie
    // writes on standard output goes out at once, before it comes back.
    void hide()
    {
        if (m_onScreen)
            m_io.err.write("\r\33[K");
        m_onScreen = false;
    }

    void show(qsizetype movies)
    {
        if (!m_shown)
            return;
        m_io.out.flush();
        print(m_io.err, ToolText::importProgress(movies));
        m_onScreen = true;
    }

private:
    ToolIo &m_io;
    const bool m_shown;        // standard error is a terminal
    bool m_onScreen = false;   // the line stands there now
};

class LibraryImport {
public:
    LibraryImport(ToolIo &io, bool dryRun, bool force) : m_io(io), m_dryRun(dryRun), m_force(force) { }

    void library(const QString &root)
    {
        if (!isFolder(root)) {
            report(m_io, anythingAt(root) ? say(Say::NotFolder, root) : say(Say::Missing, root));
            m_status = ExitStatus::FileFailed;
            return;
        }
        walkLibrary(root,
            { .onMovie = [this](const LibraryMovie &movie) { seen(movie); },
                .onUnreadable =
                    [this](const QString &folder) {
                        m_progress.hide();
                        report(m_io, say(Say::Unreadable, folder));
                        m_status = ExitStatus::FileFailed;
                    } });
    }

    int finish()
    {
        m_progress.hide();
        printLine(m_io.out, ToolText::importCount(m_written, m_kept, m_failed, m_withoutNfo, m_dryRun));
        return m_failed > 0 ? ExitStatus::FileFailed : m_status;
    }

private:
    ToolIo &m_io;
    bool m_dryRun, m_force;
    Progress m_progress { m_io };
    qsizetype m_movies = 0, m_written = 0, m_kept = 0, m_failed = 0, m_withoutNfo = 0;
    int m_status = ExitStatus::Done;

    void seen(const LibraryMovie &movie)
    {
        m_progress.hide();
        if (movie.nfo.isEmpty()) {
            ++m_withoutNfo;
        } else if (anythingAt(movie.card()) && !m_force) {
            printLine(m_io.out, say(Say::CardKept, movie.card()));
            ++m_kept;
        } else if (importMovie(movie)) {
            ++m_written;
        } else {
            ++m_failed;
        }
        m_progress.show(++m_movies);
    }

    // The card of one movie, from its NFO and the poster beside it; false,
    // said on err, when it cannot be had or written.
    bool importMovie(const LibraryMovie &movie)
    {
        const QString nfo = movie.path(movie.nfo);
        const std::optional<NfoCard> card = cardFromNfo(m_io, nfo);
        if (!card)
            return false;
        QStringList pictures;
        for (const QString &name : movie.posters)
            pictures << movie.path(name);
        QStringList notes = card->notes;
        const QString poster = posterAmong(pictures, nfo, notes);
        if (!m_dryRun) {
            const SaveResult saved = writeImportedCard(movie.card(), card->card, poster, linksFor(m_force));
            if (!saved.ok()) {
                saveFailed(m_io, saved);
                return false;
            }
        }
        for (const QString &note : notes)
            report(m_io, ToolText::nfoNote(nfo, note));
        const QString posterName = poster.isEmpty() ? QString() : QFileInfo(poster).fileName();
        printLine(m_io.out, ToolText::cardImported(movie.card(), movie.nfo, posterName, m_dryRun));
        return true;
    }
};

}   // namespace

namespace {

// The file an option names the kind of (--csv, --tellico, --gcstar); nullopt
// for a library, and when two are named, which is said on err.
std::optional<std::optional<ImportSource>> chosenSource(ToolIo &io, const QCommandLineParser &parser)
{
    static const std::pair<const char *, ImportSource> kOptions[] = { { "csv", ImportSource::Table },
        { "tellico", ImportSource::Tellico }, { "gcstar", ImportSource::Gcstar } };
    std::optional<ImportSource> named;
    for (const auto &[option, source] : kOptions) {
        if (!parser.isSet(QString::fromLatin1(option)))
            continue;
        if (named) {
            usageError(io, QStringLiteral("import"), say(Say::ImportSourcesClash));
            return std::nullopt;
        }
        named = source;
    }
    return named;
}

}   // namespace

int runImport(const QStringList &args, ToolIo &io)
{
    QCommandLineParser parser;
    const QCommandLineOption dryRun(QStringLiteral("n"));
    const QCommandLineOption force(QStringLiteral("force"));
    parser.addOptions({ dryRun, force, QCommandLineOption(QStringLiteral("csv")),
        QCommandLineOption(QStringLiteral("tellico")), QCommandLineOption(QStringLiteral("gcstar")) });
    if (const auto status = parseCommand(parser, QStringLiteral("import"), args, io, 1, -1))
        return *status;
    const auto source = chosenSource(io, parser);
    if (!source)
        return ExitStatus::Usage;
    const QStringList places = parser.positionalArguments();
    if (*source && places.size() != 2)
        return usageError(io, QStringLiteral("import"), say(Say::ArgumentCount));
    if (*source)
        return importFile(io, **source, places[0], places[1], parser.isSet(dryRun), parser.isSet(force));
    LibraryImport import(io, parser.isSet(dryRun), parser.isSet(force));
    for (const QString &root : places)
        import.library(root);
    return import.finish();
}
