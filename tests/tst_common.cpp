#include "app/common.h"
#include "app/twips.h"

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
    void toInt16_data();
    void toInt16();
    void scaledPosterHeight_data();
    void scaledPosterHeight();
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

void tst_Common::toInt16_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");   // -99999: out of range
    QTest::newRow("half to even, down") << 2902.5 << 2902;
    QTest::newRow("half to even, up") << 2903.5 << 2904;
    QTest::newRow("negative half") << -0.5 << 0;
    QTest::newRow("nearest") << 2250.4 << 2250;
    QTest::newRow("largest") << 32767.4 << 32767;
    QTest::newRow("just too large") << 32767.5 << -99999;
    QTest::newRow("smallest") << -32768.0 << -32768;
    QTest::newRow("too small") << -32769.0 << -99999;
    QTest::newRow("not a number") << std::nan("") << -99999;
    QTest::newRow("infinite") << HUGE_VAL << -99999;
}

void tst_Common::toInt16()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    const std::optional<qint16> result = ::toInt16(value);
    if (expected == -99999)
        QVERIFY(!result);
    else
        QCOMPARE(int(result.value_or(-1)), expected);
}

// Every poster is shown 1935 twips wide, whatever its natural size.
void tst_Common::scaledPosterHeight_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("shown");   // -1: no height
    QTest::newRow("wide poster halved") << 3870 << 4500 << 2250;
    QTest::newRow("narrow poster enlarged") << 1290 << 1800 << 2700;
    QTest::newRow("exactly 1935 wide") << 1935 << 2111 << 2111;
    QTest::newRow("half rounded down to even") << 3870 << 4501 << 2250;
    QTest::newRow("half rounded up to even") << 3870 << 4503 << 2252;
    QTest::newRow("natural size past 16 bits") << 45000 << 67500 << 2902;
    QTest::newRow("scaled height past 16 bits") << 1500 << 30000 << -1;
    QTest::newRow("zero width") << 0 << 2000 << -1;
    QTest::newRow("empty picture") << 0 << 0 << -1;
}

void tst_Common::scaledPosterHeight()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, shown);
    const std::optional<qint16> scaled = ::scaledPosterHeight(Size { width, height });
    QCOMPARE(scaled ? int(*scaled) : -1, shown);
}

QTEST_GUILESS_MAIN(tst_Common)
#include "tst_common.moc"
