#include "card/card.h"
#include "collection/cardchanges.h"
#include "collection/cardcollection.h"
#include "collection/collectionstats.h"
#include "collection/defaultfolder.h"
#include "collection/duplicates.h"
#include "collection/filesystemkind.h"
#include "collection/folderwatch.h"
#include "collection/frenchorder.h"
#include "collection/listingwatch.h"
#include "support/testfiles.h"

#include <QDir>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct TitledCard {
    QString path, titre, annee = {}, heures = {}, minutes = {}, type = {}, realisateur = {};
    QString acteurs = {};
    QList<CardEdit> mine = {};   // the fields of the extension
};

// Its texts go where they would on disk: those the record cannot hold into the extension.
ScannedCard scanned(const TitledCard &card)
{
    CardHead head;
    const std::pair<Field, QString> texts[] = { { Field::Titre, card.titre }, { Field::Annee, card.annee },
        { Field::Heures, card.heures }, { Field::Minutes, card.minutes }, { Field::Type, card.type },
        { Field::Realisateur, card.realisateur } };
    for (const auto &[field, text] : texts)
        applyEdit(head.card, { field, text });
    applyEdit(head.card, { .field = Field::Acteurs, .list = splitActorNames(card.acteurs) });
    for (const CardEdit &edit : card.mine)
        applyEdit(head.card, edit);
    const QByteArray record = encodeRecord(head.card.record);
    std::copy(record.begin(), record.end(), head.recordBytes.begin());
    head.fingerprint.size = card.titre.size();   // tells one version of a card from another
    return { u"/films/"_s + card.path, head };
}

FolderRescan found(const QString &folder, const QList<TitledCard> &cards, const QStringList &kept = {})
{
    FolderRescan rescan { u"/films"_s + folder, {}, {}, { u"/films"_s + folder } };
    for (const QString &path : kept)
        rescan.keptFolders << u"/films/"_s + path;
    CardMemo memo;
    for (const TitledCard &card : cards)
        rescan.cards.push_back(collectionCard(scanned(card), u"/films"_s, memo));
    return rescan;
}

// A card whose record holds its texts in Latin letters: the collection
// shows, sorts and searches them as typed.
TitledCard roublev()
{
    return { u"b/roublev.cfh"_s, u"Андрей Рублёв"_s, u"1966"_s, u"3"_s, u"25"_s, u"Drame"_s,
        u"Андрей Тарковский"_s, u"Анатолий Солоницын"_s };
}

// The collection every test starts from: cards at the top and in two folders.
CardCollection films()
{
    CardCollection collection(u"/films"_s);
    collection.apply(found(QString(),
        { { u"eau.cfh"_s, u"Eau"_s, u"1999"_s, u"1"_s, u"30"_s, u"Drame"_s, u"Étienne Roux"_s, u"Léa|Hugo|"_s,
              { { Field::Note, u"7"_s }, { Field::VuLe, {}, { u"2024-05-01"_s } },
                  { Field::AjouteeLe, u"2020-01-01"_s }, { Field::Etiquettes, {}, { u"à revoir"_s } },
                  { Field::Imdb, u"tt0000001"_s } } },
            { u"a/elan.cfh"_s, u"Élan"_s, u"1985"_s, u"2"_s, u"05"_s, u"Comédie"_s, u"Anne Martin"_s, {},
                { { Field::Note, u"10"_s }, { Field::Vu, u"oui"_s },
                    { Field::AjouteeLe, u"2020-01-01 10:00:00"_s },
                    { Field::Etiquettes, {}, { u"Noël"_s, u"À revoir"_s } } } },
            { u"a/fable.cfh"_s, u"Fable"_s, {}, {}, {}, u"drame"_s, u"etienne roux"_s, u"Hugo|"_s,
                { { Field::PretA, u"Paul"_s }, { Field::Saga, u"Contes"_s }, { Field::Imdb, u"tt1"_s } } },
            { u"b/zebre.cfh"_s, u"Zèbre"_s, u"1981"_s, u"0"_s, u"50"_s, u"Western"_s, {}, {},
                { { Field::Note, u"3"_s },
                    { Field::VuLe, {}, { u"2024-05-01 21:30:00"_s, u"2023-01-01"_s } } } },
            { u"b/ete.cfh"_s, u"E"_s, u"2003"_s, {}, {}, u"Drame"_s, {}, {},
                { { Field::Saga, u"contes"_s } } },
            roublev() }));
    return collection;
}

QStringList titlesShown(const CardCollection &collection)
{
    QStringList titles;
    for (const int index : collection.shown())
        titles << collection.cards()[size_t(index)].text(Field::Titre);
    return titles;
}

QStringList paths(QStringList names)
{
    for (QString &name : names)
        name.prepend(u"/films/"_s);
    return names;
}

}   // namespace

class tst_CardCollection : public QObject {
    Q_OBJECT
private slots:
    void sort_data();
    void sort();
    void sortsTitlesWithoutArticles();
    void narrow_data();
    void narrow();
    void growingSearchFindsWhatAFreshOneFinds();
    void facets();
    void statistics();
    void duplicates_data();
    void duplicates();
    void changesEachCardWholeOrNot();
    void cardsReadAnewKeepTheirPlaces_data();
    void cardsReadAnewKeepTheirPlaces();
    void rescan_data();
    void rescan();
    void rescanOnDisk();
    void settlesEachFolder();
    void watchesWhatMayChangeCards_data();
    void watchesWhatMayChangeCards();
    void watchesAFolderMadeReadable();
    void listsShareFoldersAgain_data();
    void listsShareFoldersAgain();
    void findsTheShareHoldingAPath_data();
    void findsTheShareHoldingAPath();
    void defaultFolder_data();
    void defaultFolder();
};

