#pragma once
// The cards of a collection: every regular file that begins with the card
// marker, whatever its name, read in French order of names; links to folders
// are never followed, so a link loop is harmless.

#include "card/cardfile.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

struct ScannedCard {
    QString path;    // the place, or a folder's path + "/" + the file's name
    CardHead head;   // its record and the size of its poster
};

struct CardScan {
    bool recursive = false;                     // the folders below each folder too
    bool hiddenFolders = true;                  // with recursive, those whose name begins with "." too
    PosterHeader poster = PosterHeader::Skip;   // Read: each card's poster format and pixels too
    RecordText text = RecordText::Decoded;      // BytesOnly: the record's bytes alone
    // Each card's poster size and fingerprint; false spares a system call a
    // card, and tells only whether a poster follows (posterBytes 1).
    bool fileFacts = true;
    // A second thread reads a folder's next cards while this one gives the
    // last: for a single scan (a scan on every core has its cores already).
    bool readAhead = false;
    // Cards read at once, folders listed ahead, in threads that mostly wait:
    // by default as many as the file system of the places calls for (many
    // on a network share; none on a local disk, which reads ahead as asked).
    std::optional<int> readers {};
    // With readers, each folder named keeps what was read of its cards in
    // the user's cache (collection/cardindex), and a card is taken from
    // there while its folder's listing shows its file unchanged.
    bool useIndex = false;
    // Each card as it is read, in order; false stops the scan.
    std::function<bool(const ScannedCard &)> onCard {};
    // Why a place yields no card (Missing, NotCard, Unreadable); inside
    // folders only what cannot be read: files that are no card are passed over.
    std::function<void(const QString &path, CardReadStatus status)> onProblem {};
    // Each folder as the walk enters it (a window watches them).
    std::function<void(const QString &path)> onFolder {};
};

// Reads places in their order: a file is a card (or a problem); a folder
// gives its cards, and with recursive those of its folders, each folder's
// entries in French order of their names. Reads each card's record alone
// (1176 bytes; and its poster's header when asked), so it may run on any
// thread; onCard, onProblem and onFolder are called on the calling thread.
// False when onCard stopped it.
bool scanCards(const QStringList &places, const CardScan &scan);
