#include "collection/listingwatch.h"

#include "card/nativepath.h"
#include "collection/readerpool.h"

#include <QCoreApplication>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <thread>

namespace {

constexpr int kRoundMs = 10'000;
// After a minute without a change; a round's own listings take the rest
// of the 15 s in which a change must show.
constexpr int kQuietRoundMs = 13'000;
constexpr qint64 kQuietAfterMs = 60'000;
// A round in which no folder was listed for that long waits on a share
// that stopped answering.
constexpr int kSilentMs = 5'000;
constexpr int kListers = 16;   // folders listed at once

qint64 nanoseconds(const struct timespec &time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

// What a listing keeps of an entry. Not its inode: FUSE numbers its files
// anew when it forgets them, which is no change. Of a folder, only that it
// is one: what changes in it is its own listing's.
QByteArray attributesOf(const struct stat &info)
{
    if (S_ISDIR(info.st_mode))
        return QByteArrayLiteral("d");
    QByteArray bytes(4 + 3 * 8, Qt::Uninitialized);
    qToLittleEndian(quint32(info.st_mode & S_IFMT), bytes.data());
    qToLittleEndian(qint64(info.st_size), bytes.data() + 4);
    qToLittleEndian(nanoseconds(info.st_mtim), bytes.data() + 12);
    qToLittleEndian(nanoseconds(info.st_ctim), bytes.data() + 20);
    return bytes;
}

using Listings = QHash<QString, std::optional<FolderListing>>;

// Whether a listing is of the folder listed before: not a failure (a share
// unreachable, or the folder gone, which its parent's listing tells), nor
// another file system's folder at its path (the share unmounted).
bool reachedAgain(const std::optional<FolderListing> &before, const std::optional<FolderListing> &now)
{
    return now && (!before || before->value(QByteArray()) == now->value(QByteArray()));
}

}   // namespace

std::optional<FolderListing> listFolder(const QString &folder)
{
    DIR *stream = ::opendir(nativePath(folder).constData());
    if (stream == nullptr)
        return std::nullopt;
    FolderListing listing;
    const int fd = ::dirfd(stream);
    // The kind of its file system, under the empty name, which no entry has:
    // a share unmounted leaves its mount point, on another. (Not the device,
    // which a share mounted again changes.)
    struct statfs facts { };
    if (::fstatfs(fd, &facts) == 0)
        listing.insert(QByteArray(), QByteArray::number(qint64(facts.f_type)));
    for (errno = 0; const dirent *entry = ::readdir(stream); errno = 0) {
        const QByteArrayView name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        struct stat info { };
        // An entry gone between the listing and its look is listed without attributes.
        const bool looked = ::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0;
        listing.insert(name.toByteArray(), looked ? attributesOf(info) : QByteArray());
    }
    const bool complete = errno == 0;
    ::closedir(stream);
    return complete ? std::optional(std::move(listing)) : std::nullopt;
}

QStringList changedFolders(const Listings &before, const Listings &now)
{
    QStringList changed;
    for (auto folder = now.constBegin(); folder != now.constEnd(); ++folder) {
        const auto was = before.constFind(folder.key());
        if (was != before.constEnd() && *was != folder.value() && reachedAgain(*was, folder.value()))
            changed << folder.key();
    }
    // A parent's path is a prefix of its folders': it sorts before them.
    std::sort(changed.begin(), changed.end());
    return changed;
}

int nextRoundMs(qint64 quietForMs)
{
    return quietForMs >= kQuietAfterMs ? kQuietRoundMs : kRoundMs;
}

ListingWatch::ListingWatch(QObject *parent)
    : QObject(parent), m_alive(std::make_shared<std::atomic<bool>>(true))
{
    m_round.setSingleShot(true);
    connect(&m_round, &QTimer::timeout, this, &ListingWatch::startRound);
    m_silence.setInterval(kSilentMs);
    connect(&m_silence, &QTimer::timeout, this, &ListingWatch::fallSilent);
    m_sinceChange.start();
}

ListingWatch::~ListingWatch()
{
    *m_alive = false;
}

void ListingWatch::watch(const QSet<QString> &folders)
{
    m_folders = folders;
    m_listings.removeIf([&folders](const auto &listing) { return !folders.contains(listing.key()); });
    if (m_folders.isEmpty()) {
        m_round.stop();
        return;
    }
    // The new folders' first listings are taken at once: what the next round compares with.
    const bool unlisted = std::any_of(folders.begin(), folders.end(),
        [this](const QString &folder) { return !m_listings.contains(folder); });
    if (unlisted)
        startRound();
    else if (!m_round.isActive() && !m_listing)
        m_round.start(nextRoundMs(m_sinceChange.elapsed()));
}

void ListingWatch::listNow()
{
    m_round.stop();
    startRound();
}

// Lists the folders many at once (each a round trip or more), counting
// those listed; returns once all are.
Listings listAll(const QStringList &folders, std::atomic<qsizetype> &listed)
{
    std::mutex mutex;
    std::condition_variable finished;
    Listings listings;
    {
        ReaderPool pool(kListers);
        for (const QString &folder : folders) {
            pool.start([&, folder] {
                std::optional<FolderListing> listing = listFolder(folder);
                const std::lock_guard lock(mutex);
                listings.insert(folder, std::move(listing));
                ++listed;
                finished.notify_all();
            });
        }
        std::unique_lock lock(mutex);
        finished.wait(lock, [&] { return listings.size() == folders.size(); });
    }
    return listings;
}

// Lists every folder on a thread of its own, which a share that stops
// answering may hold as long as it likes: the interface never waits for it,
// and no round starts before it ends.
void ListingWatch::startRound()
{
    if (m_listing || m_folders.isEmpty())
        return;
    m_listing = true;
    m_listedBefore = -1;
    m_silence.start();
    std::thread([this, alive = m_alive, listed = m_listed, folders = m_folders.values()] {
        const Listings listings = listAll(folders, *listed);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [this, alive, listings] {
                if (*alive)
                    takeRound(listings);
            },
            Qt::QueuedConnection);
    }).detach();
}

// No folder listed since the last look: the share stopped answering.
void ListingWatch::fallSilent()
{
    const qsizetype listed = *m_listed;
    if (std::exchange(m_listedBefore, listed) != listed)
        return;
    if (m_listing && m_reached) {
        m_reached = false;
        emit reachable(false);
    }
}

void ListingWatch::takeRound(const Listings &listings)
{
    m_listing = false;
    m_silence.stop();
    Listings now;
    for (auto listing = listings.constBegin(); listing != listings.constEnd(); ++listing) {
        if (m_folders.contains(listing.key()))   // still watched
            now.insert(listing.key(), listing.value());
    }
    const QStringList changed = changedFolders(m_listings, now);
    bool reached = false;
    // What a folder showed is kept while it cannot be listed, or is another's.
    for (auto listing = now.constBegin(); listing != now.constEnd(); ++listing) {
        const auto known = m_listings.constFind(listing.key());
        if (known == m_listings.constEnd() || reachedAgain(*known, *listing)) {
            reached = reached || listing->has_value();
            m_listings.insert(listing.key(), *listing);
        }
    }
    if (reached != m_reached) {
        m_reached = reached;
        emit reachable(reached);
    }
    if (!changed.isEmpty()) {
        m_sinceChange.restart();
        emit touched(changed);
    }
    if (!m_folders.isEmpty())
        m_round.start(nextRoundMs(m_sinceChange.elapsed()));
}
