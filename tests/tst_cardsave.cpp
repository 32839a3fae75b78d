#include "card/cardfields.h"
#include "card/cardfile.h"
#include "card/cardsave.h"
#include "support/testfiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_CardSave : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void hoursField_data();
    void hoursField();
    void writers_data();
    void writers();
    void missingFilesWriteNothing();
    void failuresLeaveTheOldCard_data();
    void failuresLeaveTheOldCard();
    void replacesOnlyTheCardLoaded();
    void twoWritersLoseNothing();
    void aWriterThatNeverLetsGoCostsPatience();

private:
    TestCache m_cache;
    QTemporaryDir m_dir;
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    SaveResult write(const QString &writer, const QString &card, const QString &poster) const;
};

void tst_CardSave::cleanup()
{
    // Every write removes its working folder, whatever happened.
    QVERIFY(m_cache.isEmpty());
    QFile::remove(path("copy.cfh"));
}

// The card's new record; "copy" writes to copy.cfh beside the card.
SaveResult tst_CardSave::write(const QString &writer, const QString &card, const QString &poster) const
{
    const CardRecord record
        = makeRecord({ u"New"_s, u"1997"_s, dureeHField(u"3"_s), u"14"_s, {}, {}, {}, {} });
    if (writer == u"whole card")
        return writeWholeCard(card, record, poster);
    if (writer == u"record")
        return rewriteRecord(card, record);
    if (writer == u"change") {
        const PosterChoice choice { poster.isEmpty() ? PosterChoice::Kind::Keep : PosterChoice::Kind::Replace,
            poster };
        return changeCard(
            card, [&](CardRecord &changed) { return (changed = record), true; }, choice);
    }
    return writeCardCopy(card, writer == u"copy" ? path("copy.cfh") : card, record, poster);
}

void tst_CardSave::hoursField_data()
{
    QTest::addColumn<QString>("hours");
    QTest::addColumn<QString>("field");
    QTest::newRow("one digit") << u"1"_s << u" 1"_s;
    QTest::newRow("empty") << u""_s << u""_s;
    QTest::newRow("ten") << u"12"_s << u"12"_s;
    QTest::newRow("not a number") << u"a"_s << u"a"_s;
    QTest::newRow("two characters below ten are not cut") << u"-1"_s << u"-1"_s;
}

void tst_CardSave::hoursField()
{
    QFETCH(QString, hours);
    QFETCH(QString, field);
    QCOMPARE(dureeHField(hours), field);
}

// Each writer puts the new record before the poster it means: a card from
// elsewhere that ends inside its record or at its separator is written
// whole, and nothing of it becomes a poster.
void tst_CardSave::writers_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<QByteArray>("poster");   // a poster file, if any
    QTest::addColumn<QByteArray>("posterAfter");
    const QByteArray old = makeCard("Old", posterBytes(3000));
    QTest::newRow("whole card, no poster") << u"whole card"_s << old << QByteArray() << QByteArray();
    QTest::newRow("whole card, poster of 20000 bytes")
        << u"whole card"_s << old << posterBytes(20000) << posterBytes(20000);
    QTest::newRow("copy keeps the poster") << u"copy"_s << old << QByteArray() << posterBytes(3000);
    QTest::newRow("copy with another poster")
        << u"copy"_s << old << QByteArray("GIF89a new poster") << QByteArray("GIF89a new poster");
    QTest::newRow("copy onto itself") << u"copy onto itself"_s << old << QByteArray() << posterBytes(3000);
    QTest::newRow("record alone") << u"record"_s << old << QByteArray() << posterBytes(3000);
    QTest::newRow("change keeps the poster") << u"change"_s << old << QByteArray() << posterBytes(3000);
    QTest::newRow("change with another poster")
        << u"change"_s << old << QByteArray("GIF89a new poster") << QByteArray("GIF89a new poster");
    for (int size : { 607, 1175, 1176 }) {
        for (const char *writer : { "copy", "record", "change" })
            QTest::addRow("%s of a card of %d bytes", writer, size)
                << QString::fromLatin1(writer) << makeCard("Short", {}).left(size) << QByteArray()
                << QByteArray();
    }
}

void tst_CardSave::writers()
{
    QFETCH(QString, writer);
    QFETCH(QByteArray, old);
    QFETCH(QByteArray, poster);
    QFETCH(QByteArray, posterAfter);
    const QString card = path("card.cfh");
    QVERIFY(writeBytes(card, old));
    if (!poster.isEmpty())
        QVERIFY(writeBytes(path("poster.jpg"), poster));
    QVERIFY(write(writer, card, poster.isEmpty() ? QString() : path("poster.jpg")).ok());
    const QByteArray expected = makeCard(QByteArray("New").leftJustified(50, ' ') + "1997 314", posterAfter);
    QCOMPARE(readBytes(writer == u"copy" ? path("copy.cfh") : card), expected);
    if (writer == u"copy")
        QCOMPARE(readBytes(card), old);
}

void tst_CardSave::missingFilesWriteNothing()
{
    const QString card = path("keep.cfh");
    const QByteArray old = makeCard("Keep", "poster");
    QVERIFY(writeBytes(card, old));
    const QString gone = path("gone.jpg");
    SaveResult result = write(u"whole card"_s, card, gone);
    QCOMPARE(result.status, SaveStatus::PosterMissing);
    QCOMPARE(result.failedPath, gone);
    QCOMPARE(write(u"copy"_s, card, gone).status, SaveStatus::PosterMissing);
    QVERIFY(!QFile::exists(path("copy.cfh")));
    QCOMPARE(write(u"copy"_s, path("moved.cfh"), QString()).status, SaveStatus::SourceMissing);
    QCOMPARE(write(u"record"_s, path("moved.cfh"), QString()).status, SaveStatus::SourceMissing);
    QCOMPARE(readBytes(card), old);
    QVERIFY(!QFile::exists(path("copy.cfh")));
}

