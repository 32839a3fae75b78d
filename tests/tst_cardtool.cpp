#include "card/nativepath.h"
#include "poster/posterimage.h"
#include "support/testfiles.h"
#include "support/toolrun.h"
#include "tool/cardjson.h"
#include "tool/cardjsonwriter.h"
#include "tool/picturestream.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

Q_DECLARE_METATYPE(CardValues)
Q_DECLARE_METATYPE(Escapes)

using namespace Qt::StringLiterals;

namespace {

QJsonObject jsonOf(const QByteArray &bytes)
{
    return QJsonDocument::fromJson(bytes).object();
}

// The object of one card, from show --json's array of one.
QJsonObject shownCard(const QString &card)
{
    const QJsonArray shown = QJsonDocument::fromJson(run({ u"show"_s, u"--json"_s, card }).out).array();
    return shown.size() == 1 ? shown.first().toObject() : QJsonObject();
}

// Every byte value somewhere in the record, so that a rewrite that decodes
// and encodes a field it does not mean to change shows.
QByteArray everyByteRecord()
{
    QByteArray record(1168, ' ');
    for (int i = 0; i < record.size(); ++i)
        record[i] = char(i % 256);
    return record;
}

// A JPEG of width x height grey pixels, progressive with extraScans more
// copies of its last scan (a scan bomb when they are thousands), or baseline.
QByteArray jpegBytes(int width, int height, std::optional<int> extraScans)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(extraScans.has_value());
    writer.write(image);
    QByteArray bytes = buffer.data();
    const qsizetype end = bytes.lastIndexOf("\xFF\xD9"), lastScan = bytes.lastIndexOf("\xFF\xDA");
    return bytes.insert(end, bytes.mid(lastScan, end - lastScan).repeated(extraScans.value_or(0)));
}

QByteArray pngWithText(const QString &key, const QString &text)
{
    QImage image(40, 60, QImage::Format_RGB32);
    image.fill(Qt::blue);
    image = image.convertToFormat(QImage::Format_Indexed8);   // read back with a palette
    image.setText(key, text);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

QByteArray nfoOf(const QByteArray &inside, const QByteArray &after = {})
{
    return "<?xml version=\"1.0\"?>\n<movie>" + inside + "</movie>\n" + after;
}

// The card as QJsonDocument writes it, the reference of the direct writer.
QJsonValue posterJson(qint64 bytes, const PosterInfo &picture)
{
    if (bytes == 0)
        return QJsonValue::Null;
    const bool known = !picture.format.isEmpty();
    return QJsonObject { { QStringLiteral("octets"), bytes },
        { QStringLiteral("format"), known ? QJsonValue(QString::fromLatin1(picture.format)) : QJsonValue() },
        { QStringLiteral("largeur"), known ? QJsonValue(picture.size.width()) : QJsonValue() },
        { QStringLiteral("hauteur"), known ? QJsonValue(picture.size.height()) : QJsonValue() } };
}

QJsonValue numberJson(const QString &text)
{
    if (text.isEmpty())
        return QJsonValue::Null;
    const std::optional<int> number = jsonNumber(text);
    return number ? QJsonValue(*number) : QJsonValue(text);
}

QJsonObject qtCardJson(
    const QString &path, const CardValues &values, qint64 posterBytes, const PosterInfo &picture)
{
    QJsonObject object;
    object.insert(u"fichier"_s, path);
    for (const CardEdit &edit : editsOf(values)) {
        const QString key = fieldName(edit.field);
        const FieldRule rule = fieldLayout(edit.field).rule;
        if (holdsList(edit.field))
            object.insert(key, QJsonArray::fromStringList(edit.list));
        else if (rule == FieldRule::Flag)
            object.insert(key, !edit.text.isEmpty());
        else if (isNumberRule(rule) || isWholeNumberRule(rule))
            object.insert(key, numberJson(edit.text));
        else if (edit.text.isEmpty() && !inRecord(edit.field))
            object.insert(key, QJsonValue::Null);
        else
            object.insert(key, edit.text);
    }
    object.insert(u"affiche"_s, posterJson(posterBytes, picture));
    return object;
}

}   // namespace

class tst_CardTool : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void show();
    void jsonNumbers_data();
    void jsonNumbers();
    void jsonWriterMatchesQt_data();
    void jsonWriterMatchesQt();
    void folders();
    void duplicates();
    void catalogue();
    void poster();
    void thumbnail_data();
    void thumbnail();
    void decodesUnderThePixelRule();
    void countsJpegScans_data();
    void countsJpegScans();
    void roundTrips_data();
    void roundTrips();
    void newStoresTheEditorsWay();
    void refusedValuesWriteNothing_data();
    void refusedValuesWriteNothing();
    void setEditsLists_data();
    void setEditsLists();
    void setChangesOnlyTheNamedFields_data();
    void setChangesOnlyTheNamedFields();
    void notAMovieNfo_data();
    void notAMovieNfo();
    void pictureStream();
    void toolStream();
    void escapesForTerminal_data();
    void escapesForTerminal();
    void showsAHostileCardOnATerminal();
    void realProgram();

private:
    TestCache m_cache;
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

void tst_CardTool::cleanup()
{
    // Every write removes its working folder, whatever happened.
    QVERIFY(m_cache.isEmpty());
}

