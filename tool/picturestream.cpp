#include "tool/picturestream.h"

#include "collection/picturecache.h"

QByteArray framedPicture(const QByteArray &picture)
{
    return QByteArray::number(picture.size()).append('\n').append(picture);
}

std::vector<QByteArray> picturesOfStream(QByteArrayView stream, qsizetype count)
{
    std::vector<QByteArray> pictures(size_t(std::max<qsizetype>(count, 0)));
    qsizetype at = 0;
    for (QByteArray &picture : pictures) {
        const qsizetype line = stream.indexOf('\n', at);
        bool number = false;
        const qint64 length = line < 0 ? -1 : stream.sliced(at, line - at).toLongLong(&number);
        if (!number || length < 0 || length > kMostThumbnailBytes || length > stream.size() - line - 1)
            break;
        picture = stream.sliced(line + 1, length).toByteArray();
        at = line + 1 + length;
    }
    return pictures;
}