void tst_CardCollection::sort_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<Qt::SortOrder>("order");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("title, accents between their letters")
        << int(columnOf(Field::Titre)) << Qt::AscendingOrder
        << QStringList { u"E"_s, u"Eau"_s, u"Élan"_s, u"Fable"_s, u"Zèbre"_s, u"Андрей Рублёв"_s };
    QTest::newRow("title, backwards")
        << int(columnOf(Field::Titre)) << Qt::DescendingOrder
        << QStringList { u"Андрей Рублёв"_s, u"Zèbre"_s, u"Fable"_s, u"Élan"_s, u"Eau"_s, u"E"_s };
    QTest::newRow("year, a card without one last")
        << int(columnOf(Field::Annee)) << Qt::AscendingOrder
        << QStringList { u"Андрей Рублёв"_s, u"Zèbre"_s, u"Élan"_s, u"Eau"_s, u"E"_s, u"Fable"_s };
    QTest::newRow("running time in minutes, then title")
        << int(columnOf(Field::Heures)) << Qt::AscendingOrder
        << QStringList { u"Zèbre"_s, u"Eau"_s, u"Élan"_s, u"Андрей Рублёв"_s, u"E"_s, u"Fable"_s };
    QTest::newRow("year backwards, a card without one still last")
        << int(columnOf(Field::Annee)) << Qt::DescendingOrder
        << QStringList { u"E"_s, u"Eau"_s, u"Élan"_s, u"Zèbre"_s, u"Андрей Рублёв"_s, u"Fable"_s };
    QTest::newRow("actors, cards without any last")
        << int(columnOf(Field::Acteurs)) << Qt::AscendingOrder
        << QStringList { u"Fable"_s, u"Eau"_s, u"Андрей Рублёв"_s, u"E"_s, u"Élan"_s, u"Zèbre"_s };
    QTest::newRow("rating, highest first")
        << int(columnOf(Field::Note)) << Qt::DescendingOrder
        << QStringList { u"Élan"_s, u"Eau"_s, u"Zèbre"_s, u"E"_s, u"Fable"_s, u"Андрей Рублёв"_s };
    QTest::newRow("last viewing, its time counts")
        << int(columnOf(Field::VuLe)) << Qt::DescendingOrder
        << QStringList { u"Zèbre"_s, u"Eau"_s, u"E"_s, u"Élan"_s, u"Fable"_s, u"Андрей Рублёв"_s };
    QTest::newRow("date added, a day before its own hours")
        << int(columnOf(Field::AjouteeLe)) << Qt::AscendingOrder
        << QStringList { u"Eau"_s, u"Élan"_s, u"E"_s, u"Fable"_s, u"Zèbre"_s, u"Андрей Рублёв"_s };
    QTest::newRow("seen first") << int(columnOf(Field::Vu)) << Qt::AscendingOrder
                                << QStringList { u"Eau"_s, u"Élan"_s, u"Zèbre"_s, u"E"_s, u"Fable"_s,
                                       u"Андрей Рублёв"_s };
    QTest::newRow("folder, the collection's own first")
        << int(kFolderColumn) << Qt::AscendingOrder
        << QStringList { u"Eau"_s, u"Élan"_s, u"Fable"_s, u"E"_s, u"Zèbre"_s, u"Андрей Рублёв"_s };
}

void tst_CardCollection::sort()
{
    QFETCH(int, column);
    QFETCH(Qt::SortOrder, order);
    QFETCH(QStringList, titles);
    CardCollection collection = films();
    collection.sortBy(CardColumn(column), order);
    QCOMPARE(titlesShown(collection), titles);
}

// Shown as typed, sorted as a French shelf: no article counts, and the
// user's own sort title wins.
void tst_CardCollection::sortsTitlesWithoutArticles()
{
    QList<TitledCard> cards;
    for (const QString &title : { u"Playtime"_s, u"Le Samouraï"_s, u"Sans toit ni loi"_s, u"Diva"_s,
             u"La Haine"_s, u"Intouchables"_s, u"L'Armée des ombres"_s, u"À bout de souffle"_s, u"THE KID"_s,
             u"Les"_s, u"L’Atalante"_s, u"Une femme est une femme"_s })
        cards.append({ title + u".cfh"_s, title });
    cards.append({ .path = u"z.cfh"_s,
        .titre = u"Zazie dans le métro"_s,
        .mine = { { Field::TitreTri, u"Metro"_s } } });
    CardCollection collection(u"/films"_s);
    collection.apply(found(QString(), cards));
    QCOMPARE(titlesShown(collection),
        (QStringList { u"À bout de souffle"_s, u"L'Armée des ombres"_s, u"L’Atalante"_s, u"Diva"_s,
            u"Une femme est une femme"_s, u"La Haine"_s, u"Intouchables"_s, u"THE KID"_s, u"Les"_s,
            u"Zazie dans le métro"_s, u"Playtime"_s, u"Le Samouraï"_s, u"Sans toit ni loi"_s }));
}

