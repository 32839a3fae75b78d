#include "card/workfolder.h"
#include "editor/opencard.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_OpenCard : public QObject {
    Q_OBJECT
private slots:
    void savesOnlyWhatItMay_data();
    void savesOnlyWhatItMay();
    void marksPosterChanges_data();
    void marksPosterChanges();
    void previewsPoster_data();
    void previewsPoster();
    void savingMakesTheCardItsFile();
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
        card.loaded(u"/films/Le film.cfh"_s, readOnly);
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
        card.loaded(u"/films/film.cfh"_s, false);
    if (change.startsWith(u"take"))
        card.takePoster(u"/tmp/a.jpg"_s);
    else
        card.removePoster();
    if (change.endsWith(u"save"))
        card.saved();
    if (change.endsWith(u"keep"))
        card.keepPoster(u"/tmp/reset"_s);
    QTEST(card.posterChanged(), "changed");
    QTEST(card.posterToSave(), "toSave");
}

// The preview shows the poster taken, else the card's own unless it was removed.
void tst_OpenCard::previewsPoster_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("shown");
    QTest::newRow("unchanged: its own") << QString() << u"/tmp/reset"_s + WorkFile::Image;
    QTest::newRow("taken") << u"take"_s << u"/tmp/a.jpg"_s;
    QTest::newRow("removed") << u"remove"_s << QString();
}

void tst_OpenCard::previewsPoster()
{
    QFETCH(QString, change);
    OpenCard card;
    card.loaded(u"/films/film.cfh"_s, false);
    card.keepPoster(u"/tmp/reset"_s);
    if (change == u"take")
        card.takePoster(u"/tmp/a.jpg"_s);
    else if (change == u"remove")
        card.removePoster();
    QTEST(card.posterForPreview(), "shown");
    card.forgetPoster();
    QVERIFY(card.ownPoster().isEmpty());
    QVERIFY(card.posterToSave().isEmpty());
}

void tst_OpenCard::savingMakesTheCardItsFile()
{
    OpenCard card;
    card.loaded(u"/films/old.cfh"_s, true);
    card.setModified(true);
    card.removePoster();
    card.savedAs(u"/films/new.cfh"_s);
    QCOMPARE(card.file().path, u"/films/new.cfh"_s);
    QCOMPARE(card.file().name, u"new.cfh"_s);
    QVERIFY(!card.file().readOnly);
    QVERIFY(!card.modified());
    QVERIFY(!card.posterChanged());
}

QTEST_GUILESS_MAIN(tst_OpenCard)
#include "tst_opencard.moc"