// Every writer, failing at every kind of byte of the new card: the failure
// is reported, the old card keeps every byte, and no new file is left.
void tst_CardSave::failuresLeaveTheOldCard_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<qint64>("limit");
    const qint64 newSize = 1176 + 20000;
    for (const char *writer : { "whole card", "copy", "copy onto itself", "record", "change" }) {
        for (qint64 limit : { qint64(0), qint64(1), qint64(7), qint64(1174), qint64(1175), qint64(1176),
                 qint64(1176 + 10000), newSize - 1 })
            QTest::addRow("%s, disk full after %lld bytes", writer, limit)
                << QString::fromLatin1(writer) << limit;
    }
}

void tst_CardSave::failuresLeaveTheOldCard()
{
    QFETCH(QString, writer);
    QFETCH(qint64, limit);
    const QString card = path("full.cfh");
    const QByteArray old = makeCard("Keep", posterBytes(20000));
    QVERIFY(writeBytes(card, old));
    const QString poster = path("big.jpg");
    QVERIFY(writeBytes(poster, posterBytes(20000)));
    SaveResult result;
    {
        FileSizeLimit diskFull(limit);
        result = write(writer, card, writer == u"whole card" ? poster : QString());
    }
    QCOMPARE(result.status, SaveStatus::WriteFailed);
    QCOMPARE(result.failedPath, writer == u"copy" ? path("copy.cfh") : card);
    QCOMPARE(readBytes(card), old);
    QCOMPARE(QDir(m_dir.path()).entryList({ u"full*"_s, u"copy*"_s }, QDir::Files | QDir::Hidden),
        QStringList { u"full.cfh"_s });
}

// A card replaced by another writer since it was loaded is not saved over;
// the card as it is now can be, and the save says what it wrote.
void tst_CardSave::replacesOnlyTheCardLoaded()
{
    const QString card = path("shared.cfh");
    QVERIFY(writeBytes(card, makeCard("Loaded", "poster")));
    const CardHead loaded = readCardHead(card);
    QCOMPARE(cardFingerprint(card), loaded.fingerprint);
    QVERIFY(rewriteRecord(card, makeRecord({ u"Other"_s, {}, {}, {}, {}, {}, {}, {} })).ok());
    const QByteArray other = readBytes(card);
    const CardRecord mine = makeRecord({ u"Mine"_s, {}, {}, {}, {}, {}, {}, {} });
    const SaveResult refused = replaceIfUnchanged(card, loaded.fingerprint, mine);
    QCOMPARE(refused.status, SaveStatus::Changed);
    QCOMPARE(refused.failedPath, card);
    QCOMPARE(readBytes(card), other);
    const SaveResult saved = replaceIfUnchanged(card, readCardHead(card).fingerprint, mine);
    QVERIFY(saved.ok());
    QCOMPARE(readBytes(card), makeCard(QByteArray("Mine"), "poster"));
    QCOMPARE(saved.written, cardFingerprint(card));   // what the next save compares with
}

// Two processes add one to their own field of one card, 500 times each:
// a change made between another's read and its write would be lost.
void tst_CardSave::twoWritersLoseNothing()
{
    const QString card = path("raced.cfh");
    QVERIFY(writeBytes(card, makeCard("0", "poster")));
    QProcess title, type;
    title.start(QStringLiteral(CARDWRITER), { card, u"titre"_s, u"500"_s });
    type.start(QStringLiteral(CARDWRITER), { card, u"type"_s, u"500"_s });
    for (QProcess *writer : { &title, &type }) {
        QVERIFY(writer->waitForFinished(120000));
        QVERIFY2(writer->exitCode() == 0, writer->readAllStandardError().constData());
    }
    const CardHead raced = readCardHead(card);
    QCOMPARE(raced.record.text(Field::Titre).trimmed(), u"500"_s);
    QCOMPARE(raced.record.text(Field::Type).trimmed(), u"500"_s);
    QCOMPARE(readBytes(card).sliced(CardLayout::PosterOffset), QByteArray("poster"));
}

// A card held locked by another (a stuck program) is refused as busy after
// the patience given, not waited for forever; once let go, it is taken.
void tst_CardSave::aWriterThatNeverLetsGoCostsPatience()
{
    const QString card = path("held.cfh");
    QVERIFY(writeBytes(card, makeCard("Held", "poster")));
    auto holder = std::make_unique<CardLock>(card);
    QCOMPARE(holder->status(), LockStatus::Held);
    QCOMPARE(CardLock(card, std::chrono::milliseconds(50)).status(), LockStatus::Busy);
    holder.reset();
    const CardLock taken(card, std::chrono::milliseconds(50));
    QCOMPARE(taken.status(), LockStatus::Held);
    QCOMPARE(taken.fingerprint(), cardFingerprint(card));
    QCOMPARE(CardLock(path("none.cfh")).status(), LockStatus::Missing);
}

QTEST_GUILESS_MAIN(tst_CardSave)
#include "tst_cardsave.moc"
