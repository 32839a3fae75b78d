#include "card/cardfile.h"
#include "card/cardrecord.h"
#include "card/cardsave.h"
#include "card/cp1252.h"
#include "card/fieldrules.h"
#include "support/testfiles.h"

#include <QBuffer>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <zlib.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Field)

namespace {

const QByteArray kPoster = posterBytes(700);

QByteArray bytesOf(const Card &card, const QByteArray &poster = kPoster)
{
    QByteArray bytes;
    QBuffer out(&bytes), picture;
    picture.setData(poster);
    out.open(QIODevice::WriteOnly);
    picture.open(QIODevice::ReadOnly);
    return writeCard(out, card, &picture) == Transfer::Done ? bytes : QByteArray();
}

struct Read {
    CardRead card;
    QByteArray poster;
};

Read readBack(const QByteArray &bytes)
{
    QBuffer in, poster;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    poster.open(QIODevice::WriteOnly);
    Read read { readCard(in, &poster), {} };
    read.poster = poster.data();
    return read;
}

// The card the edits make, every character kept as the editor keeps them.
Card cardOf(const QList<CardEdit> &edits)
{
    Card card;
    for (const CardEdit &edit : edits) {
        if (const auto problem = applyEdit(card, edit, ControlCharacters::Kept))
            qFatal("%s refused: %d", qPrintable(fieldName(edit.field)), int(problem->kind));
    }
    return card;
}

QString recordText(const QByteArray &bytes, Field field)
{
    return trimRight(
        fromCp1252(bytes.mid(CardLayout::MarkerSize + fieldLayout(field).offset, fieldWidth(field))));
}

void appendNumber(QByteArray &out, quint32 number)
{
    char bytes[4];
    qToLittleEndian(number, bytes);
    out.append(bytes, 4);
}

// The card with the body of its extension replaced, its length and
// checksum made again, so that the body itself reaches the parser.
QByteArray withBody(const QByteArray &card, const QByteArray &body)
{
    const qsizetype trailer = card.size() - ExtensionLayout::TrailerSize;
    const qsizetype oldBody
        = qFromLittleEndian<quint32>(card.constData() + trailer + ExtensionLayout::ChecksumsSize);
    QByteArray extension = body + card.mid(trailer, ExtensionLayout::ChecksumsSize);
    appendNumber(extension, quint32(body.size()));
    appendNumber(extension,
        quint32(::crc32(0, reinterpret_cast<const Bytef *>(extension.constData()), uInt(extension.size()))));
    return card.left(trailer - oldBody) + extension + ExtensionLayout::Signature;
}

// A card whose extension holds an exact title the record cannot ("Ta"
// there), a rating and a tag.
QByteArray extendedCard()
{
    return bytesOf(cardOf({ { .field = Field::Titre, .text = u"Ťa"_s },
        { .field = Field::Note, .text = u"7"_s }, { .field = Field::Etiquettes, .list = { u"a"_s } } }));
}

}   // namespace

class tst_CardExtension : public QObject {
    Q_OBJECT
private slots:
    void recordShowsWhatItCan_data();
    void recordShowsWhatItCan();
    void everyFieldComesBack();
    void versionOneStaysVersionOne();
    void recordWriterWins();
    void readsBodiesStrictly_data();
    void readsBodiesStrictly();
    void damagedExtensionLeavesVersionOne_data();
    void damagedExtensionLeavesVersionOne();
    void unknownKeysSurvive();
    void surelyComposedAgreesWithQt();

private:
    QTemporaryDir m_dir;
};

