#include "collection/folderwatch.h"

#include <algorithm>

FolderWatch::FolderWatch(QObject *parent) : QObject(parent), m_watcher(new QFileSystemWatcher(this))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &FolderWatch::note);
    connect(&m_settle, &QTimer::timeout, this, &FolderWatch::settle);
}

void FolderWatch::watch(const QSet<QString> &folders)
{
    const QStringList now = m_watcher->directories();
    QStringList gone;
    for (const QString &folder : now) {
        if (!folders.contains(folder))
            gone << folder;
    }
    if (!gone.isEmpty())
        m_watcher->removePaths(gone);
    QStringList added;
    for (const QString &folder : folders) {
        if (!now.contains(folder))
            added << folder;
    }
    if (!added.isEmpty())
        m_watcher->addPaths(added);
}

void FolderWatch::note(const QString &folder)
{
    m_touched.insert(folder);
    m_settle.start();
}

void FolderWatch::settle()
{
    QStringList folders(m_touched.begin(), m_touched.end());
    m_touched.clear();
    std::sort(folders.begin(), folders.end());   // a parent's path is a prefix of its folders'
    emit touched(folders);
}
