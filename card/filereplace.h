#pragma once
// Putting a new file in place of another: its bytes go into a nameless file
// in the same folder, which takes the name only once complete, so a failure
// or a killed run leaves the old file whole and no other file behind.

#include <QIODevice>
#include <QString>

#include <functional>

struct CardFingerprint;

// How a copy of bytes from one device to another ended.
enum class Transfer {
    Done,
    ReadFailed,
    WriteFailed,
    LinkRefused,   // a symbolic link stands at the path and replacing it was not asked
    NameTooLong,   // the path is longer than the system allows
};

// Whether a new file waits until it is on the disk before it takes its
// name: a card does; a file that is no card (a poster saved out, a
// thumbnail), or a card made anew from files that stay beside it (an
// import's), is left to the system, as a copy is.
enum class Durability { OnDisk, Written };

// What becomes of a symbolic link standing at the path written.
enum class LinkAtPath {
    Refuse,    // nothing is written (Transfer::LinkRefused)
    Replace,   // the new file takes the link's place; what it points to stays untouched
    Follow,    // the file it points to is replaced: a card the user opened through it
};

// Replaces path with the bytes write() puts into a new file, once they are
// all written (and on the disk, as durability asks); the old file's permissions are kept. The old
// file stays untouched on any failure, a read-only one too. placed, when
// given, receives the fingerprint of the new file as it took the name: taken
// from the file itself, so that a writer coming after cannot slip in.
Transfer replaceFile(const QString &path, const std::function<Transfer(QIODevice &)> &write,
    Durability durability = Durability::OnDisk, LinkAtPath links = LinkAtPath::Refuse,
    CardFingerprint *placed = nullptr);
