#include "card/cardfile.h"
#include "card/filepaths.h"
#include "card/workfolder.h"
#include "editor/actorlist.h"
#include "editor/editorwindow.h"
#include "layout/twips.h"
#include "support/drops.h"
#include "support/editorrun.h"
#include "support/pictures.h"
#include "support/scripteddesktop.h"
#include "support/testfiles.h"
#include "support/windowparts.h"
#include "viewer/viewerwindow.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

// The command the save prompt stands before, and what Save meets after Yes.
enum class Command { New, Open, Quit };
enum class SaveMeets { Nothing, Success, NoTitle, Cancel, WriteFailure };
enum class OpenFailure { Cancelled, NotCard, Unreadable, UnsafeCache, FullCache };

class tst_Documents : public QObject, EditorRun {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void savesANewCard();
    void opensChangesAndSavesTheRecord();
    void savePrompt_data();
    void savePrompt();
    void opensADroppedCard_data();
    void opensADroppedCard();
    void f10OpensTheFileMenu();
    void savesAPastedPictureAsJpeg();
    void failedOpenSaysWhyAndKeepsTheCard_data();
    void failedOpenSaysWhyAndKeepsTheCard();
    void failedWritesKeepTheOldCard_data();
    void failedWritesKeepTheOldCard();
    void vanishedPosterWritesNothing();
    void readOnlyCardIsSavedUnderAnotherName();
    void previewShowsTheCardAndLeavesNoFile();
    void closeRequest();
    void startsOnANewCard();

private:
    TestCache m_cache;
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    // A file of the card's one working folder.
    QString workFile(const QString &name) const
    {
        return m_cache.workBase() + u'/' + m_cache.workFolders().value(0) + name;
    }
    QString cardWithPoster(const QString &name, int posterSize);
    QString picture(const QString &name, int width, int height);
};

void tst_Documents::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

void tst_Documents::init()
{
    startEditor(m_dir.path());
}

void tst_Documents::cleanup()
{
    endEditor(m_cache);
}

QString tst_Documents::cardWithPoster(const QString &name, int posterSize)
{
    QByteArray fields = QByteArray("Film").leftJustified(50, ' ') + "1982 2" + "5 "
        + QByteArray("Drame").leftJustified(50) + QByteArray("Ridley").leftJustified(50)
        + QByteArray("Harrison|Rutger|").leftJustified(510) + "Line one\r\nline two";
    const QString card = path(name);
    // A picture padded to the size asked: readers stop at its end.
    QByteArray poster;
    if (posterSize) {
        poster = readBytes(picture(name + ".png", 60, 90));
        poster += posterBytes(posterSize - int(poster.size()));
    }
    writeBytes(card, makeCard(fields, poster));
    return card;
}

QString tst_Documents::picture(const QString &name, int width, int height)
{
    return writePicture(path(name), width, height, "PNG");
}

