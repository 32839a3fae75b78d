#include "card/nativepath.h"
#include "collection/historymatch.h"
#include "exchange/catalogueimport.h"
#include "exchange/historyexport.h"
#include "exchange/tableimport.h"
#include "exchange/ziparchive.h"
#include "support/testfiles.h"
#include "support/toolrun.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#include <zip.h>

using namespace Qt::StringLiterals;

// What other programs and services give and take: viewing histories matched
// to cards, spreadsheets, and the catalogues people leave.
class tst_Exchange : public QObject {
    Q_OBJECT
private slots:
    void init();
    void foldedTitles_data();
    void foldedTitles();
    void matchHistory_data();
    void matchHistory();
    void historyTables_data();
    void historyTables();
    void historyFiles_data();
    void historyFiles();
    void tableRows_data();
    void tableRows();
    void cardNames();
    void catalogueFiles_data();
    void catalogueFiles();
    void historyOntoCards();
    void servicesReadBack();
    void importsATable();
    void importsCatalogues();

private:
    TestCache m_cache;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }
};

namespace {

// A zip archive of the entries, deflated, as an export or Tellico writes it.
QByteArray zipOf(const QList<std::pair<QString, QByteArray>> &entries)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t *archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_source_keep(buffer);
    for (const auto &[name, bytes] : entries)
        zip_file_add(archive, name.toUtf8().constData(),
            zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0), ZIP_FL_ENC_UTF_8);
    zip_close(archive);
    QByteArray zipped;
    zip_source_open(buffer);
    zip_source_seek(buffer, 0, SEEK_END);
    zipped.resize(qsizetype(zip_source_tell(buffer)));
    zip_source_seek(buffer, 0, SEEK_SET);
    zip_source_read(buffer, zipped.data(), zip_uint64_t(zipped.size()));
    zip_source_close(buffer);
    zip_source_free(buffer);
    zip_error_fini(&error);
    return zipped;
}

HistoryEntry movie(const QString &title, int year, const QString &imdb = {})
{
    return { .title = title, .year = year, .imdb = imdb, .seen = true, .file = u"f.csv"_s, .line = 2 };
}

HistoryCard card(
    const QString &path, const QString &title, const QString &original, int year, const QString &imdb = {})
{
    return { .path = path, .title = title, .originalTitle = original, .year = year, .imdb = imdb };
}

// A match as a line: outcome, cards, then what the card gains as set writes it.
QString matchText(const HistoryMatch &match)
{
    static const char *const kOutcomes[] = { "changed", "up to date", "ambiguous", "not found" };
    QStringList gains;
    for (const CardEdit &edit : match.gains.edits)
        gains << fieldName(edit.field) + (edit.op == CardEdit::Op::Add ? u"+="_s : u"="_s)
                + (holdsList(edit.field) ? edit.list.join(u',') : edit.text);
    if (match.gains.keptRating != 0)
        gains << u"kept %1 over %2"_s.arg(match.gains.cardRating).arg(match.gains.keptRating);
    QString text = QString::fromLatin1(kOutcomes[int(match.outcome)]) + u' ' + match.cards.join(u',');
    return gains.isEmpty() ? text : text + u": "_s + gains.join(u' ');
}

// An entry as a line: title (year) imdb, seen, rating, viewings, re-watches, fallback, tags.
QString entryText(const HistoryEntry &entry)
{
    return u"%1 (%2) %3 %4 %5 [%6] [%7] %8 [%9]"_s.arg(entry.title, QString::number(entry.year), entry.imdb,
        entry.seen ? u"seen"_s : u"-"_s, QString::number(entry.rating), entry.viewings.join(u','),
        entry.rewatches.join(u','), entry.viewingWhenNoneKnown, entry.tags.join(u','));
}

QString movieText(const ImportedMovie &movie)
{
    QStringList values;
    const CardValues card = cardValues(movie.card);
    for (const Field field : kFields) {
        const QString value = holdsList(field) ? card.list(field).join(u'|') : card.text(field);
        if (!value.isEmpty())
            values << fieldName(field) + u'=' + value;
    }
    for (const FieldProblem &problem : movie.refused)
        values << u"refused "_s + fieldName(problem.field);
    if (movie.poster.kind != PosterChoice::Kind::Remove)
        values << u"poster"_s;
    if (movie.posterLeft != ImportedMovie::PosterLeft::None)
        values << u"poster left %1"_s.arg(int(movie.posterLeft));
    return values.join(u"; "_s);
}

}   // namespace

void tst_Exchange::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_Exchange::foldedTitles_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("folded");
    QTest::newRow("case, accents, punctuation and an elided article")
        << u"L'Armée des ombres"_s << u"armeedesombres"_s;
    QTest::newRow("an English article") << u"The Good, the Bad and the Ugly"_s << u"goodthebadandtheugly"_s;
    QTest::newRow("œ as people type it") << u"Les Cœurs"_s << u"coeurs"_s;
    QTest::newRow("an article alone is the title") << u"Un"_s << u"un"_s;
    QTest::newRow("a word that begins like an article") << u"Lesbos"_s << u"lesbos"_s;
}

void tst_Exchange::foldedTitles()
{
    QFETCH(QString, title);
    QFETCH(QString, folded);
    QCOMPARE(foldedTitle(title), folded);
}