void tst_CardTool::show()
{
    const QString garbage = path(u"garbage.cfh"_s);
    QVERIFY(writeBytes(garbage, makeCard("Brouillon", "not a picture")));
    const QString shortCard = path(u"short.cfh"_s);
    QVERIFY(writeBytes(shortCard, QByteArray("@CNFCH@Court")));
    const QStringList cards { sample("le-phare-des-brumes"), QStringLiteral(SAMPLES_DIR "/make-samples.sh"),
        garbage, path(u"missing.cfh"_s), shortCard };
    const Run shown = run(QStringList { u"show"_s, u"--json"_s } + cards);
    QCOMPARE(shown.status, 1);   // the two bad files are said; the others still shown
    QCOMPARE(shown.err.count('\n'), 2);
    QVERIFY(shown.err.contains("make-samples.sh : ce fichier n'est pas une fiche"));
    const QJsonArray objects = QJsonDocument::fromJson(shown.out).array();
    QCOMPARE(objects.size(), 3);

    QJsonObject expected = jsonOf(R"({"titre": "Le Phare des brumes", "annee": 1998, "heures": 1,
        "minutes": 47, "type": "Drame", "realisateur": "Hélène Marchal",
        "acteurs": ["Louis Garnier", "Clara Vidal", "Étienne Roux", "Margot Lenoir"],
        "affiche": {"octets": 5155, "format": "jpeg", "largeur": 240, "hauteur": 360},
        "titre_original": null, "titre_tri": null, "saga": null, "pays": [], "vu": false, "vu_le": [],
        "vu_fois": null, "note": null, "etiquettes": [], "pret_a": null, "pret_le": null, "support": null,
        "emplacement": null, "imdb": null, "tmdb": null, "tmdb_principal": false, "notes": null,
        "ajoutee_le": null})");
    expected.insert(u"fichier"_s, cards[0]);
    QJsonObject phare = objects[0].toObject();
    QVERIFY(phare.take(u"resume"_s).toString().startsWith(u"Sur une île bretonne"_s));
    QCOMPARE(phare, expected);
    QCOMPARE(objects[1][u"affiche"_s].toObject(),
        jsonOf(R"({"octets": 13, "format": null, "largeur": null, "hauteur": null})"));
    QCOMPARE(objects[2][u"titre"_s].toString(), u"Court"_s);
    QVERIFY(objects[2][u"affiche"_s].isNull());

    const Run text = run({ u"show"_s, sample("le-phare-des-brumes") });
    QCOMPARE(text.status, 0);
    QVERIFY(text.out.contains("Acteurs     : Louis Garnier\n              Clara Vidal\n"));
    QVERIFY(text.out.contains("Affiche     : 5155 octets, JPEG, 240 × 360 pixels\n"));

    // A card's own fields, those it has, each among the record's; the labels one column.
    const QString kept = path(u"kept.cfh"_s);
    QCOMPARE(run({ u"new"_s, u"titre=Andreï Roublev"_s, u"titre_original=Андрей Рублёв"_s, u"pays=URSS"_s,
                     u"vu_le=2025-03-05,2024-01-01"_s, u"note=7"_s, u"etiquettes=russe,classique"_s,
                     u"pret_a=Paul"_s, u"pret_le=2026-02-03"_s, u"imdb=tt0060107"_s, u"notes=Un\nDeux"_s,
                     u"ajoutee_le=2023-05-04"_s, kept })
                 .status,
        0);
    QCOMPARE(QString::fromUtf8(run({ u"show"_s, kept }).out),
        u"Fichier        : "_s + kept
            + u"\nTitre          : Andreï Roublev\nTitre original : Андрей Рублёв\nAnnée          : \n"
              "Durée          : \nType           : \nPays           : URSS\nRéalisateur    : \n"
              "Acteurs        : \nRésumé         : \n"
              "Vu             : oui, le 1er janvier 2024 et le 5 mars 2025\nNote           : ★★★½☆ 7/10\n"
              "Étiquettes     : russe, classique\nPrêtée à       : Paul depuis le 3 février 2026\n"
              "IMDb           : tt0060107\nNotes          : Un\n                 Deux\n"
              "Ajoutée le     : 4 mai 2023\nAffiche        : aucune\n"_s);
}

void tst_CardTool::jsonNumbers_data()
{
    QTest::addColumn<QByteArray>("stored");   // annee, heures, minutes: 8 bytes
    QTest::addColumn<QJsonArray>("shown");
    QTest::newRow("numbers") << QByteArray("1998 147") << QJsonArray { 1998, 1, 47 };
    QTest::newRow("minutes of one digit") << QByteArray("2024 205") << QJsonArray { 2024, 2, 5 };
    QTest::newRow("blank") << QByteArray(8, ' ') << QJsonArray { QJsonValue(), QJsonValue(), QJsonValue() };
    QTest::newRow("numbers written otherwise") << QByteArray("0998+105") << QJsonArray { 998, u"+1"_s, 5 };
    QTest::newRow("no numbers, from elsewhere")
        << QByteArray("19x0h 4'") << QJsonArray { u"19x0"_s, u"h"_s, u"4'"_s };
}

// The three numeric fields are numbers when they are, and otherwise the
// text as stored; one object a line with --json-lines. new writing them back
// is roundTrips'.
void tst_CardTool::jsonNumbers()
{
    QFETCH(QByteArray, stored);
    QFETCH(QJsonArray, shown);
    const QString card = path(u"numbers.cfh"_s);
    QVERIFY(writeBytes(card, makeCard(QByteArray("Titre").leftJustified(50) + stored, {})));
    const QList<QByteArray> lines = run({ u"show"_s, u"--json-lines"_s, card, card }).out.split('\n');
    QCOMPARE(lines.size(), 3);
    const QJsonObject object = jsonOf(lines[1]);
    QCOMPARE((QJsonArray { object[u"annee"_s], object[u"heures"_s], object[u"minutes"_s] }), shown);
}

void tst_CardTool::jsonWriterMatchesQt_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<CardValues>("values");
    QTest::addColumn<qint64>("posterBytes");
    QTest::addColumn<QByteArray>("format");
    const CardValues ordinary = valuesOf(
        { { Field::Titre, u"Le Phare"_s }, { Field::Annee, u"1998"_s }, { Field::Heures, u"1"_s },
            { Field::Minutes, u"47"_s }, { Field::Type, u"Drame"_s },
            { Field::Realisateur, u"Hélène Marchal"_s }, { Field::Resume, u"Sur une île.\nLa nuit."_s } },
        { u"Louis Garnier"_s, u"Clara Vidal"_s });
    QTest::newRow("ordinary") << u"a/b.cfh"_s << ordinary << qint64(5155) << QByteArray("jpeg");
    CardValues controls = ordinary;
    for (char16_t c = 0; c < 0x20; ++c)
        controls.text(Field::Titre) += QChar(c);
    controls.text(Field::Titre) += u"\"\\/\x7f'"_s;
    QTest::newRow("control characters and quotes") << u"c.cfh"_s << controls << qint64(0) << QByteArray();
    CardValues accents = ordinary;
    accents.text(Field::Titre) = u"Cœur d'Étienne, à « Noël »"_s;
    accents.list(Field::Acteurs) = {};
    QTest::newRow("accents, no actors") << u"é/🎬.cfh"_s << accents << qint64(13) << QByteArray();
    QTest::newRow("file name not UTF-8")
        << pathFromNative("caf\xe9\xff.cfh") << ordinary << qint64(1) << QByteArray("png");
    CardValues blank = ordinary;
    blank.text(Field::Annee) = blank.text(Field::Heures) = blank.text(Field::Minutes) = QString();
    QTest::newRow("blank numbers") << u"d.cfh"_s << blank << qint64(0) << QByteArray();
    CardValues odd = ordinary;
    odd.text(Field::Annee) = u"19x0"_s;
    odd.text(Field::Heures) = u"-5"_s;
    odd.text(Field::Minutes) = u"08"_s;
    QTest::newRow("numbers written otherwise") << u"e.cfh"_s << odd << qint64(0) << QByteArray();
    for (const char *format : { "gif", "bmp", "webp", "tiff" })
        QTest::addRow("%s poster", format) << u"f.cfh"_s << ordinary << qint64(7) << QByteArray(format);
}