void tst_CardCollection::narrow_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QList<Facet>>("facets");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("nothing asked") << QString() << QList<Facet>()
                                   << QStringList { u"E"_s, u"Eau"_s, u"Élan"_s, u"Fable"_s, u"Zèbre"_s,
                                          u"Андрей Рублёв"_s };
    QTest::newRow("a word in any field, accents and case ignored")
        << u"  ETIENNE "_s << QList<Facet>() << QStringList { u"Eau"_s, u"Fable"_s };
    QTest::newRow("every word") << u"etienne hugo 1999"_s << QList<Facet>() << QStringList { u"Eau"_s };
    QTest::newRow("genre, whatever its case")
        << QString() << QList<Facet> { { Facet::Genre, u"drame"_s } }
        << QStringList { u"E"_s, u"Eau"_s, u"Fable"_s, u"Андрей Рублёв"_s };
    QTest::newRow("the texts as typed, not as the record holds them")
        << u"РУБЛЁВ тарковский"_s << QList<Facet>() << QStringList { u"Андрей Рублёв"_s };
    QTest::newRow("not the record's Latin letters") << u"rublev"_s << QList<Facet>() << QStringList();
    QTest::newRow("decade") << QString() << QList<Facet> { { Facet::Decade, u"1980"_s } }
                            << QStringList { u"Élan"_s, u"Zèbre"_s };
    QTest::newRow("director and a word")
        << u"hugo"_s << QList<Facet> { { Facet::Director, u"etienne roux"_s } }
        << QStringList { u"Eau"_s, u"Fable"_s };
    QTest::newRow("to watch: neither marked seen nor viewed")
        << QString() << QList<Facet> { { Facet::Seen, QString() } }
        << QStringList { u"E"_s, u"Fable"_s, u"Андрей Рублёв"_s };
    QTest::newRow("lent") << QString() << QList<Facet> { { Facet::Lent, QString() } }
                          << QStringList { u"Fable"_s };
    QTest::newRow("a tag, whatever its spelling")
        << QString() << QList<Facet> { { Facet::Tag, u"a revoir"_s } } << QStringList { u"Eau"_s, u"Élan"_s };
    QTest::newRow("a saga, in the order of its years, whatever the sort")
        << QString() << QList<Facet> { { Facet::Saga, u"contes"_s } } << QStringList { u"E"_s, u"Fable"_s };
    QTest::newRow("no rating") << QString() << QList<Facet> { { Facet::Rating, u"0"_s } }
                               << QStringList { u"E"_s, u"Fable"_s, u"Андрей Рублёв"_s };
    QTest::newRow("cards that describe one movie")
        << QString() << QList<Facet> { { Facet::Duplicate, QString() } }
        << QStringList { u"Eau"_s, u"Fable"_s };
    QTest::newRow("two kinds: each holds")
        << QString() << QList<Facet> { { Facet::Seen, kFlagSet }, { Facet::Genre, u"comedie"_s } }
        << QStringList { u"Élan"_s };
    QTest::newRow("two of a kind: either holds")
        << QString() << QList<Facet> { { Facet::Rating, u"3"_s }, { Facet::Rating, u"10"_s } }
        << QStringList { u"Élan"_s, u"Zèbre"_s };
}

void tst_CardCollection::narrow()
{
    QFETCH(QString, search);
    QFETCH(QList<Facet>, facets);
    QFETCH(QStringList, titles);
    CardCollection collection = films();
    collection.sortBy(CardColumn(columnOf(Field::Titre)), Qt::DescendingOrder);
    collection.setSearch(search);
    collection.setNarrowing(facets);
    if (std::none_of(facets.begin(), facets.end(), [](const Facet &f) { return f.kind == Facet::Saga; }))
        std::reverse(titles.begin(), titles.end());
    QCOMPARE(titlesShown(collection), titles);
}

// A search looks among the cards found before when it only grew, so each
// step must find what the same search finds from nothing.
void tst_CardCollection::growingSearchFindsWhatAFreshOneFinds()
{
    CardCollection typed = films();
    for (const QString &search : { u"e"_s, u"ea"_s, u"e"_s, u"é"_s, u"él"_s, u"él hugo"_s, u"hugo"_s,
             u"hugo él"_s, u"hug"_s, u"2"_s, u"20"_s, u"р"_s, u"ру"_s, u"рё"_s }) {
        typed.setSearch(search);
        CardCollection fresh = films();
        fresh.setSearch(search);
        QCOMPARE(titlesShown(typed), titlesShown(fresh));
    }
}

void tst_CardCollection::facets()
{
    const CardCollection collection = films();
    const auto described = [&collection](Facet::Kind kind) {
        QStringList entries;
        for (const FacetEntry &entry : collection.facets(kind))
            entries << entry.label + u' ' + QString::number(entry.count);
        return entries;
    };
    // The first card read names a genre spelled two ways.
    QCOMPARE(described(Facet::Genre), (QStringList { u"Comédie 1"_s, u"Drame 4"_s, u"Western 1"_s }));
    QCOMPARE(described(Facet::Director),
        (QStringList { u"Anne Martin 1"_s, u"Étienne Roux 2"_s, u"Андрей Тарковский 1"_s }));
    QCOMPARE(described(Facet::Decade), (QStringList { u"1960 1"_s, u"1980 2"_s, u"1990 1"_s, u"2000 1"_s }));
    QCOMPARE(described(Facet::Tag), (QStringList { u"à revoir 2"_s, u"Noël 1"_s }));
    QCOMPARE(described(Facet::Saga), (QStringList { u"Contes 2"_s }));
    QCOMPARE(described(Facet::Rating), (QStringList { u"10 1"_s, u"7 1"_s, u"3 1"_s, u"0 3"_s }));
    QCOMPARE(described(Facet::Seen), (QStringList { u" 3"_s, u"oui 3"_s }));
    QCOMPARE(described(Facet::Lent), (QStringList { u" 1"_s }));
    QCOMPARE(described(Facet::Duplicate), (QStringList { u" 2"_s }));
    CardCollection none(u"/films"_s);
    QCOMPARE(none.facets(Facet::Lent).front().count, 0);
}

