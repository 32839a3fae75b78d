#include "card/cardfile.h"
#include "card/filepaths.h"
#include "card/nativepath.h"
#include "card/workfolder.h"
#include "support/testfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray bigEndian16(int value)
{
    return QByteArray(1, char(value >> 8)) + char(value & 0xFF);
}

QByteArray littleEndian(qint64 value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out += char(value >> (8 * i) & 0xFF);
    return out;
}

// A JPEG segment: its marker, its length, then payload.
QByteArray segment(uchar marker, const QByteArray &payload)
{
    return QByteArray("\xFF") + char(marker) + bigEndian16(int(payload.size()) + 2) + payload;
}

QByteArray jpegFrame(uchar marker, int width, int height)
{
    return segment(
        marker, "\x08" + bigEndian16(height) + bigEndian16(width) + QByteArray("\x03\x01\x22\x00"));
}

const QByteArray kJpegStart("\xFF\xD8");
const QByteArray kPngStart("\x89PNG\r\n\x1A\n\x00\x00\x00\x0DIHDR", 16);

QByteArray webp(const QByteArray &chunk, const QByteArray &payload)
{
    return "RIFF" + littleEndian(100, 4) + "WEBP" + chunk + littleEndian(payload.size(), 4) + payload
        + QByteArray(16, '\0');
}

}   // namespace

class tst_CardFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void writeThenRead_data();
    void writeThenRead();
    void readsAnyCardBytes();
    void rejectsWhatIsNotACard_data();
    void rejectsWhatIsNotACard();
    void readFailuresAreNotMissingFiles();
    void writerFailsAtEveryByte_data();
    void writerFailsAtEveryByte();
    void linkAtPath_data();
    void linkAtPath();
    void namesAsTheDiskHoldsThem_data();
    void namesAsTheDiskHoldsThem();
    void posterHeader_data();
    void posterHeader();
    void fileExistence();
    void readOnly();

private:
    QTemporaryDir m_dir;
    QString m_work;
    CardRecord sampleRecord() const;
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
};

void tst_CardFile::init()
{
    m_work = m_dir.filePath(u"work"_s);
    QDir(m_work).removeRecursively();
    QVERIFY(QDir().mkpath(m_work));
}

CardRecord tst_CardFile::sampleRecord() const
{
    return makeRecord({ u"Brazil"_s, u"1985"_s, u" 2"_s, u"22"_s, u"Comédie"_s, u"Terry"_s,
        joinActorNames({ u"Jonathan"_s, u"Robert"_s }), u"Un fonctionnaire | un rêve ©"_s });
}

void tst_CardFile::writeThenRead_data()
{
    QTest::addColumn<int>("posterSize");
    for (int size : { 0, 1, 511, 512, 513, 1024, 100000 })
        QTest::addRow("poster of %d bytes", size) << size;
}

void tst_CardFile::writeThenRead()
{
    QFETCH(int, posterSize);
    const CardRecord record = sampleRecord();
    QByteArray poster = posterBytes(posterSize);
    QBuffer posterIn(&poster);
    posterIn.open(QIODevice::ReadOnly);
    const QString card = path("card.cfh");
    QFile out(card);
    QVERIFY(out.open(QIODevice::WriteOnly));
    QCOMPARE(writeCard(out, record, posterSize ? &posterIn : nullptr), Transfer::Done);
    out.close();

    // The bytes, checked against an independent layout of the record.
    QByteArray fields = QByteArray("Brazil").leftJustified(50, ' ') + "1985 222"
        + QByteArray("Com\xE9"
                     "die")
              .leftJustified(50, ' ')
        + QByteArray("Terry").leftJustified(50, ' ') + QByteArray("Jonathan|Robert|").leftJustified(510, ' ')
        + QByteArray("Un fonctionnaire | un r\xEAve \xA9").leftJustified(500, ' ');
    QCOMPARE(readBytes(card), makeCard(fields, poster));

    const CardRead read = readCardFile(card, m_work);
    QCOMPARE(read.status, CardReadStatus::Ok);
    QCOMPARE(read.card.record, record);
    QCOMPARE(read.version.fingerprint, cardFingerprint(card));   // the editor's "changed on disk since"
    QCOMPARE(read.hasPoster, posterSize > 0);
    QCOMPARE(QFile::exists(m_work + WorkFile::Image), posterSize > 0);
    if (posterSize > 0)
        QCOMPARE(readBytes(m_work + WorkFile::Image), poster);
}