// The direct writer gives QJsonDocument's bytes, in an array and on a line.
void tst_CardTool::jsonWriterMatchesQt()
{
    QFETCH(QString, path);
    QFETCH(CardValues, values);
    QFETCH(qint64, posterBytes);
    QFETCH(QByteArray, format);
    const PosterInfo picture { format, format.isEmpty() ? QSize() : QSize(240, 360) };
    const QJsonObject object = qtCardJson(path, values, posterBytes, picture);
    const QByteArray array = QJsonDocument(QJsonArray { object }).toJson();
    QByteArray item, line;
    appendCardJson(item, path, values, posterBytes, picture, JsonLayout::ArrayItem);
    appendCardJson(line, path, values, posterBytes, picture, JsonLayout::Line);
    QCOMPARE(item, array.sliced(2, array.size() - 5));
    QCOMPARE(line, QJsonDocument(object).toJson(QJsonDocument::Compact));
}

// Cards found by their marker in a tree with a link loop, by words and by
// fields; show and find print them alike.
void tst_CardTool::folders()
{
    const QString top = path(u"films"_s);
    QVERIFY(QDir().mkpath(top + u"/b"_s));
    QVERIFY(writeBytes(top + u"/Élan"_s,
        makeCard(QByteArray("Le C\x9C"
                            "ur battant")
                     .leftJustified(50)
                + "1962" + QByteArray(104, ' ') + QByteArray("Jean-Paul BELMONDO|"),
            {})));
    QVERIFY(
        writeBytes(top + u"/b/autre.cfh"_s, makeCard(QByteArray("Autre").leftJustified(50) + "1990", {})));
    QVERIFY(writeBytes(top + u"/notes.txt"_s, "pas une fiche"));
    QVERIFY(QFile::link(top, top + u"/b/boucle"_s));
    const QString elan = top + u"/Élan"_s, other = top + u"/b/autre.cfh"_s;

    QCOMPARE(run({ u"find"_s, u"-r"_s, top, u"belmondo"_s }).out, (elan + u'\n').toUtf8());
    QCOMPARE(run({ u"find"_s, top, u"--annee"_s, u"1990"_s }).out, QByteArray());
    QCOMPARE(run({ u"find"_s, u"-r"_s, top, u"-0"_s, u"--annee"_s, u"1960-1995"_s }).out,
        (other + u'\0' + elan + u'\0').toUtf8());
    const Run words = run({ u"find"_s, u"-r"_s, top, u"--json"_s, u"--"_s, u"coeur"_s, top });
    QCOMPARE(words.out, QByteArray("[\n]\n"));   // after "--", the folder's name is a word
    const QJsonArray found
        = QJsonDocument::fromJson(run({ u"find"_s, u"-r"_s, top, u"--json"_s, u"coeur"_s }).out).array();
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0][u"annee"_s], QJsonValue(1962));
    QCOMPARE(QJsonDocument::fromJson(run({ u"show"_s, u"--json"_s, top }).out).array().size(), 1);
    QCOMPARE(QJsonDocument::fromJson(run({ u"show"_s, u"--json"_s, u"-r"_s, top }).out).array().size(), 2);
    QCOMPARE(run({ u"find"_s, u"-0"_s, u"--json"_s, top }).status, 2);
    QCOMPARE(run({ u"find"_s, u"--annee"_s, u"1999-1990"_s, top }).status, 2);
    // Each of the user's own fields, by its option.
    QCOMPARE(run({ u"set"_s, other, u"saga=Trilogie"_s, u"etiquettes=Noël"_s, u"vu=oui"_s, u"note=8"_s,
                     u"pret_a=Zoé"_s, u"support=DVD"_s })
                 .status,
        0);
    for (const QStringList &options :
        { QStringList { u"--saga"_s, u"tri"_s }, { u"--etiquette"_s, u"NOEL"_s }, { u"--vu"_s },
            { u"--note"_s, u"7-8"_s }, { u"--prete"_s }, { u"--support"_s, u"dvd"_s } })
        QCOMPARE(run(QStringList { u"find"_s, u"-r"_s, top } + options).out, (other + u'\n').toUtf8());
    QCOMPARE(run({ u"find"_s, u"-r"_s, top, u"--pas-vu"_s }).out, (elan + u'\n').toUtf8());
    QCOMPARE(run({ u"find"_s, u"--note"_s, u"11"_s, top }).status, 2);
    QCOMPARE(run({ u"find"_s, u"--vu"_s, u"--pas-vu"_s, top }).status, 2);
}

// Groups of cards that describe one movie, a block each, or as JSON; the
// rules themselves are the finder's, tested with the collection.
void tst_CardTool::duplicates()
{
    const QString top = path(u"films"_s);
    QVERIFY(QDir().mkpath(top + u"/b"_s));
    const QString a = top + u"/a.cfh"_s, b = top + u"/b/b.cfh"_s, c = top + u"/b/c.cfh"_s,
                  d = top + u"/d.cfh"_s;
    for (const QStringList &card :
        { QStringList { a, u"titre=Aladdin"_s, u"annee=1992"_s }, { b, u"titre=ALADDIN"_s, u"annee=1993"_s },
            { c, u"titre=Aladdin"_s, u"annee=2019"_s }, { d, u"titre=Autre"_s, u"imdb=tt0099726"_s },
            { c + u'2', u"titre=Hamlet"_s, u"imdb=tt0099726"_s } })
        QCOMPARE(run(QStringList { u"new"_s } + card.mid(1) + QStringList { card[0] }).status, 0);
    QCOMPARE(run({ u"doublons"_s, u"-r"_s, top }).out,
        (a + u'\n' + b + u"\n\n"_s + c + u"2\n"_s + d + u'\n').toUtf8());
    QCOMPARE(run({ u"doublons"_s, top }).out, QByteArray());
    const QJsonArray groups
        = QJsonDocument::fromJson(run({ u"doublons"_s, u"--json"_s, u"-r"_s, top }).out).array();
    QCOMPARE(groups.size(), 2);
    QCOMPARE(groups[0][1][u"titre"_s], QJsonValue(u"ALADDIN"_s));
    QCOMPARE(run({ u"doublons"_s }).status, 2);
}