// The figures of the cards shown, as the cards give them.
void tst_CardCollection::statistics()
{
    CardCollection collection = films();
    const CollectionStats all = collectionStats(collection.cards(), collection.shown(), 2);
    QCOMPARE(all.cards, 6);
    QCOMPARE(all.decades,
        (std::vector<std::pair<int, int>> { { 1960, 1 }, { 1980, 2 }, { 1990, 1 }, { 2000, 1 } }));
    QCOMPARE(all.genres, (std::vector<std::pair<QString, int>> { { u"Drame"_s, 4 }, { u"Comédie"_s, 1 } }));
    QCOMPARE(all.directors.front(), (std::pair<QString, int> { u"Étienne Roux"_s, 2 }));
    QCOMPARE(all.seen, 3);
    QCOMPARE(all.minutes, 90 + 125 + 50 + 205);
    QCOMPARE(all.seenMinutes, 90 + 125 + 50);
    QCOMPARE(all.ratings, (std::array<int, 11> { 3, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1 }));
    collection.setSearch(u"etienne"_s);
    QCOMPARE(collectionStats(collection.cards(), collection.shown(), 2).cards, 2);
}

using Movies = QList<QStringList>;   // titre, titre_original, annee, imdb, tmdb
using Groups = QList<QList<int>>;

void tst_CardCollection::duplicates_data()
{
    QTest::addColumn<Movies>("movies");
    QTest::addColumn<Groups>("groups");
    QTest::newRow("one IMDb identifier, its zeros aside, whatever the titles")
        << Movies { { u"Aladdin"_s, {}, u"1992"_s, u"tt0103639"_s, {} }, { u"Autre"_s, {}, {}, {}, {} },
               { u"Aladdin, version longue"_s, {}, u"2004"_s, u"tt103639"_s, {} } }
        << Groups { { 0, 2 } };
    QTest::newRow("one TMDb identifier")
        << Movies { { u"A"_s, {}, {}, {}, u"812"_s }, { u"B"_s, {}, {}, {}, u"812"_s } }
        << Groups { { 0, 1 } };
    QTest::newRow("one folded title, years a year apart")
        << Movies { { u"Le Samouraï"_s, {}, u"1967"_s, {}, {} }, { u"LE SAMOURAI"_s, {}, u"1968"_s, {}, {} },
               { u"Le Samouraï"_s, {}, u"1970"_s, {}, {} } }
        << Groups { { 0, 1 } };
    QTest::newRow("an original title as another's title") << Movies {
        { u"Le Gosse"_s, u"The Kid"_s, u"1921"_s, {}, {} }, { u"The Kid"_s, {}, u"1921"_s, {}, {} }
    } << Groups { { 0, 1 } };
    QTest::newRow("a remake of the same title")
        << Movies { { u"Aladdin"_s, {}, u"1992"_s, {}, {} }, { u"Aladdin"_s, {}, u"2019"_s, {}, {} } }
        << Groups {};
    QTest::newRow("identifiers that differ") << Movies { { u"Hamlet"_s, {}, u"1990"_s, u"tt0099726"_s, {} },
        { u"Hamlet"_s, {}, u"1990"_s, u"tt0116477"_s, {} } }
                                             << Groups {};
    QTest::newRow("no year: identifiers alone")
        << Movies { { u"Hamlet"_s, {}, {}, {}, {} }, { u"Hamlet"_s, {}, {}, {}, {} } } << Groups {};
    // Each card is compared with a few others of its title only, yet all are one.
    Groups copies { {} };
    for (int i = 0; i < 10000; ++i)
        copies[0] << i;
    QTest::newRow("ten thousand copies") << Movies(10000, { u"Hamlet"_s, {}, u"1990"_s, {}, {} }) << copies;
}

void tst_CardCollection::duplicates()
{
    QFETCH(Movies, movies);
    std::vector<MovieIdentity> identities;
    for (const QStringList &movie : movies) {
        CardValues values;
        const Field fields[] = { Field::Titre, Field::TitreOriginal, Field::Annee, Field::Imdb, Field::Tmdb };
        for (int i = 0; i < 5; ++i)
            values.text(fields[i]) = movie[i];
        identities.push_back(movieIdentity(values));
    }
    Groups groups;
    for (const std::vector<int> &group : duplicateGroups(identities))
        groups << QList<int>(group.begin(), group.end());
    QTEST(groups, "groups");
}