void tst_CardFile::readsAnyCardBytes()
{
    // Another separator byte is accepted; a file that ends after the record has no poster.
    QByteArray bytes = makeCard(QByteArray("Titre"), QByteArray("XYZ"));
    bytes[1175] = 'Z';
    const QString card = path("other.cfh");
    QVERIFY(writeBytes(card, bytes));
    CardRead read = readCardFile(card, m_work);
    QCOMPARE(read.status, CardReadStatus::Ok);
    QCOMPARE(readBytes(m_work + WorkFile::Image), QByteArray("XYZ"));

    QFile::remove(m_work + WorkFile::Image);
    QVERIFY(writeBytes(card, bytes.left(1175)));
    read = readCardFile(card, m_work);
    QCOMPARE(read.status, CardReadStatus::Ok);
    QCOMPARE(read.card.record.text(Field::Titre), fixedWidth(u"Titre"_s, 50));
    QVERIFY(!QFile::exists(m_work + WorkFile::Image));
}

void tst_CardFile::rejectsWhatIsNotACard_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("picture") << QByteArray("\xFF\xD8\xFF\xE0 JFIF and more bytes than a record");
    QTest::newRow("marker in lower case") << makeCard("x", "poster").replace("@CNFCH@", "@cnfch@");
    QTest::newRow("ends inside the marker") << QByteArray("@CNFC");
}

void tst_CardFile::rejectsWhatIsNotACard()
{
    QFETCH(QByteArray, bytes);
    const QString card = path("bad.cfh");
    QVERIFY(writeBytes(card, bytes));
    QCOMPARE(readCardFile(card, m_work).status, CardReadStatus::NotCard);
    QCOMPARE(readCardHead(card).status, CardReadStatus::NotCard);   // the viewer's read
    QCOMPARE(readCardFile(path("missing.cfh"), m_work).status, CardReadStatus::Missing);
    QCOMPARE(readCardFile(m_dir.path(), m_work).status, CardReadStatus::Missing);
    if (::geteuid() != 0) {   // nothing is unreadable to root
        QFile::setPermissions(card, QFile::WriteOwner);
        QCOMPARE(readCardFile(card, m_work).status, CardReadStatus::Unreadable);
    }
    QVERIFY(QDir(m_work).isEmpty());   // no poster file left from a failed read
}

void tst_CardFile::readFailuresAreNotMissingFiles()
{
    // A card that breaks while it is read is unreadable, whether in its
    // record or in its poster; a short file is not.
    const QByteArray card = makeCard("Titre", posterBytes(3000));
    for (qint64 limit : { 0, 7, 1000, 2000 }) {
        FailingDevice in(limit, card);
        QBuffer poster;
        poster.open(QIODevice::WriteOnly);
        QCOMPARE(readCard(in, &poster).status, CardReadStatus::Unreadable);
    }
    FailingDevice full(2 * card.size(), card);   // its end is read first, for an extension
    FailingDevice posterOut(100);
    QCOMPARE(readCard(full, &posterOut).status, CardReadStatus::PosterWriteFailed);
}

// Whichever byte the device refuses, the writer says so.
void tst_CardFile::writerFailsAtEveryByte_data()
{
    QTest::addColumn<qint64>("limit");
    const qint64 size = 1176 + 3000;
    for (qint64 limit : { qint64(0), qint64(1), qint64(7), qint64(1174), qint64(1175), qint64(1176),
             qint64(1176 + 1500), size - 1 })
        QTest::addRow("fails after %lld bytes", limit) << limit;
}