// Both kinds from the samples' folder; the writers' own tests cover the rest.
void tst_CardTool::catalogue()
{
    const QString csv = path(u"catalogue.csv"_s), html = path(u"catalogue.html"_s);
    const Run table
        = run({ u"catalogue"_s, QStringLiteral(SAMPLES_DIR), u"-o"_s, csv, u"--separateur"_s, u";"_s });
    QCOMPARE(table.status, 0);
    const QList<QByteArray> lines = readBytes(csv).split('\n');
    QCOMPARE(lines.size(), 5);   // the header, three cards, nothing after the last CR LF
    QVERIFY(lines[2].contains(
        ";1998;1;47;Drame;Hélène Marchal;Louis Garnier | Clara Vidal | Étienne Roux | Margot "
        "Lenoir;Sur une île bretonne"));
    QVERIFY(lines[2].contains(";jpeg;"));
    QCOMPARE(run({ u"catalogue"_s, QStringLiteral(SAMPLES_DIR), u"-o"_s, html }).status, 0);
    QCOMPARE(readBytes(html).count("<img "), 2);
    QCOMPARE(
        QDir(qEnvironmentVariable("XDG_CACHE_HOME") + u"/thumbnails/large"_s).entryList(QDir::Files).size(),
        2);

    QCOMPARE(
        run({ u"catalogue"_s, QStringLiteral(SAMPLES_DIR), u"-o"_s, path(u"catalogue.pdf"_s) }).status, 2);
    QCOMPARE(run({ u"catalogue"_s, QStringLiteral(SAMPLES_DIR) }).status, 2);
    const QString card = path(u"fiche.html"_s);   // a card, whatever its name, is never replaced
    QVERIFY(QFile::copy(sample("sans-affiche"), card));
    QCOMPARE(run({ u"catalogue"_s, QStringLiteral(SAMPLES_DIR), u"-o"_s, card }).status, 1);
    QCOMPARE(readBytes(card), readBytes(sample("sans-affiche")));
}

void tst_CardTool::poster()
{
    const QString card = sample("le-phare-des-brumes");
    const QByteArray stored = readBytes(card).mid(1176);
    const QString out = path(u"poster.jpg"_s);
    QCOMPARE(run({ u"poster"_s, card, out }).status, 0);
    QCOMPARE(readBytes(out), stored);
    QCOMPARE(run({ u"poster"_s, card, u"-"_s }).out, stored);

    const QString none = path(u"none.jpg"_s);
    QCOMPARE(run({ u"poster"_s, sample("sans-affiche"), none }).status, 1);
    QVERIFY(!QFile::exists(none));
    // A slip of the arguments never writes a poster over a card.
    const QString other = path(u"other.cfh"_s);
    QVERIFY(QFile::copy(sample("sans-affiche"), other));
    const Run refused = run({ u"poster"_s, card, other });
    QCOMPARE(refused.status, 1);
    QVERIFY(refused.err.contains("est une fiche"));
    QCOMPARE(readBytes(other), readBytes(sample("sans-affiche")));
}

void tst_CardTool::thumbnail_data()
{
    QTest::addColumn<QByteArray>("card");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QSize>("pixels");   // empty: nothing written, status 1
    QTest::addColumn<QString>("said");
    const QByteArray tall = readBytes(sample("le-phare-des-brumes"));
    QTest::newRow("tall JPEG") << tall << u"128"_s << QSize(85, 128) << QString();
    QTest::newRow("wide JPEG") << readBytes(sample("la-longue-traversee")) << u"128"_s << QSize(128, 71)
                               << QString();
    QTest::newRow("default size") << tall << QString() << QSize(170, 256) << QString();
    QTest::newRow("never enlarged") << tall << u"1000"_s << QSize(240, 360) << QString();
    QTest::newRow("no poster") << readBytes(sample("sans-affiche")) << u"128"_s << QSize()
                               << u"la fiche n'a pas d'affiche"_s;
    QTest::newRow("poster that is no picture")
        << makeCard("X", "GIF89a but no more") << u"128"_s << QSize() << u"ne se lit pas comme une image"_s;
    QTest::newRow("header announcing 10000 x 5001") << makeCard("X", bitmapHeader(10000, 5001)) << u"128"_s
                                                    << QSize() << u"image trop grande, 10000 × 5001 pixels"_s;
    QTest::newRow("PNG poster with text chunks: pixels alone")
        << makeCard("X", pngWithText(u"Thumb::URI"_s, u"file:///etc/passwd"_s)) << u"128"_s << QSize(40, 60)
        << QString();
    QTest::newRow("progressive JPEG of 100 scans")
        << makeCard("X", jpegBytes(300, 200, 100 - 10)) << u"128"_s << QSize(128, 85) << QString();
    QTest::newRow("progressive JPEG of 10 000 scans")
        << makeCard("X", jpegBytes(300, 200, 10000)) << u"128"_s << QSize()
        << u"image trop lourde, un JPEG progressif de plus de 100 passes"_s;
}

void tst_CardTool::thumbnail()
{
    QFETCH(QByteArray, card);
    QFETCH(QString, size);
    QFETCH(QSize, pixels);
    QFETCH(QString, said);
    const QString cardPath = path(u"thumb.cfh"_s);
    const QString png = path(u"thumb.png"_s);
    QFile::remove(png);
    QVERIFY(writeBytes(cardPath, card));
    QStringList args { u"thumbnail"_s, cardPath, png };
    if (!size.isEmpty())
        args << u"-s"_s << size;
    const Run made = run(args);
    QCOMPARE(made.status, pixels.isEmpty() ? 1 : 0);
    QCOMPARE(QFile::exists(png), !pixels.isEmpty());
    QVERIFY2(QString::fromUtf8(made.err).contains(said), made.err.constData());
    if (!pixels.isEmpty()) {   // the poster's pixels, and nothing else
        const QImage thumbnail(png, "PNG");
        QCOMPARE(thumbnail.size(), pixels);
        QCOMPARE(thumbnail.textKeys(), QStringList());
        const int side = size.isEmpty() ? 256 : size.toInt();
        QByteArray poster = card.mid(1176);
        QBuffer posterIn(&poster);
        posterIn.open(QIODevice::ReadOnly);
        QCOMPARE(thumbnail.convertToFormat(QImage::Format_RGB32),
            decodePoster(posterIn, QSize(side, side)).convertToFormat(QImage::Format_RGB32));
    }
}