// Many cards changed in turn: each whole, or left as it was and said; one
// that holds the values already is not written; a cancel stops before the next.
void tst_CardCollection::changesEachCardWholeOrNot()
{
    QTemporaryDir dir;
    const QStringList paths { dir.filePath(u"a.cfh"_s), dir.filePath(u"pas-une-fiche.cfh"_s),
        dir.filePath(u"c.cfh"_s), dir.filePath(u"d.cfh"_s) };
    QVERIFY(writeBytes(paths[0], makeCard("A", "poster")) && writeBytes(paths[1], "notes")
        && writeBytes(paths[2], makeCard("C", {})) && writeBytes(paths[3], makeCard("D", {})));
    const QList<CardEdit> seenAndTagged = seenTodayEdits(QDate(2024, 5, 1))
        + QList<CardEdit> {
              { .field = Field::Etiquettes, .list = { u"à revoir"_s }, .op = CardEdit::Op::Add }
          };
    QVERIFY(changeCardFields(paths[2], seenAndTagged).saved.ok());
    const QByteArray seenC = readBytes(paths[2]);
    std::atomic<bool> cancel = false;
    QList<CardChangeOutcome> outcomes;
    QCOMPARE(changeEachCard(paths.mid(0, 3), seenAndTagged, cancel,
                 [&](const CardChangeOutcome &outcome) { outcomes << outcome; }),
        3);
    QCOMPARE(outcomes[0].saved.status, SaveStatus::Ok);
    QCOMPARE(outcomes[1].saved.status, SaveStatus::NotCard);
    QCOMPARE(outcomes[2].saved.status, SaveStatus::Cancelled);   // nothing to change
    QVERIFY(outcomes[0].ok() && !outcomes[1].ok() && outcomes[2].ok());
    QCOMPARE(readBytes(paths[1]), QByteArray("notes"));
    QCOMPARE(readBytes(paths[2]), seenC);
    Card a = readCardHead(paths[0]).card;
    QCOMPARE(cardValues(a).list(Field::VuLe), QStringList { u"2024-05-01"_s });
    QCOMPARE(cardValues(a).list(Field::Etiquettes), QStringList { u"à revoir"_s });
    QVERIFY(readBytes(paths[0]).contains("poster"));
    // Lent again to the one who has it: the date stays.
    QVERIFY(changeCardFields(paths[0], lendingEdits(u"Paul"_s, QDate(2024, 5, 1))).ok());
    QVERIFY(changeCardFields(paths[0], lendingEdits(u"Paul"_s, QDate(2024, 6, 1))).ok());
    QCOMPARE(cardValues(readCardHead(paths[0]).card).text(Field::PretLe), u"2024-05-01"_s);
    cancel = true;
    QCOMPARE(changeEachCard(paths.mid(3), seenAndTagged, cancel, [](const CardChangeOutcome &) {}), 0);
    QCOMPARE(readBytes(paths[3]), makeCard("D", {}));
}

// A card changed by the window is drawn again where it is when it stays
// there; else the list is placed anew, as after a rescan.
void tst_CardCollection::cardsReadAnewKeepTheirPlaces_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QList<Facet>>("facets");
    QTest::addColumn<CardEdit>("edit");   // of Élan
    QTest::addColumn<bool>("kept");
    QTest::addColumn<QStringList>("titles");
    const QStringList all { u"E"_s, u"Eau"_s, u"Élan"_s, u"Fable"_s, u"Zèbre"_s, u"Андрей Рублёв"_s };
    const int title = int(columnOf(Field::Titre)), rating = int(columnOf(Field::Note));
    QTest::newRow("a tag under a sort by title")
        << title << QList<Facet>() << CardEdit { Field::Saga, u"Contes"_s } << true << all;
    QTest::newRow("a rating under a sort by rating, still the highest")
        << rating << QList<Facet>() << CardEdit { Field::Note, u"9"_s } << true
        << QStringList { u"Zèbre"_s, u"Eau"_s, u"Élan"_s, u"E"_s, u"Fable"_s, u"Андрей Рублёв"_s };
    QTest::newRow("a rating under a sort by rating, now the lowest")
        << rating << QList<Facet>() << CardEdit { Field::Note, u"1"_s } << false
        << QStringList { u"Élan"_s, u"Zèbre"_s, u"Eau"_s, u"E"_s, u"Fable"_s, u"Андрей Рублёв"_s };
    QTest::newRow("not seen any more, among the cards seen")
        << title << QList<Facet> { { Facet::Seen, kFlagSet } } << CardEdit { Field::Vu, QString() } << false
        << QStringList { u"Eau"_s, u"Zèbre"_s };
}

void tst_CardCollection::cardsReadAnewKeepTheirPlaces()
{
    QFETCH(int, column);
    QFETCH(QList<Facet>, facets);
    QFETCH(CardEdit, edit);
    CardCollection collection = films();
    collection.sortBy(CardColumn(column), Qt::AscendingOrder);
    collection.setNarrowing(facets);
    const CollectionCard &elan = collection.cards()[size_t(collection.indexOf(u"/films/a/elan.cfh"_s))];
    Card card;
    for (const Field field : { Field::Titre, Field::Annee, Field::Type, Field::Realisateur })
        applyEdit(card, { field, elan.text(field) });
    applyEdit(card, { Field::Note, QString::number(elan.rating) });
    applyEdit(card, { Field::Vu, kFlagSet });
    applyEdit(card, edit);
    const std::vector<CollectionCard> anew { collectionCardOf(elan.path, card, false, u"/films"_s) };
    QTEST(collection.keepsPlaces(anew), "kept");
    collection.replace(anew);
    QTEST(titlesShown(collection), "titles");
}