void tst_Exchange::matchHistory_data()
{
    QTest::addColumn<QList<HistoryEntry>>("entries");
    QTest::addColumn<QList<HistoryCard>>("cards");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QStringList>("matches");
    const HistoryCard amelie = card(u"a.cfh"_s, u"Le Fabuleux Destin d'Amélie Poulain"_s, u"Amélie"_s, 2001);
    QTest::newRow("English title against a French card's original title, seen on a day") << QList { [] {
        HistoryEntry e = movie(u"Amelie"_s, 2001);
        e.viewings = { u"2024-01-05"_s };
        return e;
    }() } << QList { amelie } << false << QStringList { u"changed a.cfh: vu=oui vu_le+=2024-01-05"_s };
    QTest::newRow("an article and a year one off")
        << QList { movie(u"The Army of Shadows"_s, 1970), movie(u"Armee des ombres"_s, 1970) }
        << QList { card(u"o.cfh"_s, u"L'Armée des ombres"_s, {}, 1969) } << false
        << QStringList { u"not found "_s, u"changed o.cfh: vu=oui"_s };
    QTest::newRow("a year two apart is another movie")
        << QList { movie(u"Amélie"_s, 2003) } << QList { amelie } << false << QStringList { u"not found "_s };
    QTest::newRow("IMDb first, whatever the title; another identifier is another movie")
        << QList { movie(u"X"_s, 0, u"tt1"_s), movie(u"Amélie"_s, 2001, u"tt2"_s) }
        << QList { card(u"b.cfh"_s, u"Y"_s, {}, 1990, u"tt1"_s),
               card(u"c.cfh"_s, u"Amélie"_s, {}, 2001, u"tt3"_s) }
        << false << QStringList { u"changed b.cfh: vu=oui"_s, u"not found "_s };
    QTest::newRow("two cards for one movie, two movies for one card: nothing changes")
        << QList { movie(u"Dune"_s, 2021), movie(u"Amélie"_s, 2001), movie(u"Amelie"_s, 2002) }
        << QList { card(u"d1.cfh"_s, u"Dune"_s, {}, 2021), card(u"d2.cfh"_s, u"Dune"_s, {}, 2020), amelie }
        << false << QStringList { u"ambiguous d1.cfh,d2.cfh"_s, u"ambiguous a.cfh"_s };
    HistoryEntry first = movie(u"Amélie"_s, 2001), again = first;
    first.viewings = { u"2020-03-01"_s };
    first.rewatches = first.viewings;
    first.tags = { u"paris"_s };
    first.rating = 8;
    first.ratedOn = u"2020-03-01"_s;
    again.viewings = { u"2023-06-02"_s };
    again.rating = 9;
    again.ratedOn = u"2023-06-02"_s;
    again.imdb = u"tt0211915"_s;
    HistoryCard rated = amelie;
    rated.rating = 7;
    rated.tags = { u"mien"_s };
    QTest::newRow("rows of one movie merged: re-watch first, latest rating, tags added, identifier")
        << QList { first, again } << QList { amelie } << false
        << QStringList {
               u"changed a.cfh: vu=oui vu_le+=2020-03-01,2023-06-02 vu_fois=3 note=9 etiquettes+=paris "
               "imdb=tt0211915"_s
           };
    QTest::newRow("a rating the card holds is kept, unless replacing")
        << QList { again } << QList { rated, card(u"x.cfh"_s, u"Autre"_s, {}, 1) } << false
        << QStringList { u"changed a.cfh: vu=oui vu_le+=2023-06-02 imdb=tt0211915 kept 7 over 9"_s };
    QTest::newRow("replacing") << QList { again } << QList { rated } << true
                               << QStringList {
                                      u"changed a.cfh: vu=oui vu_le+=2023-06-02 note=9 imdb=tt0211915"_s
                                  };
    HistoryCard known = amelie;
    known.seen = true;
    known.viewings = { u"2023-06-02 20:30:00"_s };
    known.imdb = u"tt0211915"_s;
    known.rating = 9;
    HistoryEntry imdbRated = movie(u"Amélie"_s, 2001, u"tt0211915"_s);
    imdbRated.viewingWhenNoneKnown = u"2024-01-01"_s;
    QTest::newRow("a viewing known to the minute, and IMDb's date rated when a viewing is known: up to date")
        << QList { again, imdbRated } << QList { known } << false << QStringList { u"up to date a.cfh"_s };
}

void tst_Exchange::matchHistory()
{
    QFETCH(QList<HistoryEntry>, entries);
    QFETCH(QList<HistoryCard>, cards);
    QFETCH(bool, replace);
    QFETCH(QStringList, matches);
    QStringList found;
    for (const HistoryMatch &match : ::matchHistory(entries, cards, replace))
        found << matchText(match);
    QCOMPARE(found, matches);
}

