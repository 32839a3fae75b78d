#include "poster/posterpaste.h"

#include "card/cardfile.h"
#include "card/filepaths.h"
#include "poster/posterimage.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

namespace {

constexpr int kJpegQuality = 90;

// The image types of data that the poster loader can decode.
QStringList pictureFormats(const QMimeData &data)
{
    QStringList formats;
    const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
    for (const QString &format : data.formats()) {
        if (readable.contains(format.toLatin1()))
            formats << format;
    }
    return formats;
}

bool affordable(const QImage &image)
{
    return !image.isNull() && !tooManyPixels(image.size());
}

}   // namespace

PosterSource posterSource(const QMimeData &data)
{
    for (const QUrl &url : data.urls()) {
        const QString path = url.toLocalFile();
        if (path.isEmpty() || !fileExists(path))
            continue;
        const bool card = extensionOf(path).compare(kCardExtension, Qt::CaseInsensitive) == 0;
        return { card ? PosterSourceKind::Card : PosterSourceKind::PictureFile, path };
    }
    if (data.hasImage() || !pictureFormats(data).isEmpty())
        return { PosterSourceKind::Pixels, {} };
    return {};
}

// The bytes as they came go through the poster loader and its size guard;
// a picture the platform already decoded is only measured.
QImage posterPixels(const QMimeData &data)
{
    for (const QString &format : pictureFormats(data)) {
        QByteArray bytes = data.data(format);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const QImage image = decodePoster(buffer);
        if (!image.isNull())
            return image;
    }
    const QImage image = qvariant_cast<QImage>(data.imageData());
    return affordable(image) ? image : QImage();
}

bool holdsPoster(const QMimeData &data)
{
    const PosterSource source = posterSource(data);
    if (source.kind != PosterSourceKind::PictureFile)
        return source.kind == PosterSourceKind::Pixels;
    QFile file(source.path);
    return file.open(QIODevice::ReadOnly) && !probePoster(file).format.isEmpty();
}

bool writePastedPoster(const QImage &pixels, const QString &path)
{
    QImage opaque = pixels;
    if (pixels.hasAlphaChannel()) {
        opaque = QImage(pixels.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, pixels);
    }
    const auto write = [&](QIODevice &out) {
        QImageWriter writer(&out, "jpeg");
        writer.setQuality(kJpegQuality);
        return writer.write(opaque) ? Transfer::Done : Transfer::WriteFailed;
    };
    return replaceFile(path, write, Durability::Written) == Transfer::Done;
}
