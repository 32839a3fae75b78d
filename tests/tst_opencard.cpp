#include "card/workfolder.h"
#include "editor/opencard.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A file told from others by its inode, and from itself rewritten unseen
// by a stat by the digest of its bytes.
CardVersion print(quint64 inode, const QByteArray &digest = "a")
{
    return { { 1, inode, 1176, 0 }, digest };
}

}   // namespace

class tst_OpenCard : public QObject {
    Q_OBJECT
private slots:
    void savesOnlyWhatItMay_data();
    void savesOnlyWhatItMay();
    void marksPosterChanges_data();
    void marksPosterChanges();
    void postersShownAndWritten_data();
    void postersShownAndWritten();
    void savingMakesTheCardItsFile();
    void tellsChangesOnDisk_data();
    void tellsChangesOnDisk();
};

// Save writes over the file only for a changed card the user may write.
void tst_OpenCard::savesOnlyWhatItMay_data()
{
    QTest::addColumn<bool>("withFile");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("canSave");
    QTest::newRow("new card, unchanged") << false << false << false << false;
    QTest::newRow("new card, changed") << false << false << true << true;
    QTest::newRow("card, changed") << true << false << true << true;
    QTest::newRow("read-only card, changed") << true << true << true << false;
}

void tst_OpenCard::savesOnlyWhatItMay()
{
    QFETCH(bool, withFile);
    QFETCH(bool, readOnly);
    QFETCH(bool, modified);
    OpenCard card;
    if (withFile)
        card.loaded(u"/films/Le film.cfh"_s, readOnly, {});
    else
        card.startNew(u"Nouveau"_s);
    card.setModified(modified);
    QTEST(card.canSave(), "canSave");
    QCOMPARE(card.hasFile(), withFile);
    QCOMPARE(card.file().name, withFile ? u"Le film.cfh"_s : u"Nouveau"_s);
    QCOMPARE(card.file().readOnly, readOnly);
}

// Only a card with a file has a poster on disk to differ from.
void tst_OpenCard::marksPosterChanges_data()
{
    QTest::addColumn<bool>("withFile");
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("toSave");
    QTest::newRow("new card, poster taken") << false << u"take"_s << false << u"/tmp/a.jpg"_s;
    QTest::newRow("card, poster taken") << true << u"take"_s << true << u"/tmp/a.jpg"_s;
    QTest::newRow("card, poster removed") << true << u"remove"_s << true << QString();
    QTest::newRow("card, poster taken then saved") << true << u"take, save"_s << false << u"/tmp/a.jpg"_s;
    QTest::newRow("card, poster taken then loaded") << true << u"take, keep"_s << false << u"/tmp/a.jpg"_s;
}

void tst_OpenCard::marksPosterChanges()
{
    QFETCH(bool, withFile);
    QFETCH(QString, change);
    OpenCard card;
    if (withFile)
        card.loaded(u"/films/film.cfh"_s, false, {});
    if (change.startsWith(u"take"))
        card.takePoster(u"/tmp/a.jpg"_s);
    else
        card.removePoster();
    if (change.endsWith(u"save"))
        card.saved({});
    if (change.endsWith(u"keep"))
        card.keepPoster(u"/tmp/reset"_s);
    QTEST(card.posterChanged(), "changed");
    QTEST(card.posterToSave(), "toSave");
}

// The poster shown (and previewed) is the one taken, else the card's own
// unless removed. A save over the file keeps the file's poster bytes unless
// the poster changed; the user's version written over another program's
// card carries the poster the user sees.
void tst_OpenCard::postersShownAndWritten_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("toWrite");   // PosterChoice::Kind over the card's own file
    QTest::addColumn<int>("shownToWrite");
    const QString own = u"/tmp/reset"_s + WorkFile::Image, taken = u"/tmp/a.jpg"_s;
    const int keep = int(PosterChoice::Kind::Keep), remove = int(PosterChoice::Kind::Remove),
              replace = int(PosterChoice::Kind::Replace);
    QTest::newRow("unchanged: its own") << QString() << own << keep << replace;
    QTest::newRow("taken") << u"take"_s << taken << replace << replace;
    QTest::newRow("removed") << u"remove"_s << QString() << remove << remove;
    QTest::newRow("taken, then saved") << u"take, save"_s << taken << keep << replace;
    QTest::newRow("removed, then saved") << u"remove, save"_s << QString() << keep << remove;
    QTest::newRow("removed, then reset") << u"remove, reset"_s << own << replace << replace;
}

