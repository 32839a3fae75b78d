#include "collection/concurrentscan.h"

#include "card/nativepath.h"
#include "collection/cardindex.h"
#include "collection/filesystemkind.h"
#include "collection/readerpool.h"

#include <deque>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Folders listed ahead of the walk, in each folder: their listings cost a
// round trip or more each, and are small beside a card's.
constexpr std::size_t kListingsAhead = 16;

// A folder open while its cards are read through it; closed with the last.
struct OpenedFolder {
    explicit OpenedFolder(int descriptor) : fd(descriptor) { }
    ~OpenedFolder()
    {
        if (fd >= 0)
            ::close(fd);
    }
    OpenedFolder(const OpenedFolder &) = delete;
    OpenedFolder &operator=(const OpenedFolder &) = delete;
    const int fd;
};

// The index of the folder named that a listing is below.
struct IndexOfPlace {
    CardIndex *index = nullptr;   // none: the place's cards are all read
    qsizetype placeSize = 0;      // the place's path's length: the rest of a path is its key
    bool keepsInodes = true;
};

struct Listing {
    QString path;
    IndexOfPlace place {};
    std::shared_ptr<OpenedFolder> folder {};
    std::optional<std::vector<FolderEntry>> entries {};
    bool done = false;
};

// What the caller is given, in the walk's order.
struct Step {
    enum Kind { Card, Folder, Unreadable };
    Kind kind = Card;
    QString path;
    bool named = false;   // a place the caller named: a file that is no card is said
    CardHead head {};
    bool done = false;
};

struct Frame {
    std::shared_ptr<Listing> listing;
    std::size_t next = 0;                            // the entry to walk next
    std::size_t scheduled = 0;                       // the entry to look at next for a listing ahead
    std::deque<std::shared_ptr<Listing>> ahead {};   // its folders' listings, in their order
};

class ConcurrentWalk {
public:
    ConcurrentWalk(const QStringList &places, const CardScan &scan, int readers)
        : m_places(places), m_scan(scan), m_window(std::size_t(readers) * 2), m_pool(readers)
    {
    }

    bool run()
    {
        std::deque<std::shared_ptr<Step>> inFlight;
        for (;;) {
            while (inFlight.size() < m_window) {
                std::shared_ptr<Step> step = next();
                if (!step)
                    break;
                inFlight.push_back(std::move(step));
            }
            if (inFlight.empty())
                return saveIndexes();
            const std::shared_ptr<Step> step = std::move(inFlight.front());
            inFlight.pop_front();
            awaitDone(step->done);
            if (!give(*step))
                return false;
        }
    }

private:
    const QStringList &m_places;
    const CardScan &m_scan;
    const std::size_t m_window;   // steps started ahead of the one given
    qsizetype m_place = 0;
    std::vector<Frame> m_frames;
    std::deque<std::shared_ptr<Step>> m_waiting;   // steps made before the walk goes on
    std::vector<std::unique_ptr<CardIndex>> m_indexes;
    std::mutex m_mutex;   // guards each done flag
    std::condition_variable m_finished;
    ReaderPool m_pool;   // last: its jobs end before the rest goes

    void finish(bool &done)
    {
        {
            const std::lock_guard lock(m_mutex);
            done = true;
        }
        m_finished.notify_all();
    }

    void awaitDone(const bool &done)
    {
        std::unique_lock lock(m_mutex);
        m_finished.wait(lock, [&done] { return done; });
    }

    bool give(const Step &step) const
    {
        switch (step.kind) {
        case Step::Folder:
            if (m_scan.onFolder)
                m_scan.onFolder(step.path);
            return true;
        case Step::Unreadable:
            problem(step.path, CardReadStatus::Unreadable);
            return true;
        case Step::Card:
            break;
        }
        const CardReadStatus status = step.head.status;
        if (status == CardReadStatus::Ok)
            return m_scan.onCard(ScannedCard { step.path, step.head });
        if (step.named || (status != CardReadStatus::Missing && status != CardReadStatus::NotCard))
            problem(step.path, status);
        return true;
    }

    void problem(const QString &path, CardReadStatus status) const
    {
        if (m_scan.onProblem)
            m_scan.onProblem(path, status);
    }

    std::shared_ptr<Step> next()
    {
        for (;;) {
            if (!m_waiting.empty()) {
                std::shared_ptr<Step> step = std::move(m_waiting.front());
                m_waiting.pop_front();
                return step;
            }
            if (m_frames.empty()) {
                if (m_place == m_places.size())
                    return nullptr;
                const QString &place = m_places[m_place++];
                struct stat info { };
                if (::stat(nativePath(place).constData(), &info) == 0 && S_ISDIR(info.st_mode))
                    enter(list(place, indexOf(place)));
                else
                    return readPlace(place);
                continue;
            }
            Frame &frame = m_frames.back();
            const std::vector<FolderEntry> &entries = *frame.listing->entries;
            if (frame.next == entries.size()) {
                m_frames.pop_back();
                continue;
            }
            const FolderEntry &entry = entries[frame.next++];
            if (!entry.folder)
                return readEntry(frame.listing, entry);
            if (descends(entry)) {
                std::shared_ptr<Listing> listing = std::move(frame.ahead.front());
                frame.ahead.pop_front();
                listAhead(frame);
                enter(std::move(listing));
            }
        }
    }

