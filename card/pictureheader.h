#pragma once
// The format and pixel size of a poster picture from its header alone, with
// QtCore: JPEG, PNG, GIF, BMP, WebP and TIFF, the formats posters come in.
// Reading is bounded: a few dozen bytes, or a few bytes a segment (JPEG) or
// an entry (TIFF) over a bounded number of them, whatever a hostile header
// announces.

#include <QByteArray>
#include <QByteArrayView>
#include <QSize>

#include <functional>

class QIODevice;
class QString;

struct PosterInfo {
    QByteArray format;   // "jpeg", "png", "gif", "bmp", "webp", "tiff"; empty when no picture
    QSize size;          // pixels, as the header announces them
};

// Up to size bytes of the picture from offset into buffer; fewer only at its
// end, -1 on a read error.
using ReadAt = std::function<qint64(qint64 offset, char *buffer, qint64 size)>;

PosterInfo readPictureHeader(const ReadAt &read);
PosterInfo readPictureHeader(QByteArrayView bytes);
// From in's position, which it leaves anywhere.
PosterInfo readPictureHeader(QIODevice &in);

// The most pixels a poster may announce: beyond, it is refused before
// anything is allocated (a hostile header can announce 60000 x 60000).
constexpr qint64 kMaxPosterPixels = 50'000'000;
bool tooManyPixels(const QSize &size);

// Each scan of a progressive JPEG is a pass over the whole picture: real
// ones hold about ten, a hostile one thousands in a small file (minutes of
// work). Counted where posters are decoded.
constexpr int kMaxJpegScans = 100;

// A picture file's extension for a format: "jpg" for "jpeg".
QString pictureExtension(const QByteArray &format);

// Whether a file can be a card's poster.
struct PosterFileCheck {
    enum Problem { None, Missing, Unreadable, NotPicture, TooManyPixels, TooManyScans } problem = None;
    QSize size;   // pixels, as the header announces them
};

// The check of the picture file at path from its header alone: its format
// and its pixels (never TooManyScans, which needs the whole JPEG).
PosterFileCheck checkPictureHeader(const QString &path);
