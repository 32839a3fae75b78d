#pragma once
// What from-nfo and import share: the card that a movie .nfo gives, its
// poster found beside it, and the writing of that card.

#include "card/cardsave.h"
#include "nfo/nforeader.h"
#include "tool/cardtool.h"

#include <optional>

// The movie of the NFO at path; nullopt, said on err, when it is none.
std::optional<NfoMovie> readMovie(ToolIo &io, const QString &path);

struct NfoCard {
    Card card {};
    QStringList notes {};   // one line for each kind of thing left out
};

// The card the NFO at nfoPath gives, undated when the NFO does not say when
// the movie was added; nullopt, said on err, when it gives none
// (unreadable, no movie's, no title).
std::optional<NfoCard> cardFromNfo(ToolIo &io, const QString &nfoPath);

// The first of pictures (paths, best first) that a card from the NFO at
// nfoPath takes as its poster: one in the NFO's folder once links are
// followed, and a picture a card may hold. Each one passed over is said in
// notes. Empty when none is taken.
QString posterAmong(const QStringList &pictures, const QString &nfoPath, QStringList &notes);

// The pictures NAME-poster.EXT that stand beside the NFO NAME.nfo.
QStringList postersBesideNfo(const QString &nfoPath);

// Writes the card at cardPath anew from card and poster (none when
// empty). A card standing there is replaced under its lock, as one change
// against other writers, and keeps the date it was added unless card has
// one; a new card is dated today unless card is. links says what becomes of
// a link at cardPath. A new card does not wait for the disk: the NFO and
// the poster it is made from stay beside it.
SaveResult writeImportedCard(
    const QString &cardPath, const Card &card, const QString &poster, LinkAtPath links);
// The same with a poster of any kind (Remove: none); AsGiven writes the
// card's date of addition as it stands, blank too (a table that has the column).
enum class Dating { WhenUndated, AsGiven };
SaveResult writeImportedCard(const QString &cardPath, const Card &card, const PosterChoice &poster,
    LinkAtPath links, Dating dating = Dating::WhenUndated);