// 49 million pixels, under the rule of 50, decode whole: Qt's own
// allocation limit agrees with the rule.
void tst_CardTool::decodesUnderThePixelRule()
{
    QByteArray bytes = jpegBytes(7000, 7000, std::nullopt);
    QBuffer picture(&bytes);
    picture.open(QIODevice::ReadOnly);
    QCOMPARE(decodePoster(picture).size(), QSize(7000, 7000));
}

// The scans are counted from the markers: bytes inside a segment, such as an
// embedded thumbnail's, are not the picture's own.
void tst_CardTool::countsJpegScans_data()
{
    QTest::addColumn<QByteArray>("jpeg");
    QTest::addColumn<int>("scans");
    const QByteArray progressive = jpegBytes(64, 48, 0);
    QByteArray inSegment = progressive;
    const QByteArray payload = QByteArray("\xFF\xDA\x00\x02", 4).repeated(200);
    inSegment.insert(2,
        "\xFF\xE1" + QByteArray(1, char((payload.size() + 2) >> 8))
            + QByteArray(1, char((payload.size() + 2) & 0xFF)) + payload);
    QByteArray filled = progressive;
    filled.replace("\xFF\xDA", "\xFF\xFF\xFF\xDA");
    QTest::newRow("baseline") << jpegBytes(64, 48, std::nullopt) << 1;
    QTest::newRow("progressive") << progressive << 10;
    QTest::newRow("scan markers inside an APP1 segment") << inSegment << 10;
    QTest::newRow("fill bytes before each scan") << filled << 10;
    QTest::newRow("a thousand scans: the count stops past the limit")
        << jpegBytes(64, 48, 990) << kMaxJpegScans + 1;
}

void tst_CardTool::countsJpegScans()
{
    QFETCH(QByteArray, jpeg);
    QBuffer in(&jpeg);
    in.open(QIODevice::ReadOnly);
    QTEST(jpegScans(in), "scans");
}

void tst_CardTool::roundTrips_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("nfo");   // else JSON
    // The samples store their numbers as "1998 147", "2011 205" and "2004 132".
    for (const char *name : { "le-phare-des-brumes", "la-longue-traversee", "sans-affiche" }) {
        QTest::addRow("%s, show then new", name) << readBytes(sample(name)) << false;
        QTest::addRow("%s, nfo then from-nfo", name) << readBytes(sample(name)) << true;
    }
    QTest::newRow("blank numbers, show then new") << makeCard("Titre", {}) << false;
    // Exact texts the record cannot hold, every field, and a poster the extension follows.
    const QString every = path(u"every.cfh"_s);
    run({ u"new"_s, u"--force"_s, u"--poster"_s, QStringLiteral(SAMPLES_DIR "/../about.png"),
        u"titre=Docteur Folamour ou : comment j'ai appris à ne plus m'en faire et à aimer la bombe"_s,
        u"annee=1964"_s, u"heures=1"_s, u"minutes=35"_s, u"type=Comédie"_s,
        u"realisateur=Krzysztof Kieślowski"_s, u"acteurs=Peter Sellers|Андрей Миронов|千尋"_s,
        u"resume=Dvořák\n"_s + QString(3000, u'é'), u"titre_original=Dr. Strangelove"_s,
        u"titre_tri=Docteur Folamour"_s, u"saga=Aucune"_s, u"pays=États-Unis, Royaume-Uni"_s,
        u"vu_le=2024-01-01"_s, u"note=10"_s, u"etiquettes=satire,guerre froide"_s, u"pret_a=Paul"_s,
        u"pret_le=2025-02-03"_s, u"support=DVD"_s, u"emplacement=Étagère 2"_s, u"imdb=tt0057012"_s,
        u"tmdb=935"_s, u"notes=Vu au ciné-club\navec Anne"_s, u"ajoutee_le=2023-05-04"_s, every });
    QTest::newRow("every field, show then new") << readBytes(every) << false;
}

// What show prints, new writes back byte for byte; nfo then from-nfo gives
// the card back too, poster included (found beside the NFO).
void tst_CardTool::roundTrips()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, nfo);
    const QString card = path(u"card.cfh"_s);
    QVERIFY(writeBytes(card, bytes));
    const QString back = path(u"back.cfh"_s);
    Run made;
    if (nfo) {
        QFile::remove(path(u"film-poster.jpg"_s));
        QCOMPARE(run({ u"nfo"_s, card, path(u"film.nfo"_s) }).status, 0);
        made = run({ u"from-nfo"_s, path(u"film.nfo"_s), back, u"--force"_s });
        QCOMPARE(made.err, QByteArray());
    } else {
        const QString poster = path(u"poster"_s);
        QFile::remove(poster);
        run({ u"poster"_s, card, poster });
        QStringList args { u"new"_s, u"--json"_s, u"-"_s, back, u"--force"_s };
        if (QFile::exists(poster))
            args << u"--poster"_s << poster;
        made = run(args, run({ u"show"_s, u"--json"_s, card }).out);
    }
    QCOMPARE(made.status, 0);
    QCOMPARE(readBytes(back), bytes);
}

void tst_CardTool::newStoresTheEditorsWay()
{
    const QString full = QString(50, QLatin1Char('x'));
    QStringList actors;
    for (int i = 0; i < 10; ++i)
        actors << QString(49, QLatin1Char('a')) + QString::number(i);
    const QString card = path(u"new.cfh"_s);
    const Run made = run({ u"new"_s, u"titre="_s + full, u"heures=3"_s,
        u"acteurs="_s + actors.join(QLatin1Char('|')), u"resume=Un\nDeux"_s, u"annee=1970"_s, card });
    QCOMPARE(made.status, 0);
    const QByteArray bytes = readBytes(card);
    QCOMPARE(bytes.mid(7, 50), full.toLatin1());
    QCOMPARE(bytes.mid(61, 4), QByteArray(" 3  "));   // the hour's blank, empty minutes
    QCOMPARE(bytes.mid(165, 510), (actors.join(QLatin1Char('|')) + QLatin1Char('|')).toLatin1());
    QCOMPARE(bytes.mid(675, 9), QByteArray("Un\r\nDeux "));
    const QJsonObject shown = shownCard(card);
    QCOMPARE(shown[u"heures"_s], QJsonValue(3));
    QCOMPARE(shown[u"minutes"_s], QJsonValue());
    QCOMPARE(shown[u"acteurs"_s].toArray().toVariantList(), QVariant(actors).toList());
    QCOMPARE(shown[u"resume"_s].toString(), u"Un\nDeux"_s);
    QCOMPARE(shown[u"ajoutee_le"_s].toString(), QDate::currentDate().toString(Qt::ISODate));
}

