#pragma once
// Putting a new file in place of another: its bytes go into a nameless file
// in the same folder, which takes the name only once complete, so a failure
// or a killed run leaves the old file whole and no other file behind.

#include <QIODevice>
#include <QString>

#include <functional>
#include <vector>

struct CardFingerprint;

// How a copy of bytes from one device to another ended.
enum class Transfer {
    Done,
    ReadFailed,
    WriteFailed,
    LinkRefused,   // a symbolic link stands at the path and replacing it was not asked
    NameTooLong,   // the path is longer than the system allows
};

// Whether a replaced file waits until it is on the disk: a card does; a
// file that is no card (a poster saved out, a thumbnail) is not worth it.
enum class Durability { OnDisk, Written };

// What becomes of a symbolic link standing at the path written.
enum class LinkAtPath {
    Refuse,    // nothing is written (Transfer::LinkRefused)
    Replace,   // the new file takes the link's place; what it points to stays untouched
    Follow,    // the file it points to is replaced: a card the user opened through it
};

// Replaces path with the bytes write() puts into a new file, once they are
// all written (and on disk); the old file's permissions are kept. The old
// file stays untouched on any failure, a read-only one too. placed, when
// given, receives the fingerprint of the new file as it took the name: taken
// from the file itself, so that a writer coming after cannot slip in.
Transfer replaceFile(const QString &path, const std::function<Transfer(QIODevice &)> &write,
    Durability durability = Durability::OnDisk, LinkAtPath links = LinkAtPath::Refuse,
    CardFingerprint *placed = nullptr);

// New files that take their names together, once all of them are on the
// disk: one wait for the disk serves them all. Each is written nameless
// where the file system allows it, so a killed run leaves none of them and
// no name ever shows a half-written file; files still waiting when the batch
// ends are dropped.
class FileBatch {
public:
    FileBatch() = default;
    ~FileBatch();
    FileBatch(const FileBatch &) = delete;
    FileBatch &operator=(const FileBatch &) = delete;

    // Writes the new file for path as replaceFile does; it takes the name at place().
    Transfer add(const QString &path, const std::function<Transfer(QIODevice &)> &write,
        LinkAtPath links = LinkAtPath::Refuse);
    qsizetype size() const { return qsizetype(m_files.size()); }
    // Puts every file added in place once all are on the disk; each one's
    // result, in the order they were added.
    std::vector<Transfer> place();

private:
    struct Waiting {
        int fd;
        QByteArray named;   // its name, where the file system gives no nameless file
        QByteArray path;
    };
    std::vector<Waiting> m_files;
    void drop(const Waiting &file);
};