void tst_Documents::savesANewCard()
{
    typeTitle(u"Dr. No"_s);
    child<QLineEdit>(editor, "yearEdit")->setText(u"1997"_s);
    child<QLineEdit>(editor, "hoursEdit")->setText(u"3"_s);
    child<QLineEdit>(editor, "minutesEdit")->setText(u"14"_s);
    child<QLineEdit>(editor, "genreEdit")->setText(u"Drame"_s);
    child<QLineEdit>(editor, "directorEdit")->setText(u"Krzysztof Kieślowski"_s);
    for (const QString &name : { u"Kate"_s, u"Léo"_s }) {
        child<QComboBox>(editor, "actorsBox")->lineEdit()->insert(name);
        QTest::keyClick(child<QComboBox>(editor, "actorsBox"), Qt::Key_Return);
    }
    child<QPlainTextEdit>(editor, "summaryEdit")->setPlainText(u"Un paquebot.\nUn iceberg."_s);
    const int files = QDir(m_dir.path()).entryList(QDir::Files).size();
    QTest::keyClick(child<QComboBox>(editor, "actorsBox"), Qt::Key_Down);
    QVERIFY(child<QPushButton>(editor, "deleteActorButton")->isEnabled());
    fake->answerFile(QString());   // a cancelled save first: the card stays new
    child<QAction>(editor, "saveAction")->trigger();
    QCOMPARE(editor->windowTitle(), newCardCaption(true));
    QVERIFY(
        !child<QPushButton>(editor, "deleteActorButton")->isEnabled());   // the pick is undone all the same
    QVERIFY(!child<QAction>(editor, "resetPosterAction")->isEnabled());
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files).size(), files);

    fake->answerFile(path(u"Dr. No"_s));   // the extension is added
    editor->show();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    QTest::keyClick(child<QLineEdit>(editor, "titleEdit"), Qt::Key_S, Qt::ControlModifier);

    QCOMPARE(fake->files.size(), 2);
    const FileRequest &request = fake->files[1];
    QCOMPARE(request.kind, FileDialogKind::Save);
    QCOMPARE(request.title, textOf(Text::SaveCardAsTitle));
    QCOMPARE(request.proposedName, u"Dr. No.cfh"_s);
    QCOMPARE(request.folder, m_dir.path() + QLatin1Char('/'));
    QCOMPARE(request.options, quint32(0x8006));
    // The record holds what every reader shows; the card, the exact texts and the day it was made.
    const QByteArray fields = QByteArray("Dr. No").leftJustified(50) + "1997 314"
        + QByteArray("Drame").leftJustified(50) + QByteArray("Krzysztof Kieslowski").leftJustified(50)
        + QByteArray("Kate|L\xE9o|").leftJustified(510) + "Un paquebot.\r\nUn iceberg.";
    const QByteArray saved = readBytes(path(u"Dr. No.cfh"_s));
    QCOMPARE(saved.left(1176), makeCard(fields, {}));
    QBuffer in;
    in.setData(saved);
    in.open(QIODevice::ReadOnly);
    const CardValues values = cardValues(readCard(in, nullptr).card);
    QCOMPARE(values.text(Field::Realisateur), u"Krzysztof Kieślowski"_s);
    QCOMPARE(values.text(Field::AjouteeLe), QDate::currentDate().toString(Qt::ISODate));
    QCOMPARE(editor->windowTitle(), u"Cinefiche [Dr. No.cfh]"_s);
    QVERIFY(!child<QAction>(editor, "saveAction")->isEnabled());
    QVERIFY(child<QAction>(editor, "resetPosterAction")->isEnabled());
}

void tst_Documents::opensChangesAndSavesTheRecord()
{
    const QString card = cardWithPoster(u"film.cfh"_s, 20000);
    const QByteArray old = readBytes(card);
    open(card);
    QCOMPARE(child<QLineEdit>(editor, "titleEdit")->text(), u"Film"_s);
    QCOMPARE(child<QLineEdit>(editor, "hoursEdit")->text(), u"2"_s);
    QCOMPARE(child<QLineEdit>(editor, "minutesEdit")->text(), u"05"_s);
    QCOMPARE(child<ActorList>(editor, "actorsBox")->names(), (QStringList { "Harrison", "Rutger" }));
    QCOMPARE(child<QComboBox>(editor, "actorsBox")->currentText(), QString());
    QCOMPARE(child<QPlainTextEdit>(editor, "summaryEdit")->toPlainText(), u"Line one\nline two"_s);
    QVERIFY(!child<QLabel>(editor, "posterLabel")->pixmap().isNull());
    QCOMPARE(m_cache.workFolders().size(), 1);   // the reset folder keeps the card's poster
    QCOMPARE(readBytes(workFile(WorkFile::Image)), old.mid(1176));
    QCOMPARE(editor->windowTitle(), u"Cinefiche [film.cfh]"_s);
    QVERIFY(!child<QAction>(editor, "saveAction")->isEnabled());
    QVERIFY(child<QAction>(editor, "resetPosterAction")->isEnabled());

    typeTitle(u"s"_s);
    QCOMPARE(editor->windowTitle(), u"Cinefiche [film.cfh*]"_s);
    QVERIFY(child<QAction>(editor, "saveAction")->isEnabled());
    QVERIFY(child<QAction>(editor, "saveAsAction")->isEnabled());
    child<QAction>(editor, "saveAction")->trigger();
    const QByteArray now = readBytes(card);
    QCOMPARE(now.size(), old.size());
    QCOMPARE(now.mid(1175), old.mid(1175));
    QCOMPARE(now.mid(7, 5), QByteArray("Films"));
    // The minutes as the box shows them; the summary's CR LF comes back as it was.
    QByteArray expected = old.left(1175);
    expected.replace(63, 2, "05");
    QCOMPARE(now.mid(12, 1163), expected.mid(12));
    QCOMPARE(editor->windowTitle(), u"Cinefiche [film.cfh]"_s);
    QVERIFY(!child<QAction>(editor, "saveAsAction")->isEnabled());
}