void tst_CardTool::refusedValuesWriteNothing_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    const QString t = u"titre=T"_s;
    // Refused as a wrong use: status 2.
    const auto refused = [](const char *name, const QStringList &args, const QString &said) {
        QTest::newRow(name) << args << QByteArray() << 2 << said;
    };
    refused("line break in the title", { u"titre=A\nB"_s }, u"titre : le caractère de commande U+000A"_s);
    refused("hours of three digits", { t, u"heures=100"_s }, u"heures : 3 caractères"_s);
    refused("year not a number", { t, u"annee=19x0"_s }, u"annee : « 19x0 » n'est pas un nombre"_s);
    refused("empty actor name", { t, u"acteurs=a||b"_s }, u"acteurs : un élément est vide"_s);
    refused("rating of 11", { t, u"note=11"_s }, u"note : « 11 » n'est pas une note entière de 1 à 10"_s);
    refused("no such day", { t, u"vu_le+=2026-02-30"_s }, u"vu_le : « 2026-02-30 » n'est pas une date"_s);
    refused("no such hour", { t, u"ajoutee_le=2026-02-03 24:00:00"_s },
        u"ajoutee_le : « 2026-02-03 24:00:00 » n'est pas une date"_s);
    refused(
        "seen no times", { t, u"vu_fois=0"_s }, u"vu_fois : « 0 » n'est pas un nombre entier de 1 ou plus"_s);
    refused(
        "IMDb without tt", { t, u"imdb=0062622"_s }, u"imdb : « 0062622 » n'est pas un identifiant IMDb"_s);
    refused("neither yes nor no", { t, u"vu=peut-être"_s }, u"vu : « peut-être » n'est ni oui ni non"_s);
    refused("adding to a text", { t, u"titre+=B"_s }, u"« titre » n'est pas une liste"_s);
    refused("no title", { u"titre="_s, u"annee=1970"_s }, u"titre : une fiche a toujours un titre"_s);
    refused("unknown field", { t, u"duree=90"_s }, u"champ inconnu « duree »"_s);
    QTest::newRow("actor name with the separator")
        << QStringList { u"--json"_s, u"-"_s } << QByteArray(R"({"titre": "T", "acteurs": ["A|B"]})") << 2
        << u"le nom « A|B » contient « | »"_s;
    QTest::newRow("JSON key given twice")
        << QStringList { u"--json"_s, u"-"_s }
        << QByteArray(R"({"titre": "T", "acteurs": ["A"], "ti\u0074re": {"titre": 1}})") << 2
        << u"new : clé « titre » donnée deux fois"_s;
    QTest::newRow("JSON of the wrong type")
        << QStringList { u"--json"_s, u"-"_s } << QByteArray(R"({"titre": ["T"]})") << 2
        << u"titre : valeur d'un type incorrect ; attendu : du texte"_s;
    QTest::newRow("JSON flag as a number")
        << QStringList { u"--json"_s, u"-"_s } << QByteArray(R"({"titre": "T", "vu": 1})") << 2
        << u"vu : valeur d'un type incorrect ; attendu : true ou false"_s;
    QTest::newRow("poster that is no picture")
        << QStringList { t, u"--poster"_s, SAMPLES_DIR "/make-samples.sh" } << QByteArray() << 1
        << u"make-samples.sh : ce fichier n'est pas une image"_s;
    const QString fifo = path(u"tube"_s);
    QVERIFY(QFile::exists(fifo) || ::mkfifo(nativePath(fifo).constData(), 0600) == 0);
    QTest::newRow("poster that is a FIFO") << QStringList { t, u"--poster"_s, fifo } << QByteArray() << 1
                                           << u"tube : ce n'est pas un fichier ordinaire"_s;
}

// new and set refuse the same values, and neither then writes a byte.
void tst_CardTool::refusedValuesWriteNothing()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, json);
    QFETCH(int, status);
    QFETCH(QString, said);
    const QString card = path(u"refused.cfh"_s);
    QFile::remove(card);
    Run made = run(QStringList { u"new"_s } + args + QStringList { card }, json);
    QCOMPARE(made.status, status);
    QVERIFY2(QString::fromUtf8(made.err).contains(said), made.err.constData());
    QVERIFY(!QFile::exists(card));

    if (!json.isEmpty())
        return;
    const QByteArray old = makeCard("Ancienne", posterBytes(700));
    QVERIFY(writeBytes(card, old));
    made = run(QStringList { u"set"_s, card } + args);
    QCOMPARE(made.status, status);
    QCOMPARE(readBytes(card), old);
}

void tst_CardTool::setEditsLists_data()
{
    QTest::addColumn<QStringList>("made");    // new's values
    QTest::addColumn<QStringList>("edits");   // then set's
    QTest::addColumn<QJsonObject>("shown");   // what show --json then gives of the keys named
    const QStringList tagged { u"etiquettes=a,b"_s };
    const QStringList lent { u"pret_a=Paul"_s, u"pret_le=2025-01-02"_s };
    const auto row = [](const char *name, const QStringList &made, const QStringList &edits,
                         const char *shown) { QTest::newRow(name) << made << edits << jsonOf(shown); };
    row("tags replaced", tagged, { u"etiquettes=c, d"_s }, R"({"etiquettes": ["c", "d"]})");
    row("tags added, each once", tagged, { u"etiquettes+=c"_s, u"etiquettes+=a"_s },
        R"({"etiquettes": ["a", "b", "c"]})");
    row("tag removed", tagged, { u"etiquettes-=a"_s }, R"({"etiquettes": ["b"]})");
    row("viewings added: seen, oldest first", {}, { u"vu_le+=2026-12-09"_s, u"vu_le+=2020-01-02"_s },
        R"({"vu": true, "vu_le": ["2020-01-02", "2026-12-09"]})");
    row("not seen: no viewing left", { u"vu_le=2020-01-02"_s }, { u"vu=non"_s },
        R"({"vu": false, "vu_le": []})");
    row("loan returned", lent, { u"pret_a="_s }, R"({"pret_a": null, "pret_le": null})");
    row("the same borrower keeps the date", lent, { u"pret_a=Paul"_s },
        R"({"pret_a": "Paul", "pret_le": "2025-01-02"})");
    row("numbers and a flag", {}, { u"note=07"_s, u"tmdb=935"_s, u"vu=oui"_s },
        R"({"note": 7, "tmdb": 935, "vu": true, "vu_le": []})");
    QTest::newRow("a new borrower, lent today")
        << lent << QStringList { u"pret_a=Marie"_s }
        << QJsonObject { { u"pret_a"_s, u"Marie"_s },
               { u"pret_le"_s, QDate::currentDate().toString(Qt::ISODate) } };
}

