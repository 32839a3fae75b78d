#pragma once
// What a drop or the clipboard brings the editor: a card to open, a picture
// file, or bare pixels. Only what came with the data counts: an address on
// the web alone brings nothing, since nothing is fetched.

#include <QImage>
#include <QString>

class QMimeData;

enum class PosterSourceKind {
    None,          // text, a folder, a web address alone
    Card,          // a local file whose extension is cfh, whatever its case
    PictureFile,   // any other local file; the poster loader decides if it is a picture
    Pixels,        // picture data without a file, as a browser offers it
};

struct PosterSource {
    PosterSourceKind kind = PosterSourceKind::None;
    QString path;   // the local file of a Card or a PictureFile
};

// Looks at the file addresses and the formats, decodes nothing. The first
// local file comes first: a file manager may offer the pixels as well.
PosterSource posterSource(const QMimeData &data);

// The pixels that came with data; null when none decode or they are more
// than a poster may have (kMaxPosterPixels).
QImage posterPixels(const QMimeData &data);

// Whether pasting data gives a poster: pixels, or a local file whose header
// is a picture's.
bool holdsPoster(const QMimeData &data);

// Writes pixels to path as a JPEG of quality 90, transparent parts on white,
// the format every reader of cards shows. False when it cannot be written;
// no partial file is left.
bool writePastedPoster(const QImage &pixels, const QString &path);
