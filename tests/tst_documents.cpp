#include "app/common.h"
#include "card/cardfile.h"
#include "card/workfolder.h"
#include "editor/actorlist.h"
#include "editor/editorwindow.h"
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

class tst_Documents : public QObject, EditorRun {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void savesANewCard();
    void opensChangesAndSavesTheRecord();
    void savesThePosterShown_data();
    void savesThePosterShown();
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
    QCOMPARE(editor->windowTitle(), u"Cinefiche [Nouveau*]"_s);
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
    QCOMPARE(request.title, u"Enregistrer la fiche sous ..."_s);
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

// Save and Save As write the record with the poster shown: the card's own
// bytes, another picture's, or none.
void tst_Documents::savesThePosterShown_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<QString>("poster");
    for (const bool saveAs : { false, true }) {
        for (const char *poster : { "kept", "changed", "removed" })
            QTest::addRow("%s, poster %s", saveAs ? "save as" : "save", poster)
                << saveAs << QString::fromLatin1(poster);
    }
}

void tst_Documents::savesThePosterShown()
{
    QFETCH(bool, saveAs);
    QFETCH(QString, poster);
    QVERIFY(QDir(m_dir.path()).mkpath(u"films"_s));   // not the documents folder
    const QString card = cardWithPoster(u"films/alien.cfh"_s, 20000);
    const QByteArray old = readBytes(card);
    open(card);
    child<QLineEdit>(editor, "yearEdit")->setText(u"1979"_s);
    const QString other = picture(u"new.png"_s, 50, 50);
    if (poster == u"changed") {
        fake->answerFile(other);
        child<QPushButton>(editor, "changePosterButton")->click();
    } else if (poster == u"removed") {
        child<QPushButton>(editor, "removePosterButton")->click();
    }
    const QString target = saveAs ? path(u"copy.cfh"_s) : card;
    if (saveAs)
        fake->answerFile(target);
    child<QAction>(editor, saveAs ? "saveAsAction" : "saveAction")->trigger();
    const QByteArray written = poster == u"kept" ? old.mid(1176)
        : poster == u"changed"                   ? readBytes(other)
                                                 : QByteArray();
    QCOMPARE(readBytes(target).mid(57, 4), QByteArray("1979"));
    QCOMPARE(readBytes(target).mid(1175), QByteArray("\xA9") + written);
    if (saveAs) {
        QCOMPARE(fake->files.last().proposedName, u"alien.cfh"_s);   // its own name, where it is
        QCOMPARE(fake->files.last().folder, path(u"films/"_s));
        QCOMPARE(readBytes(card), old);
    }
    QCOMPARE(editor->windowTitle(), saveAs ? u"Cinefiche [copy.cfh]"_s : u"Cinefiche [alien.cfh]"_s);
    // The poster saved is the card's own: the picture it came from may go.
    QFile::remove(other);
    child<QLineEdit>(editor, "yearEdit")->setText(u"1980"_s);
    child<QAction>(editor, "saveAction")->trigger();
    QCOMPARE(readBytes(target).mid(57, 4), QByteArray("1980"));
    QCOMPARE(readBytes(target).mid(1175), QByteArray("\xA9") + written);
}

// The prompt before New, Open and Quit; Save after Yes may succeed, or fail
// for want of a title, by a cancelled dialog or on a write.
void tst_Documents::savePrompt_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("save");    // what Save meets after Yes
    QTest::addColumn<bool>("goesOn");     // the command runs
    QTest::addColumn<bool>("modified");   // the card's mark afterwards
    QTest::addColumn<int>("dialogs");     // file dialogs shown
    QTest::addColumn<QString>("year");    // what the year box holds afterwards
    QTest::addColumn<bool>("shown");      // the editor afterwards
    const int no = int(MsgAnswer::No), cancel = int(MsgAnswer::Cancel), yes = int(MsgAnswer::Yes);
    QTest::newRow("new, No") << u"new"_s << no << u""_s << true << false << 0 << u""_s << true;
    QTest::newRow("new, Yes and saved")
        << u"new"_s << yes << u"saves"_s << true << false << 1 << u""_s << true;
    QTest::newRow("open, No") << u"open"_s << no << u""_s << true << true << 1 << u"1985"_s << true;
    QTest::newRow("open, Yes and saved")
        << u"open"_s << yes << u"saves"_s << true << false << 2 << u"1985"_s << true;
    QTest::newRow("quit, No") << u"quit"_s << no << u""_s << true << true << 0 << u"1985"_s << false;
    QTest::newRow("quit, Yes and saved")
        << u"quit"_s << yes << u"saves"_s << true << false << 1 << u"1985"_s << false;
    // Whatever the command, these stop it and keep the card as it was.
    for (const char *command : { "new", "open", "quit" }) {
        const QString c = QString::fromLatin1(command);
        QTest::addRow("%s, Cancel", command)
            << c << cancel << u""_s << false << true << 0 << u"1985"_s << true;
        QTest::addRow("%s, Yes without title", command)
            << c << yes << u"no title"_s << false << true << 0 << u"1985"_s << true;
        QTest::addRow("%s, Yes and cancelled", command)
            << c << yes << u"cancel"_s << false << true << 1 << u"1985"_s << true;
        QTest::addRow("%s, Yes and the write fails", command)
            << c << yes << u"fails"_s << false << true << 1 << u"1985"_s << true;
    }
}