// What a reader of the record alone sees of each text.
void tst_CardExtension::recordShowsWhatItCan_data()
{
    QTest::addColumn<Field>("field");
    QTest::addColumn<QString>("exact");
    QTest::addColumn<QString>("record");
    QTest::addColumn<bool>("extended");
    QTest::newRow("Windows-1252 kept") << Field::Titre << u"Amélie"_s << u"Amélie"_s << false;
    QTest::newRow("Polish") << Field::Realisateur << u"Krzysztof Kieślowski"_s << u"Krzysztof Kieslowski"_s
                            << true;
    QTest::newRow("Czech, its Windows-1252 letters kept")
        << Field::Titre << u"Dvořák"_s << u"Dvorák"_s << true;
    QTest::newRow("Russian, each run of Cyrillic written in Latin")
        << Field::Titre << u"Andreï Roublev (Андрей Рублёв)"_s << u"Andreï Roublev (Andrej Rublev)"_s << true;
    QTest::newRow("Japanese, as ICU writes it") << Field::Titre << u"千と千尋の神隠し"_s << QString() << true;
    const QString docteur
        = u"Docteur Folamour ou : comment j'ai appris à ne plus m'en faire et à aimer la bombe"_s;
    QTest::newRow("83 characters, cut in the record")
        << Field::Titre << docteur << docteur.left(50).trimmed() << true;
    QTest::newRow("a summary of 3,000")
        << Field::Resume << u"Été. "_s.repeated(600) << u"Été. "_s.repeated(100).trimmed() << true;
}

void tst_CardExtension::recordShowsWhatItCan()
{
    QFETCH(Field, field);
    QFETCH(QString, exact);
    QFETCH(QString, record);
    QFETCH(bool, extended);
    const QByteArray bytes = bytesOf(cardOf({ { .field = field, .text = exact } }));
    const QString shown = recordText(bytes, field);
    if (record.isEmpty())   // no Latin form of its own: whatever ICU gives, in Latin letters
        QVERIFY(
            !shown.isEmpty() && std::all_of(shown.begin(), shown.end(), [](QChar c) { return c < u'\x80'; }));
    else
        QCOMPARE(shown, record);
    QCOMPARE(bytes.size() > CardLayout::PosterOffset + kPoster.size(), extended);
    const Read read = readBack(bytes);
    QCOMPARE(read.card.extension, extended ? ExtensionStatus::Ok : ExtensionStatus::None);
    QCOMPARE(cardValues(read.card.card).text(field), exact);
    QCOMPARE(read.poster, kPoster);   // the image alone
}

// Every field, with texts in several scripts and more actors than the
// record holds, is read back as it was given.
void tst_CardExtension::everyFieldComesBack()
{
    QStringList actors { u"Krystyna Janda"_s, u"Jerzy Radziwiłowicz"_s };
    for (int i = 0; i < 12; ++i)
        actors << u"Актёр %1"_s.arg(i);
    const QList<CardEdit> edits { { .field = Field::Titre, .text = u"Człowiek z marmuru"_s },
        { .field = Field::Annee, .text = u"1977"_s }, { .field = Field::Heures, .text = u"2"_s },
        { .field = Field::Minutes, .text = u"45"_s }, { .field = Field::Type, .text = u"Drame"_s },
        { .field = Field::Realisateur, .text = u"Andrzej Wajda"_s },
        { .field = Field::Acteurs, .list = actors },
        { .field = Field::Resume, .text = u"Première ligne\nŁódź, 1976.\n"_s.repeated(100) },
        { .field = Field::TitreOriginal, .text = u"Człowiek z marmuru"_s },
        { .field = Field::TitreTri, .text = u"Homme de marbre"_s },
        { .field = Field::Saga, .text = u"Wajda"_s }, { .field = Field::Pays, .list = { u"Pologne"_s } },
        { .field = Field::VuLe, .list = { u"2026-12-09"_s, u"2001-02-03"_s } },
        { .field = Field::Note, .text = u"9"_s },
        { .field = Field::Etiquettes, .list = { u"à revoir"_s, u"千"_s } },
        { .field = Field::PretA, .text = u"Paul"_s }, { .field = Field::PretLe, .text = u"2026-11-30"_s },
        { .field = Field::Support, .text = u"Blu-ray"_s },
        { .field = Field::Emplacement, .text = u"Étagère 2"_s },
        { .field = Field::Imdb, .text = u"tt0075902"_s }, { .field = Field::Tmdb, .text = u"8325"_s },
        { .field = Field::Notes, .text = u"« Quote »\n\t\"tab\" \\ back"_s },
        { .field = Field::AjouteeLe, .text = u"2026-12-01"_s } };
    const Card card = cardOf(edits);
    const CardValues values = cardValues(card);
    QCOMPARE(values.list(Field::VuLe), (QStringList { u"2001-02-03"_s, u"2026-12-09"_s }));   // oldest first
    QCOMPARE(values.text(Field::Vu), kFlagSet);   // a viewing says it was seen
    const Read read = readBack(bytesOf(card));
    QCOMPARE(read.card.card, card);
    QCOMPARE(cardValues(read.card.card), values);
    QCOMPARE(read.poster, kPoster);
    QCOMPARE(splitActorNames(read.card.card.record.text(Field::Acteurs)).size(), CardActors::Max);
}

