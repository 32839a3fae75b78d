#pragma once
// Tells which folders of a collection on a network share changed, where
// inotify sees only this machine's own changes: each folder is listed again
// on a timer, with its entries' attributes (one round trip a folder on NFS
// and SFTP, not one a card), off the interface's thread, and compared with
// its listing before.

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <memory>
#include <optional>

// A folder's entries as one listing showed them: each name with what its
// attributes say (kind, size, modification and change times, inode).
using FolderListing = QHash<QByteArray, QByteArray>;

// The listing of folder with its entries' attributes; nullopt when it
// cannot be read (gone, unreadable, the share unreachable).
std::optional<FolderListing> listFolder(const QString &folder);

// The folders whose listing differs from the one before: an entry added,
// removed or changed, or the folder listed again after it could not be. A
// folder that cannot be listed, or is now on another file system (its share
// unmounted), is not changed: what it showed stays, and a folder gone is
// told by its parent's listing. A folder new to before is not changed: its
// first listing is what the next is compared with.
QStringList changedFolders(const QHash<QString, std::optional<FolderListing>> &before,
    const QHash<QString, std::optional<FolderListing>> &now);

// How long to wait before the next round: 10 s, then, as rounds find no
// change for a minute, a little longer, never past what lets a change show
// within 15 s.
int nextRoundMs(qint64 quietForMs);

class ListingWatch : public QObject {
    Q_OBJECT
public:
    explicit ListingWatch(QObject *parent = nullptr);
    ~ListingWatch() override;
    // Lists these folders from now on, and no other; the first round
    // starts after the first wait, from listings taken at once.
    void watch(const QSet<QString> &folders);
    QStringList watched() const { return m_folders.values(); }
    // Starts a round now (tests; a window shown again).
    void listNow();

signals:
    // The folders something changed in, parents before their folders.
    void touched(const QStringList &folders);
    // A round could not list any folder (or found others in their place),
    // or listed none for 5 s; or a round could list them again.
    void reachable(bool reached);

private:
    struct Round;
    void startRound();
    void takeRound(const QHash<QString, std::optional<FolderListing>> &listings);

    QSet<QString> m_folders;
    QHash<QString, std::optional<FolderListing>> m_listings;
    std::shared_ptr<std::atomic<bool>> m_alive;   // false once this is gone: a round's end is dropped
    bool m_listing = false;                       // a round under way: a share may hang, none piles up
    bool m_reached = true;
    QElapsedTimer m_sinceChange;
    QTimer m_round;
    QTimer m_silence;   // a round under way that lists no folder for 5 s: the share no longer answers
    std::shared_ptr<std::atomic<qsizetype>> m_listed = std::make_shared<std::atomic<qsizetype>>(0);
    qsizetype m_listedBefore = -1;   // m_listed at the last look
    void fallSilent();
};
