#include "collection/cardscan.h"

#include "card/nativepath.h"
#include "collection/concurrentscan.h"
#include "collection/filesystemkind.h"
#include "collection/helperthread.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder opened when first asked for, and closed at the end.
class OpenFolder {
public:
    explicit OpenFolder(const QString &path) : m_path(path) { }
    ~OpenFolder() { close(); }
    OpenFolder(const OpenFolder &) = delete;
    OpenFolder &operator=(const OpenFolder &) = delete;

    // The folder's descriptor; -1 when it cannot be opened (its cards are then read by path).
    int fd()
    {
        if (m_fd == kClosed)
            m_fd = ::open(nativePath(m_path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        return m_fd;
    }

    void close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = kClosed;
    }

private:
    static constexpr int kClosed = -2;
    QString m_path;
    int m_fd = kClosed;
};

// Cards read at a time: runs short enough to keep both threads busy, long
// enough to pay for handing them over (16 was the quickest of 4 to 50).
constexpr qsizetype kAhead = 16;

class Walk {
public:
    explicit Walk(const CardScan &scan) : m_scan(scan) { }

    // A place named by the user: a folder, even through a link, or a file.
    bool place(const QString &path)
    {
        struct stat info { };
        if (::stat(nativePath(path).constData(), &info) == 0 && S_ISDIR(info.st_mode))
            return folder(path);
        return file(path, true);
    }

private:
    const CardScan &m_scan;
    std::unique_ptr<HelperThread> m_helper;   // made for the first cards read ahead

    void problem(const QString &path, CardReadStatus status) const
    {
        if (m_scan.onProblem)
            m_scan.onProblem(path, status);
    }

    bool file(const QString &path, bool named) const
    {
        return card(path, readCardHead(path, m_scan.poster, m_scan.text), named);
    }

    bool card(const QString &path, CardHead head, bool named) const
    {
        const ScannedCard card { path, std::move(head) };
        const CardReadStatus status = card.head.status;
        if (status == CardReadStatus::Ok)
            return m_scan.onCard(card);
        if (named || (status != CardReadStatus::Missing && status != CardReadStatus::NotCard))
            problem(path, status);
        return true;
    }

    bool folder(const QString &path)
    {
        if (m_scan.onFolder)
            m_scan.onFolder(path);
        const auto entries = folderEntries(path);
        if (!entries) {
            problem(path, CardReadStatus::Unreadable);
            return true;
        }
        // Its cards are opened from the folder itself; it is closed while a
        // folder below is walked, so that one folder at most is held open.
        OpenFolder open(path);
        for (auto entry = entries->begin(); entry != entries->end();) {
            bool going = true;
            if (!entry->folder) {   // the files up to the next folder
                const auto files
                    = std::find_if(entry, entries->end(), [](const auto &e) { return e.folder; });
                going = cards(open, path, entry, files);
                entry = files;
            } else {
                if (m_scan.recursive && (m_scan.hiddenFolders || !entry->hidden())) {
                    open.close();
                    going = folder(entryPath(path, entry->name));
                }
                ++entry;
            }
            if (!going)
                return false;
        }
        return true;
    }

    using Entry = std::vector<FolderEntry>::const_iterator;

    // The cards of files in their order, read kAhead at a time; reading
    // ahead, the helper reads the next ones meanwhile.
    bool cards(OpenFolder &open, const QString &path, Entry from, Entry to)
    {
        open.fd();   // opened here, before any other thread reads through it
        // Records over a kilobyte each: made room for once, never moved by growing.
        std::vector<CardHead> heads, next;
        heads.reserve(kAhead);
        next.reserve(kAhead);
        const auto read = [&](Entry first, std::vector<CardHead> &into) {
            into.clear();
            const Entry last = first + std::min<std::ptrdiff_t>(kAhead, to - first);
            for (Entry entry = first; entry != last; ++entry)
                into.push_back(readIn(open, path, *entry));
            return last;
        };
        const auto give = [&](Entry first, std::vector<CardHead> &given) {
            for (size_t i = 0; i < given.size(); ++i) {
                if (!card(entryPath(path, first[qsizetype(i)].name), std::move(given[i]), false))
                    return false;
            }
            return true;
        };
        for (Entry first = from; first != to;) {
            const Entry second = first + std::min<std::ptrdiff_t>(kAhead, to - first);
            Entry after = second;
            const bool ahead = second != to && m_scan.readAhead;
            if (ahead)
                helper().start([&] { after = read(second, next); });
            read(first, heads);
            bool going = give(first, heads);
            if (ahead) {
                helper().finish();
                going = going && give(second, next);
            }
            if (!going)
                return false;
            first = after;
        }
        return true;
    }

    HelperThread &helper()
    {
        if (!m_helper)
            m_helper = std::make_unique<HelperThread>();
        return *m_helper;
    }

    CardHead readIn(OpenFolder &open, const QString &path, const FolderEntry &entry) const
    {
        return readFolderEntry(open.fd(), path, entry, m_scan);
    }
};

// Cards read at once: as the scan says, else as the first place on a
// network share calls for; 0 when every place is on this machine.
int readersOf(const QStringList &places, const CardScan &scan)
{
    if (scan.readers)
        return *scan.readers;
    for (const QString &place : places) {
        if (const int readers = readersFor(fileSystemKind(place)))
            return readers;
    }
    return 0;
}

}   // namespace

CardHead readFolderEntry(int folder, const QString &path, const FolderEntry &entry, const CardScan &scan)
{
    if (folder < 0)
        return readCardHead(entryPath(path, entry.name), scan.poster, scan.text);
    if (!scan.fileFacts && entry.regular && scan.poster == PosterHeader::Skip)
        return readCardRecordAt(folder, entry.native, scan.text);
    return readCardHeadAt(folder, entry.native, scan.poster, scan.text);
}

bool scanCards(const QStringList &places, const CardScan &scan)
{
    if (const int readers = readersOf(places, scan))
        return scanConcurrently(places, scan, readers);
    Walk walk(scan);
    for (const QString &place : places) {
        if (!walk.place(place))
            return false;
    }
    return true;
}
