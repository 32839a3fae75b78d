#include "poster/thumbnailcache.h"
#include "support/testfiles.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

QString sample(const char *name)
{
    return QStringLiteral(SAMPLES_DIR "/") + QString::fromLatin1(name) + u".cfh"_s;
}

// A card's time, within a second: 2023-11-14 22:13:20.5.
constexpr qint64 kCardTime = 1'700'000'000'500'000'000;

// A picture of a size of its own, carrying the keys given ("key=value").
QByteArray plantedThumbnail(const QStringList &keys, int side = 7)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (const QString &key : keys)
        image.setText(key.section(u'=', 0, 0), key.section(u'=', 1));
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
        (QStringList { u"Thumb::MTime"_s, u"Thumb::Mimetype"_s, u"Thumb::Size"_s, u"Thumb::URI"_s,
            u"X-Cinefiche::Version"_s }));
    QVERIFY(thumbnail.text(u"Thumb::URI"_s).endsWith(u"/planted.cfh"_s));
}

void tst_ThumbnailCache::reusedOnlyWhileItMatches_data()
{
    QTest::addColumn<QString>("uri");       // of the planted thumbnail: "card", or another file's
    QTest::addColumn<QString>("mtime");     // its Thumb::MTime: "card", "a second before"
    QTest::addColumn<QString>("size");      // its Thumb::Size: "card", "other", "" (none)
    QTest::addColumn<QString>("version");   // our own key: "card", "other time", "other inode", "" (none)
    QTest::addColumn<bool>("reused");
    const QString card = u"card"_s;
    QTest::newRow("ours, unchanged card") << card << card << card << card << true;
    QTest::newRow("ours, card changed within the same second")
        << card << card << card << u"other time"_s << false;
    QTest::newRow("ours, card replaced within the same tick")
        << card << card << card << u"other inode"_s << false;
    QTest::newRow("ours, card of another size") << card << card << u"other"_s << card << false;
    QTest::newRow("another program's, unchanged card") << card << card << QString() << QString() << true;
    QTest::newRow("another program's, with the card's size") << card << card << card << QString() << true;
    QTest::newRow("another program's, card of another size")
        << card << card << u"other"_s << QString() << false;
    QTest::newRow("card changed a second later") << card << u"a second before"_s << card << card << false;
    QTest::newRow("another file's thumbnail") << u"file:///ailleurs.cfh"_s << card << card << card << false;
}

// A thumbnail that matches is returned as it is, never decoded again; one
// that does not is made anew and replaces it. Another program's lacks our
// key: the standard's keys tell then.
void tst_ThumbnailCache::reusedOnlyWhileItMatches()
{
    QFETCH(QString, uri);
    QFETCH(QString, mtime);
    QFETCH(QString, size);
    QFETCH(QString, version);
    QFETCH(bool, reused);
    const QString card = m_dir.filePath(u"planted.cfh"_s);
    QFile::remove(card);
    QVERIFY(QFile::copy(sample("la-longue-traversee"), card));
    QVERIFY(setModifiedTime(card, kCardTime));
    const ThumbnailKey key = thumbnailKey(card);
    ThumbnailKey plantedKey = key;
    plantedKey.modified -= version == u"other time" ? 250'000'000 : mtime == u"card" ? 0 : 1'000'000'000;
    plantedKey.inode += version == u"other inode";
    QStringList keys { u"Thumb::URI="_s + (uri == u"card" ? QString::fromLatin1(key.uri) : uri),
        u"Thumb::MTime="_s + QString::number(plantedKey.mtime()) };
    if (!size.isEmpty())
        keys << u"Thumb::Size="_s + QString::number(key.size + (size == u"other"));
    if (!version.isEmpty())
        keys << QString::fromLatin1(kVersionKey) + u'=' + QString::fromLatin1(versionText(plantedKey));
    const QByteArray planted = plantedThumbnail(keys);
    const QString stored = thumbnailPath(key.uri, kLargeThumbnail);
    QVERIFY(QDir().mkpath(QFileInfo(stored).path()));
    QVERIFY(writeBytes(stored, planted));

    const QByteArray png = cardThumbnail(card);
    QCOMPARE(png == planted, reused);
    QCOMPARE(sizeOf(png), reused ? QSize(7, 7) : QSize(256, 142));
    QCOMPARE(readBytes(stored), png);
    QVERIFY(thumbnailMatches(png, key));
}

// The catalogue's JPEG is kept, its card's version before it (time to the
// nanosecond, inode, size), and made again from the thumbnail once the card
// changes, within the same second too; the page gets no key.
void tst_ThumbnailCache::cataloguePictureKeptWhileTheCardIsUnchanged()
{
    const QString card = m_dir.filePath(u"catalogue.cfh"_s);
    QVERIFY(QFile::copy(sample("le-phare-des-brumes"), card));
    QVERIFY(setModifiedTime(card, kCardTime));
    const QByteArray jpeg = cataloguePicture(card);
    QCOMPARE(QImage::fromData(jpeg, "JPEG").size(), QSize(170, 256));
    QVERIFY(!jpeg.contains("Cinefiche"));
    const QDir folder(qEnvironmentVariable("XDG_CACHE_HOME") + u"/cinefiche/catalogue"_s);
    const QStringList kept = folder.entryList(QDir::Files);
    QCOMPARE(kept.size(), 1);
    const QString stored = folder.filePath(kept.first());
    QCOMPARE(int(QFileInfo(stored).permissions() & 0x0777), QFileDevice::ReadUser | QFileDevice::WriteUser);
    struct stat info { };
    QCOMPARE(::stat(QFile::encodeName(card).constData(), &info), 0);
    const QByteArray version = "Cinefiche " + QByteArray::number(kCardTime) + ' '
        + QByteArray::number(info.st_ino) + ' ' + QByteArray::number(info.st_size);
    const QByteArray bytes = readBytes(stored);
    QCOMPARE(bytes.sliced(6, version.size()), version);   // after FFD8, a comment's marker and length

    // A red picture kept under the card's version: shown while it matches.
    QImage red(7, 7, QImage::Format_RGB32);
    red.fill(Qt::red);
    QBuffer planted;
    planted.open(QIODevice::WriteOnly);
    red.save(&planted, "JPEG");
    const auto plantRed = [&] {
        return writeBytes(stored, "\xFF\xD8" + keyComment(thumbnailKey(card)) + planted.data().sliced(2));
    };
    QVERIFY(plantRed());
    QCOMPARE(QImage::fromData(cataloguePicture(card), "JPEG").size(), QSize(7, 7));
    QVERIFY(setModifiedTime(card, kCardTime + 1000));   // rewritten within the same second
    QCOMPARE(QImage::fromData(cataloguePicture(card), "JPEG").size(), QSize(170, 256));
    QVERIFY(plantRed());
    QVERIFY(
        writeBytes(card, readBytes(card) + "x") && setModifiedTime(card, kCardTime + 1000));   // another size
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
    QVERIFY(writeBytes(large,
        plantedThumbnail({ u"Thumb::URI="_s + QString::fromLatin1(key.uri),
                             u"Thumb::MTime="_s + QString::number(key.mtime()) },
            kLargeThumbnail + 1)));
    QVERIFY(cardThumbnail(card, kNormalThumbnail).isEmpty());
    QVERIFY(!QFile::exists(thumbnailPath(key.uri, kNormalThumbnail)));
    QVERIFY(cataloguePicture(card).isEmpty());   // nor put in a catalogue
}

QTEST_GUILESS_MAIN(tst_ThumbnailCache)
#include "tst_thumbnailcache.moc"
