#pragma once
// What from-nfo and import share: the card that a movie .nfo gives and its
// poster found beside it (the card is written by writeImportedCard).

#include "card/cardsave.h"
#include "exchange/importedmovie.h"
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
