#pragma once
// Where the thumbnails of cards and a catalogue's pictures are kept, and
// reading them back, without decoding a pixel: QtCore alone, so that the
// card tool finds them without loading pictures.
//
// A thumbnail, normal (128 pixels) or large (256), of the freedesktop cache
// ($XDG_CACHE_HOME/thumbnails), which file managers share, is named after
// the MD5 of the card's file URI and carries that URI, the card's
// modification time in seconds and its size, and in a key of our own its
// modification time to the nanosecond and its inode, so that a card
// replaced within the same second is told from the old one; a catalogue's
// picture, a JPEG, is kept in the program's own cache
// ($XDG_CACHE_HOME/cinefiche/catalogue) with the same. Either is made again
// when the card changes.

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
// percent-encoded; empty: no such file), its modification time and its size
// in bytes; its inode tells a file put in its place within a clock tick.
struct ThumbnailKey {
    QByteArray uri;
    qint64 modified = 0;   // nanoseconds since 1970
    qint64 size = 0;
    quint64 inode = 0;
    // The modification time in whole seconds, as the standard's Thumb::MTime.
    qint64 mtime() const;
};
ThumbnailKey thumbnailKey(const QString &path);
// The same from the file's fingerprint, as a scan read it: no look at the file.
ThumbnailKey thumbnailKey(const QString &path, const CardFingerprint &file);

// Where the thumbnail of uri of that size (kNormalThumbnail or
// kLargeThumbnail) is, or goes.
QString thumbnailPath(const QByteArray &uri, int size);

// The text of our own key in the thumbnails we make, and its value for key.
inline constexpr char kVersionKey[] = "X-Cinefiche::Version";
QByteArray versionText(const ThumbnailKey &key);

// Whether the PNG bytes are the thumbnail of key, from their text keys
// alone: no pixel is decoded. Thumb::URI and Thumb::MTime must match, and
// Thumb::Size and our own key when present; another program's thumbnail
// lacks ours.
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
