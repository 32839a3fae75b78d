#include "collection/folderwatch.h"

#include "card/nativepath.h"

#include <QSocketNotifier>

#include <algorithm>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// A file made, written and closed, renamed in or out, removed; the folder
// itself removed or moved.
constexpr uint32_t kChanges = IN_CREATE | IN_CLOSE_WRITE | IN_ATTRIB | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE
    | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

}   // namespace

FolderWatch::FolderWatch(QObject *parent)
    : QObject(parent), m_inotify(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
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
    for (const QString &folder : folders) {
        if (m_watchOf.contains(folder))
            continue;
        const int watch = inotify_add_watch(m_inotify, nativePath(folder).constData(), kChanges);
        if (watch < 0)
            continue;   // gone already, or the system's watches are all taken
        m_watchOf.insert(folder, watch);
        m_folderOf.insert(watch, folder);
    }
}

void FolderWatch::readEvents()
{
    alignas(inotify_event) char events[16 * 1024];
    for (;;) {
        const ssize_t size = ::read(m_inotify, events, sizeof events);
        if (size <= 0)
            break;
        for (ssize_t at = 0; at < size;) {
            const auto *event = reinterpret_cast<const inotify_event *>(events + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {   // changes were lost: every folder is looked at again
                for (const QString &folder : m_watchOf.keys())
                    m_touched.insert(folder);
                m_settle.start();
                continue;
            }
            const QString folder = m_folderOf.value(event->wd);
            if (folder.isEmpty())
                continue;
            if (event->mask & IN_IGNORED) {   // the folder is gone: its watch with it
                m_folderOf.remove(event->wd);
                m_watchOf.remove(folder);
            }
            m_touched.insert(folder);
            m_settle.start();
        }
    }
}

void FolderWatch::settle()
{
    QStringList folders(m_touched.begin(), m_touched.end());
    m_touched.clear();
    std::sort(folders.begin(), folders.end());   // a parent's path is a prefix of its folders'
    emit touched(folders);
}