// A list is replaced, added to or taken from, and what one field means for
// another follows.
void tst_CardTool::setEditsLists()
{
    QFETCH(QStringList, made);
    QFETCH(QStringList, edits);
    QFETCH(QJsonObject, shown);
    const QString card = path(u"lists.cfh"_s);
    QCOMPARE(
        run(QStringList { u"new"_s, u"--force"_s, u"titre=T"_s } + made + QStringList { card }).status, 0);
    const Run changed = run(QStringList { u"set"_s, card } + edits);
    QCOMPARE(changed.err, QByteArray());
    const QJsonObject object = shownCard(card);
    for (auto it = shown.begin(); it != shown.end(); ++it)
        QCOMPARE(object[it.key()], it.value());
}

void tst_CardTool::setChangesOnlyTheNamedFields_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("posterAfter");
    const QByteArray poster = posterBytes(5000);
    QTest::newRow("record alone") << QStringList() << poster;
    QTest::newRow("new poster") << QStringList { u"--poster"_s, SAMPLES_DIR "/../about.png" }
                                << readBytes(QStringLiteral(SAMPLES_DIR "/../about.png"));
    QTest::newRow("poster removed") << QStringList { u"--no-poster"_s } << QByteArray();
}

void tst_CardTool::setChangesOnlyTheNamedFields()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, posterAfter);
    const QString card = path(u"set.cfh"_s);
    const QByteArray old = makeCard(everyByteRecord(), posterBytes(5000));
    QVERIFY(writeBytes(card, old));
    const Run changed
        = run(QStringList { u"set"_s, card, u"titre=Même titre"_s, u"heures=2"_s, u"minutes=5"_s } + options);
    QCOMPARE(changed.status, 0);
    QByteArray expected = old.left(1176) + posterAfter;
    expected.replace(7, 50, QByteArray("M\xEAme titre").leftJustified(50, ' '));
    expected.replace(61, 4, " 25 ");   // the minutes as given
    QCOMPARE(readBytes(card), expected);
}

void tst_CardTool::notAMovieNfo_data()
{
    QTest::addColumn<QByteArray>("nfo");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");   // the whole of standard error says it in one line
    const QByteArray title = "<title>A</title>";
    const auto refused = [](const char *name, const QByteArray &nfo, const QString &said) {
        QTest::newRow(name) << nfo << 1 << said;
    };
    refused("release notes", "  ** GROUPE **\n  Film.....: x\n", u"n'est pas le fichier .nfo d'un film"_s);
    refused("a series", "<tvshow><title>S</title></tvshow>", u"n'est pas le fichier .nfo d'un film"_s);
    refused("no title", nfoOf("<year>1999</year><title> </title>"), u"le film n'a pas de titre"_s);
    refused("broken XML", "<movie>\n<title>A</title>\n<plot>x</movie>", u"ligne 3 : XML illisible"_s);
    refused("100 000 elements nested in the title",
        nfoOf("<title>" + QByteArray("<b>").repeated(100000) + "A</title>"),
        u"XML illisible (des éléments imbriqués sur plus de 64 niveaux)"_s);
    refused("over 4 MB", nfoOf(title + "<plot>" + QByteArray(4 * 1024 * 1024, 'p') + "</plot>"),
        u"plus de 4 Mo, bien trop pour le fichier .nfo d'un film"_s);
    refused("a second root element", nfoOf(title, "<movie><title>B</title></movie>\n"), u"XML illisible"_s);
    refused(
        "binary bytes after the root", nfoOf(title, QByteArray("\x00\x01\x02\x7F", 4)), u"XML illisible"_s);
    refused("an address and more after the root", nfoOf(title, "https://example.org/movie/603\nx\n"),
        u"XML illisible"_s);
    QTest::newRow("an address on the last line")
        << nfoOf(title, "https://example.org/movie/603\n") << 0 << QString();
    QTest::newRow("an address after comments")
        << nfoOf(title, "<!-- scraped -->\n  http://example.org/title/tt0133093  ") << 0 << QString();
    QTest::newRow("100 000 actors")
        << nfoOf(title + QByteArray("<actor><name>%2</name></actor>").repeated(100000)) << 0
        << u"acteurs : « %2 » et 98999 autres laissés de côté, une fiche en tient 1000\n"_s;
}

// What from-nfo refuses, with its message; what it takes, in one line a kind.
void tst_CardTool::notAMovieNfo()
{
    QFETCH(QByteArray, nfo);
    QFETCH(int, status);
    QFETCH(QString, said);
    const QString nfoPath = path(u"bad.nfo"_s);
    const QString card = path(u"bad.cfh"_s);
    QFile::remove(card);
    QVERIFY(writeBytes(nfoPath, nfo));
    const Run imported = run({ u"from-nfo"_s, nfoPath, card });
    QCOMPARE(imported.status, status);
    QVERIFY2(QString::fromUtf8(imported.err).contains(said), imported.err.constData());
    QVERIFY(imported.err.count('\n') <= 1);
    QCOMPARE(QFile::exists(card), status == 0);
}

// The program itself: its version, French on standard error, help for each
// command (what each says of a bad file is the in-process runs' above).
// What the picture helper hands back: a broken stream loses pictures, never
// more, and never reads past its end.
void tst_CardTool::pictureStream()
{
    const QByteArray stream = framedPicture("JPEG") + framedPicture({}) + framedPicture("PNG!");
    using Pictures = std::vector<QByteArray>;
    QCOMPARE(picturesOfStream(stream, 3), (Pictures { "JPEG", {}, "PNG!" }));
    QCOMPARE(picturesOfStream(stream.chopped(1), 3), (Pictures { "JPEG", {}, {} }));
    QCOMPARE(picturesOfStream(stream, 4), (Pictures { "JPEG", {}, "PNG!", {} }));
    QCOMPARE(picturesOfStream("99999999999\nJPEG" + stream, 2), (Pictures { {}, {} }));
    QCOMPARE(picturesOfStream("-4\nJPEG", 1), (Pictures { {} }));
    const QStringList paths { pathFromNative("/films/\xC9t\xE9.cfh"), u"/films/Élan.cfh"_s };
    QCOMPARE(pathsOfStream(framedPaths(paths)), paths);
}

