#include "card/cardsave.h"
#include "card/cardwatch.h"
#include "editor/editorwindow.h"
#include "support/editorrun.h"
#include "support/pictures.h"
#include "support/scripteddesktop.h"
#include "support/testfiles.h"
#include "support/windowparts.h"
#include "viewer/viewerwindow.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// What happens to the card open in the editor, in order, while it is idle.
enum class Event { ActorTyped, SavedByTheEditor, GenreChanged, Removed, RewrittenInPlace, MadeReadOnly };

// What the editor says when another program changed the card, and removed it.
QString changedQuestion(const QString &card)
{
    return saidAbout(Text::CardChanged, card) + u"\r\r"_s + textOf(Text::CardChangedChoice);
}

QString removalNotice(const QString &card)
{
    return saidAbout(Text::CardRemoved, card) + u"\r\r"_s + textOf(Text::CardRemovedSave);
}

QByteArray cardBytes(const QString &title, const QString &genre, const QByteArray &poster)
{
    return makeCard(encodeRecord(makeRecord(
                        { title, u"1985"_s, u" 2"_s, u"12"_s, genre, u"Anne"_s, u"Boris|"_s, u"Court."_s })),
        poster);
}

// Another program changes the card's genre, as the card tool's set does.
QByteArray changeGenre(const QString &card, const QString &genre)
{
    const auto edit = [&](Card &card) {
        card.record.text(Field::Type) = genre.leftJustified(fieldWidth(Field::Type));
        return true;
    };
    return changeCard(card, edit).ok() ? readBytes(card) : QByteArray();
}

QString fieldOf(const QByteArray &card, int offset, int width)
{
    return QString::fromLatin1(card.mid(offset, width)).trimmed();
}

QString titleOf(const QByteArray &card)
{
    return fieldOf(card, 7, fieldWidth(Field::Titre));
}

// "Title, Genre" of a card's bytes, "" when there are none.
QString titleAndGenre(const QByteArray &card)
{
    return card.isEmpty() ? QString()
                          : titleOf(card) + u", "_s + fieldOf(card, 7 + 58, fieldWidth(Field::Type));
}

}   // namespace

class tst_ChangedOnDisk : public QObject, EditorRun {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void savesOverAChangedCard_data();
    void savesOverAChangedCard();
    void followsTheCardWhileIdle_data();
    void followsTheCardWhileIdle();
    void saysAChangeOnce();
    void viewerShowsTheNewCard();

private:
    TestCache m_cache;
    QTemporaryDir m_dir;
    QByteArray m_poster;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString openCard();
    QString titleShown() const { return child<QLineEdit>(editor, "titleEdit")->text(); }
    // "Title, Genre" as the editor shows them.
    QString shown() const { return titleShown() + u", "_s + child<QLineEdit>(editor, "genreEdit")->text(); }
    bool modified() const { return editor->windowTitle().endsWith(u"*]"_s); }
};

void tst_ChangedOnDisk::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    m_poster = pictureBytes(60, 90);
}

void tst_ChangedOnDisk::init()
{
    startEditor(m_dir.path());
}

void tst_ChangedOnDisk::cleanup()
{
    endEditor(m_cache);
}

// The card "Film", genre "Drame", with a poster, open in the editor.
QString tst_ChangedOnDisk::openCard()
{
    const QString card = path(u"film.cfh"_s);
    QFile::remove(card);   // a read-only one too
    writeBytes(card, cardBytes(u"Film"_s, u"Drame"_s, m_poster));
    open(card);
    return card;
}

