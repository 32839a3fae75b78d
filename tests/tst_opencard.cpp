#include "card/workfolder.h"
#include "editor/opencard.h"
#include "support/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A file told from others by its inode, and from itself rewritten unseen
// by a stat by the digest of its bytes.
CardVersion print(quint64 inode, const QByteArray &digest = "a")
{
    return { { 1, inode, 1176, 0 }, digest };
}

// What the editor does to the card's poster before it writes the card.
enum class Edit { TakePicture, Remove, Reset, Save, LoadAnother, StartNew };
// How it writes: over the card's file, as another file, in place of another
// program's version (the user's own kept), or over the file once the
// picture taken is gone.
enum class Write { Save, SaveAs, Replace, SaveWithPictureGone, SaveAsWithPictureGone };
enum class Poster { CardsOwn, Taken, None };

const QByteArray kOwn("the card's own poster"), kAnother("another card's poster"), kTaken("a picture taken");

}   // namespace

class tst_OpenCard : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void writesThePosterShown_data();
    void writesThePosterShown();
    void savingMakesTheCardItsFile();
    void tellsChangesOnDisk_data();
    void tellsChangesOnDisk();

private:
    TestCache m_cache;
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
    bool load(OpenCard &card, const QString &name, const QByteArray &poster) const;
};

void tst_OpenCard::cleanup()
{
    const bool empty = m_cache.isEmpty();   // every working folder gone with its card
    QDir(m_cache.workBase()).removeRecursively();
    QVERIFY(empty);
}

// The card named, its poster given, loaded as the editor loads it.
bool tst_OpenCard::load(OpenCard &card, const QString &name, const QByteArray &poster) const
{
    return writeBytes(path(name), makeCard("Film", poster))
        && card.load(path(name), makeWorkFolder(1)).status == CardReadStatus::Ok;
}

// The poster shown (and previewed) is the one taken, else the card's own
// unless removed. A save over the file keeps the file's poster unless it
// changed; a copy carries the one shown; the user's version written over
// another program's card carries the poster the user sees.
void tst_OpenCard::writesThePosterShown_data()
{
    QTest::addColumn<QList<Edit>>("edits");
    QTest::addColumn<Poster>("shown");
    QTest::addColumn<Write>("write");
    QTest::addColumn<Poster>("written");
    const auto rows = [](const char *name, const QList<Edit> &edits, Poster shown) {
        for (const auto &[write, written] : { std::pair { Write::Save, "saved" },
                 { Write::SaveAs, "saved as" }, { Write::Replace, "replaced" } })
            QTest::addRow("%s, %s", name, written) << edits << shown << write << shown;
    };
    rows("unchanged", {}, Poster::CardsOwn);
    rows("taken", { Edit::TakePicture }, Poster::Taken);
    rows("removed", { Edit::Remove }, Poster::None);
    rows("removed, then reset", { Edit::Remove, Edit::Reset }, Poster::CardsOwn);
    rows("removed, then saved", { Edit::Remove, Edit::Save }, Poster::None);
    QTest::newRow("taken, then saved: the picture may go")
        << QList { Edit::TakePicture, Edit::Save } << Poster::Taken << Write::SaveWithPictureGone
        << Poster::Taken;
    QTest::newRow("taken, then saved: the picture may go, saved as") << QList { Edit::TakePicture,
        Edit::Save } << Poster::Taken << Write::SaveAsWithPictureGone << Poster::Taken;
    QTest::newRow("taken, then saved, replaced")
        << QList { Edit::TakePicture, Edit::Save } << Poster::Taken << Write::Replace << Poster::Taken;
    QTest::newRow("taken, then another card loaded") << QList { Edit::TakePicture, Edit::LoadAnother }
                                                     << Poster::CardsOwn << Write::Save << Poster::CardsOwn;
    QTest::newRow("new card, taken") << QList { Edit::StartNew, Edit::TakePicture } << Poster::Taken
                                     << Write::SaveAs << Poster::Taken;
    QTest::newRow("new card, nothing taken")
        << QList { Edit::StartNew } << Poster::None << Write::SaveAs << Poster::None;
}

