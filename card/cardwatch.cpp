#include "card/cardwatch.h"

#include <QFileInfo>

CardWatch::CardWatch(QObject *parent) : QObject(parent), m_watcher(new QFileSystemWatcher(this))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &CardWatch::postpone);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &CardWatch::postpone);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        rewatch();
        emit touched();
    });
}

void CardWatch::watch(const QString &path)
{
    m_settle.stop();
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    m_path = path;
    rewatch();
}

void CardWatch::postpone()
{
    m_settle.start();
}

// The file's watch follows the file now at the path (a watch stays with the
// file it was taken on, which a replacement by rename leaves behind); the
// folder's comes back when the folder does.
void CardWatch::rewatch()
{
    if (m_path.isEmpty())
        return;
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!m_watcher->directories().contains(folder) && QFileInfo::exists(folder))
        m_watcher->addPath(folder);
    if (m_watcher->files().contains(m_path))
        m_watcher->removePath(m_path);
    if (QFileInfo::exists(m_path))
        m_watcher->addPath(m_path);
}