void tst_CardFile::writerFailsAtEveryByte()
{
    QFETCH(qint64, limit);
    QByteArray poster = posterBytes(3000);
    QBuffer posterIn(&poster);
    posterIn.open(QIODevice::ReadOnly);
    FailingDevice out(limit);
    QCOMPARE(writeCard(out, sampleRecord(), &posterIn), Transfer::WriteFailed);
    QCOMPARE(out.written, makeCard(encodeRecord(sampleRecord()), poster).left(limit));

    FailingDevice posterFails(1500, poster);   // a poster that cannot be read to its end
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QCOMPARE(writeCard(sink, sampleRecord(), &posterFails), Transfer::ReadFailed);
}

// A link planted at the path written: refused unless replacing it was
// asked; followed only for a card the user opened through it. Whatever
// happens to the link, what it points to keeps its permissions.
void tst_CardFile::linkAtPath_data()
{
    QTest::addColumn<LinkAtPath>("links");
    QTest::addColumn<Transfer>("result");
    QTest::addColumn<bool>("stillLink");
    QTest::addColumn<qsizetype>("targetSize");
    QTest::newRow("refused") << LinkAtPath::Refuse << Transfer::LinkRefused << true << qsizetype(1176 + 6);
    QTest::newRow("the link replaced")
        << LinkAtPath::Replace << Transfer::Done << false << qsizetype(1176 + 6);
    QTest::newRow("the card it names written")
        << LinkAtPath::Follow << Transfer::Done << true << qsizetype(1176);
}

void tst_CardFile::linkAtPath()
{
    QFETCH(LinkAtPath, links);
    QFETCH(Transfer, result);
    QFETCH(bool, stillLink);
    QFETCH(qsizetype, targetSize);
    const QString target = path("target.cfh");
    const QString link = path("link.cfh");
    QFile::remove(link);
    QVERIFY(writeBytes(target, makeCard("Old", "poster")));
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QFile::setPermissions(target, permissions);
    QVERIFY(QFile::link(target, link));
    const auto write = [&](QIODevice &out) { return writeCard(out, sampleRecord(), nullptr); };
    QCOMPARE(replaceFile(link, write, Durability::OnDisk, links), result);
    QCOMPARE(QFileInfo(link).isSymLink(), stillLink);
    QCOMPARE(readBytes(target).size(), targetSize);
    QCOMPARE(QFileInfo(target).permissions() & ~QFile::Permissions(0x0F00), permissions);
    if (!stillLink)
        QCOMPARE(readBytes(link).size(), 1176);
    QCOMPARE(
        QDir(m_dir.path()).entryList({ u".*"_s }, QDir::Files | QDir::Hidden | QDir::System), QStringList());
}

// Names kept as bytes: what is not UTF-8 comes back byte for byte, from the
// name to the file and back.
void tst_CardFile::namesAsTheDiskHoldsThem_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("Latin-1") << QByteArray("Am\xE9lie.cfh") << false;
    QTest::newRow("UTF-8") << QByteArray("Am\xC3\xA9lie \xF0\x9F\x8E\xAC.cfh") << true;
    QTest::newRow("overlong slash") << QByteArray("a\xC0\xAF"
                                                  "b.cfh")
                                    << false;
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80.cfh") << false;
    QTest::newRow("cut sequence") << QByteArray("\xE2\x82.cfh") << false;
    QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80.cfh") << false;
}

void tst_CardFile::namesAsTheDiskHoldsThem()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, utf8);
    const QString decoded = pathFromNative(name);
    QCOMPARE(nativePath(decoded), name);
    if (utf8)
        QCOMPARE(decoded, QString::fromUtf8(name));
    const QString card = m_dir.path() + u'/' + decoded;
    const auto write = [&](QIODevice &out) { return writeCard(out, sampleRecord(), nullptr); };
    QCOMPARE(replaceFile(card, write), Transfer::Done);
    QVERIFY(::access(QFile::encodeName(m_dir.path()) + '/' + name, R_OK) == 0);
    QCOMPARE(readCardHead(card).status, CardReadStatus::Ok);
    QCOMPARE(fileUrl(card).toEncoded(), "file://" + nativePath(card).toPercentEncoding("/"));
    QCOMPARE(fileUrl(u"movie.avi"_s), QUrl::fromLocalFile(QDir::current().filePath(u"movie.avi"_s)));
    QVERIFY(::unlink(nativePath(card).constData()) == 0);
}

