#pragma once
// Poster pictures: what a poster's bytes hold, read from their header alone,
// and the decoded picture, never larger than the program can afford.

#include "card/pictureheader.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

class QIODevice;
class QString;

// The format and size of the picture that the bytes from in's position
// hold; reads only the header. Beyond the formats readPictureHeader knows,
// Qt's readers are asked (TIFF...).
PosterInfo probePoster(QIODevice &in);

// The picture at path read as format alone. Otherwise Qt loads every
// installed picture plugin to ask it first, even for its own PNG.
QImage readPictureAs(const QString &path, const QByteArray &format);

// The scans of the JPEG from in's position, counted by walking its markers
// (cheap: no decoding); the count stops past kMaxJpegScans. Reads to the end.
int jpegScans(QIODevice &in);

// Whether the file at path can be a card's poster, from its header alone
// (and, for a JPEG, its markers).
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