// Save meets a card another program changed (or removed) since it was
// opened: the user keeps their version, takes the file's, or cancels. Asked
// from the save prompt, a command goes on once nothing is left unsaved.
void tst_ChangedOnDisk::savesOverAChangedCard_data()
{
    QTest::addColumn<bool>("viaNew");        // Save, or New answered Yes
    QTest::addColumn<bool>("removed");       // the other program removed the card, else changed its genre
    QTest::addColumn<bool>("newPoster");     // the editor's poster changed: the whole card is written
    QTest::addColumn<int>("answer");         // -1: nothing asked
    QTest::addColumn<QString>("onDisk");     // the card's title and genre afterwards
    QTest::addColumn<QString>("inEditor");   // the editor's, "" for a new card
    QTest::addColumn<bool>("modified");
    const int keep = int(MsgAnswer::KeepMine), reload = int(MsgAnswer::Reload),
              cancel = int(MsgAnswer::Cancel);
    for (const bool poster : { false, true }) {
        const char *what = poster ? "whole card" : "record";
        QTest::addRow("%s, keep mine", what)
            << false << false << poster << keep << u"Mine, Drame"_s << u"Mine, Drame"_s << false;
        QTest::addRow("%s, reload", what)
            << false << false << poster << reload << u"Film, Western"_s << u"Film, Western"_s << false;
        QTest::addRow("%s, cancel", what)
            << false << false << poster << cancel << u"Film, Western"_s << u"Mine, Drame"_s << true;
        QTest::addRow("%s, removed: written anew", what)
            << false << true << poster << -1 << u"Mine, Drame"_s << u"Mine, Drame"_s << false;
    }
    QTest::newRow("save prompt, keep mine")
        << true << false << false << keep << u"Mine, Drame"_s << u""_s << false;
    QTest::newRow("save prompt, reload")
        << true << false << false << reload << u"Film, Western"_s << u""_s << false;
    QTest::newRow("save prompt, cancel")
        << true << false << false << cancel << u"Film, Western"_s << u"Mine, Drame"_s << true;
}

void tst_ChangedOnDisk::savesOverAChangedCard()
{
    QFETCH(bool, viaNew);
    QFETCH(bool, removed);
    QFETCH(bool, newPoster);
    QFETCH(int, answer);
    const QString card = openCard();
    child<QLineEdit>(editor, "titleEdit")->setText(u"Mine"_s);
    const QString picture = writePicture(path(u"other.png"_s), 30, 40);
    if (newPoster) {
        fake->answerFile(picture);
        child<QPushButton>(editor, "changePosterButton")->click();
    }
    QByteArray other;   // the other program's card
    if (removed)
        QVERIFY(QFile::remove(card));
    else
        QVERIFY(!(other = changeGenre(card, u"Western"_s)).isEmpty());
    if (viaNew)
        fake->answerMsg(MsgAnswer::Yes);
    if (answer >= 0)
        fake->answerMsg(MsgAnswer(answer));
    child<QAction>(editor, viaNew ? "newAction" : "saveAction")->trigger();

    QCOMPARE(fake->messages.size(), int(viaNew) + (answer >= 0));
    if (answer >= 0) {
        QCOMPARE(fake->messages.last().text, changedQuestion(card));
        QCOMPARE(fake->messages.last().icon, MsgIcon::Question);
        QCOMPARE(fake->messages.last().buttons, MsgButtons::KeepMineReloadCancel);
    }
    const QByteArray bytes = readBytes(card);
    QTEST(titleAndGenre(bytes), "onDisk");
    QTEST(shown() == u", "_s ? QString() : shown(), "inEditor");
    QTEST(modified(), "modified");
    // The user's version carries the poster they see; the other program's
    // stays whole unless the user chose to replace it.
    if (titleOf(bytes) == u"Mine")
        QCOMPARE(bytes.mid(1176), newPoster ? readBytes(picture) : m_poster);
    else
        QCOMPARE(bytes, other);
}

