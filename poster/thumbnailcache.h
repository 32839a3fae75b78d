#pragma once
// Cards' posters in the freedesktop thumbnail cache ($XDG_CACHE_HOME/thumbnails),
// which file managers share: a large thumbnail (256 pixels) is named after
// the MD5 of the card's file URI and carries that URI and the card's
// modification time, so that a card thumbnailed once is not decoded again
// while it stays unchanged.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// The largest side of a large thumbnail, in pixels.
constexpr int kLargeThumbnail = 256;

// What identifies a file's thumbnail: its URI (file:// and the absolute path,
// percent-encoded) and its modification time in seconds (-1: no such file);
// its size in bytes goes with them.
struct ThumbnailKey {
    QByteArray uri;
    qint64 mtime = -1;
    qint64 size = 0;
};
ThumbnailKey thumbnailKey(const QString &path);

// Where the large thumbnail of uri is, or goes.
QString largeThumbnailPath(const QByteArray &uri);

// Whether the PNG bytes are the thumbnail of key, from their text keys
// (Thumb::URI, Thumb::MTime) alone: no pixel is decoded.
bool thumbnailMatches(const QByteArray &png, const ThumbnailKey &key);

// The PNG of the large thumbnail of the card's poster: the cached one while
// it matches, else made from the poster and stored (0600, in folders of
// 0700, replaced whole). Empty when the card has no poster that decodes.
// Safe to call from several threads at once.
QByteArray cardThumbnail(const QString &cardPath);

// The picture a catalogue embeds for the card: its large thumbnail as a
// JPEG (a tenth of the PNG's bytes for a photograph; a poster with
// transparency keeps its PNG), kept in the program's own cache
// ($XDG_CACHE_HOME/cinefiche/catalogue, 0600 files in 0700 folders) and made
// again when the card changes. Empty when the card has no poster that decodes.
QByteArray cataloguePicture(const QString &cardPath);
// Those of cards, in their order, made on every core.
std::vector<QByteArray> cataloguePictures(const QStringList &cardPaths);
