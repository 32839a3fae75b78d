#pragma once
// The picture a card's poster holds, read in place from the card.

#include "poster/posterimage.h"

#include <QString>

// The format and announced size of the poster of cardPath (format empty
// when the bytes are no picture this program reads).
PosterInfo cardPosterInfo(const QString &cardPath);
