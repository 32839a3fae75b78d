#pragma once
// What was read of a collection's cards on a network share, kept in the
// user's cache so that the next reading costs a folder listing instead of
// round trips for each card. It is a cache, never a source of truth: a card
// is taken from it only while its folder's listing shows its file as it was
// when read, and only once that file had stopped changing; an index that is
// damaged, planted or not the user's own is ignored, and made again.

#include "card/cardfile.h"
#include "card/filereplace.h"

#include <QHash>
#include <QString>

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

// A card's file as its folder's listing shows it.
struct ListedKey {
    qint64 size = 0;
    qint64 modified = 0, changed = 0;   // nanoseconds since 1970
    quint64 inode = 0;                  // 0 where the file system numbers its files anew at each mount
    bool operator==(const ListedKey &) const = default;
};

struct ListedFile {
    ListedKey key;
    CardFingerprint fingerprint;
};

// The regular file name in the folder open as folder, by a look that the
// listing just made cheap (fstatat, no link followed); nullopt when it is
// none. keepsInodes: the file system numbers a file the same at each mount.
std::optional<ListedFile> listedFileAt(int folder, const QByteArray &name, bool keepsInodes);

// $XDG_CACHE_HOME/cinefiche/index
QString defaultIndexFolder();

// What the index keeps of one card: what find, show and the window read of it.
struct IndexEntry {
    ListedKey key;
    std::array<char, kRecordWidth> record {};
    ExtensionStatus extensionStatus = ExtensionStatus::None;
    QByteArray extension;   // as encodeExtension writes it
    qint64 posterBytes = 0;
    PosterInfo poster;
};

class CardIndex {
public:
    CardIndex(const QString &file, const QByteArray &root, std::chrono::nanoseconds settle)
        : m_file(file), m_root(root), m_settle(settle)
    {
    }

    // The index of the cards read below root (with recursive, to any
    // depth), as last saved in folder; empty when there is none, or when it
    // or its folder is damaged, a link, not the user's own or open to others.
    // A card changed less than settle ago is not kept (see keep).
    static std::unique_ptr<CardIndex> load(const QString &root, bool recursive,
        const QString &folder = defaultIndexFolder(),
        std::chrono::nanoseconds settle = std::chrono::minutes(1));

    // What was read of the card at name (its bytes, below root) while its
    // file was as listed; nullopt when the index holds it otherwise. Kept
    // for the next save.
    std::optional<CardHead> find(const QByteArray &name, const ListedFile &listed, RecordText text);
    // Keeps a card read at name in this run; a card changed in the last
    // minute is left out (another machine's clock may be behind ours), as is
    // one whose file changed between its listing and its reading.
    void keep(const QByteArray &name, const ListedFile &listed, const CardHead &head);
    // Writes the cards found or kept in this run (and those alone) in place
    // of the saved index, readable by the user alone, unless they are the
    // saved ones; the oldest indexes of the folder beyond 64 or 1 GB go.
    // False when it could not.
    bool save() const;

    // The cards the index was loaded with.
    qsizetype size() const { return m_entries.size(); }

private:
    QString m_file;   // empty: no usable folder, nothing is saved
    QByteArray m_root;
    std::chrono::nanoseconds m_settle;
    QByteArray m_loaded;   // the saved index's bytes, checked
    // Each card's entry in m_loaded, by its name there.
    QHash<QByteArrayView, QByteArrayView> m_entries;
    mutable std::mutex m_mutex;             // guards the two below
    std::vector<QByteArrayView> m_found;    // entries of m_loaded found again
    QHash<QByteArray, IndexEntry> m_read;   // cards read in this run

    Transfer writeEntries(QIODevice &out) const;
};
