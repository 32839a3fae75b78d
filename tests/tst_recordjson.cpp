#include "card/cardvalues.h"
#include "tool/cardjsonwriter.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A record's bytes, mostly those the rules treat apart: blanks, bars,
// line breaks, digits; the rest any byte at all.
QByteArray randomRecord(QRandomGenerator &random)
{
    static constexpr char kSpecial[] = "  ||\r\n0123456789-\"\\\x80\x81\xe9";
    QByteArray record(kRecordWidth, ' ');
    if (random.bounded(2u) == 0)   // a year and a running time as the writer stores them
        record.replace(50, 8, "1999 145");
    const int filled = int(random.bounded(kRecordWidth + 1));
    for (int i = 0; i < filled; ++i) {
        const quint32 pick = random.bounded(3u);
        const char byte = pick == 0 ? char(random.bounded(256u))
            : pick == 1             ? kSpecial[random.bounded(quint32(sizeof kSpecial - 1))]
                                    : char('a' + random.bounded(26u));
        record[random.bounded(kRecordWidth)] = byte;
    }
    return record;
}

}   // namespace

class tst_RecordJson : public QObject {
    Q_OBJECT

private slots:
    void matchesValuesWriter();
};

// The record's bytes give the JSON of the values decoded from them, byte for byte.
void tst_RecordJson::matchesValuesWriter()
{
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    const PosterInfo picture { "jpeg", QSize(240, 360) };
    for (int round = 0; round < 400; ++round) {
        const QByteArray record = randomRecord(random);
        const CardValues values = recordValues(decodeRecord(record));
        for (const JsonLayout layout : { JsonLayout::ArrayItem, JsonLayout::Line }) {
            QByteArray fromBytes, fromValues;
            appendRecordJson(fromBytes, u"a/é.cfh"_s, record, {}, 100, picture, layout);
            appendCardJson(fromValues, u"a/é.cfh"_s, values, 100, picture, layout);
            QVERIFY2(fromBytes == fromValues, qPrintable(u"seed %1, round %2"_s.arg(seed).arg(round)));
        }
    }
}

QTEST_GUILESS_MAIN(tst_RecordJson)
#include "tst_recordjson.moc"