void tst_CardCollection::rescan_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<QList<TitledCard>>("cards");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("changes");   // added, changed, removed
    QTest::newRow("a folder: one card added, one changed, one removed")
        << u"/a"_s << QStringList()
        << QList<TitledCard> { { u"a/elan.cfh"_s, u"Élan (nouveau)"_s }, { u"a/nu.cfh"_s, u"Nu"_s } }
        << QStringList { u"E"_s, u"Eau"_s, u"Élan (nouveau)"_s, u"Nu"_s, u"Zèbre"_s, u"Андрей Рублёв"_s }
        << QStringList { u"a/nu.cfh"_s, u"a/elan.cfh"_s, u"a/fable.cfh"_s };
    QTest::newRow("the top, its folders kept: their cards stay")
        << QString() << QStringList { u"a"_s, u"b"_s } << QList<TitledCard>()
        << QStringList { u"E"_s, u"Élan"_s, u"Fable"_s, u"Zèbre"_s, u"Андрей Рублёв"_s }
        << QStringList { u"eau.cfh"_s };
    QTest::newRow("the top, a folder gone: its cards go")
        << QString() << QStringList { u"a"_s } << QList<TitledCard> { { u"eau.cfh"_s, u"Eau"_s } }
        << QStringList { u"Eau"_s, u"Élan"_s, u"Fable"_s }
        << QStringList { u"b/zebre.cfh"_s, u"b/ete.cfh"_s, u"b/roublev.cfh"_s };
    QTest::newRow("unchanged") << u"/b"_s << QStringList()
                               << QList<TitledCard> { { u"b/zebre.cfh"_s, u"Zèbre"_s },
                                      { u"b/ete.cfh"_s, u"E"_s }, roublev() }
                               << QStringList { u"E"_s, u"Eau"_s, u"Élan"_s, u"Fable"_s, u"Zèbre"_s,
                                      u"Андрей Рублёв"_s }
                               << QStringList();
}

void tst_CardCollection::rescan()
{
    QFETCH(QString, folder);
    QFETCH(QStringList, kept);
    QFETCH(QList<TitledCard>, cards);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, changes);
    CardCollection collection = films();
    const CollectionChanges made = collection.apply(found(folder, cards, kept));
    QCOMPARE(titlesShown(collection), titles);
    QCOMPARE(made.added + made.changed + made.removed, paths(changes));
    for (const QString &path : made.removed)
        QCOMPARE(collection.indexOf(path), -1);
}

// A known folder is left to its own rescan; a new one is read to its
// depths, and its folders join those watched; hidden ones (the trash) are not read.
void tst_CardCollection::rescanOnDisk()
{
    QTemporaryDir dir, cache;
    const QByteArray userCache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));   // a share's index goes there
    const auto restore = qScopeGuard([&userCache] {
        userCache.isNull() ? qunsetenv("XDG_CACHE_HOME") : qputenv("XDG_CACHE_HOME", userCache);
    });
    const QString root = dir.path();
    QVERIFY(QDir(root).mkpath(u"vus/anciens"_s) && QDir(root).mkpath(u"nouveaux/courts"_s));
    QVERIFY(QDir(root).mkpath(u".local/share/Trash/files"_s) && QDir(root).mkpath(u"nouveaux/.cache"_s));
    const QByteArray card = makeCard("Titre", {});
    for (const char *name : { "top.cfh", "vus/v.cfh", "nouveaux/n.cfh", "nouveaux/courts/c.txt",
             ".local/share/Trash/files/jetee.cfh", "nouveaux/.cache/cachee.cfh" })
        QVERIFY(writeBytes(root + u'/' + QString::fromUtf8(name), card));
    QVERIFY(writeBytes(root + u"/notes.cfh"_s, "pas une fiche"));
    QVERIFY(QFile::link(root, root + u"/nouveaux/boucle"_s));
    // On a share the cards are read many at once: the same cards, in the same order.
    for (const FileSystemKind kind : { FileSystemKind::Local, FileSystemKind::Network }) {
        const FileSystemKindProbe probe([kind](const QString &) { return kind; });
        const FolderRescan rescan = rescanFolder(root, { root + u"/vus"_s }, root);
        QStringList cards;
        for (const CollectionCard &found : rescan.cards)
            cards << found.path.mid(root.size() + 1) + u' ' + found.folder;
        QCOMPARE(cards,
            (QStringList {
                u"top.cfh "_s, u"nouveaux/courts/c.txt nouveaux/courts"_s, u"nouveaux/n.cfh nouveaux"_s }));
        QCOMPARE(rescan.keptFolders, QStringList { root + u"/vus"_s });
        QCOMPARE(rescan.folders, (QStringList { root, root + u"/nouveaux"_s, root + u"/nouveaux/courts"_s }));
        QVERIFY(rescanFolder(root + u"/parti"_s, {}, root).folders.isEmpty());

        // A folder's first reading on a local disk does not look at its cards'
        // files: they count as changed at its next reading, and no more after.
        // On a share, whose index needs that look, it is taken.
        CardCollection collection(root);
        QCOMPARE(collection.apply(rescanFolder(root, {}, root)).added.size(), 4);
        const QString nouveaux = root + u"/nouveaux"_s;
        const QStringList firstChanged { nouveaux + u"/n.cfh"_s };
        for (const QStringList &changed :
            { kind == FileSystemKind::Local ? firstChanged : QStringList(), QStringList() })
            QCOMPARE(collection.apply(rescanFolder(nouveaux, collection.folders(), root)).changed, changed);
    }
}

