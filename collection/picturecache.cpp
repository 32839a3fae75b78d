#include "collection/picturecache.h"

#include "card/cardfile.h"
#include "card/cardversion.h"
#include "card/nativepath.h"

#include <QCryptographicHash>
#include <QStandardPaths>
#include <QUrl>
#include <QtEndian>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A compressed text is a key's value: a thumbnail's are a few hundred bytes.
// A larger one is no key of ours, and is never inflated (zlib expands a
// byte to a thousand at most).
constexpr int kMostTextBytes = 64 * 1024;
constexpr int kMostCompressedBytes = 4 * 1024;

QByteArray inflated(QByteArrayView zlib)
{
    if (zlib.size() > kMostCompressedBytes)
        return {};
    QByteArray sized(4, '\0');
    qToBigEndian<quint32>(kMostTextBytes, sized.data());   // qUncompress's expected size
    return qUncompress(sized + zlib.toByteArray());
}

// The value of one text chunk ("tEXt", "zTXt" or "iTXt") when its key is key.
std::optional<QString> chunkText(QByteArrayView type, QByteArrayView data, QByteArrayView key)
{
    if (!data.startsWith(key) || data.size() <= key.size() || data[key.size()] != '\0')
        return std::nullopt;
    const QByteArrayView rest = data.sliced(key.size() + 1);
    if (type == "tEXt")
        return QString::fromLatin1(rest);
    if (type == "zTXt")
        return rest.isEmpty() ? std::nullopt : std::optional(QString::fromLatin1(inflated(rest.sliced(1))));
    // iTXt: a compression flag and method, a language and a translated key, each ended by a NUL.
    if (rest.size() < 2)
        return std::nullopt;
    const QList<QByteArray> parts = rest.sliced(2).toByteArray().split('\0');
    if (parts.size() < 3)
        return std::nullopt;
    const QByteArray text = rest.sliced(2 + parts[0].size() + 1 + parts[1].size() + 1).toByteArray();
    return QString::fromUtf8(rest[0] ? inflated(text) : text);
}

// The value of key in the text chunks before the picture's data, read
// straight from the PNG's bytes. (QImageReader::text() cuts a key at its
// first ':', so it cannot see "Thumb::URI".)
std::optional<QString> pngText(QByteArrayView png, QByteArrayView key)
{
    qsizetype at = 8;   // after the signature
    while (at + 12 <= png.size()) {
        const qsizetype length = qFromBigEndian<quint32>(png.data() + at);
        const QByteArrayView type = png.sliced(at + 4, 4);
        if (type == "IDAT" || length > png.size() - at - 12)
            break;
        if (type == "tEXt" || type == "zTXt" || type == "iTXt") {
            if (auto text = chunkText(type, png.sliced(at + 8, length), key))
                return text;
        }
        at += 12 + length;
    }
    return std::nullopt;
}

QString cacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
}

QByteArray md5Hex(const QByteArray &uri)
{
    return QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex();
}

}   // namespace

qint64 ThumbnailKey::mtime() const
{
    constexpr qint64 kNanoseconds = 1000 * 1000 * 1000;
    return modified / kNanoseconds - (modified % kNanoseconds < 0 ? 1 : 0);
}

ThumbnailKey thumbnailKey(const QString &path)
{
    const std::optional<CardFingerprint> file = cardFingerprint(path);
    return file ? thumbnailKey(path, *file) : ThumbnailKey {};
}

ThumbnailKey thumbnailKey(const QString &path, const CardFingerprint &file)
{
    return { fileUrl(path).toEncoded(), file.modified, file.size, file.inode };
}

QString thumbnailPath(const QByteArray &uri, int size)
{
    return cacheFolder()
        + (size == kNormalThumbnail ? QStringLiteral("/thumbnails/normal/")
                                    : QStringLiteral("/thumbnails/large/"))
        + QString::fromLatin1(md5Hex(uri)) + QStringLiteral(".png");
}

QByteArray versionText(const ThumbnailKey &key)
{
    return QByteArray::number(key.modified) + ' ' + QByteArray::number(key.inode);
}

bool thumbnailMatches(const QByteArray &png, const ThumbnailKey &key)
{
    if (!png.startsWith("\x89PNG\r\n\x1A\n") || pngText(png, "Thumb::URI") != QString::fromLatin1(key.uri)
        || pngText(png, "Thumb::MTime") != QString::number(key.mtime()))
        return false;
    const auto matches = [&png](QByteArrayView name, const QByteArray &value) {
        const std::optional<QString> text = pngText(png, name);
        return !text || *text == QString::fromLatin1(value);
    };
    return matches("Thumb::Size", QByteArray::number(key.size)) && matches(kVersionKey, versionText(key));
}

// A catalogue's picture is kept in the program's own cache, whichever
// program makes it, named like the large thumbnail it comes from.
QString cataloguePicturePath(const QByteArray &uri)
{
    return cacheFolder() + QStringLiteral("/cinefiche/catalogue/") + QString::fromLatin1(md5Hex(uri))
        + QStringLiteral(".jpg");
}

QByteArray keyComment(const ThumbnailKey &key)
{
    const QByteArray text = "Cinefiche " + versionText(key) + ' ' + QByteArray::number(key.size);
    const qsizetype length = text.size() + 2;
    return QByteArray("\xFF\xFE") + char(length >> 8) + char(length & 0xFF) + text;
}

std::optional<QByteArray> cachedCataloguePicture(const ThumbnailKey &key)
{
    const QByteArray start = QByteArray("\xFF\xD8") + keyComment(key);
    const auto cached = readCached(cataloguePicturePath(key.uri));
    if (!cached || !cached->startsWith(start))
        return std::nullopt;
    return "\xFF\xD8" + cached->sliced(start.size());
}

std::optional<QByteArray> readCached(const QString &path)
{
    const int fd = openNative(path, O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    std::optional<QByteArray> bytes;
    struct stat info { };
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kMostThumbnailBytes) {
        QByteArray read(qsizetype(info.st_size), Qt::Uninitialized);
        const qsizetype n = readUpTo(fd, read.data(), read.size());
        if (n >= 0)
            bytes = read.first(n);
    }
    ::close(fd);
    return bytes;
}
