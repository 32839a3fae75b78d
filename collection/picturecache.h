#pragma once
// Where the thumbnails of cards and a catalogue's pictures are kept, and
// reading them back, without decoding a pixel: QtCore alone, so that the
// card tool finds them without loading pictures.
//
// A thumbnail, normal (128 pixels) or large (256), of the freedesktop cache
// ($XDG_CACHE_HOME/thumbnails), which file managers share, is named after
// the MD5 of the card's file URI and carries that URI and the card's
// modification time; a catalogue's picture, a JPEG, is kept in the
// program's own cache ($XDG_CACHE_HOME/cinefiche/catalogue) with the card's
// modification time and size. Either is made again when the card changes.

#include <QByteArray>
#include <QString>

#include <optional>

struct CardFingerprint;

// The largest side of a normal and of a large thumbnail, in pixels.
constexpr int kNormalThumbnail = 128;
constexpr int kLargeThumbnail = 256;

// A cached picture larger than this is no picture of ours: never read whole.
constexpr qint64 kMostThumbnailBytes = 4 * 1024 * 1024;

// What identifies a file's thumbnail: its URI (file:// and the absolute path,
// percent-encoded) and its modification time in seconds (-1: no such file);
// its size in bytes goes with them.
struct ThumbnailKey {
    QByteArray uri;
    qint64 mtime = -1;
    qint64 size = 0;
};
ThumbnailKey thumbnailKey(const QString &path);
// The same from the file's fingerprint, as a scan read it: no look at the file.
ThumbnailKey thumbnailKey(const QString &path, const CardFingerprint &file);

// Where the thumbnail of uri of that size (kNormalThumbnail or
// kLargeThumbnail) is, or goes.
QString thumbnailPath(const QByteArray &uri, int size);

// Whether the PNG bytes are the thumbnail of key, from their text keys
// (Thumb::URI, Thumb::MTime) alone: no pixel is decoded.
bool thumbnailMatches(const QByteArray &png, const ThumbnailKey &key);

// Where the catalogue's picture of uri is, or goes.
QString cataloguePicturePath(const QByteArray &uri);
// The JPEG comment segment a kept catalogue picture begins with (after its
// first two bytes), naming the card's version: out of the page.
QByteArray keyComment(const ThumbnailKey &key);
// The catalogue's picture kept for the card's version, without its comment.
std::optional<QByteArray> cachedCataloguePicture(const ThumbnailKey &key);

// The bytes of a cached file; nullopt when it cannot be read or is too large.
std::optional<QByteArray> readCached(const QString &path);
