#include "poster/thumbnailcache.h"

#include "card/cardfile.h"
#include "card/nativepath.h"
#include "poster/posterimage.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QThreadPool>

#include <cerrno>
#include <sys/stat.h>

namespace {

const QString kUriKey = QStringLiteral("Thumb::URI");
const QString kMTimeKey = QStringLiteral("Thumb::MTime");

// A photograph's thumbnail at this JPEG quality is a tenth of its PNG and
// shows no loss at its size.
constexpr int kCatalogueQuality = 80;

// The cache's folders, made private when this program makes them.
bool makeFolders(const QString &folder)
{
    const QString thumbnails = QFileInfo(folder).path();
    if (!QDir().mkpath(QFileInfo(thumbnails).path()))   // the cache itself
        return false;
    for (const QString &made : { thumbnails, folder }) {
        if (::mkdir(nativePath(made).constData(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return QFileInfo(folder).isDir();
}

// The thumbnail's PNG, with the standard's keys and our own alone.
QByteArray thumbnailPng(QImage image, const ThumbnailKey &key)
{
    if (image.isNull())
        return {};
    image.setText(kUriKey, QString::fromLatin1(key.uri));
    image.setText(kMTimeKey, QString::number(key.mtime()));
    image.setText(QString::fromLatin1(kVersionKey), QString::fromLatin1(versionText(key)));
    image.setText(QStringLiteral("Thumb::Size"), QString::number(key.size));
    image.setText(QStringLiteral("Thumb::Mimetype"), QStringLiteral("application/x-cinefiche"));
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    return image.save(&png, "PNG") ? png.data() : QByteArray();
}

QByteArray makeThumbnail(const QString &cardPath, const ThumbnailKey &key)
{
    PosterDevice poster(cardPath);
    if (!poster.open(QIODevice::ReadOnly) || poster.size() == 0)
        return {};
    // The poster's own texts stay out.
    return thumbnailPng(pixelsOf(decodePoster(poster, QSize(kLargeThumbnail, kLargeThumbnail))), key);
}

// A cached thumbnail's pixels. One larger than a large thumbnail is no
// thumbnail of ours (it may have been planted there), and is not decoded.
QImage thumbnailPixels(QByteArray png)
{
    QBuffer buffer(&png);
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    if (size.isEmpty() || size.width() > kLargeThumbnail || size.height() > kLargeThumbnail)
        return {};
    return pixelsOf(reader.read());
}

// The normal thumbnail from the large one's PNG: the poster is decoded once
// for both.
QByteArray normalThumbnail(const QByteArray &large, const ThumbnailKey &key)
{
    QImage image = thumbnailPixels(large);
    if (image.width() > kNormalThumbnail || image.height() > kNormalThumbnail)
        image = image.scaled(
            QSize(kNormalThumbnail, kNormalThumbnail), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return thumbnailPng(image, key);
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

// The thumbnail of size (kNormalThumbnail or kLargeThumbnail) of the card
// whose key is known: the cached one while it matches, else made and stored.
QByteArray thumbnailOf(const QString &cardPath, const ThumbnailKey &key, int size)
{
    const QString path = thumbnailPath(key.uri, size);
    if (const auto cached = readCached(path); cached && thumbnailMatches(*cached, key))
        return *cached;
    const QByteArray made = size == kLargeThumbnail
        ? makeThumbnail(cardPath, key)
        : normalThumbnail(thumbnailOf(cardPath, key, kLargeThumbnail), key);
    if (!made.isEmpty())
        store(path, made);
    return made;
}

}   // namespace

QByteArray cardThumbnail(const QString &cardPath, int pixels)
{
    const ThumbnailKey key = thumbnailKey(cardPath);
    if (key.uri.isEmpty())
        return {};
    return thumbnailOf(cardPath, key, pixels <= kNormalThumbnail ? kNormalThumbnail : kLargeThumbnail);
}

QByteArray cataloguePicture(const QString &cardPath)
{
    const ThumbnailKey key = thumbnailKey(cardPath);
    if (key.uri.isEmpty())
        return {};
    if (auto cached = cachedCataloguePicture(key))
        return *std::move(cached);
    const QByteArray png = thumbnailOf(cardPath, key, kLargeThumbnail);
    const QImage pixels = thumbnailPixels(png);
    if (pixels.isNull())
        return {};
    QBuffer jpeg;
    jpeg.open(QIODevice::WriteOnly);
    QImageWriter writer(&jpeg, "jpeg");
    writer.setQuality(kCatalogueQuality);
    // JPEG has no transparency: such a poster keeps its PNG.
    if (pixels.hasAlphaChannel() || !writer.write(pixels))
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
        std::optional<QByteArray> cached = key.uri.isEmpty() ? QByteArray() : cachedCataloguePicture(key);
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
