#include "tool/commandline.h"
#include "tool/nfocards.h"
#include "tool/tooltexts.h"

#include "collection/movielibrary.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFileDevice>
#include <QFileInfo>

#include <unistd.h>

namespace {

// How many movies were seen, on one line of a terminal that each movie
// redraws; nothing when standard error is no terminal (a file, a pipe).
class Progress {
public:
    explicit Progress(ToolIo &io) : m_io(io)
    {
        const auto *err = qobject_cast<QFileDevice *>(&io.err);
        m_shown = err != nullptr && ::isatty(err->handle()) == 1;
    }

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
        if (auto *out = qobject_cast<QFileDevice *>(&m_io.out))
            out->flush();
        print(m_io.err, ToolText::importProgress(movies));
        m_onScreen = true;
    }

private:
    ToolIo &m_io;
    bool m_shown = false;      // standard error is a terminal
    bool m_onScreen = false;   // the line stands there now
};

// Cards written but not yet named, few enough that their files stay open
// and their bytes in memory, enough that one wait for the disk serves many.
constexpr qsizetype kBatchCards = 32;

class LibraryImport {
public:
    LibraryImport(ToolIo &io, bool dryRun, bool force) : m_io(io), m_dryRun(dryRun), m_force(force) { }

    void library(const QString &root)
    {
        if (!isFolder(root)) {
            placeBatch();
            report(m_io, anythingAt(root) ? ToolText::notFolder(root) : ToolText::missing(root));
            m_status = ExitStatus::FileFailed;
            return;
        }
        walkLibrary(root,
            { .onMovie = [this](const LibraryMovie &movie) { seen(movie); },
                .onUnreadable =
                    [this](const QString &folder) {
                        placeBatch();
                        m_progress.hide();
                        report(m_io, ToolText::unreadable(folder));
                        m_status = ExitStatus::FileFailed;
                    } });
    }

    int finish()
    {
        placeBatch();
        m_progress.hide();
        print(m_io.out, ToolText::importCount(m_written, m_kept, m_failed, m_withoutNfo, m_dryRun));
        return m_failed > 0 ? ExitStatus::FileFailed : m_status;
    }

private:
    // A card of the batch, and what is said of it once it has its name.
    struct Waiting {
        QString nfo;
        QStringList notes;
        QString imported;
    };

    ToolIo &m_io;
    bool m_dryRun, m_force;
    Progress m_progress { m_io };
    qsizetype m_movies = 0, m_written = 0, m_kept = 0, m_failed = 0, m_withoutNfo = 0;
    int m_status = ExitStatus::Done;
    CardBatch m_batch;
    std::vector<Waiting> m_waiting;

    void seen(const LibraryMovie &movie)
    {
        m_progress.hide();
        if (movie.nfo.isEmpty()) {
            ++m_withoutNfo;
        } else if (anythingAt(movie.card()) && !m_force) {
            placeBatch();
            print(m_io.out, ToolText::cardKept(movie.card()));
            ++m_kept;
        } else if (!importMovie(movie)) {
            ++m_failed;
        }
        if (m_batch.size() >= kBatchCards)
            placeBatch();
        m_progress.show(++m_movies);
    }

    // The cards of the batch take their names; then what each movie says is
    // said, in the order of the movies, as if each had been written alone.
    void placeBatch()
    {
        if (m_waiting.empty())
            return;
        m_progress.hide();
        const std::vector<SaveResult> placed = m_batch.place();
        for (size_t i = 0; i < placed.size(); ++i) {
            if (!placed[i].ok()) {
                saveFailed(m_io, placed[i]);
                ++m_failed;
                continue;
            }
            said(m_waiting[i]);
            ++m_written;
        }
        m_waiting.clear();
    }

    void said(const Waiting &movie)
    {
        for (const QString &note : movie.notes)
            report(m_io, ToolText::nfoNote(movie.nfo, note));
        print(m_io.out, movie.imported);
    }

    // The card of one movie, from its NFO and the poster beside it; false,
    // said on err, when it cannot be had or written. A new card waits in
    // the batch for its name, and what is said of it with it.
    bool importMovie(const LibraryMovie &movie)
    {
        const QString nfo = movie.path(movie.nfo);
        std::optional<NfoCard> card;
        {
            QBuffer err;   // said after the cards before this one
            err.open(QIODevice::WriteOnly);
            ToolIo quiet { m_io.in, m_io.out, err };
            card = cardFromNfo(quiet, nfo);
            if (!err.data().isEmpty())
                placeBatch();
            m_io.err.write(err.data());
        }
        if (!card)
            return false;
        QStringList pictures;
        for (const QString &name : movie.posters)
            pictures << movie.path(name);
        const QString poster = posterAmong(pictures, nfo, card->notes);
        const QString posterName = poster.isEmpty() ? QString() : QFileInfo(poster).fileName();
        const Waiting waiting { nfo, card->notes,
            ToolText::cardImported(movie.card(), movie.nfo, posterName, m_dryRun) };
        if (m_dryRun) {
            said(waiting);
            ++m_written;
            return true;
        }
        if (anythingAt(movie.card()))
            placeBatch();   // a card replaced is written at once, under its lock
        const qsizetype batched = m_batch.size();
        const SaveResult saved
            = writeImportedCard(movie.card(), card->record, poster, linksFor(m_force), &m_batch);
        if (!saved.ok()) {
            placeBatch();
            saveFailed(m_io, saved);
            return false;
        }
        if (m_batch.size() > batched) {
            m_waiting.push_back(waiting);
        } else {
            said(waiting);
            ++m_written;
        }
        return true;
    }
};

}   // namespace

int runImport(const QStringList &args, ToolIo &io)
{
    QCommandLineParser parser;
    const QCommandLineOption dryRun(QStringLiteral("n"));
    const QCommandLineOption force(QStringLiteral("force"));
    parser.addOptions({ dryRun, force });
    if (const auto status = parseCommand(parser, QStringLiteral("import"), args, io, 1, -1))
        return *status;
    LibraryImport import(io, parser.isSet(dryRun), parser.isSet(force));
    for (const QString &root : parser.positionalArguments())
        import.library(root);
    return import.finish();
}
