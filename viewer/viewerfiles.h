#pragma once
// The poster saved from a card shown in the viewer (the movie beside it is
// collection/movielibrary's movieBesideCard).

#include "card/cardsave.h"

#include <QString>

// Writes the poster of cardPath to target: the picture's bytes alone. The card is
// opened before target is touched; target is replaced only once the copy is
// complete, so a failure leaves no partial file.
SaveResult copyPoster(const QString &cardPath, const QString &target);
