#pragma once
// Tells which folders of a collection something changed in: a card
// added, rewritten in place or replaced by rename, removed, or a folder
// made or removed. Changes are gathered until they settle, so a card
// written in several steps is looked at once, whole. Linux's inotify: one
// watch a folder, which also sees the files written in it.

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

class QSocketNotifier;

class FolderWatch : public QObject {
    Q_OBJECT
public:
    // How long changes must have stopped before touched is sent.
    static constexpr int SettleMs = 150;

    explicit FolderWatch(QObject *parent = nullptr);
    ~FolderWatch() override;
    // Watches these folders from now on, and no other.
    void watch(const QSet<QString> &folders);
    QStringList watched() const { return m_watchOf.keys(); }

signals:
    // The folders something changed in, parents before their folders.
    void touched(const QStringList &folders);

private:
    void readEvents();
    void settle();

    int m_inotify = -1;
    QSocketNotifier *m_notifier = nullptr;
    QHash<int, QString> m_folderOf;   // by watch descriptor
    QHash<QString, int> m_watchOf;
    QTimer m_settle;
    QSet<QString> m_touched;
};