// The prompt before New, Open and Quit; Save after Yes may succeed, or fail
// for want of a title, by a cancelled dialog or on a write.
void tst_Documents::savePrompt_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<SaveMeets>("save");
    QTest::addColumn<bool>("goesOn");     // the command runs
    QTest::addColumn<QString>("said");    // after the question; empty: nothing
    QTest::addColumn<bool>("modified");   // the card's mark afterwards
    QTest::addColumn<int>("dialogs");     // file dialogs shown
    QTest::addColumn<QString>("year");    // what the year box holds afterwards
    QTest::addColumn<bool>("shown");      // the editor afterwards
    const auto no = MsgAnswer::No, yes = MsgAnswer::Yes;
    const SaveMeets nothing = SaveMeets::Nothing, success = SaveMeets::Success;
    QTest::newRow("new, No") << Command::New << no << nothing << true << QString() << false << 0 << u""_s
                             << true;
    QTest::newRow("new, Yes and saved")
        << Command::New << yes << success << true << QString() << false << 1 << u""_s << true;
    QTest::newRow("open, No") << Command::Open << no << nothing << true << QString() << true << 1 << u"1985"_s
                              << true;
    QTest::newRow("open, Yes and saved")
        << Command::Open << yes << success << true << QString() << false << 2 << u"1985"_s << true;
    QTest::newRow("quit, No") << Command::Quit << no << nothing << true << QString() << true << 0 << u"1985"_s
                              << false;
    QTest::newRow("quit, Yes and saved")
        << Command::Quit << yes << success << true << QString() << false << 1 << u"1985"_s << false;
    // Whatever the command, these stop it and keep the card as it was.
    const QString failed = saidAbout(Text::WriteFailed, path(u"no/such/folder/brazil.cfh"_s));
    for (const auto &[command, name] :
        { std::pair { Command::New, "new" }, { Command::Open, "open" }, { Command::Quit, "quit" } }) {
        QTest::addRow("%s, Cancel", name) << command << MsgAnswer::Cancel << nothing << false << QString()
                                          << true << 0 << u"1985"_s << true;
        QTest::addRow("%s, Yes without title", name)
            << command << yes << SaveMeets::NoTitle << false << textOf(Text::TitleRequired) << true << 0
            << u"1985"_s << true;
        QTest::addRow("%s, Yes and cancelled", name)
            << command << yes << SaveMeets::Cancel << false << QString() << true << 1 << u"1985"_s << true;
        QTest::addRow("%s, Yes and the write fails", name)
            << command << yes << SaveMeets::WriteFailure << false << failed << true << 1 << u"1985"_s << true;
    }
}

void tst_Documents::savePrompt()
{
    QFETCH(Command, command);
    QFETCH(MsgAnswer, answer);
    QFETCH(SaveMeets, save);
    QFETCH(bool, goesOn);
    QFETCH(QString, said);
    editor->show();
    if (save != SaveMeets::NoTitle)
        typeTitle(u"Brazil"_s);
    child<QLineEdit>(editor, "yearEdit")->setText(u"1985"_s);
    fake->answerMsg(answer);
    if (!said.isEmpty())
        fake->answerMsg(MsgAnswer::Ok);
    if (save == SaveMeets::Success || save == SaveMeets::Cancel || save == SaveMeets::WriteFailure)
        fake->answerFile(save == SaveMeets::Success ? path(u"brazil.cfh"_s)
                : save == SaveMeets::Cancel         ? QString()
                                                    : path(u"no/such/folder/brazil.cfh"_s));
    if (goesOn && command == Command::Open)
        fake->answerFile(QString());
    const char *actions[] = { "newAction", "openAction", "quitAction" };
    child<QAction>(editor, actions[int(command)])->trigger();

    QCOMPARE(fake->messages[0].text,
        textOf(Text::SaveChangesQuestion) + u'"' + textOf(Text::NewCardName) + u"\" ?"_s);
    QCOMPARE(fake->messages[0].icon, MsgIcon::Question);
    QCOMPARE(fake->messages[0].buttons, MsgButtons::YesNoCancel);
    QCOMPARE(fake->messages.size(), said.isEmpty() ? 1 : 2);
    if (!said.isEmpty())
        QCOMPARE(fake->messages.last().text, said);
    QTEST(editor->windowTitle().endsWith(u"*]"_s), "modified");
    QTEST(int(fake->files.size()), "dialogs");
    QTEST(child<QLineEdit>(editor, "yearEdit")->text(), "year");
    QTEST(editor->isVisible(), "shown");
}