void tst_Documents::savePrompt()
{
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(QString, save);
    QFETCH(bool, goesOn);
    editor->show();
    if (save != u"no title")
        typeTitle(u"Brazil"_s);
    child<QLineEdit>(editor, "yearEdit")->setText(u"1985"_s);
    const QString failing = path(u"no/such/folder/brazil.cfh"_s);
    fake->answerMsg(MsgAnswer(answer));
    if (save == u"no title" || save == u"fails")
        fake->answerMsg(MsgAnswer::Ok);
    if (!save.isEmpty() && save != u"no title")
        fake->answerFile(save == u"saves" ? path(u"brazil.cfh"_s) : save == u"fails" ? failing : QString());
    if (goesOn && command == u"open")
        fake->answerFile(QString());
    (command == u"new"           ? child<QAction>(editor, "newAction")
            : command == u"open" ? child<QAction>(editor, "openAction")
                                 : child<QAction>(editor, "quitAction"))
        ->trigger();

    QCOMPARE(fake->messages[0].text, u"Enregistrer les modifications apportées à \"Nouveau\" ?"_s);
    QCOMPARE(fake->messages[0].icon, MsgIcon::Question);
    QCOMPARE(fake->messages[0].buttons, MsgButtons::YesNoCancel);
    if (save == u"fails")
        QCOMPARE(fake->messages.last().text, u"Impossible d'écrire le fichier\r"_s + failing);
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
    QCOMPARE(editor->windowTitle(), opened ? u"Cinefiche [dropped.cfh]"_s : u"Cinefiche [Nouveau*]"_s);
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
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("message");
    QTest::newRow("cancelled") << u"cancelled"_s << QString();
    QTest::newRow("not a card") << u"picture"_s << u"Fichier incorrect"_s;
    QTest::newRow("unreadable card") << u"unreadable"_s << u"Impossible de lire le fichier\r{card}"_s;
    QTest::newRow("cache others may write")
        << u"open cache"_s
        << u"Dossier de travail refusé : il doit vous appartenir et n'être modifiable que par vous\r{cache}"_s;
    QTest::newRow("cache full") << u"full cache"_s << u"Impossible d'écrire le fichier\r{cache}"_s;
}

