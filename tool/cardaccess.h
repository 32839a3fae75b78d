#pragma once
// The picture a card's poster holds, read in place from the card.

#include "card/pictureheader.h"

#include <QString>

// The format and announced size of the poster of cardPath, from its header
// (format empty when the bytes are no picture this program reads).
PosterInfo cardPosterInfo(const QString &cardPath);