// A card dropped anywhere on the editor is opened as Open does, after the
// save prompt; the box it lands on keeps its text.
void tst_Documents::opensADroppedCard_data()
{
    QTest::addColumn<QString>("on");
    QTest::addColumn<int>("answer");
    QTest::newRow("on the title box, No") << u"titleEdit"_s << int(MsgAnswer::No);
    QTest::newRow("on the summary, No") << u"summaryEdit"_s << int(MsgAnswer::No);
    QTest::newRow("on the poster, No") << u"posterLabel"_s << int(MsgAnswer::No);
    QTest::newRow("on the title box, Cancel") << u"titleEdit"_s << int(MsgAnswer::Cancel);
}

void tst_Documents::opensADroppedCard()
{
    QFETCH(QString, on);
    QFETCH(int, answer);
    const QString card = cardWithPoster(u"dropped.cfh"_s, 3000);
    editor->show();
    typeTitle(u"Brazil"_s);
    fake->answerMsg(MsgAnswer(answer));
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(card) });
    data.setText(card);   // what a box would insert if it took the drop
    QWidget *target = editor->findChild<QWidget *>(on);
    if (target == child<QPlainTextEdit>(editor, "summaryEdit"))
        target = child<QPlainTextEdit>(editor, "summaryEdit")->viewport();
    if (target == child<QLabel>(editor, "posterLabel"))   // the poster takes no drop: its window does
        QVERIFY(dropOn(editor, target->mapTo(editor, QPoint(5, 5)), data));
    else
        QVERIFY(dropOn(target, QPoint(5, 5), data));
    QCOMPARE(fake->messages.size(), 1);
    const bool opened = answer == int(MsgAnswer::No);
    QCOMPARE(child<QLineEdit>(editor, "titleEdit")->text(), opened ? u"Film"_s : u"Brazil"_s);
    QCOMPARE(editor->windowTitle(), opened ? u"Cinefiche [dropped.cfh]"_s : newCardCaption(true));
    QCOMPARE(child<QPlainTextEdit>(editor, "summaryEdit")->toPlainText().contains(card), false);
}

void tst_Documents::f10OpensTheFileMenu()
{
    editor->show();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    child<QLineEdit>(editor, "yearEdit")->setText(u"1985"_s);
    fake->answerMsg(MsgAnswer::No);   // the changes are given up
    child<QLineEdit>(editor, "yearEdit")->setFocus();
    QTest::keyClick(child<QLineEdit>(editor, "yearEdit"), Qt::Key_F10);
    QTRY_VERIFY(child<QMenu>(editor, "fileMenu")->isVisible());
    QCOMPARE(child<QMenu>(editor, "fileMenu")->activeAction(), child<QAction>(editor, "newAction"));
    QTest::keyClick(child<QMenu>(editor, "fileMenu"), Qt::Key_Right);   // the arrows go through the menu bar
    QTRY_VERIFY(child<QMenu>(editor, "posterMenu")->isVisible());
    QVERIFY(!child<QMenu>(editor, "fileMenu")->isVisible());
    QTest::keyClick(child<QMenu>(editor, "posterMenu"), Qt::Key_Left);
    QTRY_VERIFY(child<QMenu>(editor, "fileMenu")->isVisible());
    QCOMPARE(child<QMenu>(editor, "fileMenu")->activeAction(), child<QAction>(editor, "newAction"));
    QTest::keyClick(child<QMenu>(editor, "fileMenu"), Qt::Key_Return);
    QTRY_VERIFY(!child<QMenu>(editor, "fileMenu")->isVisible());
    QVERIFY(child<QLineEdit>(editor, "yearEdit")->text().isEmpty());   // Nouveau emptied the card
    QVERIFY(!child<QMenu>(editor, "fileMenu")->title().contains(QLatin1Char('&')));
}