void tst_Exchange::historyTables_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QStringList>("read");   // each entry, then "skipped LINE CAUSE", or the status
    QTest::newRow("Letterboxd diary: a rating of 4.5, a re-watch, tags, a bad rating")
        << u"diary.csv"_s
        << "Date,Name,Year,Letterboxd URI,Rating,Rewatch,Tags,Watched Date\n"
           "2024-01-06,Amélie,2001,https://boxd.it/1,4.5,Yes,\"paris, favori\",2024-01-05\n"
           "2024-01-07,Dune,2021,https://boxd.it/2,6,,,2024-01-07\n"_ba
        << QStringList { u"Amélie (2001)  seen 9 [2024-01-05] [2024-01-05]  [paris,favori]"_s,
               u"skipped 3 3"_s };
    QTest::newRow("Letterboxd ratings: seen, no day") << u"ratings.csv"_s
                                                      << "Date,Name,Year,Letterboxd URI,Rating\n"
                                                         "2024-01-06,Amélie,2001,https://boxd.it/1,3\n"_ba
                                                      << QStringList { u"Amélie (2001)  seen 6 [] []  []"_s };
    QTest::newRow("IMDb ratings: the day rated when no viewing is known")
        << u"ratings.csv"_s
        << "Const,Your Rating,Date Rated,Title,Original Title,URL,Title Type,IMDb Rating,Runtime "
           "(mins),Year\n"
           "tt0211915,8,2023-05-01,Amelie,Le fabuleux destin d'Amélie Poulain,u,Movie,8.3,122,2001\n"
           "tt1,11,2023-05-01,X,,u,Movie,1,1,2001\n"_ba
        << QStringList { u"Amelie (2001) tt0211915 seen 8 [] [] 2023-05-01 []"_s, u"skipped 3 3"_s };
    QTest::newRow("IMDb list without ratings: nothing seen")
        << u"list.csv"_s
        << "Position,Const,Created,Modified,Description,Title,URL,Title Type,Year\n"
           "1,tt0211915,2023-05-01,,,Amelie,u,Movie,2001\n"_ba
        << QStringList { u"Amelie (2001) tt0211915 - 0 [] []  []"_s };
    QTest::newRow("our own Letterboxd import table")
        << u"vus.csv"_s
        << "Title,Year,Directors,Rating,WatchedDate,Rewatch,Tags,imdbID,tmdbID\r\n"
           "Amélie,2001,J.-P. Jeunet,4,2024-01-05,false,,,\r\n"_ba
        << QStringList { u"Amélie (2001)  seen 8 [2024-01-05] []  []"_s };
    QTest::newRow("a watchlist is no history")
        << u"watchlist.csv"_s << "Date,Name,Year,Letterboxd URI\n2024-01-06,A,2001,u\n"_ba
        << QStringList { u"status 3"_s };
    QTest::newRow("an unknown header")
        << u"films.csv"_s << "titre,annee\nA,2001\n"_ba << QStringList { u"status 3"_s };
}

void tst_Exchange::historyTables()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, table);
    QFETCH(QStringList, read);
    QBuffer in(&table);
    in.open(QIODevice::ReadOnly);
    const HistoryRead history = readHistoryTable(in, name);
    QStringList found;
    for (const HistoryEntry &entry : history.entries)
        found << entryText(entry);
    for (const SkippedRow &row : history.skipped)
        found << u"skipped %1 %2"_s.arg(row.line).arg(int(row.cause));
    if (history.status != HistoryRead::Status::Ok)
        found << u"status %1"_s.arg(int(history.status));
    QCOMPARE(found, read);
}

void tst_Exchange::historyFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("entries");
    const QByteArray diary = "Date,Name,Year,Letterboxd URI,Rating,Rewatch,Tags,Watched Date\n"
                             "2024-01-06,Amélie,2001,u,4.5,,,2024-01-05\n";
    const QByteArray ratings = "Date,Name,Year,Letterboxd URI,Rating\n2024-01-06,Dune,2021,u,4\n";
    QTest::newRow("a Letterboxd zip: its tables, not its watchlist")
        << zipOf({ { u"diary.csv"_s, diary }, { u"ratings.csv"_s, ratings }, { u"watchlist.csv"_s, diary } })
        << int(HistoryRead::Status::Ok) << 2;
    QTest::newRow("a zip bomb, refused from what it announces")
        << zipOf({ { u"diary.csv"_s, diary + QByteArray(8 << 20, ' ') } })
        << int(HistoryRead::Status::ZipTooLarge) << 0;
    QTest::newRow("a damaged zip") << zipOf({ { u"diary.csv"_s, diary } }).chopped(30)
                                   << int(HistoryRead::Status::ZipDamaged) << 0;
    QTest::newRow("a zip of something else")
        << zipOf({ { u"a.txt"_s, "a" } }) << int(HistoryRead::Status::NotHistory) << 0;
}

// Whole files, read by their bytes, whatever their names say.
void tst_Exchange::historyFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, status);
    QFETCH(int, entries);
    QVERIFY(writeBytes(path(u"export.csv"_s), bytes));
    const HistoryRead read = readHistoryFile(path(u"export.csv"_s));
    QCOMPARE(int(read.status), status);
    QCOMPARE(read.entries.size(), entries);
}

void tst_Exchange::tableRows_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QStringList>(
        "rows");   // each movie's values, or "skipped LINE CAUSE"; then "left out ..."
    QTest::newRow("English columns, semicolons, a BOM: actors by commas, a running time")
        << "\xEF\xBB\xBFTitle;Year;Director;Runtime;Genre;Cast;Plot;Rating\r\n"
           "Amélie;2001;Jean-Pierre Jeunet;2h02;Comédie;Audrey Tautou, Mathieu Kassovitz;\"Une \"\"fée\"\"\";8\r\n"_ba
        << QStringList {
               u"titre=Amélie; annee=2001; heures=2; minutes=02; type=Comédie; realisateur=Jean-Pierre "
               "Jeunet; acteurs=Audrey Tautou|Mathieu Kassovitz; resume=Une \"fée\""_s,
               u"left out Rating"_s
           };
    QTest::newRow("the catalogue's own columns: lists by \"|\", a line break, a guarded cell")
        << "fichier,titre,affiche,resume,pays,vu,vu_le,note\r\n"
           "x.cfh,'=Titre,jpeg,\"Un\r\nDeux\",France | Italie,oui,2024-01-01 | 2024-02-01,11\r\n"_ba
        << QStringList {
               u"titre==Titre; resume=Un\nDeux; pays=France|Italie; vu=oui; vu_le=2024-01-01|2024-02-01; "
               "refused note"_s
           };
    QTest::newRow("a row without a title, a row that cannot be read, tabs")
        << "titre\tannee\n\t1999\n\"A\"b\t2\nB\t3\n"_ba
        << QStringList { u"skipped 2 1"_s, u"skipped 3 0"_s, u"titre=B; annee=3"_s };
}