void tst_OpenCard::writesThePosterShown()
{
    QFETCH(QList<Edit>, edits);
    QFETCH(Write, write);
    OpenCard card;
    QVERIFY(load(card, u"film.cfh"_s, kOwn));
    QByteArray own = kOwn;
    const QString picture = path(u"picture.jpg"_s);
    QVERIFY(writeBytes(picture, kTaken));
    for (const Edit edit : edits) {
        if (edit == Edit::TakePicture)
            card.takePoster(picture, QString());
        if (edit == Edit::Remove)
            card.removePoster();
        if (edit == Edit::Reset)
            card.takePoster(card.ownPoster());
        if (edit == Edit::Save)
            QVERIFY(card.save(card.content()).ok());
        if (edit == Edit::LoadAnother)
            QVERIFY(load(card, u"another.cfh"_s, own = kAnother));
        if (edit == Edit::StartNew) {
            card.removeWorkFolders();
            card.startNew(u"new"_s);
            own.clear();
        }
    }
    const auto bytesOf = [&](Poster poster) {
        return poster == Poster::CardsOwn ? own : poster == Poster::Taken ? kTaken : QByteArray();
    };
    QFETCH(Poster, shown);
    const QString shownFile = card.posterShown();
    QCOMPARE(shownFile.isEmpty() ? QByteArray() : readBytes(shownFile), bytesOf(shown));
    if (write == Write::SaveWithPictureGone || write == Write::SaveAsWithPictureGone)
        QVERIFY(QFile::remove(picture));
    if (write == Write::Replace)   // what the user's version replaces
        QVERIFY(writeBytes(card.file().path, makeCard("Theirs", "another program's poster")));
    const bool saveAs = write == Write::SaveAs || write == Write::SaveAsWithPictureGone;
    const SaveResult result = saveAs ? card.saveAs(path(u"copy.cfh"_s), card.content())
        : write == Write::Replace    ? card.replace(card.content(), card.versionOnDisk())
                                     : card.save(card.content());
    QVERIFY(result.ok());
    QFETCH(Poster, written);
    QCOMPARE(posterOf(card.file().path), bytesOf(written));
    QVERIFY(!card.modified());
    card.removeWorkFolders();
    QVERIFY(card.posterShown().isEmpty());
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
    QCOMPARE(card.file().version, print(2));
    card.saved(print(3));
    QCOMPARE(card.file().version, print(3));
    card.startNew(u"new"_s);
    QCOMPARE(card.file().version, std::nullopt);
}

// What the file on disk is to the card's: the file the card was loaded from
// or saved to (1), the same rewritten (its bytes differ), another (2, 3),
// or none. The user is told of each other file once.
void tst_OpenCard::tellsChangesOnDisk_data()
{
    QTest::addColumn<int>("told");       // the file the user was told of since the load of 1; -1: its removal
    QTest::addColumn<int>("saved");      // the file then saved; 0: none
    QTest::addColumn<bool>("renewed");   // then a new card took the place of the loaded one
    QTest::addColumn<int>("onDisk");     // 0: no file
    QTest::addColumn<DiskChange>("change");
    QTest::newRow("its own file") << 0 << 0 << false << 1 << DiskChange::None;
    QTest::newRow("its own file, rewritten") << 0 << 0 << false << -1 << DiskChange::Changed;
    QTest::newRow("another file") << 0 << 0 << false << 2 << DiskChange::Changed;
    QTest::newRow("another file, told") << 2 << 0 << false << 2 << DiskChange::None;
    QTest::newRow("told of one, then another") << 2 << 0 << false << 3 << DiskChange::Changed;
    QTest::newRow("told of one, then its own back") << 2 << 0 << false << 1 << DiskChange::None;
    QTest::newRow("removed") << 0 << 0 << false << 0 << DiskChange::Removed;
    QTest::newRow("removed, told") << -1 << 0 << false << 0 << DiskChange::None;
    QTest::newRow("removed, then put back") << -1 << 0 << false << 1 << DiskChange::Changed;
    QTest::newRow("saved over another") << 2 << 3 << false << 3 << DiskChange::None;
    QTest::newRow("saved, then the told one back") << 2 << 3 << false << 2 << DiskChange::Changed;
    QTest::newRow("a card without file") << 0 << 0 << true << 2 << DiskChange::None;
}

void tst_OpenCard::tellsChangesOnDisk()
{
    QFETCH(int, told);
    QFETCH(int, saved);
    QFETCH(int, onDisk);
    OpenCard card;
    card.loaded(u"/films/film.cfh"_s, false, print(1));
    if (told)
        card.noticeDisk(told > 0 ? std::optional(print(quint64(told))) : std::nullopt);
    if (told < 0)
        card.fileRemoved();
    if (saved)
        card.saved(print(quint64(saved)));
    QFETCH(bool, renewed);
    if (renewed)
        card.startNew(u"new"_s);
    const auto disk
        = onDisk ? std::optional(print(quint64(std::abs(onDisk)), onDisk < 0 ? "b" : "a")) : std::nullopt;
    QTEST(card.diskChange(disk), "change");
}

QTEST_GUILESS_MAIN(tst_OpenCard)
#include "tst_opencard.moc"