// A copied picture is written as a JPEG in a working folder (its pixels are
// tst_poster's); the save takes it like any chosen poster, and it lives until
// the card is emptied.
void tst_Documents::savesAPastedPictureAsJpeg()
{
    auto *data = new QMimeData;
    data->setData(u"image/png"_s, pictureBytes(300, 200));
    QApplication::clipboard()->setMimeData(data);
    typeTitle(u"Collage"_s);
    child<QAction>(editor, "pastePosterAction")->trigger();
    QCOMPARE(m_cache.workFolders().size(), 1);
    fake->answerFile(path(u"collage.cfh"_s));
    child<QAction>(editor, "saveAction")->trigger();
    const QByteArray poster = posterOf(path(u"collage.cfh"_s));
    QCOMPARE(poster, readBytes(workFile(WorkFile::Pasted)));
    QVERIFY(poster.startsWith("\xFF\xD8\xFF"));
    typeTitle(u" 2"_s);   // still there for the next save
    fake->answerFile(path(u"collage 2.cfh"_s));
    child<QAction>(editor, "saveAsAction")->trigger();
    QCOMPARE(posterOf(path(u"collage 2.cfh"_s)), poster);
    child<QAction>(editor, "newAction")->trigger();
    QVERIFY(m_cache.workFolders().isEmpty());
}

// Why a card could not be opened names its real cause, and the editor keeps
// the card it showed; so does an Open cancelled in its dialog, silently.
void tst_Documents::failedOpenSaysWhyAndKeepsTheCard_data()
{
    QTest::addColumn<OpenFailure>("failure");
    QTest::addColumn<QString>("message");
    const QString other = path(u"other.cfh"_s);
    QTest::newRow("cancelled") << OpenFailure::Cancelled << QString();
    QTest::newRow("not a card") << OpenFailure::NotCard << textOf(Text::WrongFile);
    QTest::newRow("unreadable card") << OpenFailure::Unreadable << saidAbout(Text::ReadFailed, other);
    QTest::newRow("cache others may write")
        << OpenFailure::UnsafeCache << saidAbout(Text::UnsafeFolder, m_cache.workBase());
    QTest::newRow("cache full") << OpenFailure::FullCache << saidAbout(Text::WriteFailed, m_cache.workBase());
}

