#include "app/common.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

class tst_Common : public QObject {
    Q_OBJECT
private slots:
    void fileExists();
    void readOnly();
    void trimRight_data();
    void trimRight();
    void maxInt();
};

void tst_Common::fileExists()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"card.cfh"_s);
    QFile(file).open(QIODevice::WriteOnly);
    const QString fifo = dir.filePath(u"fifo"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(QFile::link(file, dir.filePath(u"link.cfh"_s)));
    QVERIFY(QFile::link(dir.filePath(u"gone"_s), dir.filePath(u"dangling"_s)));

    QVERIFY(FileExists(file));
    QVERIFY(FileExists(dir.filePath(u"link.cfh"_s)));
    QVERIFY(!FileExists(dir.path()));
    QVERIFY(!FileExists(QString()));
    QVERIFY(!FileExists(dir.filePath(u"missing"_s)));
    QVERIFY(!FileExists(fifo));   // reading it would hang
    QVERIFY(!FileExists(u"/dev/null"_s));
    QVERIFY(!FileExists(dir.filePath(u"dangling"_s)));
}

void tst_Common::readOnly()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"card.cfh"_s);
    QFile(file).open(QIODevice::WriteOnly);
    QVERIFY(!IsFileReadOnly(file));
    // Without any write permission a file is read-only, even for root.
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QVERIFY(IsFileReadOnly(file));
}

void tst_Common::trimRight_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("two trailing spaces") << u"abc  "_s << u"abc"_s;
    QTest::newRow("all spaces") << u"   "_s << u""_s;
    QTest::newRow("leading space stays") << u" abc"_s << u" abc"_s;
    QTest::newRow("tab and carriage return stay") << u"a\t\r"_s << u"a\t\r"_s;
    QTest::newRow("space before a tab stays") << u"a \t"_s << u"a \t"_s;
}

void tst_Common::trimRight()
{
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QCOMPARE(TrimRight(text), trimmed);
}

void tst_Common::maxInt()
{
    QCOMPARE(MaxInt(-3, 2), qint16(2));
    QCOMPARE(MaxInt(5, 5), qint16(5));
    QCOMPARE(MaxInt(-32768, -32767), qint16(-32767));
}

QTEST_GUILESS_MAIN(tst_Common)
#include "tst_common.moc"
