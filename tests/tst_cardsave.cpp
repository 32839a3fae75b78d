#include "card/cardfields.h"
#include "card/cardfile.h"
#include "card/cardsave.h"
#include "support/testfiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Writes bytes over the start of the file at path, which keeps its inode,
// then sets its modification time back to modified: what a write within
// the same tick of a coarse clock leaves.
bool writeInPlace(const QString &path, const QByteArray &bytes, qint64 modified)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.write(bytes) == bytes.size() && (file.close(), true)
        && setModifiedTime(path, modified);
}

// Puts a new file of bytes at path, with the times of the file it replaces.
bool replaceKeepingTimes(const QString &path, const QByteArray &bytes)
{
    const QString copy = path + u".new"_s;
    return writeBytes(copy, bytes) && setModifiedTime(copy, cardFingerprint(path)->modified)
        && ::rename(QFile::encodeName(copy).constData(), QFile::encodeName(path).constData()) == 0;
}

// The writers of a card: whole, as a copy of another (or of itself) with
// its poster or another, its record alone, or a change under its lock.
enum class Writer { WholeCard, Copy, CopyOntoItself, Record, Change };
// What another program did to a card.
enum class Done { Mode, Owner, Link, InPlace, Append, Copy };

}   // namespace

class tst_CardSave : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void writers_data();
    void writers();
    void missingFilesWriteNothing();
    void failuresLeaveTheOldCard_data();
    void failuresLeaveTheOldCard();
    void replacesOnlyTheCardLoaded_data();
    void replacesOnlyTheCardLoaded();
    void twoWritersLoseNothing();
    void aWriterThatNeverLetsGoCostsPatience();

private:
    TestCache m_cache;
    QTemporaryDir m_dir;
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    SaveResult write(Writer writer, const QString &card, const QString &poster) const;
};

void tst_CardSave::cleanup()
{
    // Every write removes its working folder, whatever happened.
    QVERIFY(m_cache.isEmpty());
    QFile::remove(path("copy.cfh"));
}

// The card's new record; Copy writes to copy.cfh beside the card.
SaveResult tst_CardSave::write(Writer writer, const QString &card, const QString &poster) const
{
    const CardRecord record
        = makeRecord({ u"New"_s, u"1997"_s, hoursField(u"3"_s), u"14"_s, {}, {}, {}, {} });
    switch (writer) {
    case Writer::WholeCard:
        return writeWholeCard(card, record, poster);
    case Writer::Record:
        return rewriteCard(card, record);
    case Writer::Change: {
        const PosterChoice choice { poster.isEmpty() ? PosterChoice::Kind::Keep : PosterChoice::Kind::Replace,
            poster };
        return changeCard(
            card, [&](Card &changed) { return (changed = record), true; }, choice);
    }
    case Writer::Copy:
    case Writer::CopyOntoItself:
        break;
    }
    return writeCardCopy(card, writer == Writer::Copy ? path("copy.cfh") : card, record, poster);
}

// Each writer puts the new record before the poster it means: a card from
// elsewhere that ends inside its record or at its separator is written
// whole, and nothing of it becomes a poster.
void tst_CardSave::writers_data()
{
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<QByteArray>("poster");   // a poster file, if any
    QTest::addColumn<QByteArray>("posterAfter");
    const QByteArray old = makeCard("Old", posterBytes(3000));
    QTest::newRow("whole card, no poster") << Writer::WholeCard << old << QByteArray() << QByteArray();
    QTest::newRow("whole card, poster of 20000 bytes")
        << Writer::WholeCard << old << posterBytes(20000) << posterBytes(20000);
    QTest::newRow("copy keeps the poster") << Writer::Copy << old << QByteArray() << posterBytes(3000);
    QTest::newRow("copy with another poster")
        << Writer::Copy << old << QByteArray("GIF89a new poster") << QByteArray("GIF89a new poster");
    QTest::newRow("copy onto itself") << Writer::CopyOntoItself << old << QByteArray() << posterBytes(3000);
    QTest::newRow("record alone") << Writer::Record << old << QByteArray() << posterBytes(3000);
    QTest::newRow("change keeps the poster") << Writer::Change << old << QByteArray() << posterBytes(3000);
    QTest::newRow("change with another poster")
        << Writer::Change << old << QByteArray("GIF89a new poster") << QByteArray("GIF89a new poster");
    for (int size : { 607, 1175, 1176 }) {
        for (const auto &[writer, name] : { std::pair { Writer::Copy, "copy" }, { Writer::Record, "record" },
                 { Writer::Change, "change" } })
            QTest::addRow("%s of a card of %d bytes", name, size)
                << writer << makeCard("Short", {}).left(size) << QByteArray() << QByteArray();
    }
}

