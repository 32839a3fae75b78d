#include "card/cardfields.h"
#include "card/cardfile.h"
#include "card/cardsave.h"
#include "support/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_CardSave : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void hoursField_data();
    void hoursField();
    void wholeCard_data();
    void wholeCard();
    void copyUnderAnotherName();
    void recordAlone();
    void missingFilesWriteNothing();
    void failuresLeaveTheOldCard_data();
    void failuresLeaveTheOldCard();
    void shortCardsGetASeparatorAndNoPoster_data();
    void shortCardsGetASeparatorAndNoPoster();

private:
    TestCache m_cache;
    QTemporaryDir m_dir;
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    CardRecord record(const char *title) const;
};

void tst_CardSave::cleanup()
{
    // Every write removes its working folder, whatever happened.
    QVERIFY(m_cache.isEmpty());
}

CardRecord tst_CardSave::record(const char *title) const
{
    return makeRecord(QString::fromLatin1(title), QStringLiteral("1997"), dureeHField(QStringLiteral("3")),
        QStringLiteral("14"), {}, {}, {}, {});
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

void tst_CardSave::wholeCard_data()
{
    QTest::addColumn<int>("posterSize");
    QTest::newRow("no poster") << 0;
    QTest::newRow("poster of 20000 bytes") << 20000;
}

void tst_CardSave::wholeCard()
{
    QFETCH(int, posterSize);
    const QString poster = posterSize ? path("poster.jpg") : QString();
    if (posterSize)
        QVERIFY(writeBytes(poster, posterBytes(posterSize)));
    const QString card = path("Titanic.cfh");
    QVERIFY(writeBytes(card, makeCard("An older card", posterBytes(5000))));
    QVERIFY(writeWholeCard(card, record("Titanic"), poster).ok());
    const QByteArray bytes = readBytes(card);
    QCOMPARE(bytes.size(), 1176 + posterSize);
    QCOMPARE(
        bytes, makeCard(QByteArray("Titanic").leftJustified(50, ' ') + "1997 314", posterBytes(posterSize)));
}

void tst_CardSave::copyUnderAnotherName()
{
    const QString old = path("old.cfh");
    const QByteArray oldBytes = makeCard("Old", posterBytes(3000));
    QVERIFY(writeBytes(old, oldBytes));
    const QString copy = path("copy.cfh");
    QVERIFY(writeCardCopy(old, copy, record("New"), QString()).ok());
    QCOMPARE(
        readBytes(copy), makeCard(QByteArray("New").leftJustified(50, ' ') + "1997 314", posterBytes(3000)));
    QCOMPARE(readBytes(old), oldBytes);

    const QString poster = path("other.gif");
    QVERIFY(writeBytes(poster, "GIF89a new poster"));
    QVERIFY(writeCardCopy(old, copy, record("New"), poster).ok());
    QCOMPARE(readBytes(copy).mid(1175),
        QByteArray("\xA9"
                   "GIF89a new poster"));
    QVERIFY(writeCardCopy(old, old, record("Same"), QString()).ok());   // onto itself
    QCOMPARE(readBytes(old).mid(1175), oldBytes.mid(1175));
}

void tst_CardSave::recordAlone()
{
    const QString card = path("record.cfh");
    const QByteArray old = makeCard("Old", posterBytes(20000));
    QVERIFY(writeBytes(card, old));
    QVERIFY(rewriteRecord(card, record("Changed")).ok());
    const QByteArray bytes = readBytes(card);
    QCOMPARE(bytes.size(), old.size());
    QCOMPARE(bytes.mid(1175), old.mid(1175));
    QCOMPARE(bytes.mid(7, 7), QByteArray("Changed"));
}

void tst_CardSave::missingFilesWriteNothing()
{
    const QString card = path("keep.cfh");
    const QByteArray old = makeCard("Keep", "poster");
    QVERIFY(writeBytes(card, old));
    const QString gone = path("gone.jpg");
    SaveResult result = writeWholeCard(card, record("New"), gone);
    QCOMPARE(result.status, SaveStatus::PosterMissing);
    QCOMPARE(result.failedPath, gone);
    result = writeCardCopy(card, path("copy2.cfh"), record("New"), gone);
    QCOMPARE(result.status, SaveStatus::PosterMissing);
    QVERIFY(!QFile::exists(path("copy2.cfh")));
    result = writeCardCopy(path("moved.cfh"), path("copy2.cfh"), record("New"), QString());
    QCOMPARE(result.status, SaveStatus::SourceMissing);
    QCOMPARE(rewriteRecord(path("moved.cfh"), record("New")).status, SaveStatus::SourceMissing);
    QCOMPARE(readBytes(card), old);
    QVERIFY(!QFile::exists(path("copy2.cfh")));
}

// Every writer, failing at every kind of byte of the new card: the failure
// is reported, the old card keeps every byte, and no new file is left.
void tst_CardSave::failuresLeaveTheOldCard_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<qint64>("limit");
    const qint64 newSize = 1176 + 20000;
    for (const char *writer : { "whole card", "copy", "copy onto itself", "record" }) {
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
    const QString copy = path("full-copy.cfh");
    SaveResult result;
    {
        FileSizeLimit diskFull(limit);
        if (writer == QLatin1String("whole card"))
            result = writeWholeCard(card, record("New"), poster);
        else if (writer == QLatin1String("copy"))
            result = writeCardCopy(card, copy, record("New"), QString());
        else if (writer == QLatin1String("copy onto itself"))
            result = writeCardCopy(card, card, record("New"), QString());
        else
            result = rewriteRecord(card, record("New"));
    }
    QCOMPARE(result.status, SaveStatus::WriteFailed);
    QCOMPARE(result.failedPath, writer == QLatin1String("copy") ? copy : card);
    QCOMPARE(readBytes(card), old);
    QCOMPARE(QDir(m_dir.path()).entryList({ QStringLiteral("full*") }, QDir::Files | QDir::Hidden),
        QStringList { QStringLiteral("full.cfh") });
}

// A card from elsewhere that ends inside its record or at its separator is
// written whole, and nothing of it becomes a poster.
void tst_CardSave::shortCardsGetASeparatorAndNoPoster_data()
{
    QTest::addColumn<int>("size");
    for (int size : { 607, 1175, 1176 })
        QTest::addRow("card of %d bytes", size) << size;
}

void tst_CardSave::shortCardsGetASeparatorAndNoPoster()
{
    QFETCH(int, size);
    const QString card = path("short.cfh");
    QVERIFY(writeBytes(card, makeCard("Short", {}).left(size)));
    const QByteArray expected = makeCard(QByteArray("New").leftJustified(50, ' ') + "1997 314", {});
    QVERIFY(writeCardCopy(card, path("short-copy.cfh"), record("New"), QString()).ok());
    QCOMPARE(readBytes(path("short-copy.cfh")), expected);
    QVERIFY(rewriteRecord(card, record("New")).ok());
    QCOMPARE(readBytes(card), expected);
}

QTEST_GUILESS_MAIN(tst_CardSave)
#include "tst_cardsave.moc"