void tst_Exchange::tableRows()
{
    QFETCH(QByteArray, table);
    QFETCH(QStringList, rows);
    QBuffer in(&table);
    in.open(QIODevice::ReadOnly);
    TableImport import(in);
    QVERIFY(import.hasTitle());
    QStringList found;
    while (const auto row = import.next()) {
        if (const auto *movie = std::get_if<ImportedMovie>(&*row))
            found << movieText(*movie);
        else
            found << u"skipped %1 %2"_s.arg(std::get<SkippedRow>(*row).line)
                         .arg(int(std::get<SkippedRow>(*row).cause));
    }
    if (!import.columnsLeftOut().isEmpty())
        found << u"left out "_s + import.columnsLeftOut().join(u',');
    QCOMPARE(found, rows);
}

// Cards named after their titles, one name each within an import.
void tst_Exchange::cardNames()
{
    CardNames names;
    QCOMPARE(names.nameFor(u"Dr. No"_s, u"1962"_s), u"Dr. No.cfh"_s);
    QCOMPARE(names.nameFor(u"AC/DC: \"Live\"?"_s, {}), u"AC_DC_ _Live__.cfh"_s);
    QCOMPARE(names.nameFor(u".hack"_s, {}), u"_hack.cfh"_s);
    QCOMPARE(names.nameFor(u"Dune"_s, u"1984"_s), u"Dune.cfh"_s);
    QCOMPARE(names.nameFor(u"Dune"_s, u"2021"_s), u"Dune (2021).cfh"_s);
    QCOMPARE(names.nameFor(u"Dune"_s, u"2021"_s), u"Dune (2021) (2).cfh"_s);
    QCOMPARE(names.nameFor(QString(300, u'é'), {}).toUtf8().size(), 204);
}

namespace {

// Files by their names in the test's folder: the first is read.
using Files = QMap<QString, QByteArray>;

QByteArray samplePoster()
{
    return readBytes(sample("le-phare-des-brumes")).mid(1176);
}

QByteArray tellicoXml(const QByteArray &entries, const QByteArray &type = "3", const QByteArray &after = {})
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE tellico PUBLIC \"-//Robby Stephenson/DTD Tellico V11.0//EN\" "
           "\"http://periapsis.org/tellico/dtd/v11/tellico.dtd\">\n"
           "<tellico xmlns=\"http://periapsis.org/tellico/\" syntaxVersion=\"11\">\n"
           " <collection title=\"Films\" type=\""
        + type
        + "\">\n  <fields>\n   <field name=\"_default\"/>\n"
          "   <field title=\"Seen\" flags=\"0\" category=\"Personal\" format=\"4\" type=\"4\" "
          "name=\"seen\"/>\n"
          "   <field title=\"Location\" flags=\"0\" category=\"Personal\" format=\"4\" type=\"1\" "
          "name=\"place\"/>\n"
          "   <field title=\"Rating\" flags=\"2\" category=\"Personal\" format=\"4\" type=\"14\" "
          "name=\"rating\">\n"
          "    <prop name=\"maximum\">5</prop>\n    <prop name=\"minimum\">1</prop>\n   </field>\n  "
          "</fields>\n"
        + entries + after + " </collection>\n</tellico>\n";
}

// A Tellico entry with every field a card takes, and one it does not.
QByteArray tellicoEntry(int id, const QByteArray &title, const QByteArray &cover)
{
    return "  <entry id=\"" + QByteArray::number(id) + "\">\n   <title>" + title
        + "</title>\n   <year>2001</year>\n   <running-time>122</running-time>\n"
          "   <genres><genre>Comédie</genre><genre>Romance</genre></genres>\n"
          "   <directors><director>Jean-Pierre Jeunet</director></directors>\n"
          "   <casts><cast><column>Audrey Tautou</column><column>Amélie</column></cast>"
          "<cast><column>Mathieu Kassovitz</column><column>Nino</column></cast></casts>\n"
          "   <nationalitys><nationality>France</nationality></nationalitys>\n"
          "   <plot>Une fée à Montmartre.</plot>\n   <rating>3</rating>\n   <seen>true</seen>\n"
          "   <keywords><keyword>paris</keyword></keywords>\n   <medium>DVD</medium>\n   "
          "<place>Salon</place>\n"
          "   <certification>PG (USA)</certification>\n   <cover>"
        + cover
        + "</cover>\n   <cdate "
          "calendar=\"gregorian\"><year>2009</year><month>07</month><day>09</day></cdate>\n"
          "  </entry>\n";
}

const QByteArray kTellicoLoan
    = "  <borrowers><borrower uid=\"b\" name=\"Anne\">"
      "<loan uid=\"l\" entryRef=\"1\" loanDate=\"2024-03-01\" dueDate=\"\"/></borrower>"
      "</borrowers>\n";

QByteArray gcstarXml(const QByteArray &items)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<collection type=\"GCfilms\" items=\"1\" "
           "version=\"1.7.3\">\n <information>\n  <maxId>3</maxId>\n </information>\n"
        + items + "</collection>\n";
}

