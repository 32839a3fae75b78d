#pragma once
// What a card can hold of a movie .nfo, and a note for everything it has to
// leave out or shorten.

#include "card/card.h"
#include "tool/nfo.h"

struct NfoImport {
    CardValues values;   // each fits its field; the title may be empty
    QStringList notes;   // one line for each thing left out or shortened
};

// Takes, in the file's order: the title, the year (or that of <premiered>),
// hours and minutes of the runtime, the genres joined with ", " as far as
// they fit, the first director, the first ten actors, the plot.
NfoImport importMovie(const NfoMovie &movie);

// text cut at a word so that it takes at most limit characters with a
// final "…"; line breaks take two when they count twice (the summary).
QString cutAtWord(const QString &text, int limit, bool lineBreaksCountTwo);