// A card another program changes while the editor is idle: an unchanged
// card is read again quietly, once no actor's name is being typed; a
// changed one asks at once; a removal is said. The editor's own save is no
// change, nor a new mode: that only takes Save away.
void tst_ChangedOnDisk::followsTheCardWhileIdle_data()
{
    QTest::addColumn<bool>("typed");   // the title changed first
    QTest::addColumn<QList<Event>>("events");
    QTest::addColumn<int>("answer");   // -1: nothing asked
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("inEditor");
    QTest::addColumn<QString>("onDisk");   // "": none
    QTest::addColumn<bool>("modified");
    const QString changed = changedQuestion(path(u"film.cfh"_s)),
                  removed = removalNotice(path(u"film.cfh"_s));
    const QList genre { Event::GenreChanged }, removal { Event::Removed };
    QTest::newRow("unchanged card: read again")
        << false << genre << -1 << QString() << u"Film, Western"_s << u"Film, Western"_s << false;
    QTest::newRow("changed card, keep mine") << true << genre << int(MsgAnswer::KeepMine) << changed
                                             << u"Mine, Drame"_s << u"Mine, Drame"_s << false;
    QTest::newRow("changed card, reload") << true << genre << int(MsgAnswer::Reload) << changed
                                          << u"Film, Western"_s << u"Film, Western"_s << false;
    QTest::newRow("changed card, cancel") << true << genre << int(MsgAnswer::Cancel) << changed
                                          << u"Mine, Drame"_s << u"Film, Western"_s << true;
    QTest::newRow("unchanged card removed")
        << false << removal << int(MsgAnswer::Ok) << removed << u"Film, Drame"_s << QString() << true;
    QTest::newRow("changed card removed")
        << true << removal << int(MsgAnswer::Ok) << removed << u"Mine, Drame"_s << QString() << true;
    QTest::newRow("unchanged card written in place")
        << false << QList { Event::RewrittenInPlace } << -1 << QString() << u"Film, Western"_s
        << u"Film, Western"_s << false;
    QTest::newRow("written in place after its own save")
        << true << QList { Event::SavedByTheEditor, Event::RewrittenInPlace } << -1 << QString()
        << u"Mine, Western"_s << u"Mine, Western"_s << false;
    QTest::newRow("its own save") << true << QList { Event::SavedByTheEditor } << -1 << QString()
                                  << u"Mine, Drame"_s << u"Mine, Drame"_s << false;
    QTest::newRow("changed card made read-only") << true << QList { Event::MadeReadOnly } << -1 << QString()
                                                 << u"Mine, Drame"_s << u"Film, Drame"_s << true;
    QTest::newRow("unchanged card, an actor being typed")
        << false << QList { Event::ActorTyped, Event::GenreChanged } << -1 << QString() << u"Film, Drame"_s
        << u"Film, Western"_s << false;
}

void tst_ChangedOnDisk::followsTheCardWhileIdle()
{
    QFETCH(bool, typed);
    QFETCH(QList<Event>, events);
    QFETCH(int, answer);
    QFETCH(QString, message);
    QFETCH(QString, inEditor);
    const QString card = openCard();
    if (typed)
        child<QLineEdit>(editor, "titleEdit")->setText(u"Mine"_s);
    QLineEdit *actorEdit = child<QComboBox>(editor, "actorsBox")->lineEdit();
    if (answer >= 0)
        fake->answerMsg(MsgAnswer(answer));
    for (const Event event : events) {
        if (event == Event::ActorTyped)
            QTest::keyClicks(actorEdit, u"Zoe"_s);
        if (event == Event::SavedByTheEditor) {
            child<QAction>(editor, "saveAction")->trigger();
            QTest::qWait(CardWatch::SettleMs * 2);
        }
        if (event == Event::GenreChanged)
            QVERIFY(!changeGenre(card, u"Western"_s).isEmpty());
        if (event == Event::Removed)
            QVERIFY(QFile::remove(card));
        if (event == Event::RewrittenInPlace)   // the same file, its bytes rewritten
            QVERIFY(writeBytes(card, cardBytes(titleShown(), u"Western"_s, m_poster)));
        if (event == Event::MadeReadOnly)
            QVERIFY(QFile::setPermissions(card, QFileDevice::ReadOwner));
    }

    if (message.isEmpty()) {
        QTRY_COMPARE(shown(), inEditor);
        QTest::qWait(CardWatch::SettleMs * 3);   // and nothing more
    } else {
        QTRY_COMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].text, message);
    }
    QCOMPARE(fake->messages.size(), message.isEmpty() ? 0 : 1);
    QCOMPARE(shown(), inEditor);
    QTEST(modified(), "modified");
    QTEST(titleAndGenre(readBytes(card)), "onDisk");
    QCOMPARE(child<QAction>(editor, "saveAction")->isEnabled(),
        modified() && !events.contains(Event::MadeReadOnly));
    if (events.contains(Event::ActorTyped)) {   // read once the name is given up
        QCOMPARE(actorEdit->text(), u"Zoe"_s);
        actorEdit->clear();
        QTRY_COMPARE(shown(), u"Film, Western"_s);
    }
}