// A GCstar item as it writes them, with every field a card takes.
QByteArray gcstarItem(int id, const QByteArray &title, const QByteArray &image)
{
    return " <item\n  id=\"" + QByteArray::number(id) + "\"\n  title=\"" + title
        + "\"\n  date=\"12/06/1982\"\n  time=\"102 min\"\n  director=\"George Miller\"\n  "
          "country=\"Australia\"\n"
          "  image=\""
        + image
        + "\"\n  original=\"The Man from Snowy River\"\n  "
          "webPage=\"http://www.imdb.com/title/tt0084296/##IMDb\"\n"
          "  seen=\"1\"\n  added=\"07/09/2009\"\n  format=\"DVD\"\n  place=\"Étagère\"\n  rating=\"7\"\n"
          "  ratingpress=\"0\"\n  audio=\"Anglais\"\n  serie=\"\"\n  borrower=\"Paul\"\n  "
          "lendDate=\"02/03/2024\"\n"
          "  favourite=\"0\"\n >\n  <synopsis>Jim Craig.</synopsis>\n  <comment>Bien.</comment>\n"
          "  <genre><line><col>Drama</col></line><line><col>Western</col></line></genre>\n"
          "  <actors><line><col>Tom Burlinson</col><col>Jim Craig</col></line>"
          "<line><col>Kirk Douglas</col><col>Harrison</col></line></actors>\n"
          "  <tags><line><col>tag1</col></line></tags>\n </item>\n";
}

}   // namespace

void tst_Exchange::catalogueFiles_data()
{
    QTest::addColumn<bool>("tellico");
    QTest::addColumn<Files>("files");        // the first is read
    QTest::addColumn<QStringList>("read");   // each movie, then "left out ...", or the status
    const QByteArray poster = samplePoster();
    const QString amelie
        = u"titre=Amélie; annee=2001; heures=2; minutes=02; type=Comédie, Romance; "
          "realisateur=Jean-Pierre Jeunet; acteurs=Audrey Tautou|Mathieu Kassovitz; "
          "resume=Une fée à Montmartre.; pays=France; vu=oui; note=6; etiquettes=paris; "
          "pret_a=Anne; pret_le=2024-03-01; support=DVD; emplacement=Salon; ajoutee_le=2009-07-09"_s;
    QTest::newRow("Tellico: a zip, its images, a loan")
        << true
        << Files { { u"a.tc"_s,
               zipOf(
                   { { u"tellico.xml"_s, tellicoXml(tellicoEntry(1, "Amélie", "c.jpeg"), "3", kTellicoLoan) },
                       { u"images/c.jpeg"_s, poster } }) } }
        << QStringList { amelie + u"; poster"_s, u"left out certification"_s };
    QTest::newRow("Tellico: its XML alone, a picture inside it, another not a picture")
        << true
        << Files { { u"a.xml"_s,
               tellicoXml(tellicoEntry(2, "A", "c.jpeg") + tellicoEntry(3, "B", "d.png"), "3",
                   "  <images><image id=\"c.jpeg\" format=\"JPEG\">" + poster.toBase64()
                       + "</image><image id=\"d.png\" format=\"PNG\">AAAA</image></images>\n") } }
        << QStringList { u"poster"_s, u"poster left 3"_s, u"left out certification"_s };
    QTest::newRow("Tellico: entities refused")
        << true
        << Files { { u"a.xml"_s,
               "<?xml version=\"1.0\"?>\n<!DOCTYPE t [<!ENTITY a \"aaaaaaaa\">]>\n<t>&a;</t>\n"_ba } }
        << QStringList { u"status 7"_s };
    QTest::newRow("Tellico: a collection of books")
        << true << Files { { u"a.xml"_s, tellicoXml(tellicoEntry(1, "A", ""), "2") } }
        << QStringList { u"status 5"_s };
    QTest::newRow("GCstar: every field, its picture in a folder beside it")
        << false
        << Files { { u"a.gcs"_s, gcstarXml(gcstarItem(2, "L'Homme de la rivière", "a_pictures/p.jpg")) },
               { u"a_pictures/p.jpg"_s, poster } }
        << QStringList {
               u"titre=L'Homme de la rivière; annee=1982; heures=1; minutes=42; type=Drama, Western; "
               "realisateur=George Miller; acteurs=Tom Burlinson|Kirk Douglas; resume=Jim Craig.; "
               "titre_original=The Man from Snowy River; pays=Australia; vu=oui; note=7; etiquettes=tag1; "
               "pret_a=Paul; pret_le=2024-03-02; support=DVD; emplacement=Étagère; imdb=tt0084296; "
               "notes=Bien.; ajoutee_le=2009-09-07; poster"_s,
               u"left out audio"_s
           };
    QTest::newRow("GCstar: a picture through a link out of its folder, one GCstar keeps elsewhere")
        << false
        << Files { { u"a.gcs"_s,
                       gcstarXml(
                           gcstarItem(1, "A", "lien.jpg") + gcstarItem(2, "B", "/nulle/part/gcstar_2.jpg")) },
               { u"~lien.jpg"_s, {} } }
        << QStringList { u"poster left 2"_s, u"poster left 1"_s, u"left out audio"_s };
    QTest::newRow("GCstar: nested too deep")
        << false << Files { { u"a.gcs"_s, gcstarXml(QByteArray("<a>").repeated(100)) } }
        << QStringList { u"status 8"_s };
}

