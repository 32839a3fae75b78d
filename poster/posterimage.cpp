#include "poster/posterimage.h"

#include "app/common.h"
#include "card/nativepath.h"

#include <QFile>
#include <QImageReader>

namespace {

bool affordable(const QSize &size)
{
    return size.isValid() && !size.isEmpty() && !tooManyPixels(size);
}

// The format of the usual poster pictures from their first bytes. Given to
// the reader, it loads that format's plugin alone instead of asking every
// installed plugin in turn (TIFF, MNG, WebP... and their libraries).
QByteArray formatFromSignature(QIODevice &in)
{
    const QByteArray head = in.peek(12);
    if (head.startsWith("\xFF\xD8\xFF"))
        return "jpeg";
    if (head.startsWith("\x89PNG\r\n\x1A\n"))
        return "png";
    if (head.startsWith("GIF8"))
        return "gif";
    if (head.startsWith("BM"))
        return "bmp";
    if (head.startsWith("RIFF") && head.mid(8) == "WEBP")
        return "webp";
    return {};
}

// The format and size that a reader of format (any format when empty) finds.
PosterInfo probeAs(QIODevice &in, const QByteArray &format)
{
    QImageReader reader(&in, format);
    reader.setAutoDetectImageFormat(format.isEmpty());
    reader.setDecideFormatFromContent(format.isEmpty());   // never the file's name
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid())
        return {};
    return { reader.format(), size };
}

}   // namespace

PosterInfo probePoster(QIODevice &in)
{
    const qint64 start = in.pos();
    const QByteArray signature = formatFromSignature(in);
    if (!signature.isEmpty()) {
        const PosterInfo info = probeAs(in, signature);
        if (!info.format.isEmpty() || !in.seek(start))
            return info;
    }
    return probeAs(in, {});
}

bool tooManyPixels(const QSize &size)
{
    return qint64(size.width()) * size.height() > kMaxPosterPixels;
}

PosterFileCheck checkPosterFile(const QString &path)
{
    if (!FileExists(path))
        return { PosterFileCheck::Missing, {} };
    QFile file;
    if (!openForReading(file, path, QIODevice::ReadOnly))
        return { PosterFileCheck::Unreadable, {} };
    const PosterInfo info = probePoster(file);
    if (info.format.isEmpty())
        return { PosterFileCheck::NotPicture, {} };
    return { tooManyPixels(info.size) ? PosterFileCheck::TooManyPixels : PosterFileCheck::None, info.size };
}

QImage decodePoster(QIODevice &in, QSize bound)
{
    const qint64 start = in.pos();
    const PosterInfo info = probePoster(in);
    if (info.format.isEmpty() || !affordable(info.size) || !in.seek(start))
        return {};
    QImageReader reader(&in, info.format);
    reader.setAutoDetectImageFormat(false);
    if (bound.isValid() && (info.size.width() > bound.width() || info.size.height() > bound.height()))
        reader.setScaledSize(info.size.scaled(bound, Qt::KeepAspectRatio).expandedTo({ 1, 1 }));
    return reader.read();
}

QString pictureExtension(const QByteArray &format)
{
    return format == "jpeg" ? QStringLiteral("jpg") : QString::fromLatin1(format);
}

QImage readPictureAs(const QString &path, const QByteArray &format)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage decodePoster(const QString &path, QSize bound)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodePoster(file, bound);
}
