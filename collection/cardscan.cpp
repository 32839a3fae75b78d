#include "collection/cardscan.h"

#include "card/nativepath.h"
#include "collection/folderentries.h"

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
        for (const FolderEntry &entry : *entries) {
            bool going = true;
            if (!entry.folder) {
                going = card(entryPath(path, entry.name), readIn(open, path, entry), false);
            } else if (m_scan.recursive && (m_scan.hiddenFolders || !entry.hidden())) {
                open.close();
                going = folder(entryPath(path, entry.name));
            }
            if (!going)
                return false;
        }
        return true;
    }

    CardHead readIn(OpenFolder &open, const QString &path, const FolderEntry &entry) const
    {
        if (open.fd() < 0)
            return readCardHead(entryPath(path, entry.name), m_scan.poster, m_scan.text);
        if (!m_scan.fileFacts && entry.regular && m_scan.poster == PosterHeader::Skip)
            return readCardRecordAt(open.fd(), entry.native, m_scan.text);
        return readCardHeadAt(open.fd(), entry.native, m_scan.poster, m_scan.text);
    }
};

}   // namespace

bool scanCards(const QStringList &places, const CardScan &scan)
{
    Walk walk(scan);
    for (const QString &place : places) {
        if (!walk.place(place))
            return false;
    }
    return true;
}
