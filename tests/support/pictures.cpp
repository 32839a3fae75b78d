#include "support/pictures.h"

#include <QBuffer>
#include <QImage>

namespace {

QImage plainPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image;
}

}   // namespace

QByteArray pictureBytes(int width, int height, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    plainPicture(width, height).save(&buffer, format);
    return bytes;
}

QString writePicture(const QString &path, int width, int height, const char *format)
{
    return plainPicture(width, height).save(path, format) ? path : QString();
}