void tst_Documents::failedOpenSaysWhyAndKeepsTheCard()
{
    QFETCH(OpenFailure, failure);
    QFETCH(QString, message);
    if (failure == OpenFailure::Unreadable && ::geteuid() == 0)
        QSKIP("nothing is unreadable to root");
    const QString card = cardWithPoster(u"good.cfh"_s, 3000);
    open(card);
    typeTitle(u"!"_s);
    fake->answerMsg(MsgAnswer::No);
    if (!message.isEmpty())
        fake->answerMsg(MsgAnswer::Ok);
    QString other = cardWithPoster(u"other.cfh"_s, 3000);
    if (failure == OpenFailure::Cancelled)
        other.clear();
    if (failure == OpenFailure::NotCard)
        other = picture(u"picture.cfh"_s, 10, 10);
    if (failure == OpenFailure::Unreadable)
        QFile::setPermissions(other, QFile::WriteOwner);
    if (failure == OpenFailure::UnsafeCache)
        QFile::setPermissions(m_cache.workBase(), QFileDevice::Permissions(0x7777));
    {
        std::optional<FileSizeLimit> full;
        if (failure == OpenFailure::FullCache)
            full.emplace(0);
        open(other);
    }
    QFile::setPermissions(m_cache.workBase(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(fake->messages.size(), message.isEmpty() ? 1 : 2);
    if (!message.isEmpty()) {
        QCOMPARE(fake->messages.last().text, message);
        QCOMPARE(fake->messages.last().icon, MsgIcon::Critical);
    }
    QCOMPARE(editor->windowTitle(), u"Cinefiche [good.cfh*]"_s);
    QCOMPARE(child<QLineEdit>(editor, "titleEdit")->text(), u"Film!"_s);
    QVERIFY(!child<QLabel>(editor, "posterLabel")->pixmap().isNull());
    QCOMPARE(m_cache.workFolders().size(), 1);   // its reset copy is still there
    QVERIFY(fileExists(workFile(WorkFile::Image)));
}

// Each way the editor writes a card, failing in the record or in the poster
// of the new file (each byte's kind is tst_cardsave's): the failure is said,
// the old card keeps every byte, nothing is left behind, and the editor
// keeps its card and its modified mark.
void tst_Documents::failedWritesKeepTheOldCard_data()
{
    QTest::addColumn<bool>("newCard");     // New, then a card of the same title
    QTest::addColumn<bool>("newPoster");   // the poster changed: the whole card is written
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<qint64>("limit");
    for (const auto &[where, limit] :
        { std::pair { "record", qint64(1175) }, { "poster", qint64(1176 + 10000) } }) {
        QTest::addRow("the record, disk full in its %s", where) << false << false << false << limit;
        QTest::addRow("the whole card, disk full in its %s", where) << false << true << false << limit;
        QTest::addRow("save as, disk full in its %s", where) << false << true << true << limit;
        QTest::addRow("a new card, disk full in its %s", where) << true << true << false << limit;
    }
}

void tst_Documents::failedWritesKeepTheOldCard()
{
    QFETCH(bool, newCard);
    QFETCH(bool, newPoster);
    QFETCH(bool, saveAs);
    QFETCH(qint64, limit);
    const QString card = cardWithPoster(u"full.cfh"_s, 20000);
    const QByteArray old = readBytes(card);
    open(card);
    if (newCard)
        child<QAction>(editor, "newAction")->trigger();
    typeTitle(u"s"_s);
    const QString poster = picture(u"other.png"_s, 60, 90);
    writeBytes(poster, readBytes(poster).leftJustified(20000, 'x'));   // readers stop at its end
    if (newPoster) {
        fake->answerFile(poster);
        child<QPushButton>(editor, "changePosterButton")->click();
    }
    const QString target = newCard ? path(u"new.cfh"_s) : saveAs ? path(u"copy.cfh"_s) : card;
    const char *saving = saveAs ? "saveAsAction" : "saveAction";
    if (target != card)
        fake->answerFile(target);
    fake->answerMsg(MsgAnswer::Ok);
    const QString caption = editor->windowTitle();
    const QStringList files = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
    {
        FileSizeLimit diskFull(limit);
        child<QAction>(editor, saving)->trigger();
    }
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages.last().text, saidAbout(Text::WriteFailed, target));
    QCOMPARE(fake->messages.last().icon, MsgIcon::Critical);
    QCOMPARE(readBytes(card), old);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), files);   // no new or temporary file
    QCOMPARE(editor->windowTitle(), caption);
    QVERIFY(caption.endsWith(QLatin1String("*]")));
    QCOMPARE(child<QLineEdit>(editor, "titleEdit")->text(), newCard ? u"s"_s : u"Films"_s);
    QCOMPARE(m_cache.workFolders().size(), newCard ? 0 : 1);   // only the reset folder
    // The next save, with room on the disk, still carries the poster taken.
    if (target != card)
        fake->answerFile(target);
    child<QAction>(editor, saving)->trigger();
    QCOMPARE(posterOf(target), newPoster ? readBytes(poster) : old.mid(1176));
}

void tst_Documents::vanishedPosterWritesNothing()
{
    typeTitle(u"Gone"_s);
    const QString poster = picture(u"gone.png"_s, 20, 30);
    fake->answerFile(poster);
    child<QPushButton>(editor, "changePosterButton")->click();
    QFile::remove(poster);
    fake->answerFile(path(u"gone.cfh"_s));
    fake->answerMsg(MsgAnswer::Ok);
    child<QAction>(editor, "saveAction")->trigger();
    QCOMPARE(fake->messages.last().text, saidAbout(Text::FileNotFound, poster));
    QVERIFY(!QFile::exists(path(u"gone.cfh"_s)));
    QCOMPARE(editor->windowTitle(), newCardCaption(true));
}

