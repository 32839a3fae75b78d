#include "card/card.h"
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

// Some of the values the record cannot hold, so that the extension holds
// them: exact texts, more than ten actors, the fields beyond the record.
Card withExtension(const QByteArray &record, QRandomGenerator &random)
{
    QStringList actors;
    for (int i = 0; i < 12; ++i)
        actors << u"Актёр %1"_s.arg(i);
    const QList<CardEdit> edits { { .field = Field::Titre, .text = u"Андрей Рублёв"_s },
        { .field = Field::Resume, .text = u"Dvořák\n"_s + QString(600, u'é') },
        { .field = Field::Acteurs, .list = actors }, { .field = Field::Annee, .text = u"1966"_s },
        { .field = Field::Vu, .text = u"oui"_s }, { .field = Field::Note, .text = u"7"_s },
        { .field = Field::Etiquettes, .list = { u"a\"b"_s, u"c"_s } },
        { .field = Field::Tmdb, .text = u"935"_s },
        { .field = Field::Notes, .text = u"un\ndeux\ttrois\u0001\u001f/\"\\"_s } };
    Card card(decodeRecord(record));
    for (const CardEdit &edit : edits) {
        if (random.bounded(2u) == 0)
            applyEdit(card, edit, ControlCharacters::Kept);
    }
    return card;
}

}   // namespace

class tst_RecordJson : public QObject {
    Q_OBJECT

private slots:
    void matchesValuesWriter();
};

// The record's bytes, and the extension's values where it has them, decoded
// or left in its body, give the JSON of the values decoded from them, byte
// for byte.
void tst_RecordJson::matchesValuesWriter()
{
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    const PosterInfo picture { "jpeg", QSize(240, 360) };
    for (int round = 0; round < 400; ++round) {
        const Card card = round % 2 ? withExtension(randomRecord(random), random)
                                    : Card(decodeRecord(randomRecord(random)));
        const QByteArray record = encodeRecord(card.record);
        const CardValues values = cardValues(card);
        // The extension as a card holds it, its values checked and left in its body.
        const ExtensionValues checked
            = checkExtension(encodeExtension(card.extension, record), record).values;
        for (const JsonLayout layout : { JsonLayout::ArrayItem, JsonLayout::Line }) {
            QByteArray fromBytes, fromBody, fromValues;
            appendRecordJson(fromBytes, u"a/é.cfh"_s, record, card.extension, 100, picture, layout);
            appendRecordJson(fromBody, u"a/é.cfh"_s, record, checked, 100, picture, layout);
            appendCardJson(fromValues, u"a/é.cfh"_s, values, 100, picture, layout);
            QVERIFY2(fromBytes == fromValues, qPrintable(u"seed %1, round %2"_s.arg(seed).arg(round)));
            QVERIFY2(fromBody == fromValues, qPrintable(u"body, seed %1, round %2"_s.arg(seed).arg(round)));
        }
    }
}

QTEST_GUILESS_MAIN(tst_RecordJson)
#include "tst_recordjson.moc"
