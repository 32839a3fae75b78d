#pragma once
// Cards' posters made into the thumbnails and catalogue pictures of the
// caches (collection/picturecache.h), when the cached ones are missing or
// stale: this half decodes pictures.

#include "collection/picturecache.h"

#include <QStringList>

#include <vector>

// The PNG of the thumbnail of the card's poster that fills pixels: the
// normal one up to kNormalThumbnail, else the large one. The cached one
// while it matches, else made (a normal one from the large one) and stored
// (0600, in folders of 0700, replaced whole). Empty when the card has no
// poster that decodes. Safe to call from several threads at once.
QByteArray cardThumbnail(const QString &cardPath, int pixels = kLargeThumbnail);

// The picture a catalogue embeds for the card: its large thumbnail as a
// JPEG (a tenth of the PNG's bytes for a photograph; a poster with
// transparency keeps its PNG), kept in the program's own cache (0600 files
// in 0700 folders) and made again when the card changes. Empty when the
// card has no poster that decodes.
QByteArray cataloguePicture(const QString &cardPath);
// Those of cards, in their order, made on every core.
std::vector<QByteArray> cataloguePictures(const QStringList &cardPaths);
