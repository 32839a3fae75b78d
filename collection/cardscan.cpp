#include "collection/cardscan.h"

#include "card/nativepath.h"
#include "collection/frenchorder.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace {

struct Entry {
    QString name;
    bool folder = false;
};

// What a directory entry is, from readdir's type when it gives one. A link
// is never a folder here: it is read as a file, and one to a folder is no card.
bool isFolder(const QString &path, unsigned char type)
{
    if (type != DT_UNKNOWN)
        return type == DT_DIR;
    struct stat info { };
    return ::lstat(nativePath(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The entries of the folder at path, without "." and ".."; nullopt when it
// cannot be read.
std::optional<std::vector<Entry>> folderEntries(const QString &path)
{
    DIR *folder = ::opendir(nativePath(path).constData());
    if (folder == nullptr)
        return std::nullopt;
    std::vector<Entry> entries;
    // errno tells the end of the folder from a failed read: cleared before
    // each read, as the look at an entry may set it.
    for (errno = 0; const dirent *entry = ::readdir(folder); errno = 0) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QString decoded = pathFromNative(name);
        entries.push_back({ decoded, isFolder(path + QLatin1Char('/') + decoded, entry->d_type) });
    }
    const bool complete = errno == 0;
    ::closedir(folder);
    return complete ? std::optional(std::move(entries)) : std::nullopt;
}

// Sort keys are computed once a name: far fewer collations than comparing
// names pair by pair in a folder of thousands.
void sortEntries(std::vector<Entry> &entries)
{
    const QCollator collator = frenchCollator();
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        keys.emplace_back(collator.sortKey(entries[i].name), qsizetype(i));
    std::stable_sort(
        keys.begin(), keys.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<Entry> sorted;
    sorted.reserve(entries.size());
    for (const auto &key : keys)
        sorted.push_back(std::move(entries[size_t(key.second)]));
    entries = std::move(sorted);
}

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
        ScannedCard card { path, readCardHead(path, m_scan.poster) };
        const CardReadStatus status = card.head.status;
        if (status == CardReadStatus::Ok)
            return m_scan.onCard(card);
        if (named || (status != CardReadStatus::Missing && status != CardReadStatus::NotCard))
            problem(path, status);
        return true;
    }

    bool folder(const QString &path)
    {
        auto entries = folderEntries(path);
        if (!entries) {
            problem(path, CardReadStatus::Unreadable);
            return true;
        }
        sortEntries(*entries);
        const QString prefix = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
        for (const Entry &entry : *entries) {
            const bool going = !entry.folder ? file(prefix + entry.name, false)
                : m_scan.recursive           ? folder(prefix + entry.name)
                                             : true;
            if (!going)
                return false;
        }
        return true;
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