void tst_CardSave::writers()
{
    QFETCH(Writer, writer);
    QFETCH(QByteArray, old);
    QFETCH(QByteArray, poster);
    QFETCH(QByteArray, posterAfter);
    const QString card = path("card.cfh");
    QVERIFY(writeBytes(card, old));
    if (!poster.isEmpty())
        QVERIFY(writeBytes(path("poster.jpg"), poster));
    QVERIFY(write(writer, card, poster.isEmpty() ? QString() : path("poster.jpg")).ok());
    const QByteArray expected = makeCard(QByteArray("New").leftJustified(50, ' ') + "1997 314", posterAfter);
    QCOMPARE(readBytes(writer == Writer::Copy ? path("copy.cfh") : card), expected);
    if (writer == Writer::Copy)
        QCOMPARE(readBytes(card), old);
}

void tst_CardSave::missingFilesWriteNothing()
{
    const QString card = path("keep.cfh");
    const QByteArray old = makeCard("Keep", "poster");
    QVERIFY(writeBytes(card, old));
    const QString gone = path("gone.jpg");
    SaveResult result = write(Writer::WholeCard, card, gone);
    QCOMPARE(result.status, SaveStatus::PosterMissing);
    QCOMPARE(result.failedPath, gone);
    QCOMPARE(write(Writer::Copy, card, gone).status, SaveStatus::PosterMissing);
    QVERIFY(!QFile::exists(path("copy.cfh")));
    QCOMPARE(write(Writer::Copy, path("moved.cfh"), QString()).status, SaveStatus::SourceMissing);
    QCOMPARE(write(Writer::Record, path("moved.cfh"), QString()).status, SaveStatus::SourceMissing);
    QCOMPARE(readBytes(card), old);
    QVERIFY(!QFile::exists(path("copy.cfh")));
}

// Every writer, failing at every kind of byte of the new card: the failure
// is reported, the old card keeps every byte, and no new file is left.
void tst_CardSave::failuresLeaveTheOldCard_data()
{
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<qint64>("limit");
    const qint64 newSize = 1176 + 20000;
    for (const auto &[writer, name] : { std::pair { Writer::WholeCard, "whole card" },
             { Writer::Copy, "copy" }, { Writer::CopyOntoItself, "copy onto itself" },
             { Writer::Record, "record" }, { Writer::Change, "change" } }) {
        for (qint64 limit : { qint64(0), qint64(1), qint64(7), qint64(1174), qint64(1175), qint64(1176),
                 qint64(1176 + 10000), newSize - 1 })
            QTest::addRow("%s, disk full after %lld bytes", name, limit) << writer << limit;
    }
}