// A card that fits the record is written as every version wrote it, and a
// change that gives a value it already holds changes no byte.
void tst_CardExtension::versionOneStaysVersionOne()
{
    const QByteArray old = makeCard(QByteArray("Le Samoura\xEF").leftJustified(50) + "1967", kPoster);
    const QString path = m_dir.filePath(u"v1.cfh"_s);
    QVERIFY(writeBytes(path, old));
    const auto set = [&](const CardEdit &edit) {
        return changeCard(path, [&](Card &card) { return !applyEdit(card, edit); }).ok();
    };
    QVERIFY(set({ .field = Field::Titre, .text = u"Le Samouraï"_s }));
    QCOMPARE(readBytes(path), old);
    QVERIFY(set({ .field = Field::Note, .text = u"8"_s }));
    QVERIFY(readBytes(path).startsWith(old));   // the extension follows the poster
    QVERIFY(set({ .field = Field::Note, .text = QString() }));
    QCOMPARE(readBytes(path), old);   // nothing left that needs it
}

// A reader of the record alone that changed a field wins there: its text is
// taken; the other fields keep their exact texts, and the new fields stay.
void tst_CardExtension::recordWriterWins()
{
    const Card card = cardOf({ { .field = Field::Titre, .text = u"Dekalog, jeden"_s },
        { .field = Field::Realisateur, .text = u"Krzysztof Kieślowski"_s },
        { .field = Field::Resume, .text = u"Łódź"_s }, { .field = Field::Note, .text = u"10"_s } });
    QByteArray bytes = bytesOf(card);
    bytes.replace(CardLayout::MarkerSize + fieldLayout(Field::Resume).offset, 6, QByteArray("Warsaw"));
    const CardValues values = cardValues(readBack(bytes).card.card);
    QCOMPARE(values.text(Field::Resume), u"Warsaw"_s);
    QCOMPARE(values.text(Field::Realisateur), u"Krzysztof Kieślowski"_s);
    QCOMPARE(values.text(Field::Note), u"10"_s);
}

