#pragma once
// The card a movie .nfo gives: each element into its field, whole, through
// the card's rules (card/card.h), so that the record gets what a reader of
// the record alone should see and the extension the exact values.

#include "card/card.h"
#include "nfo/nfomovie.h"
#include "nfo/nfonote.h"

// Takes the title, original and sort titles, the year (or that of
// <premiered>), the runtime as hours and minutes, the genres and the
// directors each joined with ", ", every actor, the plot, the saga, the
// countries, the tags, the user's rating, whether and when the movie was
// seen and how many times, the IMDb and TMDb identifiers and which one is
// the default, and the date it was added. What the card's rules refuse is
// left out and said in notes, one a kind and field. The title may be empty.
Card cardOfMovie(const NfoMovie &movie, QList<NfoNote> &notes);