void tst_Documents::failedOpenSaysWhyAndKeepsTheCard()
{
    QFETCH(QString, failure);
    QFETCH(QString, message);
    if (failure == QLatin1String("unreadable") && ::geteuid() == 0)
        QSKIP("nothing is unreadable to root");
    const QString card = cardWithPoster(u"good.cfh"_s, 3000);
    open(card);
    typeTitle(u"!"_s);
    fake->answerMsg(MsgAnswer::No);
    if (!message.isEmpty())
        fake->answerMsg(MsgAnswer::Ok);
    QString other = cardWithPoster(u"other.cfh"_s, 3000);
    if (failure == QLatin1String("cancelled"))
        other.clear();
    if (failure == QLatin1String("picture"))
        other = picture(u"picture.cfh"_s, 10, 10);
    if (failure == QLatin1String("unreadable"))
        QFile::setPermissions(other, QFile::WriteOwner);
    if (failure == QLatin1String("open cache"))
        QFile::setPermissions(m_cache.workBase(), QFileDevice::Permissions(0x7777));
    {
        std::optional<FileSizeLimit> full;
        if (failure == QLatin1String("full cache"))
            full.emplace(0);
        open(other);
    }
    QFile::setPermissions(m_cache.workBase(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    message.replace(u"{card}"_s, other).replace(u"{cache}"_s, m_cache.workBase());
    QCOMPARE(fake->messages.size(), message.isEmpty() ? 1 : 2);
    if (!message.isEmpty()) {
        QCOMPARE(fake->messages.last().text, message);
        QCOMPARE(fake->messages.last().icon, MsgIcon::Critical);
    }
    QCOMPARE(editor->windowTitle(), u"Cinefiche [good.cfh*]"_s);
    QCOMPARE(child<QLineEdit>(editor, "titleEdit")->text(), u"Film!"_s);
    QVERIFY(!child<QLabel>(editor, "posterLabel")->pixmap().isNull());
    QCOMPARE(m_cache.workFolders().size(), 1);   // its reset copy is still there
    QVERIFY(FileExists(workFile(WorkFile::Image)));
}

// Each way the editor writes a card, failing in the record or the poster of
// the new file (each byte's kind is tst_cardsave's): the failure is said, the
// old card keeps every byte, nothing is left behind, and the editor keeps its
// card and its modified mark.
void tst_Documents::failedWritesKeepTheOldCard_data()
{
    QTest::addColumn<QString>("save");
    QTest::addColumn<qint64>("limit");
    const qint64 size = 1176 + 20000;
    for (const char *save : { "record", "whole card", "save as", "new card" }) {
        for (qint64 limit : { qint64(0), qint64(1175), qint64(1176 + 10000), size - 1 })
            QTest::addRow("%s, disk full after %lld bytes", save, limit)
                << QString::fromLatin1(save) << limit;
    }
}

void tst_Documents::failedWritesKeepTheOldCard()
{
    QFETCH(QString, save);
    QFETCH(qint64, limit);
    const QString card = cardWithPoster(u"full.cfh"_s, 20000);
    const QByteArray old = readBytes(card);
    open(card);
    QString target = card;
    if (save == QLatin1String("new card")) {
        child<QAction>(editor, "newAction")->trigger();
        target = path(u"new.cfh"_s);
    }
    typeTitle(u"s"_s);
    if (save != QLatin1String("record")) {
        const QString poster = picture(u"other.png"_s, 60, 90);
        writeBytes(poster, readBytes(poster).leftJustified(20000, 'x'));   // readers stop at its end
        fake->answerFile(poster);
        child<QPushButton>(editor, "changePosterButton")->click();
    }
    if (save == QLatin1String("save as"))
        target = path(u"copy.cfh"_s);
    if (target != card)
        fake->answerFile(target);
    fake->answerMsg(MsgAnswer::Ok);
    const QString caption = editor->windowTitle();
    const QStringList files = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
    {
        FileSizeLimit diskFull(limit);
        (save == QLatin1String("save as") ? child<QAction>(editor, "saveAsAction")
                                          : child<QAction>(editor, "saveAction"))
            ->trigger();
    }
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages.last().text, u"Impossible d'écrire le fichier\r"_s + target);
    QCOMPARE(fake->messages.last().icon, MsgIcon::Critical);
    QCOMPARE(readBytes(card), old);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), files);   // no new or temporary file
    QCOMPARE(editor->windowTitle(), caption);
    QVERIFY(caption.endsWith(QLatin1String("*]")));
    QCOMPARE(child<QLineEdit>(editor, "titleEdit")->text(),
        save == QLatin1String("new card") ? u"s"_s : u"Films"_s);
    QCOMPARE(
        m_cache.workFolders().size(), save == QLatin1String("new card") ? 0 : 1);   // only the reset folder
    // The next save, with room on the disk, still carries the poster taken.
    if (target != card)
        fake->answerFile(target);
    child<QAction>(editor, save == QLatin1String("save as") ? "saveAsAction" : "saveAction")->trigger();
    QCOMPARE(
        posterOf(target), save == QLatin1String("record") ? old.mid(1176) : readBytes(path(u"other.png"_s)));
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
    QCOMPARE(fake->messages.last().text, u"Fichier introuvable\r"_s + poster);
    QVERIFY(!QFile::exists(path(u"gone.cfh"_s)));
    QCOMPARE(editor->windowTitle(), u"Cinefiche [Nouveau*]"_s);
}

void tst_Documents::readOnlyCardIsSavedUnderAnotherName()
{
    const QString card = cardWithPoster(u"ro.cfh"_s, 2000);
    QFile::setPermissions(card, QFile::ReadOwner | QFile::ReadGroup);
    open(card);
    typeTitle(u"s"_s);
    QVERIFY(!child<QAction>(editor, "saveAction")->isEnabled());
    QVERIFY(child<QAction>(editor, "saveAsAction")->isEnabled());
    fake->answerFile(path(u"rw.cfh"_s));
    child<QAction>(editor, "saveAsAction")->trigger();
    typeTitle(u"t"_s);
    QVERIFY(child<QAction>(editor, "saveAction")->isEnabled());
    QCOMPARE(readBytes(path(u"rw.cfh"_s)).mid(1176), readBytes(card).mid(1176));
}

void tst_Documents::previewShowsTheCardAndLeavesNoFile()
{
    fake->answerMsg(MsgAnswer::Ok);
    child<QAction>(editor, "previewAction")->trigger();
    QCOMPARE(fake->messages.last().text, u"Vous devez entrer le titre du film"_s);
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
    QCOMPARE(child<QLabel>(ViewerWindow::instance(), "yearLabel")->text(), u"Année :  2002"_s);
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