// The body is JSON read strictly: a string or key is decoded at once when it
// holds no escape, and every other rule holds for it as for one with escapes;
// a value left in the body as written reads the same. Anything wrong damages
// the extension, and the record's texts are shown.
void tst_CardExtension::readsBodiesStrictly_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("title");   // the title read; null: the extension is damaged
    QTest::addColumn<int>("unknown");     // the keys of a later version kept
    QTest::newRow("plain") << QByteArray(R"({"titre":"Łódź"})") << u"Łódź"_s << 0;
    QTest::newRow("escapes") << QByteArray(R"({"titre":"\u0141\u00f3d\u017a \"x\""})") << u"Łódź \"x\""_s
                             << 0;
    QTest::newRow("a key with an escape") << QByteArray(R"({"titr\u0065":"Łódź"})") << u"Łódź"_s << 0;
    QTest::newRow("a decomposed letter, composed")
        << QByteArray("{\"titre\":\"" + u"Le\u0301a"_s.toUtf8() + "\"}") << u"Léa"_s << 0;
    QTest::newRow("lists put in their form")
        << QByteArray(R"({"titre":"a","etiquettes":["b"," b ","b"],"vu_le":["2026-01-02","2025-01-01"],)"
                      R"("acteurs":["x","x"],"note":10,"vu":false})")
        << u"a"_s << 0;
    QTest::newRow("a later key kept") << QByteArray(R"({"x":[1,{"y":"é"}],"titre":"a"})") << u"a"_s << 1;
    const auto damaged
        = [](const char *name, const QByteArray &body) { QTest::newRow(name) << body << QString() << 0; };
    damaged("a key twice", R"({"titre":"a","titre":"b"})");
    damaged("a key twice, once escaped", R"({"titre":"a","titr\u0065":"a"})");
    damaged("a later key twice", R"({"x":1,"x":2})");
    damaged("an overlong form", "{\"titre\":\"\xC0\xAF\"}");
    damaged("half a surrogate pair in UTF-8", "{\"titre\":\"\xED\xA0\x80\"}");
    damaged("a lone escaped surrogate", R"({"saga":"\ud800"})");
    damaged("invalid UTF-8", "{\"titre\":\"\xC3\x28\"}");
    damaged("a raw control character", "{\"titre\":\"a\x01\"}");
    damaged("no closing quote", R"({"titre":"a})");
    damaged("a rating of 11", R"({"note":11})");
    damaged("a date that is none", R"({"vu_le":["2026-02-30"]})");
    damaged("a list where a text goes", R"({"saga":["a"]})");
    damaged("an unknown value nested too deep", "{\"x\":" + QByteArray(40, '[') + QByteArray(40, ']') + "}");
    damaged("something after the object", R"({"note":7} x)");
}

void tst_CardExtension::readsBodiesStrictly()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, title);
    const QByteArray bytes = withBody(extendedCard(), body);
    const Read read = readBack(bytes);
    QCOMPARE(read.card.extension, title.isNull() ? ExtensionStatus::Damaged : ExtensionStatus::Ok);
    QCOMPARE(cardValues(read.card.card).text(Field::Titre), title.isNull() ? u"Ta"_s : title);
    QTEST(int(read.card.card.extension.unknown.size()), "unknown");
    // Checked without decoding, each value as it stands in the body: the same.
    const QString path = m_dir.filePath(u"checked.cfh"_s);
    QVERIFY(writeBytes(path, bytes));
    const CardHead head = readCardHead(path, PosterHeader::Skip, RecordText::Checked);
    QCOMPARE(head.extension, read.card.extension);
    QCOMPARE(head.values.decoded(), read.card.card.extension.values);
    // Each value read is in the form its rule keeps, whichever way it was read.
    const CardValues &values = read.card.card.extension.values;
    for (const Field field : kFields) {
        QStringList items = values.list(field);
        QString text = values.text(field);
        QVERIFY(!(holdsList(field) ? checkList(field, items, ControlCharacters::Kept)
                                   : checkText(field, text, ControlCharacters::Kept)));
        QCOMPARE(items, values.list(field));
        QCOMPARE(text, values.text(field));
    }
}

void tst_CardExtension::damagedExtensionLeavesVersionOne_data()
{
    const QByteArray good = extendedCard();
    const qsizetype trailer = good.size() - ExtensionLayout::TrailerSize;
    const auto changedAt = [&](qsizetype at, char byte) {
        QByteArray bytes = good;
        bytes[at] = byte;
        return bytes;
    };
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("a byte of its body changed") << changedAt(trailer - 3, 'X');
    QTest::newRow("its end cut off") << good.chopped(1) + ExtensionLayout::Signature;
    QByteArray huge = good;
    huge.replace(trailer + 32, 4, QByteArray("\x01\x00\x10\x00", 4));   // more than 1 MB announced
    QTest::newRow("a body of more than 1 MB announced") << huge;
    QByteArray longer = good;
    appendNumber(longer, quint32(good.size()));   // less than 1 MB, more than the file holds
    longer.replace(trailer + ExtensionLayout::ChecksumsSize, 4, longer.right(4));
    QTest::newRow("a body longer than the file") << longer.chopped(4);
    QTest::newRow("a body that is no JSON (each rule: readsBodiesStrictly)") << withBody(good, "{\"note\":7");
}