void tst_CardFile::posterHeader_data()
{
    QTest::addColumn<QByteArray>("poster");
    QTest::addColumn<QByteArray>("format");   // empty: no picture
    QTest::addColumn<QSize>("size");
    const QByteArray app0 = segment(0xE0, QByteArray("JFIF\0\x01\x01", 7).leftJustified(14, '\0'));
    const QByteArray tables = segment(0xDB, QByteArray(65, '\x01'));
    const QByteArray scan = segment(0xDA, QByteArray(10, '\0')) + QByteArray(100, '\x55');
    QTest::newRow("JPEG") << kJpegStart + app0 + tables + jpegFrame(0xC0, 400, 600) + scan
                          << QByteArray("jpeg") << QSize(400, 600);
    QTest::newRow("progressive JPEG after 64 KB of EXIF, fill bytes before its frame") << kJpegStart
            + segment(0xE1, QByteArray(65000, 'x')) + segment(0xE2, QByteArray(4000, 'y')) + "\xFF\xFF"
            + jpegFrame(0xC2, 5000, 7000) + scan << QByteArray("jpeg") << QSize(5000, 7000);
    QTest::newRow("JPEG cut in its frame")
        << (kJpegStart + app0 + jpegFrame(0xC0, 400, 600)).chopped(6) << QByteArray() << QSize();
    QTest::newRow("JPEG whose segment length is 0")
        << kJpegStart + QByteArray("\xFF\xE0\x00\x00", 4) + jpegFrame(0xC0, 4, 4) << QByteArray() << QSize();
    QTest::newRow("JPEG whose scan comes before any frame")
        << kJpegStart + scan + jpegFrame(0xC0, 4, 4) << QByteArray() << QSize();
    QTest::newRow("JPEG of 600 empty segments before its frame")
        << kJpegStart + segment(0xFE, {}).repeated(600) + jpegFrame(0xC0, 4, 4) << QByteArray() << QSize();
    QTest::newRow("PNG") << kPngStart + bigEndian16(0) + bigEndian16(300) + bigEndian16(0) + bigEndian16(200)
            + QByteArray(20, '\0')
                         << QByteArray("png") << QSize(300, 200);
    QTest::newRow("PNG cut in its header") << kPngStart + QByteArray(4, '\0') << QByteArray() << QSize();
    QTest::newRow("PNG 2^31 pixels wide")
        << kPngStart + QByteArray("\x80\0\0\0\0\0\0\x01", 8) + QByteArray(20, '\0') << QByteArray()
        << QSize();
    QTest::newRow("GIF") << "GIF89a" + littleEndian(320, 2) + littleEndian(240, 2) + QByteArray(30, '\0')
                         << QByteArray("gif") << QSize(320, 240);
    QTest::newRow("BMP") << bitmapHeader(640, 480) + QByteArray(16, '\0') << QByteArray("bmp")
                         << QSize(640, 480);
    QTest::newRow("BMP stored top down")
        << bitmapHeader(640, -480) + QByteArray(16, '\0') << QByteArray("bmp") << QSize(640, 480);
    QTest::newRow("BMP of an unknown header size")
        << bitmapHeader(640, 480).replace(14, 4, littleEndian(41, 4)) + QByteArray(16, '\0') << QByteArray()
        << QSize();
    QTest::newRow("lossy WebP") << webp(
        "VP8 ", QByteArray("\x10\x02\x00\x9D\x01\x2A", 6) + littleEndian(300, 2) + littleEndian(450, 2))
                                << QByteArray("webp") << QSize(300, 450);
    QTest::newRow("lossless WebP") << webp("VP8L", "\x2F" + littleEndian(299 | 449 << 14, 4))
                                   << QByteArray("webp") << QSize(300, 450);
    QTest::newRow("extended WebP") << webp(
        "VP8X", QByteArray(4, '\0') + littleEndian(299, 3) + littleEndian(449, 3))
                                   << QByteArray("webp") << QSize(300, 450);
    QTest::newRow("TIFF, big-endian")
        << QByteArray("MM\0*\0\0\0\x08\0\x02", 10) + QByteArray("\x01\x00\x00\x03\0\0\0\x01\x01\x2C\0\0", 12)
            + QByteArray("\x01\x01\x00\x04\0\0\0\x01\0\0\x01\xC2", 12) + QByteArray(16, '\0')
        << QByteArray("tiff") << QSize(300, 450);
    QTest::newRow("TIFF whose directory is past its end")
        << QByteArray("II*\0\xFF\xFF\0\0", 8) + QByteArray(30, '\0') << QByteArray() << QSize();
    QTest::newRow("text") << QByteArray("Ceci n'est pas une image, mais un texte assez long.") << QByteArray()
                          << QSize();
}

