#include "card/cardfile.h"
#include "card/workfolder.h"
#include "support/testfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_CardFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void writeThenRead_data();
    void writeThenRead();
    void readsAnyCardBytes();
    void rejectsWhatIsNotACard_data();
    void rejectsWhatIsNotACard();
    void recordRewriteKeepsThePoster();
    void failedWritesLeaveTheOldCard_data();
    void failedWritesLeaveTheOldCard();
    void writesThroughLinksKeepingPermissions();

private:
    QTemporaryDir m_dir;
    QString m_work;
    CardRecord sampleRecord() const;
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
};

void tst_CardFile::init()
{
    m_work = m_dir.filePath(QStringLiteral("work"));
    QDir(m_work).removeRecursively();
    QVERIFY(QDir().mkpath(m_work));
}

CardRecord tst_CardFile::sampleRecord() const
{
    return makeRecord(QStringLiteral("Brazil"), QStringLiteral("1985"), QStringLiteral(" 2"),
        QStringLiteral("22"), QStringLiteral("Comédie"), QStringLiteral("Terry"),
        joinActorNames({ QStringLiteral("Jonathan"), QStringLiteral("Robert") }),
        QStringLiteral("Un fonctionnaire | un rêve ©"));
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
    const QByteArray poster = posterBytes(posterSize);
    QVERIFY(writeBytes(m_work + WorkFile::Image, poster));
    QVERIFY(WriteInfoFile(m_work, record));
    QCOMPARE(QFileInfo(m_work + WorkFile::Info).size(), 1175);
    const QString card = path("card.cfh");
    QVERIFY(AssembleCardFile(m_work, card, posterSize > 0));

    // The bytes, checked against an independent layout of the record.
    QByteArray fields = QByteArray("Brazil").leftJustified(50, ' ') + "1985 222"
        + QByteArray("Com\xE9"
                     "die")
              .leftJustified(50, ' ')
        + QByteArray("Terry").leftJustified(50, ' ') + QByteArray("Jonathan|Robert|").leftJustified(510, ' ')
        + QByteArray("Un fonctionnaire | un r\xEAve \xA9").leftJustified(500, ' ');
    QCOMPARE(readBytes(card), makeCard(fields, poster));

    QFile::remove(m_work + WorkFile::Image);
    const CardRead read = ReadCardFile(card, m_work);
    QCOMPARE(read.status, CardReadStatus::Ok);
    QCOMPARE(read.record, record);
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
    CardRead read = ReadCardFile(card, m_work);
    QCOMPARE(read.status, CardReadStatus::Ok);
    QCOMPARE(readBytes(m_work + WorkFile::Image), QByteArray("XYZ"));

    QFile::remove(m_work + WorkFile::Image);
    QVERIFY(writeBytes(card, bytes.left(1175)));
    read = ReadCardFile(card, m_work);
    QCOMPARE(read.status, CardReadStatus::Ok);
    QCOMPARE(read.record.Titre, fixedWidth(QStringLiteral("Titre"), 50));
    QVERIFY(!QFile::exists(m_work + WorkFile::Image));
}

void tst_CardFile::rejectsWhatIsNotACard_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("status");
    QTest::newRow("empty file") << QByteArray() << int(CardReadStatus::NotCard);
    QTest::newRow("picture") << QByteArray("\xFF\xD8\xFF\xE0 JFIF and more bytes than a record")
                             << int(CardReadStatus::NotCard);
    QTest::newRow("marker in lower case")
        << makeCard("x", "poster").replace("@CNFCH@", "@cnfch@") << int(CardReadStatus::NotCard);
    QTest::newRow("ends inside the marker") << QByteArray("@CNFC") << int(CardReadStatus::NotCard);
}

void tst_CardFile::rejectsWhatIsNotACard()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, status);
    const QString card = path("bad.cfh");
    QVERIFY(writeBytes(card, bytes));
    QCOMPARE(int(ReadCardFile(card, m_work).status), status);
    QCOMPARE(int(ReadCardFile(path("missing.cfh"), m_work).status), int(CardReadStatus::Missing));
    QCOMPARE(int(ReadCardFile(m_dir.path(), m_work).status), int(CardReadStatus::Missing));
    QVERIFY(QDir(m_work).isEmpty());   // no poster file left from a failed read
}

void tst_CardFile::recordRewriteKeepsThePoster()
{
    const QString card = path("long.cfh");
    const QByteArray old = makeCard("Old title", posterBytes(5000 - 1176));
    QVERIFY(writeBytes(card, old));
    QVERIFY(WriteRecordInPlace(card, sampleRecord()));
    const QByteArray now = readBytes(card);
    QCOMPARE(now.size(), 5000);
    QCOMPARE(now.mid(1175), old.mid(1175));
    QCOMPARE(now.left(1175), cardHeader(sampleRecord()));
}

void tst_CardFile::failedWritesLeaveTheOldCard_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("disk full") << "full";
    QTest::newRow("read-only card") << "readonly";
    QTest::newRow("folder gone") << "gone";
}

void tst_CardFile::failedWritesLeaveTheOldCard()
{
    QFETCH(QString, failure);
    QString card = path("keep.cfh");
    const QByteArray old = makeCard("Old title", posterBytes(3000));
    QVERIFY(writeBytes(card, old));
    if (failure == QLatin1String("readonly"))
        QFile::setPermissions(card, QFile::ReadOwner);
    if (failure == QLatin1String("gone"))
        card = path("gone/keep.cfh");
    QVERIFY(writeBytes(m_work + WorkFile::Image, posterBytes(20000)));
    QVERIFY(WriteInfoFile(m_work, sampleRecord()));
    {
        std::optional<FileSizeLimit> limit;
        if (failure == QLatin1String("full"))
            limit.emplace(3000);   // below the old card: no new file can be completed
        QVERIFY(!AssembleCardFile(m_work, card, true));
        QVERIFY(!WriteRecordInPlace(card, sampleRecord()));
    }
    QCOMPARE(readBytes(path("keep.cfh")), old);
    QCOMPARE(QDir(m_dir.path()).entryList({ QStringLiteral("keep*") }, QDir::Files | QDir::Hidden),
        QStringList { QStringLiteral("keep.cfh") });   // no temporary file left
    QFile::setPermissions(path("keep.cfh"), QFile::ReadOwner | QFile::WriteOwner);
}

void tst_CardFile::writesThroughLinksKeepingPermissions()
{
    const QString target = path("target.cfh");
    const QString link = path("link.cfh");
    QVERIFY(writeBytes(target, makeCard("Old", "poster")));
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    QVERIFY(QFile::link(target, link));
    QVERIFY(WriteInfoFile(m_work, sampleRecord()));
    QVERIFY(AssembleCardFile(m_work, link, false));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(readBytes(target).size(), 1176);
    QCOMPARE(QFileInfo(target).permissions() & ~QFile::Permissions(0x0F00),
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
}

QTEST_GUILESS_MAIN(tst_CardFile)
#include "tst_cardfile.moc"