// A damaged extension leaves a card readable as the record and poster bytes
// every reader sees, and no change writes over it unless asked.
void tst_CardExtension::damagedExtensionLeavesVersionOne()
{
    QFETCH(QByteArray, bytes);
    const Read read = readBack(bytes);
    QCOMPARE(read.card.status, CardReadStatus::Ok);
    QCOMPARE(read.card.extension, ExtensionStatus::Damaged);
    QCOMPARE(cardValues(read.card.card).text(Field::Titre), u"Ta"_s);
    QCOMPARE(read.poster, bytes.mid(CardLayout::PosterOffset));
    const QString path = m_dir.filePath(u"damaged.cfh"_s);
    QVERIFY(writeBytes(path, bytes));
    const auto retitle
        = [](Card &card) { return !applyEdit(card, { .field = Field::Titre, .text = u"B"_s }); };
    QCOMPARE(changeCard(path, retitle).status, SaveStatus::Damaged);
    QCOMPARE(readBytes(path), bytes);
    QVERIFY(changeCard(path, retitle, {}, LinkAtPath::Refuse, OverDamaged::Write).ok());
    QCOMPARE(readBytes(path).mid(CardLayout::SeparatorOffset), bytes.mid(CardLayout::SeparatorOffset));
}

// A key this version does not know is kept through a change of the card.
void tst_CardExtension::unknownKeysSurvive()
{
    const QByteArray card = bytesOf(cardOf({ { .field = Field::Note, .text = u"3"_s } }));
    const QByteArray newer = withBody(card, R"({"note":3,"futur":{"a":[1,true,null,"\u00e9"]}})");
    const QString path = m_dir.filePath(u"newer.cfh"_s);
    QVERIFY(writeBytes(path, newer));
    QVERIFY(changeCard(path, [](Card &c) {
        return !applyEdit(c, { .field = Field::Saga, .text = u"S"_s });
    }).ok());
    const Read read = readBack(readBytes(path));
    QCOMPARE(read.card.extension, ExtensionStatus::Ok);
    QCOMPARE(read.card.card.extension.unknown,
        (QList<UnknownEntry> { { u"futur"_s, QByteArray(R"({"a":[1,true,null,"\u00e9"]})") } }));
    QCOMPARE(cardValues(read.card.card).text(Field::Saga), u"S"_s);
}

// A text is read as it stands when each character is known to be composed
// already: a starter no composition changes, by Qt's own tables.
void tst_CardExtension::surelyComposedAgreesWithQt()
{
    QSet<char16_t> joined;   // every character a canonical decomposition has after its first
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        if (QChar::decompositionTag(c) != QChar::Canonical)
            continue;
        const QString parts = QString(QChar(char16_t(c))).normalized(QString::NormalizationForm_D);
        for (qsizetype i = 1; i < parts.size(); ++i)
            joined.insert(parts[i].unicode());
    }
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        const QString one { QChar(char16_t(c)) };
        if (!surelyComposed(one))
            continue;
        if (QChar::combiningClass(c) != 0 || one.normalized(QString::NormalizationForm_C) != one
            || joined.contains(char16_t(c)))
            QFAIL(qPrintable(u"U+%1"_s.arg(uint(c), 4, 16, QLatin1Char('0'))));
    }
}

QTEST_GUILESS_MAIN(tst_CardExtension)
#include "tst_cardextension.moc"