void tst_Exchange::catalogueFiles()
{
    QFETCH(bool, tellico);
    QFETCH(Files, files);
    QFETCH(QStringList, read);
    QTemporaryDir outside;
    QVERIFY(writeBytes(outside.filePath(u"p.jpg"_s), samplePoster()));
    QVERIFY(QDir().mkpath(path(u"a_pictures"_s)));
    for (auto file = files.cbegin(); file != files.cend(); ++file) {
        if (file.key().startsWith(u'~'))   // a link to a picture outside
            QVERIFY(QFile::link(outside.filePath(u"p.jpg"_s), path(file.key().mid(1))));
        else
            QVERIFY(writeBytes(path(file.key()), *file));
    }
    const QString first = path(files.firstKey());
    const CatalogueRead catalogue = tellico ? readTellico(first) : readGcstar(first);
    QStringList found;
    for (const ImportedMovie &movie : catalogue.movies) {
        const QString text = movieText(movie);
        found << (text.startsWith(u"titre=A;"_s) || text.startsWith(u"titre=B;"_s) ? text.section(u"; "_s, -1)
                                                                                   : text);
    }
    if (!catalogue.leftOut.isEmpty())
        found << u"left out "_s + catalogue.leftOut.join(u',');
    if (catalogue.status != CatalogueRead::Status::Ok)
        found << u"status %1"_s.arg(int(catalogue.status));
    QCOMPARE(found, read);
}

namespace {

// The cards of show --json, by file name, without the keys that name the file.
QMap<QString, QJsonObject> cardsOf(const QString &folder)
{
    QMap<QString, QJsonObject> cards;
    const Run shown = run({ u"show"_s, u"-r"_s, u"--json"_s, folder });
    for (const QJsonValue &value : QJsonDocument::fromJson(shown.out).array()) {
        QJsonObject card = value.toObject();
        const QString name = QFileInfo(card.take(u"fichier"_s).toString()).fileName();
        card.remove(u"affiche"_s);
        cards.insert(name, card);
    }
    return cards;
}

bool newCard(const QString &path, const QStringList &values)
{
    return run(QStringList { u"new"_s } + values + QStringList { path }).status == 0;
}

}   // namespace