// A change the user was told of and left is not said again on the next
// event in its folder; Save asks once more, and a removed card is written
// anew where it was.
void tst_ChangedOnDisk::saysAChangeOnce()
{
    const QString card = openCard();
    typeTitle(u"!"_s);
    fake->answerMsg(MsgAnswer::Cancel);
    changeGenre(card, u"Western"_s);
    QTRY_COMPARE(fake->messages.size(), 1);
    writeBytes(path(u"beside.txt"_s), "another file in the folder");
    QTest::qWait(CardWatch::SettleMs * 3);
    QCOMPARE(fake->messages.size(), 1);

    fake->answerMsg(MsgAnswer::KeepMine);
    child<QAction>(editor, "saveAction")->trigger();
    QCOMPARE(fake->messages.size(), 2);
    QCOMPARE(titleOf(readBytes(card)), u"Film!"_s);

    fake->answerMsg(MsgAnswer::Ok);
    QVERIFY(QFile::remove(card));
    QTRY_COMPARE(fake->messages.size(), 3);
    QVERIFY(editor->windowTitle().endsWith(u"*]"_s));
    child<QAction>(editor, "saveAction")->trigger();
    QCOMPARE(readBytes(card), cardBytes(u"Film!"_s, u"Drame"_s, m_poster));
    QTest::qWait(CardWatch::SettleMs * 3);   // the card written anew is its own
    QCOMPARE(fake->messages.size(), 3);
}

// The viewer shows the card as it is now: read again and laid out anew. A
// card removed stays shown (it may be coming back, as when a program writes
// a new file after removing the old); when it comes back, it is shown.
void tst_ChangedOnDisk::viewerShowsTheNewCard()
{
    const QString card = path(u"shown.cfh"_s);
    writeBytes(card, cardBytes(u"Brazil"_s, u"Drame"_s, m_poster));
    QVERIFY(ViewerWindow::showCard(card));
    ViewerWindow &viewer = ViewerWindow::instance();
    QVERIFY(child<QLabel>(viewer, "posterLabel")->isVisible());
    const int height = viewer.height();

    changeGenre(card, u"Western"_s);
    QTRY_COMPARE(child<QLabel>(viewer, "genreLabel")->text(), u"Western"_s);

    QVERIFY(QFile::remove(card));
    QTest::qWait(CardWatch::SettleMs * 3);
    QCOMPARE(child<QLabel>(viewer, "titleLabel")->text(), u"Brazil"_s);

    writeBytes(card, cardBytes(u"Alien"_s, u"Horreur"_s, {}));
    QTRY_COMPARE(child<QLabel>(viewer, "titleLabel")->text(), u"Alien"_s);
    QVERIFY(!child<QLabel>(viewer, "posterLabel")->isVisible());
    QVERIFY(viewer.height() < height);
    QVERIFY(fake->messages.isEmpty());
}

QTEST_MAIN(tst_ChangedOnDisk)
#include "tst_changedondisk.moc"
