#pragma once
// Tells which folders of a collection something changed in: a card
// added, replaced by rename, removed, or a folder made or removed. Changes
// are gathered until they settle, so a card written in several steps is
// looked at once, whole.

#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

class FolderWatch : public QObject {
    Q_OBJECT
public:
    // How long changes must have stopped before touched is sent.
    static constexpr int SettleMs = 150;

    explicit FolderWatch(QObject *parent = nullptr);
    // Watches these folders from now on, and no other.
    void watch(const QSet<QString> &folders);
    QStringList watched() const { return m_watcher->directories(); }

signals:
    // The folders something changed in, parents before their folders.
    void touched(const QStringList &folders);

private:
    void note(const QString &folder);
    void settle();

    QFileSystemWatcher *m_watcher;
    QTimer m_settle;
    QSet<QString> m_touched;
};