    bool descends(const FolderEntry &entry) const
    {
        return entry.folder && m_scan.recursive && (m_scan.hiddenFolders || !entry.hidden());
    }

    // A folder the walk comes to: said, then its entries walked, or said unreadable.
    void enter(std::shared_ptr<Listing> listing)
    {
        m_waiting.push_back(doneStep(Step::Folder, listing->path));
        awaitDone(listing->done);
        if (!listing->entries) {
            m_waiting.push_back(doneStep(Step::Unreadable, listing->path));
            return;
        }
        m_frames.push_back(Frame { std::move(listing) });
        listAhead(m_frames.back());
    }

    // Lists the folders the walk will enter next, up to kListingsAhead.
    void listAhead(Frame &frame)
    {
        const std::vector<FolderEntry> &entries = *frame.listing->entries;
        for (; frame.ahead.size() < kListingsAhead && frame.scheduled < entries.size(); ++frame.scheduled) {
            if (descends(entries[frame.scheduled]))
                frame.ahead.push_back(list(
                    entryPath(frame.listing->path, entries[frame.scheduled].name), frame.listing->place));
        }
    }

    IndexOfPlace indexOf(const QString &place)
    {
        if (!m_scan.useIndex)
            return {};
        m_indexes.push_back(CardIndex::load(place, m_scan.recursive));
        return { m_indexes.back().get(), place.size(), !numbersFilesAnew(place) };
    }

    bool saveIndexes() const
    {
        for (const std::unique_ptr<CardIndex> &index : m_indexes)
            index->save();
        return true;
    }

    std::shared_ptr<Listing> list(const QString &path, const IndexOfPlace &place)
    {
        auto listing = std::make_shared<Listing>(Listing { path, place });
        m_pool.start([this, listing] {
            const int fd = ::open(nativePath(listing->path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            listing->folder = std::make_shared<OpenedFolder>(fd);
            listing->entries = fd >= 0 ? folderEntriesAt(fd, listing->path) : folderEntries(listing->path);
            finish(listing->done);
        });
        return listing;
    }

    static std::shared_ptr<Step> doneStep(Step::Kind kind, const QString &path)
    {
        return std::make_shared<Step>(Step { kind, path, false, {}, true });
    }

    std::shared_ptr<Step> readPlace(const QString &path)
    {
        auto step = std::make_shared<Step>(Step { Step::Card, path, true });
        m_pool.start([this, step] {
            step->head = readCardHead(step->path, m_scan.poster, m_scan.text);
            finish(step->done);
        });
        return step;
    }

    std::shared_ptr<Step> readEntry(const std::shared_ptr<Listing> &listing, const FolderEntry &entry)
    {
        auto step = std::make_shared<Step>(Step { Step::Card, entryPath(listing->path, entry.name) });
        m_pool.start([this, step, listing, entry] {
            step->head = listing->place.index && listing->folder->fd >= 0
                ? readThroughIndex(*listing, entry, step->path)
                : readFolderEntry(listing->folder->fd, listing->path, entry, m_scan);
            finish(step->done);
        });
        return step;
    }

    // The card from the index while the listing shows it unchanged; else
    // read whole (the index serves show as well as find), and kept.
    CardHead readThroughIndex(const Listing &listing, const FolderEntry &entry, const QString &path) const
    {
        const int fd = listing.folder->fd;
        const std::optional<ListedFile> listed = listedFileAt(fd, entry.native, listing.place.keepsInodes);
        if (!listed)
            return readFolderEntry(fd, listing.path, entry, m_scan);
        const QByteArray name = nativePath(path.mid(listing.place.placeSize));
        // The index keeps extensions whole: one checked only is decoded for it.
        const bool checked = m_scan.text == RecordText::Checked;
        const RecordText text = checked ? RecordText::BytesOnly : m_scan.text;
        std::optional<CardHead> head = listing.place.index->find(name, *listed, text);
        if (!head) {
            head = readCardHeadAt(fd, entry.native, PosterHeader::Read, text);
            listing.place.index->keep(name, *listed, *head);
        }
        if (m_scan.poster == PosterHeader::Skip)
            head->poster = {};
        if (checked)
            head->values = ExtensionValues(std::exchange(head->card.extension, {}).values);
        return std::move(*head);
    }
};

}   // namespace

bool scanConcurrently(const QStringList &places, const CardScan &scan, int readers)
{
    ConcurrentWalk walk(places, scan, readers);
    return walk.run();
}
