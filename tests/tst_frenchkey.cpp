#include "collection/frenchorder.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A name of printable ASCII, mostly letters, digits and the blanks and
// marks of file names.
QString randomName(QRandomGenerator &random)
{
    static const QString kCommon = u"aAbBzZ0123456789 -_.()'"_s;
    QString name;
    const int length = int(random.bounded(1u, 9u));
    for (int i = 0; i < length; ++i)
        name += random.bounded(3u) == 0 ? QChar(char16_t(random.bounded(0x20u, 0x7fu)))
                                        : kCommon[random.bounded(quint32(kCommon.size()))];
    return name;
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

}   // namespace

class tst_FrenchKey : public QObject {
    Q_OBJECT

private slots:
    void ordersAsCollator();
    void leavesOthersToCollator_data();
    void leavesOthersToCollator();
};

// Two names' keys compare as the collator compares the names.
void tst_FrenchKey::ordersAsCollator()
{
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    const QCollator collator = frenchCollator();
    for (int round = 0; round < 3000; ++round) {
        const QString a = randomName(random), b = randomName(random);
        const auto keyA = asciiFrenchKey(a), keyB = asciiFrenchKey(b);
        if (!keyA || !keyB)
            continue;
        const int byKeys = sign(keyA->compare(*keyB));
        QVERIFY2(byKeys == sign(collator.compare(a, b)),
            qPrintable(u"seed %1: \"%2\" and \"%3\""_s.arg(seed).arg(a, b)));
    }
}

void tst_FrenchKey::leavesOthersToCollator_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("accent") << u"Élan.cfh"_s;
    QTest::newRow("control character") << u"a\tb"_s;
    QTest::newRow("leading zero") << u"fiche-007.cfh"_s;
    QTest::newRow("number of 101 digits") << u"n"_s + QString(101, u'1');
}

void tst_FrenchKey::leavesOthersToCollator()
{
    QFETCH(QString, name);
    QVERIFY(!asciiFrenchKey(name));
}

QTEST_GUILESS_MAIN(tst_FrenchKey)
#include "tst_frenchkey.moc"
