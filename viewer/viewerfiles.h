#pragma once
// The poster saved from a card shown in the viewer (the movie beside it is
// collection/movielibrary's movieBesideCard).

#include "card/cardsave.h"

#include <QString>

// Writes every byte of cardPath after its first 1176 to target. The card is
// opened before target is touched; target is replaced only once the copy is
// complete, so a failure leaves no partial file.
SaveResult copyPoster(const QString &cardPath, const QString &target);