// A standard stream keeps the order of what is written, in blocks or
// through its device, and says when the disk is full.
void tst_CardTool::toolStream()
{
    QTemporaryDir folder;
    const QByteArray path = nativePath(folder.filePath(u"out"_s));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    {
        ToolStream out(fd, QIODevice::WriteOnly, 4);
        out.write("ab");
        out.device().write("cd");
        out.write("ef");
        QVERIFY(out.flush());
    }
    ::close(fd);
    QFile written(QString::fromLocal8Bit(path));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("abcdef"));

    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    ToolStream out(full, QIODevice::WriteOnly, 4);
    out.write("ab");
    QVERIFY(!out.flush());
    ::close(full);
}

void tst_CardTool::escapesForTerminal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Escapes>("which");
    QTest::addColumn<QString>("shown");
    const auto controls = [](const char *name, const QString &text, const QString &shown) {
        QTest::newRow(name) << text << Escapes::Controls << shown;
    };
    controls("accents, a backslash, a pair of surrogates", u"Élan\\vital 🎬"_s, u"Élan\\vital 🎬"_s);
    controls("a title that sets the terminal's title and clears it", u"\x1B]0;pwned\a\x1B[2J"_s,
        u"\\033]0;pwned\\a\\033[2J"_s);
    controls("named escapes", u"\t\n\r\b\f\v"_s, u"\\t\\n\\r\\b\\f\\v"_s);
    controls("NUL and DEL in octal", QString(u"a\0b\x7F"_s), u"a\\000b\\177"_s);
    controls("C1 in UTF-8 octal, as a card's byte 0x9D reads", u"\u009D0;x"_s, u"\\302\\2350;x"_s);
    controls("a file name's byte that is no UTF-8", pathFromNative("bad\xFFx"), u"bad\\377x"_s);
    QTest::newRow("into a pipe: the line breaks alone")
        << u"a\nb\x1B\tc"_s << Escapes::LineBreaks << u"a\\nb\x1B\tc"_s;
}

// What a terminal is given of a card's text or a file name: nothing it obeys.
void tst_CardTool::escapesForTerminal()
{
    QFETCH(QString, text);
    QFETCH(Escapes, which);
    QTEST(escapedText(text, which), "shown");
}

// show, find and a message on a terminal (a pseudo-terminal, its line
// breaks left as they are): every value and name goes through the escapes.
void tst_CardTool::showsAHostileCardOnATerminal()
{
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    QVERIFY(terminal >= 0 && ::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0);
    const int screen = ::open(::ptsname(terminal), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios raw {};
    QVERIFY(screen >= 0 && ::tcgetattr(screen, &raw) == 0);
    ::cfmakeraw(&raw);
    ::tcsetattr(screen, TCSANOW, &raw);
    const QString hostile = path(u"\x1B[2J.cfh"_s);
    QVERIFY(writeBytes(hostile, makeCard("\x1B]0;pwned\a\x9D", {})));
    QBuffer in;
    {
        ToolStream input(in), out(screen, QIODevice::WriteOnly, 0), err(screen, QIODevice::WriteOnly, 0);
        ToolIo io { input, out, err };
        QCOMPARE(runCardTool({ u"show"_s, hostile, hostile + u'\n' }, io), 1);
        QCOMPARE(runCardTool({ u"find"_s, hostile }, io), 0);
    }
    ::close(screen);
    QByteArray shown;   // read in pieces, until the closed terminal has nothing more (EIO)
    char bytes[4096];
    for (ssize_t size = 0; (size = ::read(terminal, bytes, sizeof bytes)) > 0;)
        shown.append(bytes, size);
    ::close(terminal);
    QVERIFY2(shown.contains("Titre       : \\033]0;pwned\\a\\302\\235\n"), shown.constData());
    QVERIFY(shown.contains("\\033[2J.cfh\\n : fichier introuvable\n"));
    QVERIFY(shown.endsWith("\\033[2J.cfh\n"));
    QVERIFY(!shown.contains('\x1B') && !shown.contains('\a'));
}

void tst_CardTool::realProgram()
{
    QCOMPARE(program({ u"--version"_s }).out, QByteArray("cinefiche-card " CINEFICHE_VERSION "\n"));
    const Run unknown = program({ u"show"_s, u"--bogus"_s, sample("sans-affiche") });
    QCOMPARE(unknown.status, 2);
    QCOMPARE(unknown.err,
        QByteArray(
            "cinefiche-card : show : Option inconnue \"bogus\" ; l'aide : cinefiche-card show --help\n"));
    QCOMPARE(program({ u"thumbnail"_s }).status, 2);
    // Its catalogue has the picture helper make the pictures its cache lacks,
    // then finds them there: the same page. A name that is no UTF-8 reaches
    // the helper whole.
    QVERIFY(QDir(qEnvironmentVariable("XDG_CACHE_HOME") + u"/cinefiche"_s).removeRecursively());
    QVERIFY(QDir().mkpath(path(u"films"_s)));
    const int latin1
        = openNative(path(u"films/"_s) + pathFromNative("\xC9t\xE9.cfh"), O_WRONLY | O_CREAT, 0600);
    const QByteArray card = readBytes(sample("le-phare-des-brumes"));
    QCOMPARE(::write(latin1, card.constData(), size_t(card.size())), ssize_t(card.size()));
    ::close(latin1);
    QByteArray pages[2];
    for (QByteArray &page : pages) {
        const QString html = path(u"catalogue.html"_s);
        QCOMPARE(
            program({ u"catalogue"_s, QStringLiteral(SAMPLES_DIR), path(u"films"_s), u"-o"_s, html }).status,
            0);
        page = readBytes(html);
        QFile::remove(html);
    }
    QCOMPARE(pages[0].count("data:image/jpeg;base64,"), 3);
    QCOMPARE(pages[1], pages[0]);
    // A name beyond Qt's file classes, which the temporary folder would leave behind.
    ::unlink(nativePath(path(u"films/"_s) + pathFromNative("\xC9t\xE9.cfh")).constData());
    for (const char *command :
        { "show", "find", "catalogue", "poster", "thumbnail", "new", "set", "nfo", "from-nfo", "import" }) {
        const Run help = program({ QString::fromLatin1(command), u"--help"_s });
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.startsWith("Utilisation : cinefiche-card " + QByteArray(command) + ' '));
    }
}

QTEST_GUILESS_MAIN(tst_CardTool)
#include "tst_cardtool.moc"