// Letterboxd and IMDb exports written from their documented headers onto
// French cards: the report, the bytes of each card, a dry run, JSON, and a
// second run that changes nothing.
void tst_Exchange::historyOntoCards()
{
    QVERIFY(QDir().mkpath(path(u"films/vieux"_s)));
    QVERIFY(newCard(path(u"films/amelie.cfh"_s),
        { u"titre=Le Fabuleux Destin d'Amélie Poulain"_s, u"titre_original=Amélie"_s, u"annee=2001"_s,
            u"note=7"_s, u"etiquettes=mien"_s, u"ajoutee_le=2020-01-01"_s }));
    QVERIFY(newCard(path(u"films/vieux/armee.cfh"_s), { u"titre=L'Armée des ombres"_s, u"annee=1969"_s }));
    QVERIFY(newCard(path(u"films/dune.cfh"_s), { u"titre=Dune"_s, u"annee=2021"_s }));
    QVERIFY(newCard(path(u"films/dune-2.cfh"_s), { u"titre=Dune"_s, u"annee=2021"_s }));
    QVERIFY(writeBytes(path(u"diary.csv"_s),
        "Date,Name,Year,Letterboxd URI,Rating,Rewatch,Tags,Watched Date\n"
        "2023-01-02,Amélie,2001,https://boxd.it/a,4,,paris,2023-01-01\n"
        "2024-02-03,Amélie,2001,https://boxd.it/a,4.5,Yes,\"paris, revu\",2024-02-02\n"
        "2024-03-01,Armee des Ombres,1970,https://boxd.it/b,5,,,2024-03-01\n"
        "2024-03-02,Dune,2021,https://boxd.it/c,3.5,,,2024-03-02\n"
        "2024-03-03,Inconnu,1999,https://boxd.it/d,,,,2024-03-03\n"
        "2024-03-04,Cassé,1999,https://boxd.it/e,9,,,2024-03-04\n"));
    QVERIFY(writeBytes(path(u"ratings.csv"_s),
        "Const,Your Rating,Date Rated,Title,Original Title,URL,Title Type,IMDb Rating,Runtime (mins),Year,"
        "Genres,Num Votes,Release Date,Directors\n"
        "tt0211915,9,2024-02-03,Amélie,Le fabuleux destin d'Amélie Poulain,https://www.imdb.com/title/"
        "tt0211915/,Movie,8.3,122,2001,\"Comedy, Romance\",800000,2001-04-25,Jean-Pierre Jeunet\n"));
    const QString films = path(u"films"_s);
    const QStringList history { u"history"_s, path(u"diary.csv"_s), path(u"ratings.csv"_s), u"--"_s, films };
    const QMap<QString, QJsonObject> before = cardsOf(films);
    const QByteArray amelieBefore = readBytes(path(u"films/amelie.cfh"_s));

    const Run tried = program(QStringList { history[0], u"-n"_s } + history.mid(1));
    QCOMPARE(tried.status, 0);
    QCOMPARE(readBytes(path(u"films/amelie.cfh"_s)), amelieBefore);
    const Run done = program(history);
    QCOMPARE(done.status, 0);
    QCOMPARE(QString::fromUtf8(done.err),
        u"cinefiche-card : "_s + path(u"diary.csv"_s)
            + u", ligne 7 : note « 9 » incorrecte ; ligne ignorée\n"_s);
    const QString report = QString::fromUtf8(done.out);
    QCOMPARE(report,
        u"changée : %1/amelie.cfh : vu=oui ; vu_le+=2023-01-01,2024-02-02 ; etiquettes+=paris,revu ; "
        "imdb=tt0211915\n"
        "note gardée : %1/amelie.cfh : note=7, l'export donne 9 (--remplacer la change)\n"
        "changée : %1/vieux/armee.cfh : vu=oui ; vu_le+=2024-03-01 ; note=10\n"
        "ambigu : « Dune » (2021) [%2/diary.csv, ligne 5] : plusieurs fiches : %1/dune-2.cfh ; %1/dune.cfh\n"
        "introuvable : « Inconnu » (1999) [%2/diary.csv, ligne 6]\n"
        "history : 2 fiches changées, 0 à jour, 1 film ambigu, 1 film introuvable\n"_s.arg(
            films, m_dir->path()));
    QCOMPARE(QString::fromUtf8(tried.out),
        QString(report)
            .replace(u"changée : "_s, u"à changer : "_s)
            .replace(
                u"history : 2 fiches changées"_s, u"history, essai sans rien écrire : 2 fiches à changer"_s));
    // The record, read by programs that know nothing else, stays byte for byte.
    QCOMPARE(readBytes(path(u"films/amelie.cfh"_s)).left(1176), amelieBefore.left(1176));
    QMap<QString, QJsonObject> expected = before;
    expected[u"amelie.cfh"_s][u"vu"_s] = true;
    expected[u"amelie.cfh"_s][u"vu_le"_s] = QJsonArray { u"2023-01-01"_s, u"2024-02-02"_s };
    expected[u"amelie.cfh"_s][u"etiquettes"_s] = QJsonArray { u"mien"_s, u"paris"_s, u"revu"_s };
    expected[u"amelie.cfh"_s][u"imdb"_s] = u"tt0211915"_s;
    expected[u"armee.cfh"_s][u"vu"_s] = true;
    expected[u"armee.cfh"_s][u"vu_le"_s] = QJsonArray { u"2024-03-01"_s };
    expected[u"armee.cfh"_s][u"note"_s] = 10;
    const QMap<QString, QJsonObject> changed = cardsOf(films);
    for (auto card = expected.cbegin(); card != expected.cend(); ++card)
        QCOMPARE(QJsonDocument(changed[card.key()]).toJson(), QJsonDocument(*card).toJson());

    QMap<QString, QByteArray> after;
    for (const QString &name : { u"amelie.cfh"_s, u"vieux/armee.cfh"_s, u"dune.cfh"_s })
        after.insert(name, readBytes(path(u"films/"_s + name)));
    const Run again = program(QStringList { history[0], u"--json"_s } + history.mid(1));
    QCOMPARE(again.status, 0);
    const QJsonObject json = QJsonDocument::fromJson(again.out).object();
    QCOMPARE(json[u"changees"_s].toArray().size(), 0);
    QCOMPARE(json[u"a_jour"_s].toArray().size(), 2);
    QCOMPARE(json[u"a_jour"_s][0][u"note_de_l_export"_s].toInt(), 9);
    QCOMPARE(json[u"ambigus"_s][0][u"fiches"_s].toArray().size(), 2);
    QCOMPARE(json[u"introuvables"_s][0][u"ligne"_s].toInt(), 6);
    QCOMPARE(json[u"lignes_ignorees"_s][0][u"ligne"_s].toInt(), 7);
    for (auto card = after.cbegin(); card != after.cend(); ++card)
        QCOMPARE(readBytes(path(u"films/"_s + card.key())), *card);
    // A card's name that is no UTF-8 keeps its byte, as show --json writes it.
    QVERIFY(QDir().mkpath(path(u"autres"_s)));
    QVERIFY(QFile::copy(path(u"films/amelie.cfh"_s), path(u"autres/amelie.cfh"_s)));
    const QString odd = path(u"autres/"_s) + pathFromNative("am\xe9lie.cfh");
    QCOMPARE(::rename(nativePath(path(u"autres/amelie.cfh"_s)).constData(), nativePath(odd).constData()), 0);
    const Run named
        = program({ u"history"_s, u"--json"_s, path(u"ratings.csv"_s), u"--"_s, path(u"autres"_s) });
    QVERIFY(named.out.contains("/am\\udce9lie.cfh\""));

    QVERIFY(run(QStringList { history[0], u"--remplacer"_s } + history.mid(1)).out.contains("note=9"));
    QCOMPARE(cardsOf(films)[u"amelie.cfh"_s][u"note"_s].toInt(), 9);
    const Run refused = run({ u"history"_s, path(u"films/amelie.cfh"_s), u"--"_s, films });
    QCOMPARE(refused.status, 1);
    QVERIFY(refused.err.contains("ni un export de Letterboxd ni un export d'IMDb"));
}

// What catalogue writes for Letterboxd and IMDb reads back as a history
// that changes nothing; the spreadsheet's is what Excel opens as UTF-8.
void tst_Exchange::servicesReadBack()
{
    const QString films = path(u"films"_s);
    QVERIFY(QDir().mkpath(films));
    QVERIFY(newCard(films + u"/a.cfh"_s,
        { u"titre=Le Fabuleux Destin d'Amélie Poulain"_s, u"titre_original=Amélie"_s, u"annee=2001"_s,
            u"note=9"_s, u"vu_le=2023-01-01,2024-02-02"_s, u"vu_fois=3"_s, u"etiquettes=paris,=1+1"_s }));
    QVERIFY(
        newCard(films + u"/b.cfh"_s, { u"titre=Seul"_s, u"annee=1985"_s, u"imdb=tt0000001"_s, u"vu=oui"_s }));
    QVERIFY(newCard(films + u"/c.cfh"_s, { u"titre=Pas vu"_s }));
    const QMap<QString, QJsonObject> before = cardsOf(films);
    for (const QString &service : { u"--letterboxd"_s, u"--imdb"_s }) {
        const QString out = path(u"vus.csv"_s);
        QCOMPARE(run({ u"catalogue"_s, service, films, u"-o"_s, out }).status, 0);
        const Run back = run({ u"history"_s, out, u"--"_s, films });
        QVERIFY2(back.out.contains("history : 0 fiche changée")
                && back.out.endsWith(" 0 film ambigu, 0 film introuvable\n"),
            back.out.constData());
        QCOMPARE(cardsOf(films), before);
    }
    QCOMPARE(run({ u"catalogue"_s, u"--excel"_s, films, u"-o"_s, path(u"films.csv"_s) }).status, 0);
    QVERIFY(readBytes(path(u"films.csv"_s))
                .startsWith("\xEF\xBB\xBF"
                            "fichier;titre;"));
}

