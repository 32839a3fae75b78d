#include "poster/thumbnailcache.h"
#include "support/testfiles.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString sample(const char *name)
{
    return QStringLiteral(SAMPLES_DIR "/") + QString::fromLatin1(name) + u".cfh"_s;
}

// A picture of a size of its own, carrying the keys given.
QByteArray plantedThumbnail(const QByteArray &uri, qint64 mtime, int side = 7)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setText(u"Thumb::URI"_s, QString::fromLatin1(uri));
    image.setText(u"Thumb::MTime"_s, QString::number(mtime));
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    image.save(&png, "PNG");
    return png.data();
}

QSize sizeOf(const QByteArray &png)
{
    return QImage::fromData(png, "PNG").size();
}

}   // namespace

class tst_ThumbnailCache : public QObject {
    Q_OBJECT
private slots:
    void storedAsFileManagersFindIt();
    void reusedOnlyWhileItMatches_data();
    void reusedOnlyWhileItMatches();
    void cataloguePictureKeptWhileTheCardIsUnchanged();
    void oversizedLargeNeverDecoded();

private:
    TestCache m_cache;
    QTemporaryDir m_dir;
};

// Named after the MD5 of the card's URI, with its keys, private to the user.
void tst_ThumbnailCache::storedAsFileManagersFindIt()
{
    const QString card = m_dir.filePath(u"Le phare #1.cfh"_s);
    QVERIFY(QFile::copy(sample("le-phare-des-brumes"), card));
    const QByteArray png = cardThumbnail(card);
    QCOMPARE(sizeOf(png), QSize(170, 256));

    const QByteArray uri = "file://" + QFile::encodeName(m_dir.path()) + "/Le%20phare%20%231.cfh";
    const QString md5 = QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex());
    const QString stored = qEnvironmentVariable("XDG_CACHE_HOME") + u"/thumbnails/large/"_s + md5 + u".png"_s;
    QCOMPARE(readBytes(stored), png);
    const auto modeOf = [](const QString &path) { return int(QFileInfo(path).permissions() & 0x0777); };
    QCOMPARE(modeOf(stored), QFileDevice::ReadUser | QFileDevice::WriteUser);
    QCOMPARE(modeOf(QFileInfo(stored).path()),
        QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    const QImage image = QImage::fromData(png, "PNG");
    QCOMPARE(image.text(u"Thumb::URI"_s).toLatin1(), uri);
    QCOMPARE(image.text(u"Thumb::MTime"_s).toLongLong(), QFileInfo(card).lastModified().toSecsSinceEpoch());
    // The normal one, for a plain screen, is the large one made smaller.
    const QByteArray normal = cardThumbnail(card, kNormalThumbnail);
    QCOMPARE(sizeOf(normal), QSize(85, 128));
    QCOMPARE(readBytes(qEnvironmentVariable("XDG_CACHE_HOME") + u"/thumbnails/normal/"_s + md5 + u".png"_s),
        normal);
    QVERIFY(thumbnailMatches(normal, thumbnailKey(card)));

    QVERIFY(cardThumbnail(sample("sans-affiche")).isEmpty());
    QCOMPARE(QDir(QFileInfo(stored).path()).count(), 3u);   // ".", "..", the one thumbnail

    // A poster's own texts stay out of its thumbnail, whatever keys they mimic.
    QImage poster(9, 9, QImage::Format_RGB32);
    poster.fill(Qt::blue);
    poster.setText(u"Comment"_s, u"planted"_s);
    poster.setText(u"Thumb::URI"_s, u"file:///elsewhere"_s);
    QBuffer posterPng;
    posterPng.open(QIODevice::WriteOnly);
    QVERIFY(poster.save(&posterPng, "PNG"));
    const QString planted = m_dir.filePath(u"planted.cfh"_s);
    QVERIFY(writeBytes(planted, makeCard(QByteArray(1168, ' '), posterPng.data())));
    const QImage thumbnail = QImage::fromData(cardThumbnail(planted), "PNG");
    QCOMPARE(thumbnail.textKeys(),
        (QStringList { u"Thumb::MTime"_s, u"Thumb::Mimetype"_s, u"Thumb::Size"_s, u"Thumb::URI"_s }));
    QVERIFY(thumbnail.text(u"Thumb::URI"_s).endsWith(u"/planted.cfh"_s));
}

void tst_ThumbnailCache::reusedOnlyWhileItMatches_data()
{
    QTest::addColumn<bool>("sameUri");
    QTest::addColumn<int>("mtimeShift");   // of the planted thumbnail's key, in seconds
    QTest::addColumn<bool>("reused");
    QTest::newRow("unchanged card") << true << 0 << true;
    QTest::newRow("card changed since") << true << -1 << false;
    QTest::newRow("another file's thumbnail") << false << 0 << false;
}

