#pragma once
// The movie .nfo a card gives: each field into its element, so that the
// .nfo read back gives the same card (nfo/nfoimport.h).

#include "card/cardvalues.h"
#include "nfo/nfomovie.h"
#include "nfo/nfonote.h"

// Every field that has an element: the running time as a number of
// minutes, the genres and the directors split at ", ", the plays counted
// (0 for a movie not seen, at least one a viewing known), the last viewing,
// the identifiers with the default one marked and repeated in <id>. What
// cannot be written is said in notes.
NfoMovie movieOfCard(const CardValues &values, QList<NfoNote> &notes);
