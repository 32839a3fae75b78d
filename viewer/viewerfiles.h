#pragma once
// The files around a card shown in the viewer: the movie beside it and the
// poster saved from it.

#include "card/cardsave.h"

#include <QString>

// The movie beside the card: its name with the extension "avi", else "divx",
// else "mkv", "mp4", "m4v", "webm", "mov", "ogv", "mpg", "mpeg", "wmv", in
// that order; empty when none exists.
QString movieBesideCard(const QString &cardPath);

// Writes every byte of cardPath after its first 1176 to target. The card is
// opened before target is touched; target is replaced only once the copy is
// complete, so a failure leaves no partial file.
SaveResult copyPoster(const QString &cardPath, const QString &target);