void tst_CardSave::failuresLeaveTheOldCard()
{
    QFETCH(Writer, writer);
    QFETCH(qint64, limit);
    const QString card = path("full.cfh");
    const QByteArray old = makeCard("Keep", posterBytes(20000));
    QVERIFY(writeBytes(card, old));
    const QString poster = path("big.jpg");
    QVERIFY(writeBytes(poster, posterBytes(20000)));
    SaveResult result;
    {
        FileSizeLimit diskFull(limit);
        result = write(writer, card, writer == Writer::WholeCard ? poster : QString());
    }
    QCOMPARE(result.status, SaveStatus::WriteFailed);
    QCOMPARE(result.failedPath, writer == Writer::Copy ? path("copy.cfh") : card);
    QCOMPARE(readBytes(card), old);
    QCOMPARE(QDir(m_dir.path()).entryList({ u"full*"_s, u"copy*"_s }, QDir::Files | QDir::Hidden),
        QStringList { u"full.cfh"_s });
}

// What another program did to the card since it was loaded: Save writes
// over it only when its bytes cannot have changed. A new mode, owner or
// link is no change; a rewrite in place that a stat cannot tell (the same
// size, the time kept, as within a clock tick) is told by the bytes, read
// only for a card written a moment before it was loaded.
void tst_CardSave::replacesOnlyTheCardLoaded_data()
{
    QTest::addColumn<Done>("done");
    QTest::addColumn<bool>("old");   // the card was last written an hour before its load
    QTest::addColumn<bool>("changed");
    QTest::newRow("mode") << Done::Mode << false << false;
    QTest::newRow("owner set again: its change time alone") << Done::Owner << false << false;
    QTest::newRow("another link") << Done::Link << false << false;
    QTest::newRow("old card, mode") << Done::Mode << true << false;
    QTest::newRow("rewritten in place, same size, same time") << Done::InPlace << false << true;
    QTest::newRow("grown") << Done::Append << true << true;
    QTest::newRow("replaced by a copy with the same times") << Done::Copy << true << true;
}

void tst_CardSave::replacesOnlyTheCardLoaded()
{
    QFETCH(Done, done);
    QFETCH(bool, old);
    QFETCH(bool, changed);
    const QString card = path("shared.cfh");
    QFile::remove(card);
    QVERIFY(writeBytes(card, makeCard("Loaded", "poster")));
    if (old)
        setModifiedTime(card, cardFingerprint(card)->modified - 3600'000'000'000);
    QVERIFY(QDir().mkpath(path("work")));
    const CardVersion loaded = readCardFile(card, path("work")).version;
    QCOMPARE(loaded.digest.isEmpty(), old);
    const QByteArray nativeCard = QFile::encodeName(card);
    if (done == Done::Mode)
        QVERIFY(::chmod(nativeCard.constData(), 0640) == 0);
    else if (done == Done::Owner)
        QVERIFY(::chown(nativeCard.constData(), ::getuid(), ::getgid()) == 0);
    else if (done == Done::Link)
        QVERIFY(::link(nativeCard.constData(), QFile::encodeName(path("link.cfh")).constData()) == 0);
    else if (done == Done::InPlace)
        QVERIFY(writeInPlace(card, makeCard("Othr!!", "poster"), loaded.fingerprint.modified));
    else if (done == Done::Append)
        QVERIFY(writeBytes(card, makeCard("Loaded", "poster!")));
    else if (done == Done::Copy)
        QVERIFY(replaceKeepingTimes(card, makeCard("Othr!!", "poster")));
    const QByteArray before = readBytes(card);
    QCOMPARE(cardVersion(card, loaded) != loaded, changed);   // what the editor's watch tells

    const SaveResult saved
        = replaceIfUnchanged(card, loaded, makeRecord({ u"Mine"_s, {}, {}, {}, {}, {}, {}, {} }));
    QCOMPARE(saved.status, changed ? SaveStatus::Changed : SaveStatus::Ok);
    QCOMPARE(readBytes(card), changed ? before : makeCard(QByteArray("Mine"), "poster"));
    if (!changed)
        QCOMPARE(saved.written, cardVersion(card, saved.written));   // what the next save compares with
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
    QCOMPARE(raced.card.record.text(Field::Titre).trimmed(), u"500"_s);
    QCOMPARE(raced.card.record.text(Field::Type).trimmed(), u"500"_s);
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
