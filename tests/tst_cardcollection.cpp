#include "card/card.h"
#include "collection/cardcollection.h"
#include "collection/defaultfolder.h"
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
        { { u"eau.cfh"_s, u"Eau"_s, u"1999"_s, u"1"_s, u"30"_s, u"Drame"_s, u"Étienne Roux"_s,
              u"Léa|Hugo|"_s },
            { u"a/elan.cfh"_s, u"Élan"_s, u"1985"_s, u"2"_s, u"05"_s, u"Comédie"_s, u"Anne Martin"_s },
            { u"a/fable.cfh"_s, u"Fable"_s, {}, {}, {}, u"drame"_s, u"etienne roux"_s, u"Hugo|"_s },
            { u"b/zebre.cfh"_s, u"Zèbre"_s, u"1981"_s, u"0"_s, u"50"_s, u"Western"_s },
            { u"b/ete.cfh"_s, u"E"_s, u"2003"_s, {}, {}, u"Drame"_s }, roublev() }));
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
    void narrow_data();
    void narrow();
    void growingSearchFindsWhatAFreshOneFinds();
    void facets();
    void rescan_data();
    void rescan();
    void rescanOnDisk();
    void settlesEachFolder();
    void watchesWhatMayChangeCards_data();
    void watchesWhatMayChangeCards();
    void watchesAFolderMadeReadable();
    void listsShareFoldersAgain_data();
    void listsShareFoldersAgain();
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
    QTest::newRow("actors, a card without any first")
        << int(columnOf(Field::Acteurs)) << Qt::AscendingOrder
        << QStringList { u"E"_s, u"Élan"_s, u"Zèbre"_s, u"Fable"_s, u"Eau"_s, u"Андрей Рублёв"_s };
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

void tst_CardCollection::narrow_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<std::optional<Facet>>("facet");
    QTest::addColumn<QStringList>("titles");
    const std::optional<Facet> none;
    QTest::newRow("nothing asked") << QString() << none
                                   << QStringList { u"E"_s, u"Eau"_s, u"Élan"_s, u"Fable"_s, u"Zèbre"_s,
                                          u"Андрей Рублёв"_s };
    QTest::newRow("a word in any field, accents and case ignored")
        << u"  ETIENNE "_s << none << QStringList { u"Eau"_s, u"Fable"_s };
    QTest::newRow("every word") << u"etienne hugo 1999"_s << none << QStringList { u"Eau"_s };
    QTest::newRow("genre, whatever its case")
        << QString() << std::optional(Facet { Facet::Genre, u"drame"_s })
        << QStringList { u"E"_s, u"Eau"_s, u"Fable"_s, u"Андрей Рублёв"_s };
    QTest::newRow("the texts as typed, not as the record holds them")
        << u"РУБЛЁВ тарковский"_s << none << QStringList { u"Андрей Рублёв"_s };
    QTest::newRow("not the record's Latin letters") << u"rublev"_s << none << QStringList();
    QTest::newRow("decade") << QString() << std::optional(Facet { Facet::Decade, u"1980"_s })
                            << QStringList { u"Élan"_s, u"Zèbre"_s };
    QTest::newRow("director and a word")
        << u"hugo"_s << std::optional(Facet { Facet::Director, u"etienne roux"_s })
        << QStringList { u"Eau"_s, u"Fable"_s };
}

void tst_CardCollection::narrow()
{
    QFETCH(QString, search);
    QFETCH(std::optional<Facet>, facet);
    QFETCH(QStringList, titles);
    CardCollection collection = films();
    collection.setSearch(search);
    collection.setFacet(facet);
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
