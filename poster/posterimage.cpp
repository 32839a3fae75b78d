#include "poster/posterimage.h"

#include <QFile>
#include <QImageReader>

namespace {

bool affordable(const QSize &size)
{
    return size.isValid() && !size.isEmpty() && qint64(size.width()) * size.height() <= kMaxPosterPixels;
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

QImage decodePoster(QIODevice &in, int maxSide)
{
    const qint64 start = in.pos();
    const PosterInfo info = probePoster(in);
    if (info.format.isEmpty() || !affordable(info.size) || !in.seek(start))
        return {};
    QImageReader reader(&in, info.format);
    if (maxSide > 0 && std::max(info.size.width(), info.size.height()) > maxSide)
        reader.setScaledSize(info.size.scaled(maxSide, maxSide, Qt::KeepAspectRatio).expandedTo({ 1, 1 }));
    return reader.read();
}

QString pictureExtension(const QByteArray &format)
{
    return format == "jpeg" ? QStringLiteral("jpg") : QString::fromLatin1(format);
}

QImage decodePoster(const QString &path, int maxSide)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodePoster(file, maxSide);
}
