#include "card/filepaths.h"
#include "card/workfolder.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class tst_WorkFolder : public QObject {
    Q_OBJECT
private slots:
    void names_data();
    void names();
    void sameSecondTakesTheNextName();
    void baseFolderIsPrivate();
    void othersBaseFolderIsRefused_data();
    void othersBaseFolderIsRefused();
    void orphansGoHeldFoldersStay();
    void removeDeletesOnlyItsFiles();
};

void tst_WorkFolder::names_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("kind0");
    QTest::addColumn<QString>("kind1");
    QTest::newRow("6 December 2026 21:24:20")
        << QDateTime(QDate(2026, 12, 6), QTime(21, 24, 20)) << u"$5D6A2A33DC4"_s << u"$33DC45D6A2A"_s;
    QTest::newRow("1 December 2026 00:00:09")
        << QDateTime(QDate(2026, 12, 1), QTime(0, 0, 9)) << u"$111EEA9"_s << u"$9111EEA"_s;
    QTest::newRow("00:05:09") << QDateTime(QDate(2026, 12, 6), QTime(0, 5, 9)) << u"$5D6A2A1FD"_s
                              << u"$1FD5D6A2A"_s;
}

void tst_WorkFolder::names()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, kind0);
    QFETCH(QString, kind1);
    QCOMPARE(workFolderName(0, now), kind0);
    QCOMPARE(workFolderName(1, now), kind1);
}

void tst_WorkFolder::sameSecondTakesTheNextName()
{
    QTemporaryDir base;
    const QDateTime now(QDate(2026, 12, 6), QTime(21, 24, 20));
    const QString first = makeWorkFolder(0, base.path(), now);
    const QString second = makeWorkFolder(0, base.path(), now);
    const QString other = makeWorkFolder(1, base.path(), now);
    QCOMPARE(first, base.filePath(u"$5D6A2A33DC4"_s));
    QCOMPARE(second, first + u"-2"_s);
    QCOMPARE(other, base.filePath(u"$33DC45D6A2A"_s));
    QVERIFY(QFileInfo(second).isDir());
    QVERIFY(makeWorkFolder(0, QString(), now).isEmpty());
    QVERIFY(makeWorkFolder(0, base.filePath(u"no/such"_s), now).isEmpty());
}

void tst_WorkFolder::baseFolderIsPrivate()
{
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    const QString base = workBase().path;
    QCOMPARE(base, cache.filePath(u"tst_workfolder"_s));
    QCOMPARE(QFileInfo(base).permissions() & ~QFile::Permissions(0x0F00),
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString folder = makeWorkFolder(1);
    QVERIFY(folder.startsWith(base + u"/$"_s));
    removeWorkFolder(folder);
    QVERIFY(QDir(base).isEmpty());
}

void tst_WorkFolder::othersBaseFolderIsRefused_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("otherOwner");
    QTest::newRow("writable by all") << 0777 << false;
    QTest::newRow("writable by the group") << 0770 << false;
    QTest::newRow("another user's") << 0700 << true;
}

void tst_WorkFolder::othersBaseFolderIsRefused()
{
    QFETCH(int, mode);
    QFETCH(bool, otherOwner);
    if (otherOwner && ::geteuid() != 0)
        QSKIP("only root can give a folder to another user");
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    const QString base = cache.filePath(u"tst_workfolder"_s);
    QVERIFY(QDir().mkdir(base));
    QVERIFY(::chmod(QFile::encodeName(base).constData(), mode_t(mode)) == 0);
    if (otherOwner)
        QVERIFY(::chown(QFile::encodeName(base).constData(), 65534, 65534) == 0);
    QCOMPARE(workBase().status, WorkBaseStatus::Unsafe);
    QCOMPARE(workBase().path, base);
    QVERIFY(makeWorkFolder(0).isEmpty());
    QVERIFY(QDir(base).isEmpty());
}

// The folders of a run that was killed go; those this run or another
// running program holds stay.
void tst_WorkFolder::orphansGoHeldFoldersStay()
{
    QTemporaryDir base;
    const QString held = makeWorkFolder(0, base.path(), QDateTime::currentDateTime());
    QVERIFY(writeBytes(held + WorkFile::Image, "poster"));
    const QString orphan = base.filePath(u"$1"_s);
    QVERIFY(QDir().mkdir(orphan));   // no lock: its program is gone
    QVERIFY(writeBytes(orphan + WorkFile::Image, "poster"));
    const QString staleLock = base.filePath(u"$2.lock"_s);
    QVERIFY(writeBytes(staleLock, "999999999\nkilled\n"));
    QVERIFY(QDir().mkdir(base.filePath(u"$2"_s)));
    QLockFile otherProgram(base.filePath(u"$3.lock"_s));   // held by a live process
    QVERIFY(otherProgram.tryLock(0));
    QVERIFY(QDir().mkdir(base.filePath(u"$3"_s)));

    removeOrphanWorkFolders(base.path());
    QStringList kept { fileNameOf(held), fileNameOf(held) + u".lock"_s, u"$3"_s, u"$3.lock"_s };
    kept.sort();
    QCOMPARE(QDir(base.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), kept);
    removeOwnWorkFolders();
    otherProgram.unlock();
    QVERIFY(QDir(base.path()).rmdir(u"$3"_s));
    QVERIFY(QDir(base.path()).isEmpty());
}

void tst_WorkFolder::removeDeletesOnlyItsFiles()
{
    QTemporaryDir base;
    const QString onlyImage = base.filePath(u"$1"_s);
    QDir().mkdir(onlyImage);
    QVERIFY(writeBytes(onlyImage + WorkFile::Image, "poster"));
    removeWorkFolder(onlyImage);
    QVERIFY(!QFileInfo::exists(onlyImage));

    const QString withOther = base.filePath(u"$2"_s);
    QDir().mkdir(withOther);
    for (const QString &name : { WorkFile::Info, WorkFile::Image, WorkFile::Preview, u"/other"_s })
        QVERIFY(writeBytes(withOther + name, "x"));
    removeWorkFolder(withOther);
    QCOMPARE(QDir(withOther).entryList(QDir::Files), QStringList { u"other"_s });

    removeWorkFolder(QString());   // touches nothing, not even the current folder
    removeWorkFolder(base.filePath(u"$missing"_s));
    QVERIFY(QFileInfo(withOther).isDir());
}

QTEST_GUILESS_MAIN(tst_WorkFolder)
#include "tst_workfolder.moc"
