#include "poster/posterimage.h"

#include "app/common.h"

#include <QFile>
#include <QImageReader>

namespace {

bool affordable(const QSize &size)
{
    return size.isValid() && !size.isEmpty() && !tooManyPixels(size);
}

}   // namespace

PosterInfo probePoster(QIODevice &in)
{
    QImageReader reader(&in);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid())
        return {};
    return { reader.format(), size };
}

bool tooManyPixels(const QSize &size)
{
    return qint64(size.width()) * size.height() > kMaxPosterPixels;
}

PosterFileCheck checkPosterFile(const QString &path)
{
    if (!FileExists(path))
        return { PosterFileCheck::Missing, {} };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
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
    if (bound.isValid() && (info.size.width() > bound.width() || info.size.height() > bound.height()))
        reader.setScaledSize(info.size.scaled(bound, Qt::KeepAspectRatio).expandedTo({ 1, 1 }));
    return reader.read();
}

QString pictureExtension(const QByteArray &format)
{
    return format == "jpeg" ? QStringLiteral("jpg") : QString::fromLatin1(format);
}

QImage decodePoster(const QString &path, QSize bound)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodePoster(file, bound);
}
