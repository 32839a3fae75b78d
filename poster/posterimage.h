#pragma once
// Poster pictures: what a poster's bytes hold, read from their header alone,
// and the decoded picture, never larger than the program can afford.

#include <QByteArray>
#include <QImage>
#include <QSize>

class QIODevice;
class QString;

struct PosterInfo {
    QByteArray format;   // "jpeg", "png", ...; empty when the bytes are no picture
    QSize size;          // pixels, as the header announces them
};

// The format and size of the picture that the bytes from in's position
// hold; reads only the header.
PosterInfo probePoster(QIODevice &in);

// A picture file's extension for a format of probePoster: "jpg" for "jpeg".
QString pictureExtension(const QByteArray &format);

// The picture at path read as format alone. Otherwise Qt loads every
// installed picture plugin to ask it first, even for its own PNG.
QImage readPictureAs(const QString &path, const QByteArray &format);

// The most pixels a poster may announce: beyond, it is refused before
// anything is allocated (a hostile header can announce 60000 x 60000).
constexpr qint64 kMaxPosterPixels = 50'000'000;
bool tooManyPixels(const QSize &size);

// Each scan of a progressive JPEG is a pass over the whole picture: real
// ones hold about ten, a hostile one thousands in a small file (minutes of work).
constexpr int kMaxJpegScans = 100;

// The scans of the JPEG from in's position, counted by walking its markers
// (cheap: no decoding); the count stops past kMaxJpegScans. Reads to the end.
int jpegScans(QIODevice &in);

// Whether the file at path can be a card's poster, from its header alone
// (and, for a JPEG, its markers).
struct PosterFileCheck {
    enum Problem { None, Missing, Unreadable, NotPicture, TooManyPixels, TooManyScans } problem = None;
    QSize size;   // pixels, as the header announces them
};
PosterFileCheck checkPosterFile(const QString &path);
PosterFileCheck checkPoster(QIODevice &in);

// The picture, scaled down to fit within bound when it is larger (formats
// that can decode at a reduced size do so, so a large poster never takes its
// full size in memory). Null when the bytes are no picture or announce too
// many pixels or scans. An invalid bound keeps the natural size.
QImage decodePoster(QIODevice &in, QSize bound = {});
QImage decodePoster(const QString &path, QSize bound = {});

// The pixels of image alone, in a copy that carries none of its texts.
QImage pixelsOf(const QImage &image);

// The poster from in's position as a PNG that fits within maxSide x maxSide
// pixels, written to out: its pixels alone, none of the poster's own texts
// (a PNG's text chunks would carry an attacker's Thumb::URI to the file
// manager). False when the poster cannot be decoded, or out fails.
bool writeThumbnail(QIODevice &in, int maxSide, QIODevice &out);
