#include "tool/picturestream.h"

#include "card/nativepath.h"
#include "collection/picturecache.h"

QByteArray framedPaths(const QStringList &paths)
{
    QByteArray stream;
    for (const QString &path : paths)
        stream.append(nativePath(path)).append('\0');
    return stream;
}

QStringList pathsOfStream(QByteArrayView stream)
{
    QStringList paths;
    for (qsizetype at = 0; at < stream.size();) {
        qsizetype end = stream.indexOf('\0', at);
        if (end < 0)
            end = stream.size();
        paths << pathFromNative(stream.sliced(at, end - at));
        at = end + 1;
    }
    return paths;
}

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