// A folder is looked at once its changes have stopped for the settle time,
// and at least once a second while they go on; each folder on its own.
void tst_CardCollection::settlesEachFolder()
{
    SettlingFolders settling(FolderWatch::SettleMs, FolderWatch::LongestWaitMs);
    QHash<QString, QList<qint64>> lookedAt;
    settling.touch(u"/films/calme"_s, 20);
    for (qint64 now = 0; now <= 2500; now += 10) {
        if (now % 50 == 0 && now <= 2000)   // a log written every 50 ms
            settling.touch(u"/films/occupe"_s, now);
        const std::optional<qint64> due = settling.nextDue();
        const QStringList folders = settling.takeDue(now);
        QCOMPARE(!folders.isEmpty(), due && *due <= now);
        for (const QString &folder : folders)
            lookedAt[folder] << now;
    }
    QCOMPARE(lookedAt.value(u"/films/calme"_s), QList<qint64> { 170 });
    QCOMPARE(lookedAt.value(u"/films/occupe"_s), (QList<qint64> { 1000, 2050 }));
}

// A file written in a watched folder touches it when it is a card, or was
// one; a file removed, always. No bytes: the file is removed.
void tst_CardCollection::watchesWhatMayChangeCards_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("touched");
    const QByteArray card = makeCard("Titre", {});
    QTest::newRow("a file that is no card") << u"notes.txt"_s << QByteArray("encore des notes") << false;
    QTest::newRow("named as a card, no card") << u"fausse.cfh"_s << QByteArray("pas une fiche") << false;
    QTest::newRow("a card, whatever its name") << u"notes.txt"_s << card << true;
    QTest::newRow("a card written over with no card") << u"connue.cfh"_s << QByteArray("notes") << true;
    QTest::newRow("a file removed") << u"notes.txt"_s << QByteArray() << true;
}

void tst_CardCollection::watchesWhatMayChangeCards()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString films = dir.path() + u"/films"_s, other = dir.path() + u"/autres"_s;
    QVERIFY(QDir().mkpath(films) && QDir().mkpath(other));
    QVERIFY(writeBytes(films + u"/connue.cfh"_s, makeCard("Connue", {})));
    QVERIFY(writeBytes(films + u"/notes.txt"_s, "notes"));
    FolderWatch watch;
    watch.setKnownCard([&](const QString &path) { return path == films + u"/connue.cfh"_s; });
    watch.watch({ dir.path(), films, other });
    QSignalSpy spy(&watch, &FolderWatch::touched);
    QVERIFY(bytes.isNull() ? QFile::remove(films + u'/' + file) : writeBytes(films + u'/' + file, bytes));
    // A card written in another folder afterwards: its folder is due no sooner.
    QVERIFY(writeBytes(other + u"/temoin.cfh"_s, makeCard("Témoin", {})));
    const auto touched = [&spy] {
        QStringList folders;
        for (const QList<QVariant> &signal : spy)
            folders << signal.first().toStringList();
        return folders;
    };
    QTRY_VERIFY(touched().contains(other));
    QTEST(touched().contains(films), "touched");
}

// A folder its user could not read when the collection was read is read
// once its mode lets them: its parent sees the change, and the folder's own
// watch, refused until then, is added.
void tst_CardCollection::watchesAFolderMadeReadable()
{
    QTemporaryDir dir;
    const QString locked = dir.path() + u"/ferme"_s;
    QVERIFY(QDir().mkpath(locked));
    QVERIFY(QFile::setPermissions(locked, {}));
    const FileModesBindRoot asUser;
    if (const int fd = ::open(QFile::encodeName(locked).constData(), O_RDONLY | O_DIRECTORY); fd >= 0) {
        ::close(fd);
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QSKIP("This user reads a folder whatever its mode, and could not give that up");
    }
    FolderWatch watch;
    watch.watch({ dir.path(), locked });
    QVERIFY(!watch.watched().contains(locked));
    QSignalSpy touched(&watch, &FolderWatch::touched);
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QTRY_VERIFY(!touched.isEmpty());
    QCOMPARE(touched.first().first().toStringList(), (QStringList { dir.path(), locked }));
    QVERIFY(watch.watched().contains(locked));
}

// On a share, folders are listed again on a timer: a change another
// machine made to an entry touches its folder, and a folder gone or made
// touches it and its parent. Nothing changed, no folder is touched.
void tst_CardCollection::findsTheShareHoldingAPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("share");   // empty: on this machine's disks
    QTest::newRow("local disk") << u"/home/anne/Films/a.cfh"_s << QString();
    QTest::newRow("sshfs") << u"/mnt/nas/Films/a.cfh"_s << u"/mnt/nas"_s;
    QTest::newRow("the mount point itself") << u"/mnt/nas"_s << u"/mnt/nas"_s;
    QTest::newRow("a name that only begins alike") << u"/mnt/nassau/a.cfh"_s << QString();
    QTest::newRow("a disk mounted inside the share") << u"/mnt/nas/usb/a.cfh"_s << QString();
    QTest::newRow("NFS, a blank in its name") << u"/srv/mes films/a.cfh"_s << u"/srv/mes films"_s;
    QTest::newRow("a FUSE disk (NTFS)") << u"/media/ntfs/a.cfh"_s << QString();
    QTest::newRow("path with dots") << u"/mnt/nas/../../home/a.cfh"_s << QString();
}

