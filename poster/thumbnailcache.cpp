#include "poster/thumbnailcache.h"

#include "card/cardfile.h"
#include "card/nativepath.h"
#include "poster/posterimage.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QStandardPaths>
#include <QThreadPool>
#include <QUrl>
#include <QtEndian>

#include <cerrno>
#include <optional>
#include <sys/stat.h>

namespace {

const QString kUriKey = QStringLiteral("Thumb::URI");
const QString kMTimeKey = QStringLiteral("Thumb::MTime");

// A photograph's thumbnail at this JPEG quality is a tenth of its PNG and
// shows no loss at its size.
constexpr int kCatalogueQuality = 80;

// A thumbnail larger than this is no thumbnail of ours: never read whole.
constexpr qint64 kMostThumbnailBytes = 4 * 1024 * 1024;

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

QString thumbnailsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/thumbnails");
}

// The cache's folders, made private when this program makes them.
bool makeFolders(const QString &large)
{
    const QString thumbnails = QFileInfo(large).path();
    if (!QDir().mkpath(QFileInfo(thumbnails).path()))   // the cache itself
        return false;
    for (const QString &folder : { thumbnails, large }) {
        if (::mkdir(nativePath(folder).constData(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return QFileInfo(large).isDir();
}

std::optional<QByteArray> readCached(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMostThumbnailBytes)
        return std::nullopt;
    return file.readAll();
}

QByteArray makeThumbnail(const QString &cardPath, const ThumbnailKey &key)
{
    PosterDevice poster(cardPath);
    if (!poster.open(QIODevice::ReadOnly) || poster.size() == 0)
        return {};
    // The poster's own texts stay out: a thumbnail holds the standard's keys alone.
    QImage image = pixelsOf(decodePoster(poster, QSize(kLargeThumbnail, kLargeThumbnail)));
    if (image.isNull())
        return {};
    image.setText(kUriKey, QString::fromLatin1(key.uri));
    image.setText(kMTimeKey, QString::number(key.mtime));
    image.setText(QStringLiteral("Thumb::Size"), QString::number(key.size));
    image.setText(QStringLiteral("Thumb::Mimetype"), QStringLiteral("application/x-cinefiche"));
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    return image.save(&png, "PNG") ? png.data() : QByteArray();
}

// Stores png at path, replacing a stale one whole; readable by the user alone.
void store(const QString &path, const QByteArray &png)
{
    if (!makeFolders(QFileInfo(path).path()))
        return;
    replaceFile(
        path,
        [&png](QIODevice &out) {
            if (auto *file = qobject_cast<QFileDevice *>(&out))
                file->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            return out.write(png) == png.size() ? Transfer::Done : Transfer::WriteFailed;
        },
        Durability::Written);
}

// A catalogue's picture is kept in the program's own cache, whichever
// program makes it, named like the large thumbnail it comes from.
QString cataloguePicturePath(const QByteArray &uri)
{
    const QByteArray md5 = QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex();
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/cinefiche/catalogue/") + QString::fromLatin1(md5) + QStringLiteral(".jpg");
}

// A JPEG comment segment naming the card's version: its modification time
// and size. It stays in the cache, out of the page.
QByteArray keyComment(const ThumbnailKey &key)
{
    const QByteArray text = "Cinefiche " + QByteArray::number(key.mtime) + ' ' + QByteArray::number(key.size);
    const qsizetype length = text.size() + 2;
    return QByteArray("\xFF\xFE") + char(length >> 8) + char(length & 0xFF) + text;
}

// The catalogue's picture kept for the card's version key, if there is one.
std::optional<QByteArray> cachedCataloguePicture(const ThumbnailKey &key)
{
    const QByteArray start = QByteArray("\xFF\xD8") + keyComment(key);
    const auto cached = readCached(cataloguePicturePath(key.uri));
    if (!cached || !cached->startsWith(start))
        return std::nullopt;
    return "\xFF\xD8" + cached->sliced(start.size());
}

// What make gives for each card, made on every core.
std::vector<QByteArray> forEachCard(const QStringList &cardPaths, QByteArray (*make)(const QString &))
{
    std::vector<QByteArray> made(size_t(cardPaths.size()));
    QThreadPool pool;
    for (qsizetype i = 0; i < cardPaths.size(); ++i)
        pool.start([&made, &cardPaths, make, i] { made[size_t(i)] = make(cardPaths[i]); });
    pool.waitForDone();
    return made;
}

}   // namespace

ThumbnailKey thumbnailKey(const QString &path)
{
    struct stat info { };
    if (::stat(nativePath(path).constData(), &info) != 0)
        return {};
    return { fileUrl(path).toEncoded(), qint64(info.st_mtime), qint64(info.st_size) };
}

QString largeThumbnailPath(const QByteArray &uri)
{
    const QByteArray md5 = QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex();
    return thumbnailsFolder() + QStringLiteral("/large/") + QString::fromLatin1(md5) + QStringLiteral(".png");
}

bool thumbnailMatches(const QByteArray &png, const ThumbnailKey &key)
{
    if (!png.startsWith("\x89PNG\r\n\x1A\n"))
        return false;
    return pngText(png, "Thumb::URI") == QString::fromLatin1(key.uri)
        && pngText(png, "Thumb::MTime") == QString::number(key.mtime);
}

QByteArray cardThumbnail(const QString &cardPath)
{
    const ThumbnailKey key = thumbnailKey(cardPath);
    if (key.mtime < 0)
        return {};
    const QString path = largeThumbnailPath(key.uri);
    if (const auto cached = readCached(path); cached && thumbnailMatches(*cached, key))
        return *cached;
    const QByteArray made = makeThumbnail(cardPath, key);
    if (!made.isEmpty())
        store(path, made);
    return made;
}

QByteArray cataloguePicture(const QString &cardPath)
{
    const ThumbnailKey key = thumbnailKey(cardPath);
    if (key.mtime < 0)
        return {};
    if (auto cached = cachedCataloguePicture(key))
        return *std::move(cached);
    const QByteArray png = cardThumbnail(cardPath);
    const QImage pixels = pixelsOf(QImage::fromData(png, "PNG"));
    QBuffer jpeg;
    jpeg.open(QIODevice::WriteOnly);
    QImageWriter writer(&jpeg, "jpeg");
    writer.setQuality(kCatalogueQuality);
    // JPEG has no transparency: such a poster keeps its PNG.
    if (pixels.isNull() || pixels.hasAlphaChannel() || !writer.write(pixels))
        return png;
    store(cataloguePicturePath(key.uri), QByteArray("\xFF\xD8") + keyComment(key) + jpeg.data().sliced(2));
    return jpeg.data();
}

std::vector<QByteArray> cataloguePictures(const QStringList &cardPaths)
{
    // Pictures already kept are read here: threads would cost more than reading them.
    std::vector<QByteArray> pictures(size_t(cardPaths.size()));
    QStringList missing;
    std::vector<size_t> missingAt;
    for (qsizetype i = 0; i < cardPaths.size(); ++i) {
        const ThumbnailKey key = thumbnailKey(cardPaths[i]);
        std::optional<QByteArray> cached = key.mtime < 0 ? QByteArray() : cachedCataloguePicture(key);
        if (cached) {
            pictures[size_t(i)] = *std::move(cached);
        } else {
            missing << cardPaths[i];
            missingAt.push_back(size_t(i));
        }
    }
    const std::vector<QByteArray> made = forEachCard(missing, cataloguePicture);
    for (size_t i = 0; i < made.size(); ++i)
        pictures[missingAt[i]] = made[i];
    return pictures;
}