// Save As proposes the card's own name, where it is (not the documents
// folder); the copy is then the card, which Save writes.
void tst_Documents::readOnlyCardIsSavedUnderAnotherName()
{
    QVERIFY(QDir(m_dir.path()).mkpath(u"films"_s));
    const QString card = cardWithPoster(u"films/ro.cfh"_s, 2000);
    QFile::setPermissions(card, QFile::ReadOwner | QFile::ReadGroup);
    open(card);
    typeTitle(u"s"_s);
    QVERIFY(!child<QAction>(editor, "saveAction")->isEnabled());
    QVERIFY(child<QAction>(editor, "saveAsAction")->isEnabled());
    fake->answerFile(path(u"rw.cfh"_s));
    child<QAction>(editor, "saveAsAction")->trigger();
    QCOMPARE(fake->files.last().proposedName, u"ro.cfh"_s);
    QCOMPARE(fake->files.last().folder, path(u"films/"_s));
    QCOMPARE(editor->windowTitle(), u"Cinefiche [rw.cfh]"_s);
    typeTitle(u"t"_s);
    QVERIFY(child<QAction>(editor, "saveAction")->isEnabled());
    QCOMPARE(readBytes(path(u"rw.cfh"_s)).mid(1176), readBytes(card).mid(1176));
}

void tst_Documents::previewShowsTheCardAndLeavesNoFile()
{
    fake->answerMsg(MsgAnswer::Ok);
    child<QAction>(editor, "previewAction")->trigger();
    QCOMPARE(fake->messages.last().text, textOf(Text::TitleRequired));
    QCOMPARE(fake->messages.last().icon, MsgIcon::None);
    QVERIFY(!ViewerWindow::exists());

    const QString card = cardWithPoster(u"prev.cfh"_s, 3000);
    open(card);
    child<QLineEdit>(editor, "yearEdit")->setText(u"2001"_s);
    child<QAction>(editor, "previewAction")->trigger();
    QVERIFY(ViewerWindow::exists() && ViewerWindow::instance().isVisible());
    QVERIFY(!child<QAction>(ViewerWindow::instance(), "savePosterAction")->isEnabled());
    QVERIFY(child<QLabel>(ViewerWindow::instance(), "posterLabel")->isVisible());   // the card's own poster
    QCOMPARE(m_cache.workFolders().size(), 1);   // the preview's folder is gone, the reset folder stays

    child<QPushButton>(editor, "removePosterButton")->click();   // a removed poster is not previewed
    child<QLineEdit>(editor, "yearEdit")->setText(u"2002"_s);
    child<QAction>(editor, "previewAction")->trigger();
    QCOMPARE(
        child<QLabel>(ViewerWindow::instance(), "yearLabel")->text(), textOf(Text::ViewerYear) + u" 2002"_s);
    QVERIFY(!child<QLabel>(ViewerWindow::instance(), "posterLabel")->isVisible());
    QVERIFY(editor->windowTitle().endsWith(u"*]"_s));   // a preview saves nothing
}

void tst_Documents::closeRequest()
{
    const QString card = cardWithPoster(u"close.cfh"_s, 3000);
    editor->show();
    open(card);
    typeTitle(u"s"_s);
    child<QAction>(editor, "previewAction")->trigger();
    fake->answerMsg(MsgAnswer::Cancel);
    editor->close();
    QVERIFY(editor->isVisible());
    QCOMPARE(m_cache.workFolders().size(), 1);   // the reset folder stays with its card
    QVERIFY(ViewerWindow::instance().isVisible());

    fake->answerMsg(MsgAnswer::No);
    editor->close();
    QVERIFY(!editor->isVisible());
    QVERIFY(m_cache.workFolders().isEmpty());
    QVERIFY(!ViewerWindow::exists() || !ViewerWindow::instance().isVisible());
    QCOMPARE(fake->messages.size(), 2);   // one prompt a request
}

// The editor as the program starts it without a card (with one:
// tst_startup, and a loaded card's state: opensChangesAndSavesTheRecord).
// Its caption is the design's, word for word.
void tst_Documents::startsOnANewCard()
{
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->windowTitle(), u"Cinefiche [Nouveau]"_s);
    QVERIFY(!child<QAction>(editor, "saveAction")->isEnabled());
    QVERIFY(!child<QAction>(editor, "saveAsAction")->isEnabled());
    QVERIFY(!child<QAction>(editor, "resetPosterAction")->isEnabled());
    QCOMPARE(editor->width(), twipsToPx(6300));
}

QTEST_MAIN(tst_Documents)
#include "tst_documents.moc"