// The catalogue's table, imported again, gives the same cards, named
// after their titles; an import over them keeps them.
void tst_Exchange::importsATable()
{
    const QString films = path(u"films"_s), again = path(u"again"_s);
    QVERIFY(QDir().mkpath(films) && QDir().mkpath(again));
    for (const char *name : { "le-phare-des-brumes", "la-longue-traversee", "sans-affiche" })
        QVERIFY(QFile::copy(sample(name), films + u'/' + QString::fromLatin1(name) + u".cfh"_s));
    QVERIFY(run({ u"set"_s, u"vu_le=2024-01-01"_s, u"note=8"_s, u"resume=Un\nDeux"_s, u"--"_s,
                    films + u"/sans-affiche.cfh"_s })
                .status
        == 0);
    QCOMPARE(run({ u"catalogue"_s, u"--excel"_s, films, u"-o"_s, path(u"films.csv"_s) }).status, 0);
    const Run imported = program({ u"import"_s, u"--csv"_s, path(u"films.csv"_s), again });
    QCOMPARE(imported.status, 0);
    QVERIFY2(
        imported.out.endsWith("import : 3 fiches écrites, 0 gardée, 0 en échec\n"), imported.out.constData());
    const QMap<QString, QJsonObject> mine = cardsOf(films), theirs = cardsOf(again);
    QCOMPARE(theirs.size(), 3);
    QStringList titles;
    for (auto card = theirs.cbegin(); card != theirs.cend(); ++card) {
        titles << card.key();
        const auto same = std::find_if(mine.cbegin(), mine.cend(),
            [&](const QJsonObject &other) { return other[u"titre"_s] == (*card)[u"titre"_s]; });
        QVERIFY(same != mine.cend());
        QCOMPARE(*card, *same);
    }
    QCOMPARE(titles.first(), cardsOf(again).firstKey());
    const Run kept = program({ u"import"_s, u"--csv"_s, path(u"films.csv"_s), again });
    QVERIFY(kept.out.endsWith("import : 0 fiche écrite, 3 gardées, 0 en échec\n"));
}

// A Tellico file and a GCstar file of three movies each give three cards
// each, with every field they share with a card, and say what they leave.
void tst_Exchange::importsCatalogues()
{
    const QByteArray poster = samplePoster();
    QVERIFY(writeBytes(path(u"films.tc"_s),
        zipOf({ { u"tellico.xml"_s,
                    tellicoXml(tellicoEntry(1, "Amélie", "c.jpeg") + tellicoEntry(2, "Deux", "")
                            + tellicoEntry(3, "Trois", "absente.png"),
                        "3", kTellicoLoan) },
            { u"images/c.jpeg"_s, poster } })));
    QVERIFY(QDir().mkpath(path(u"gc/films_pictures"_s)));
    QVERIFY(writeBytes(path(u"gc/films_pictures/p.jpg"_s), poster));
    QVERIFY(writeBytes(path(u"gc/films.gcs"_s),
        gcstarXml(gcstarItem(1, "Alpha", "/home/x/.local/share/gcstar/images/p.jpg")
            + gcstarItem(2, "Deux", "") + gcstarItem(3, "Trois", "films_pictures/p.jpg"))));
    for (const QString &kind : { u"tellico"_s, u"gcstar"_s }) {
        const QString folder = path(kind);
        QVERIFY(QDir().mkpath(folder));
        const QString file = path(kind == u"tellico" ? u"films.tc"_s : u"gc/films.gcs"_s);
        const Run imported = program({ u"import"_s, u"--"_s + kind, file, folder });
        QCOMPARE(imported.status, 0);
        QVERIFY2(imported.out.endsWith("import : 3 fiches écrites, 0 gardée, 0 en échec\n"),
            imported.out.constData());
        QVERIFY(imported.err.contains("champs sans place dans une fiche, laissés de côté : "));
        const QMap<QString, QJsonObject> cards = cardsOf(folder);
        QCOMPARE(cards.size(), 3);
        const QJsonObject first = cards.first();
        for (const QString &key : { u"titre"_s, u"annee"_s, u"heures"_s, u"type"_s, u"realisateur"_s,
                 u"acteurs"_s, u"resume"_s, u"pays"_s, u"vu"_s, u"note"_s, u"etiquettes"_s, u"pret_a"_s,
                 u"support"_s, u"emplacement"_s, u"ajoutee_le"_s })
            QVERIFY2(!first[key].isNull(), qPrintable(kind + u' ' + key));
        QVERIFY(readBytes(folder + u'/' + cards.firstKey()).mid(1176).startsWith(poster));
    }
    QVERIFY(program({ u"import"_s, u"--tellico"_s, path(u"gc/films.gcs"_s), path(u"tellico"_s) })
                .err.contains("ce n'est pas une collection de films de ce programme, refusé"));
}

QTEST_GUILESS_MAIN(tst_Exchange)
#include "tst_exchange.moc"