void tst_OpenCard::postersShownAndWritten()
{
    QFETCH(QString, change);
    QFETCH(QString, shown);
    OpenCard card;
    card.loaded(u"/films/film.cfh"_s, false, {});
    card.keepPoster(u"/tmp/reset"_s);
    if (change.startsWith(u"take"))
        card.takePoster(u"/tmp/a.jpg"_s);
    else if (change.startsWith(u"remove"))
        card.removePoster();
    if (change.endsWith(u"save"))
        card.saved({});
    if (change.endsWith(u"reset"))
        card.takePoster(card.ownPoster());
    QCOMPARE(card.posterShown(), shown);
    QTEST(int(card.posterToWrite().kind), "toWrite");
    QTEST(int(card.posterShownToWrite().kind), "shownToWrite");
    if (card.posterShownToWrite().kind == PosterChoice::Kind::Replace)
        QCOMPARE(card.posterShownToWrite().path, shown);
    card.forgetPoster();
    QVERIFY(card.ownPoster().isEmpty());
    QVERIFY(card.posterToSave().isEmpty());
}

void tst_OpenCard::savingMakesTheCardItsFile()
{
    OpenCard card;
    card.loaded(u"/films/old.cfh"_s, true, print(1));
    card.setModified(true);
    card.removePoster();
    card.savedAs(u"/films/new.cfh"_s, print(2));
    QCOMPARE(card.file().path, u"/films/new.cfh"_s);
    QCOMPARE(card.file().name, u"new.cfh"_s);
    QVERIFY(!card.file().readOnly);
    QVERIFY(!card.modified());
    QVERIFY(!card.posterChanged());
    QCOMPARE(card.file().version, print(2));
    card.saved(print(3));
    QCOMPARE(card.file().version, print(3));
    card.startNew(u"Nouveau"_s);
    QCOMPARE(card.file().version, std::nullopt);
}

// What the file on disk is to the card's: the file the card was loaded from
// or saved to (1), the same rewritten (its bytes differ), another (2, 3),
// or none. The user is told of each other file once.
void tst_OpenCard::tellsChangesOnDisk_data()
{
    QTest::addColumn<QString>("history");   // what happened since the load of file 1
    QTest::addColumn<int>("onDisk");        // 0: no file
    QTest::addColumn<DiskChange>("change");
    QTest::newRow("its own file") << QString() << 1 << DiskChange::None;
    QTest::newRow("its own file, rewritten") << QString() << -1 << DiskChange::Changed;
    QTest::newRow("another file") << QString() << 2 << DiskChange::Changed;
    QTest::newRow("another file, told") << u"told 2"_s << 2 << DiskChange::None;
    QTest::newRow("told of one, then another") << u"told 2"_s << 3 << DiskChange::Changed;
    QTest::newRow("told of one, then its own back") << u"told 2"_s << 1 << DiskChange::None;
    QTest::newRow("removed") << QString() << 0 << DiskChange::Removed;
    QTest::newRow("removed, told") << u"removed"_s << 0 << DiskChange::None;
    QTest::newRow("removed, then put back") << u"removed"_s << 1 << DiskChange::Changed;
    QTest::newRow("saved over another") << u"told 2, saved 3"_s << 3 << DiskChange::None;
    QTest::newRow("saved, then the told one back") << u"told 2, saved 3"_s << 2 << DiskChange::Changed;
    QTest::newRow("a card without file") << u"new"_s << 2 << DiskChange::None;
}

void tst_OpenCard::tellsChangesOnDisk()
{
    QFETCH(QString, history);
    QFETCH(int, onDisk);
    OpenCard card;
    card.loaded(u"/films/film.cfh"_s, false, print(1));
    if (history.startsWith(u"told 2"))
        card.noticeDisk(print(2));
    if (history.endsWith(u"saved 3"))
        card.saved(print(3));
    if (history == u"removed") {
        card.noticeDisk(std::nullopt);
        card.fileRemoved();
    }
    if (history == u"new")
        card.startNew(u"Nouveau"_s);
    const auto disk
        = onDisk ? std::optional(print(quint64(std::abs(onDisk)), onDisk < 0 ? "b" : "a")) : std::nullopt;
    QTEST(card.diskChange(disk), "change");
}

QTEST_GUILESS_MAIN(tst_OpenCard)
#include "tst_opencard.moc"