// A thumbnail that matches is returned as it is, never decoded again; one
// that does not is made anew and replaces it.
void tst_ThumbnailCache::reusedOnlyWhileItMatches()
{
    QFETCH(bool, sameUri);
    QFETCH(int, mtimeShift);
    QFETCH(bool, reused);
    const QString card = m_dir.filePath(u"planted.cfh"_s);
    QFile::remove(card);
    QVERIFY(QFile::copy(sample("la-longue-traversee"), card));
    const ThumbnailKey key = thumbnailKey(card);
    const QByteArray planted
        = plantedThumbnail(sameUri ? key.uri : "file:///ailleurs.cfh", key.mtime + mtimeShift);
    const QString stored = thumbnailPath(key.uri, kLargeThumbnail);
    QVERIFY(QDir().mkpath(QFileInfo(stored).path()));
    QVERIFY(writeBytes(stored, planted));

    const QByteArray png = cardThumbnail(card);
    QCOMPARE(png == planted, reused);
    QCOMPARE(sizeOf(png), reused ? QSize(7, 7) : QSize(256, 142));
    QCOMPARE(readBytes(stored), png);
    QVERIFY(thumbnailMatches(png, key));
}

// The catalogue's JPEG is kept, its card's version before it, and made
// again from the thumbnail once the card changes; the page gets no key.
void tst_ThumbnailCache::cataloguePictureKeptWhileTheCardIsUnchanged()
{
    const QString card = m_dir.filePath(u"catalogue.cfh"_s);
    QVERIFY(QFile::copy(sample("le-phare-des-brumes"), card));
    const QByteArray jpeg = cataloguePicture(card);
    QCOMPARE(QImage::fromData(jpeg, "JPEG").size(), QSize(170, 256));
    QVERIFY(!jpeg.contains("Cinefiche"));
    const QDir folder(qEnvironmentVariable("XDG_CACHE_HOME") + u"/cinefiche/catalogue"_s);
    const QStringList kept = folder.entryList(QDir::Files);
    QCOMPARE(kept.size(), 1);
    const QString stored = folder.filePath(kept.first());
    QCOMPARE(int(QFileInfo(stored).permissions() & 0x0777), QFileDevice::ReadUser | QFileDevice::WriteUser);
    const QFileInfo info(card);
    const QByteArray version = "Cinefiche " + QByteArray::number(info.lastModified().toSecsSinceEpoch()) + ' '
        + QByteArray::number(info.size());
    const QByteArray bytes = readBytes(stored);
    QCOMPARE(bytes.sliced(6, version.size()), version);   // after FFD8, a comment's marker and length
    const QByteArray key = bytes.left(6 + version.size());

    QImage red(7, 7, QImage::Format_RGB32);
    red.fill(Qt::red);
    QBuffer planted;
    planted.open(QIODevice::WriteOnly);
    red.save(&planted, "JPEG");
    QVERIFY(writeBytes(stored, key + planted.data().sliced(2)));
    QCOMPARE(QImage::fromData(cataloguePicture(card), "JPEG").size(), QSize(7, 7));
    QVERIFY(writeBytes(card, readBytes(card) + "x"));   // another size: another card
    QCOMPARE(QImage::fromData(cataloguePicture(card), "JPEG").size(), QSize(170, 256));
}

// A large thumbnail larger than the standard's is no thumbnail of ours,
// whatever keys it carries: it is never decoded, to make the normal one or
// a catalogue's picture.
void tst_ThumbnailCache::oversizedLargeNeverDecoded()
{
    const QString card = m_dir.filePath(u"oversized.cfh"_s);
    QVERIFY(QFile::copy(sample("la-longue-traversee"), card));
    const ThumbnailKey key = thumbnailKey(card);
    const QString large = thumbnailPath(key.uri, kLargeThumbnail);
    QVERIFY(QDir().mkpath(QFileInfo(large).path()));
    QVERIFY(writeBytes(large, plantedThumbnail(key.uri, key.mtime, kLargeThumbnail + 1)));
    QVERIFY(cardThumbnail(card, kNormalThumbnail).isEmpty());
    QVERIFY(!QFile::exists(thumbnailPath(key.uri, kNormalThumbnail)));
    QVERIFY(cataloguePicture(card).isEmpty());   // nor put in a catalogue
}

QTEST_GUILESS_MAIN(tst_ThumbnailCache)
#include "tst_thumbnailcache.moc"
