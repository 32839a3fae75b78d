#pragma once
// Tells which folders of a collection something changed in: a card
// added, rewritten in place or replaced by rename, removed, or a folder
// made, removed or made readable. Changes are gathered until they settle,
// folder by folder, so a card written in several steps is looked at once,
// whole. Linux's inotify: one watch a folder, which also sees the files
// written in it.

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>

struct inotify_event;
class QSocketNotifier;

// The folders changed and when each is due to be looked at: once its
// changes have stopped for quietMs, or longestMs after its first change,
// so that a file written without end holds no folder back. Times in ms
// from any fixed start.
class SettlingFolders {
public:
    SettlingFolders(qint64 quietMs, qint64 longestMs) : m_quietMs(quietMs), m_longestMs(longestMs) { }
    void touch(const QString &folder, qint64 now);
    // The folders due at now, parents before their folders, forgotten here.
    QStringList takeDue(qint64 now);
    // When the next folder is due; nullopt when none waits.
    std::optional<qint64> nextDue() const;

private:
    struct Changes {
        qint64 first = 0, last = 0;
    };
    qint64 dueAt(const Changes &changes) const;

    qint64 m_quietMs, m_longestMs;
    QHash<QString, Changes> m_changed;
};

class FolderWatch : public QObject {
    Q_OBJECT
public:
    // How long a folder's changes must have stopped before it is touched,
    // and the longest it waits while they go on.
    static constexpr int SettleMs = 150;
    static constexpr int LongestWaitMs = 1000;

    explicit FolderWatch(QObject *parent = nullptr);
    ~FolderWatch() override;
    // Watches these folders from now on, and no other. One that cannot be
    // watched yet (unreadable) is tried again when its parent sees it change.
    void watch(const QSet<QString> &folders);
    QStringList watched() const { return m_watchOf.keys(); }
    // Whether a file is a card its owner shows (or may be about to show).
    // A change to a file that is no card now counts only for those; without
    // it, every change counts.
    void setKnownCard(std::function<bool(const QString &path)> known) { m_knownCard = std::move(known); }

signals:
    // The folders something changed in, parents before their folders.
    void touched(const QStringList &folders);

private:
    void readEvents();
    void takeEvent(const inotify_event &event);
    bool mayChangeCards(const inotify_event &event, const QString &path) const;
    bool addWatch(const QString &folder);
    void touch(const QString &folder);
    void settle();
    void scheduleSettle();

    int m_inotify = -1;
    QSocketNotifier *m_notifier = nullptr;
    QHash<int, QString> m_folderOf;   // by watch descriptor
    QHash<QString, int> m_watchOf;
    QSet<QString> m_unwatched;   // wanted, but their watch could not be added
    std::function<bool(const QString &)> m_knownCard;
    SettlingFolders m_settling { SettleMs, LongestWaitMs };
    QElapsedTimer m_clock;
    QTimer m_settle;
};