// From the bytes alone, and from a card through readCardHead, whose first
// read holds only the start of a long JPEG's segments.
void tst_CardFile::posterHeader()
{
    QFETCH(QByteArray, poster);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    const PosterInfo fromBytes = readPictureHeader(poster);
    QCOMPARE(fromBytes.format, format);
    QCOMPARE(fromBytes.size, size);
    QVERIFY(writeBytes(path("poster.cfh"), makeCard(QByteArray("Titre"), poster)));
    const CardHead head = readCardHead(path("poster.cfh"), PosterHeader::Read);
    QCOMPARE(head.status, CardReadStatus::Ok);
    QCOMPARE(head.poster.format, format);
    QCOMPARE(head.poster.size, size);
}

void tst_CardFile::fileExistence()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"card.cfh"_s);
    QVERIFY(writeBytes(file, makeCard("Titre", "XYZ")));
    const QString fifo = dir.filePath(u"fifo"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(QFile::link(file, dir.filePath(u"link.cfh"_s)));
    QVERIFY(QFile::link(dir.filePath(u"gone"_s), dir.filePath(u"dangling"_s)));

    QVERIFY(fileExists(file));
    QVERIFY(fileExists(dir.filePath(u"link.cfh"_s)));
    QVERIFY(!fileExists(dir.path()));
    QVERIFY(!fileExists(QString()));
    QVERIFY(!fileExists(dir.filePath(u"missing"_s)));
    QVERIFY(!fileExists(fifo));   // reading it would hang
    QVERIFY(!fileExists(u"/dev/null"_s));
    QVERIFY(!fileExists(dir.filePath(u"dangling"_s)));

    // A name a listing called a regular file is read without a look at it;
    // whatever it has become since is still read safely.
    const auto recordAt = [&dir](const QString &name) {
        return readCardRecordAt(AT_FDCWD, QFile::encodeName(dir.filePath(name)), RecordText::Decoded);
    };
    QCOMPARE(recordAt(u"card.cfh"_s).status, CardReadStatus::Ok);
    QCOMPARE(recordAt(u"link.cfh"_s).status, CardReadStatus::Ok);
    QVERIFY(recordAt(u"fifo"_s).status != CardReadStatus::Ok);   // and no wait for a writer
    QCOMPARE(recordAt(u"dangling"_s).status, CardReadStatus::Missing);
    // The poster's size is told all the same.
    QVERIFY(writeBytes(dir.filePath(u"bare.cfh"_s), makeCard("Titre", {})));
    QCOMPARE(recordAt(u"card.cfh"_s).posterBytes, readBytes(file).size() - CardLayout::PosterOffset);
    QCOMPARE(recordAt(u"bare.cfh"_s).posterBytes, 0);
}

void tst_CardFile::readOnly()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"card.cfh"_s);
    QFile(file).open(QIODevice::WriteOnly);
    QVERIFY(!isFileReadOnly(file));
    // Without any write permission a file is read-only, even for root.
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QVERIFY(isFileReadOnly(file));
}

QTEST_GUILESS_MAIN(tst_CardFile)
#include "tst_cardfile.moc"
