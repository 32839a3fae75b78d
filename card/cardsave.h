#pragma once
// The ways a card is written: a whole new card, a copy under another name
// (or onto itself, which rewrites its record alone), and a change of an
// existing card. Each card is written into a new file beside the
// destination, which replaces it only once complete; an existing card is
// locked while it is replaced, so that no other writer's change is lost.

#include "card/card.h"
#include "card/cardlock.h"
#include "card/filereplace.h"

#include <QString>

#include <functional>

enum class SaveStatus {
    Ok,
    PosterMissing,   // the poster to save is gone; failedPath names it
    SourceMissing,   // the card to copy is gone; failedPath names it
    ReadFailed,      // failedPath names the file that could not be read
    WriteFailed,     // failedPath names the file that could not be written
    NotCard,         // the card to change is no card; failedPath names it
    NameTooLong,     // failedPath is longer than the system allows
    LinkRefused,     // a symbolic link stands at failedPath, and replacing it was not asked
    Busy,            // another writer kept the card at failedPath locked too long
    Changed,         // the card at failedPath is no longer the one loaded: nothing written
    Cancelled,       // the change asked for nothing to be written
    Damaged,         // the card at failedPath ends with an extension that cannot be read: left as it is
};

struct SaveResult {
    SaveStatus status = SaveStatus::Ok;
    QString failedPath;
    CardVersion written {};   // Ok: the card as written, to tell another writer's change from it
    bool ok() const { return status == SaveStatus::Ok; }
};

// Writes cardPath anew: the card, with the poster file posterPath (none
// when empty).
SaveResult writeWholeCard(const QString &cardPath, const Card &card, const QString &posterPath,
    LinkAtPath links = LinkAtPath::Refuse, Durability durability = Durability::OnDisk);

// Writes cardPath as a copy of sourceCard whose texts and data are card's:
// its separator and poster bytes stay, unless posterPath names a new poster.
SaveResult writeCardCopy(const QString &sourceCard, const QString &cardPath, const Card &card,
    const QString &posterPath, LinkAtPath links = LinkAtPath::Refuse);

// Replaces the texts and data of the existing card cardPath; its poster stays.
SaveResult rewriteCard(const QString &cardPath, const Card &card, LinkAtPath links = LinkAtPath::Refuse);

// The poster a changed card gets: its own bytes, none, the file path, or
// bytes (a picture taken out of an archive).
struct PosterChoice {
    enum class Kind { Keep, Remove, Replace, Bytes } kind = Kind::Keep;
    QString path {};
    QByteArray bytes {};
};

// The picture at path as a card's new poster; an empty path removes it.
inline PosterChoice posterFromFile(const QString &path)
{
    return path.isEmpty() ? PosterChoice { PosterChoice::Kind::Remove }
                          : PosterChoice { PosterChoice::Kind::Replace, path };
}

// The same with the poster poster gives (Keep: none).
SaveResult writeWholeCard(const QString &cardPath, const Card &card, const PosterChoice &poster,
    LinkAtPath links = LinkAtPath::Refuse, Durability durability = Durability::OnDisk);

// What a change does to a card whose extension cannot be read: nothing
// (Damaged), or write it all the same, the unread bytes kept after the poster.
enum class OverDamaged { Refuse, Write };

// Reads the card at cardPath, lets edit change it, and replaces the card,
// as one step against other writers. edit returns false to write nothing
// (Cancelled).
SaveResult changeCard(const QString &cardPath, const std::function<bool(Card &)> &edit,
    const PosterChoice &poster = {}, LinkAtPath links = LinkAtPath::Refuse,
    OverDamaged damaged = OverDamaged::Refuse);

// Replaces the card at cardPath with card and poster only while it is
// still the version loaded; Changed, with nothing written, when another
// writer replaced or rewrote it since.
SaveResult replaceIfUnchanged(const QString &cardPath, const CardVersion &loaded, const Card &card,
    const PosterChoice &poster = {}, LinkAtPath links = LinkAtPath::Refuse);