void tst_CardCollection::findsTheShareHoldingAPath()
{
    QFETCH(QString, path);
    QFETCH(QString, share);
    const QByteArray table = "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                             "40 22 0:50 / /mnt/nas rw - fuse.sshfs root@nas: rw\n"
                             "41 40 8:17 / /mnt/nas/usb rw - vfat /dev/sdb1 rw\n"
                             "42 22 0:51 / /srv/mes\\040films rw - nfs4 nas:/films rw\n"
                             "43 22 8:33 / /media/ntfs rw - fuseblk /dev/sdc1 rw\n";
    QCOMPARE(MountTable(table).networkMountOf(path).value_or(QString()), share);
}

void tst_CardCollection::listsShareFoldersAgain_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("touched");   // below the collection's folder
    QTest::newRow("nothing") << u"none"_s << QStringList {};
    QTest::newRow("a card added") << u"add"_s << QStringList { u"films"_s };
    QTest::newRow("a card removed") << u"remove"_s << QStringList { u"films"_s };
    QTest::newRow("a card rewritten, same size") << u"rewrite"_s << QStringList { u"films"_s };
    QTest::newRow("a folder made") << u"mkdir"_s << QStringList { u""_s };
    QTest::newRow("a folder gone, told by its parent") << u"rmdir"_s << QStringList { u""_s };
    QTest::newRow("another file system in its place: a share unmounted") << u"remount"_s << QStringList {};
}

void tst_CardCollection::listsShareFoldersAgain()
{
    QFETCH(QString, change);
    QTemporaryDir dir, elsewhere(u"/dev/shm/cinefiche-XXXXXX"_s);   // another file system
    const QString films = dir.path() + u"/films"_s, card = films + u"/a.cfh"_s;
    QVERIFY(QDir().mkpath(films) && writeBytes(card, makeCard("Titre", {})));
    QVERIFY(setModifiedTime(card, 1'000'000'000'000'000'000));
    // The collection is watched through a link, which "remount" points elsewhere.
    const QString through = dir.path() + u"/lien"_s, filmsThrough = through + u"/films"_s;
    QVERIFY(QFile::link(dir.path(), through));
    ListingWatch watch;
    QSignalSpy touched(&watch, &ListingWatch::touched), reachable(&watch, &ListingWatch::reachable);
    watch.watch({ through, filmsThrough });
    QTest::qWait(100);   // the first listings, taken at once
    if (change == u"remount"_s
        && QStorageInfo(dir.path()).fileSystemType() == QStorageInfo(elsewhere.path()).fileSystemType())
        QSKIP("The temporary folders are on file systems of the same kind");
    if (change == u"add"_s)
        QVERIFY(writeBytes(films + u"/b.cfh"_s, makeCard("Autre", {})));
    else if (change == u"remove"_s)
        QVERIFY(QFile::remove(card));
    else if (change == u"rewrite"_s)
        QVERIFY(writeBytes(card, makeCard("Tutre", {})) && setModifiedTime(card, 1'000'000'001'000'000'000));
    else if (change == u"mkdir"_s)
        QVERIFY(QDir().mkpath(dir.path() + u"/nouveau"_s));
    else if (change == u"rmdir"_s)
        QVERIFY(QDir(films).removeRecursively());
    else if (change == u"remount"_s)
        QVERIFY(QDir().mkpath(elsewhere.path() + u"/films"_s) && QFile::remove(through)
            && QFile::link(elsewhere.path(), through));
    watch.listNow();
    QTest::qWait(100);
    QStringList folders;
    for (const QList<QVariant> &signal : touched) {
        for (const QString &folder : signal.first().toStringList())
            folders << folder.mid(through.size() + 1);
    }
    QTEST(folders, "touched");
    QCOMPARE(reachable.size(), change == u"remount"_s ? 1 : 0);
    // Quiet for a minute, the rounds stretch, never past what shows a change within 15 s.
    QCOMPARE(nextRoundMs(0), 10'000);
    QVERIFY(nextRoundMs(60'000) > 10'000 && nextRoundMs(3'600'000) <= 13'000);
}

void tst_CardCollection::defaultFolder_data()
{
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("movies");
    QTest::addColumn<QString>("chosen");
    const QString here = QDir::tempPath();
    const QString gone = here + u"/parti-depuis"_s;
    QTest::newRow("asked, even missing") << gone << here << here << gone;
    QTest::newRow("the last one") << QString() << here << u"/videos"_s << here;
    QTest::newRow("the last one gone: videos") << QString() << gone << here << here;
    QTest::newRow("no videos folder: home") << QString() << QString() << gone << u"/home/moi"_s;
}

void tst_CardCollection::defaultFolder()
{
    QFETCH(QString, asked);
    QFETCH(QString, last);
    QFETCH(QString, movies);
    QFETCH(QString, chosen);
    QCOMPARE(collectionFolder(asked, last, movies, u"/home/moi"_s), chosen);
}

QTEST_GUILESS_MAIN(tst_CardCollection)
#include "tst_cardcollection.moc"
