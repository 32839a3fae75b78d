#include "collection/folderwatch.h"

#include "card/cardfile.h"
#include "card/nativepath.h"
#include "collection/folderentries.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// A file made, written and closed, renamed in or out, removed, its mode
// changed; the folder itself removed or moved.
constexpr uint32_t kChanges = IN_CREATE | IN_CLOSE_WRITE | IN_ATTRIB | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE
    | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

// The name of the entry an event is about, as the disk holds it.
QString entryName(const inotify_event &event)
{
    return pathFromNative(QByteArrayView(event.name, qsizetype(strnlen(event.name, event.len))));
}

}   // namespace

void SettlingFolders::touch(const QString &folder, qint64 now)
{
    if (const auto known = m_changed.find(folder); known != m_changed.end())
        known->last = now;
    else
        m_changed.insert(folder, { now, now });
}

qint64 SettlingFolders::dueAt(const Changes &changes) const
{
    return std::min(changes.last + m_quietMs, changes.first + m_longestMs);
}

QStringList SettlingFolders::takeDue(qint64 now)
{
    QStringList due;
    for (auto at = m_changed.begin(); at != m_changed.end();) {
        if (dueAt(*at) > now) {
            ++at;
            continue;
        }
        due << at.key();
        at = m_changed.erase(at);
    }
    std::sort(due.begin(), due.end());   // a parent's path is a prefix of its folders'
    return due;
}

std::optional<qint64> SettlingFolders::nextDue() const
{
    std::optional<qint64> next;
    for (const Changes &changes : m_changed)
        next = std::min(next.value_or(dueAt(changes)), dueAt(changes));
    return next;
}

FolderWatch::FolderWatch(QObject *parent)
    : QObject(parent), m_inotify(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    m_clock.start();
    m_settle.setSingleShot(true);
    connect(&m_settle, &QTimer::timeout, this, &FolderWatch::settle);
    if (m_inotify < 0)
        return;
    m_notifier = new QSocketNotifier(m_inotify, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &FolderWatch::readEvents);
}

FolderWatch::~FolderWatch()
{
    if (m_inotify >= 0)
        ::close(m_inotify);
}

void FolderWatch::watch(const QSet<QString> &folders)
{
    if (m_inotify < 0)
        return;
    for (auto at = m_watchOf.begin(); at != m_watchOf.end();) {
        if (folders.contains(at.key())) {
            ++at;
            continue;
        }
        inotify_rm_watch(m_inotify, at.value());
        m_folderOf.remove(at.value());
        at = m_watchOf.erase(at);
    }
    m_unwatched.clear();
    for (const QString &folder : folders) {
        // Gone already, unreadable, or the system's watches are all taken.
        if (!m_watchOf.contains(folder) && !addWatch(folder))
            m_unwatched.insert(folder);
    }
}

bool FolderWatch::addWatch(const QString &folder)
{
    const int watch = inotify_add_watch(m_inotify, nativePath(folder).constData(), kChanges);
    if (watch < 0)
        return false;
    m_watchOf.insert(folder, watch);
    m_folderOf.insert(watch, folder);
    return true;
}

// One buffer of events a call: a file's first bytes are read for some of
// them, and the notifier calls again while more wait, so the window
// answers in between (twenty thousand files made at once took 60 ms).
void FolderWatch::readEvents()
{
    alignas(inotify_event) char events[16 * 1024];
    const ssize_t size = ::read(m_inotify, events, sizeof events);
    for (ssize_t at = 0; at < size;) {
        const auto *event = reinterpret_cast<const inotify_event *>(events + at);
        at += ssize_t(sizeof(inotify_event) + event->len);
        takeEvent(*event);
    }
    scheduleSettle();
}

void FolderWatch::takeEvent(const inotify_event &event)
{
    if (event.mask & IN_Q_OVERFLOW) {   // changes were lost: every folder is looked at again
        for (const QString &folder : m_watchOf.keys())
            touch(folder);
        return;
    }
    const QString folder = m_folderOf.value(event.wd);
    if (folder.isEmpty())
        return;
    if (event.mask & IN_UNMOUNT) {   // its file system went, not its cards: what was shown stays
        m_folderOf.remove(event.wd);
        m_watchOf.remove(folder);
        return;
    }
    if (event.mask & IN_IGNORED) {   // the folder is gone: its watch with it
        m_folderOf.remove(event.wd);
        m_watchOf.remove(folder);
    }
    if (event.len == 0) {   // about the folder itself
        touch(folder);
        return;
    }
    const QString path = entryPath(folder, entryName(event));
    // A folder that could not be watched (unreadable) whose mode changed: once
    // watched, it is read as well.
    if ((event.mask & IN_ISDIR) && m_unwatched.contains(path) && addWatch(path)) {
        m_unwatched.remove(path);
        touch(path);
    }
    if (mayChangeCards(event, path))
        touch(folder);
}

// Whether the event may change the cards of the entry's folder. A card is
// any file that begins with the marker, whatever its name: a file that is
// none now matters only if it was one. A name gone may have been one.
bool FolderWatch::mayChangeCards(const inotify_event &event, const QString &path) const
{
    if ((event.mask & (IN_ISDIR | IN_DELETE | IN_MOVED_FROM)) || !m_knownCard || m_knownCard(path))
        return true;
    switch (readCardHead(path, PosterHeader::Skip, RecordText::BytesOnly).status) {
    case CardReadStatus::NotCard:
    case CardReadStatus::Missing:   // or no regular file; one removed since says so in its own event
    case CardReadStatus::NameTooLong:
        return false;
    default:
        return true;   // a card, or one that cannot be read now
    }
}

void FolderWatch::touch(const QString &folder)
{
    m_settling.touch(folder, m_clock.elapsed());
}

void FolderWatch::settle()
{
    const QStringList due = m_settling.takeDue(m_clock.elapsed());
    scheduleSettle();
    if (!due.isEmpty())
        emit touched(due);
}

// The timer goes off when the first folder waiting is due.
void FolderWatch::scheduleSettle()
{
    if (const std::optional<qint64> due = m_settling.nextDue())
        m_settle.start(int(std::max<qint64>(0, *due - m_clock.elapsed())));
}
