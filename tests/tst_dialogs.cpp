// The dialogs: the file dialog prepared in plain code and asked of the
// desktop, and the real desktop's file dialog and question.
#include "desktop/filedialog.h"
#include "desktop/qtdesktop.h"
#include "support/modal.h"
#include "support/scripteddesktop.h"
#include "support/testfiles.h"
#include "support/windowparts.h"
#include "texts/texts.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Types name in the real file dialog and accepts it, as the user would.
void typeAndAccept(QWidget *modal, const QString &name)
{
    auto *dialog = qobject_cast<QFileDialog *>(modal);
    QVERIFY(dialog);
    dialog->findChild<QLineEdit *>(u"fileNameEdit"_s)->setText(name);
    QMetaObject::invokeMethod(dialog, "accept");
}

}   // namespace

class tst_Dialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void proposedName_data();
    void proposedName();
    void documentsFolder_data();
    void documentsFolder();
    void fileDialog_data();
    void fileDialog();
    void posterFilters_data();
    void posterFilters();
    void nameFilters();
    void saveDialogAddsTheExtensionBeforeConfirming();
    void saveDialogRefusesAReadOnlyFile();
    void dialogWritesSizesAndDatesInFrench();
    void changedCardQuestion_data();
    void changedCardQuestion();
    void trashKeepsOutOfTheCardsFolder();

private:
    QTemporaryDir m_dir;
    FileRequest saveRequest() const;
};

void tst_Dialogs::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));   // as the program sets it
}

FileRequest tst_Dialogs::saveRequest() const
{
    FileRequest request;
    request.kind = FileDialogKind::Save;
    request.title = u"Enregistrer"_s;
    request.filters = { { u"Fiches"_s, u"*.cfh"_s } };
    request.folder = m_dir.path();
    request.options = FileDialogFlag::OverwritePrompt | FileDialogFlag::NoReadOnlyReturn;
    request.extension = u"cfh"_s;
    return request;
}

void tst_Dialogs::nameFilters()
{
    // The label as it stands, whatever parentheses it holds; "*.*" is every file.
    const QString images = textOf(Text::FilterImages), all = textOf(Text::FilterAll);
    QCOMPARE(qtNameFilter({ images, u"*.jpg;*.gif"_s }), images + u" (*.jpg *.gif)"_s);
    QCOMPARE(qtNameFilter({ all, u"*.*"_s }), all + u" (*)"_s);
}

void tst_Dialogs::saveDialogAddsTheExtensionBeforeConfirming()
{
    QVERIFY(writeBytes(m_dir.filePath(u"<b>alien.cfh"_s), "old card"));
    bool asked = false;
    onNextModal([&](QWidget *modal) {
        // "<b>alien" is "<b>alien.cfh", which exists: replacing it is asked
        // first, the name shown as it stands.
        onNextModal([&](QWidget *question) {
            auto *box = qobject_cast<QMessageBox *>(question);
            QVERIFY(box);
            asked = shownText(box->text(), box->textFormat()).startsWith(u"<b>alien.cfh"_s);
            box->button(QMessageBox::No)->click();
            onNextModal([&](QWidget *again) { typeAndAccept(again, u"brazil"_s); });
        });
        typeAndAccept(modal, u"<b>alien"_s);
    });
    QtDesktop desktop;
    QCOMPARE(desktop.chooseFile(saveRequest()), m_dir.filePath(u"brazil.cfh"_s));
    QVERIFY(asked);
}

void tst_Dialogs::saveDialogRefusesAReadOnlyFile()
{
    const QString readOnly = m_dir.filePath(u"<b>locked.cfh"_s);
    QVERIFY(writeBytes(readOnly, "old card"));
    QFile::setPermissions(readOnly, QFile::ReadOwner);
    QString refusal;
    onNextModal([&](QWidget *modal) {
        onNextModal([&](QWidget *message) {
            auto *box = qobject_cast<QMessageBox *>(message);
            QVERIFY(box);
            refusal = shownText(box->text(), box->textFormat());
            box->button(QMessageBox::Ok)->click();
            onNextModal([](QWidget *again) { static_cast<QDialog *>(again)->reject(); });
        });
        typeAndAccept(modal, u"<b>locked.cfh"_s);
    });
    QtDesktop desktop;
    QCOMPARE(desktop.chooseFile(saveRequest()), QString());   // refused, then cancelled
    QCOMPARE(refusal, textOf(Text::WriteFailed) + u'\n' + readOnly);
}

// Qt's file model writes them in the system's locale, English under LANG=C.
void tst_Dialogs::dialogWritesSizesAndDatesInFrench()
{
    const QString film = m_dir.filePath(u"film.cfh"_s);
    QVERIFY(writeBytes(film, QByteArray(1500, 'x')));
    const QString date = QLocale().toString(QFileInfo(film).lastModified(), QLocale::ShortFormat);
    QString shownSize, shownDate;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        auto *files = dialog->findChild<QFileSystemModel *>();
        QVERIFY(files);
        const QModelIndex row = dialog->proxyModel()->mapFromSource(files->index(film));
        QTRY_VERIFY(!row.siblingAtColumn(1).data().toString().isEmpty());
        shownSize = row.siblingAtColumn(1).data().toString();
        shownDate = row.siblingAtColumn(3).data().toString();
        dialog->reject();
    });
    FileRequest request;
    request.folder = m_dir.path();
    QtDesktop desktop;
    QCOMPARE(desktop.chooseFile(request), QString());
    QCOMPARE(shownSize, u"1,46 Kio"_s);
    QCOMPARE(shownDate, date);
}

// The question about a card another program changed: each button gives its
// answer; Escape, and Enter on the default button, give Cancel. A card put
// in the trash is not by a stray key either. A title is shown as it stands.
void tst_Dialogs::changedCardQuestion_data()
{
    QTest::addColumn<MsgButtons>("buttons");
    QTest::addColumn<QString>("button");   // clicked; empty: the key pressed instead
    QTest::addColumn<int>("key");
    QTest::addColumn<MsgAnswer>("answer");
    const MsgButtons changed = MsgButtons::KeepMineReloadCancel;
    const int escape = Qt::Key_Escape, enter = Qt::Key_Return;
    QTest::newRow("keep mine") << changed << textOf(Text::KeepMineButton) << 0 << MsgAnswer::KeepMine;
    QTest::newRow("reload") << changed << textOf(Text::ReloadButton) << 0 << MsgAnswer::Reload;
    QTest::newRow("Escape") << changed << QString() << escape << MsgAnswer::Cancel;
    QTest::newRow("Enter") << changed << QString() << enter << MsgAnswer::Cancel;
    QTest::newRow("trash, Escape") << MsgButtons::YesNo << QString() << escape << MsgAnswer::No;
    QTest::newRow("trash, Enter") << MsgButtons::YesNo << QString() << enter << MsgAnswer::No;
}

void tst_Dialogs::changedCardQuestion()
{
    QFETCH(MsgButtons, buttons);
    QFETCH(QString, button);
    QFETCH(int, key);
    QtDesktop desktop;
    const MessageRequest request { u"La fiche <b>Eau</b> a changé"_s, MsgIcon::Question, buttons };
    std::optional<MsgAnswer> answer;
    const bool shown = whileModal([&] { answer = desktop.msgBox(request); },
        [&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            QCOMPARE(box->buttons().size(), buttons == MsgButtons::YesNo ? 2 : 3);
            QCOMPARE(shownText(box->text(), box->textFormat()), request.text);
            if (key)
                QTest::keyClick(box, Qt::Key(key));
            for (QAbstractButton *shown : box->buttons()) {
                if (shown->text() == button)
                    shown->click();
            }
        });
    QVERIFY(shown);
    QTEST(answer.value_or(MsgAnswer::Ok), "answer");
}

// The card goes to the home trash, even before the data folder exists;
// nothing is made beside it, where the program was started.
void tst_Dialogs::trashKeepsOutOfTheCardsFolder()
{
    QTemporaryDir home;
    const QString data = home.path() + u"/donnees"_s, films = home.path() + u"/films"_s;
    QVERIFY(QDir(home.path()).mkpath(u"films"_s));
    QVERIFY(writeBytes(films + u"/jetee.cfh"_s, makeCard("Jetée", {})));
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    const QString startedIn = QDir::currentPath();
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    QDir::setCurrent(films);
    const bool trashed = QtDesktop().moveToTrash(films + u"/jetee.cfh"_s);
    QDir::setCurrent(startedIn);
    qputenv("XDG_DATA_HOME", oldData);
    QVERIFY(trashed);
    QVERIFY(QFile::exists(data + u"/Trash/files/jetee.cfh"_s));
    QCOMPARE(QDir(films).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

// The name proposed for a card: cleaned of what a file name cannot hold,
// then given the card's extension unless it has one of three letters.
void tst_Dialogs::proposedName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cleaned");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("slash and colon") << u"AC/DC: Live"_s << u"AC_DC_ Live"_s << u"AC_DC_ Live.cfh"_s;
    QTest::newRow("full path") << u"C:\\Films\\Alien.cfh"_s << u"C__Films_Alien.cfh"_s
                               << u"C__Films_Alien.cfh"_s;
    QTest::newRow("every forbidden character")
        << u"a*b?c<d>e|f\"g"_s << u"a_b_c_d_e_f_g"_s << u"a_b_c_d_e_f_g.cfh"_s;
    QTest::newRow("accents and blanks stay")
        << u" Été à Paris "_s << u" Été à Paris "_s << u" Été à Paris .cfh"_s;
    QTest::newRow("no extension") << u"Titanic"_s << u"Titanic"_s << u"Titanic.cfh"_s;
    QTest::newRow("three-letter extension") << u"Titanic.jpg"_s << u"Titanic.jpg"_s << u"Titanic.jpg"_s;
    QTest::newRow("two-letter extension") << u"x.jp"_s << u"x.jp"_s << u"x.jp.cfh"_s;
    QTest::newRow("four-letter extension") << u"x.divx"_s << u"x.divx"_s << u"x.divx.cfh"_s;
    QTest::newRow("three characters") << u"abc"_s << u"abc"_s << u"abc.cfh"_s;
    QTest::newRow("dot then blank is no extension") << u"Dr. No"_s << u"Dr. No"_s << u"Dr. No.cfh"_s;
    QTest::newRow("empty stays empty") << u""_s << u""_s << u""_s;
    QTest::newRow("cut to 254") << QString(300, u'a') << QString(300, u'a') << QString(254, u'a');
}

void tst_Dialogs::proposedName()
{
    QFETCH(QString, name);
    QFETCH(QString, cleaned);
    QString changed = name;
    QCOMPARE(cleanFileName(changed), cleaned);
    QCOMPARE(changed, cleaned);   // in place too
    QTEST(proposedFileName(name), "proposed");
}

void tst_Dialogs::documentsFolder_data()
{
    QTest::addColumn<QString>("documents");
    QTest::addColumn<QString>("folder");
    QTest::newRow("without final slash") << u"/home/anna/Documents"_s << u"/home/anna/Documents/"_s;
    QTest::newRow("with final slash") << u"/"_s << u"/"_s;
    QTest::newRow("unknown") << u""_s << u""_s;
}

void tst_Dialogs::documentsFolder()
{
    QFETCH(QString, documents);
    QFETCH(QString, folder);
    ScriptedDesktop fake;
    fake.documents = documents;
    QCOMPARE(specialFolderPath(kDocumentsFolder), folder);
    QCOMPARE(specialFolderPath(0), QString());
}

// What the desktop is asked and what the caller gets back: the answer
// without blanks around it and, from a save dialog, with the card's
// extension (the real dialog confirms that name); other kinds show nothing.
void tst_Dialogs::fileDialog_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<uint>("options");
    QTest::addColumn<QString>("startFolder");   // {tmp}: the temporary folder
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("folder");   // the dialog's; empty: no dialog
    QTest::addColumn<uint>("asked");       // the options the dialog gets
    const auto save = [](const char *name, const QString &answer, const QString &result) {
        QTest::newRow(name) << 2 << 0x8002u << u""_s << answer << result << u"/docs/"_s << 0x8006u;
    };
    save("save request", u"/docs/x.cfh"_s, u"/docs/x.cfh"_s);
    save("no extension", u"/films/Alien"_s, u"/films/Alien.cfh"_s);
    save("typed extension stays", u"/films/Alien.txt"_s, u"/films/Alien.txt"_s);
    save("dot in a folder only", u"/films.old/Alien"_s, u"/films.old/Alien.cfh"_s);
    save("save cancelled", u""_s, u""_s);
    QTest::newRow("open: blanks around") << 1 << 0x1000u << u""_s << u"  /docs/my card.cfh  "_s
                                         << u"/docs/my card.cfh"_s << u"/docs/"_s << 0x1004u;
    QTest::newRow("open adds nothing")
        << 1 << 0x1000u << u""_s << u"/films/Alien"_s << u"/films/Alien"_s << u"/docs/"_s << 0x1004u;
    QTest::newRow("open cancelled") << 1 << 0x1000u << u""_s << u""_s << u""_s << u"/docs/"_s << 0x1004u;
    QTest::newRow("in the card's folder") << 2 << 0u << u"{tmp}"_s << u""_s << u""_s << u"{tmp}/"_s << 4u;
    QTest::newRow("in the root") << 2 << 0u << u"/"_s << u""_s << u""_s << u"/"_s << 4u;
    QTest::newRow("card's folder gone since")
        << 2 << 0u << u"{tmp}/gone"_s << u""_s << u""_s << u"/docs/"_s << 4u;
    QTest::newRow("kind 0") << 0 << 0u << u""_s << u""_s << u""_s << u""_s << 0u;
    QTest::newRow("kind 3") << 3 << 0u << u""_s << u""_s << u""_s << u""_s << 0u;
}

void tst_Dialogs::fileDialog()
{
    QFETCH(int, kind);
    QFETCH(uint, options);
    QFETCH(QString, startFolder);
    QFETCH(QString, answer);
    QFETCH(QString, folder);
    ScriptedDesktop fake;
    fake.documents = u"/docs"_s;
    if (!folder.isEmpty())
        fake.answerFile(answer);
    QObject owner;
    startFolder.replace(u"{tmp}"_s, QDir::tempPath());
    QTEST(showFileDialog(FileDialogKind(kind), u"Titre"_s, cardFilters(), kDocumentsFolder, &owner, options,
              u"Brazil"_s, u"cfh"_s, startFolder),
        "result");
    QCOMPARE(fake.files.size(), folder.isEmpty() ? 0 : 1);
    QVERIFY(fake.allAnswered());
    if (folder.isEmpty())
        return;
    const FileRequest &r = fake.files.at(0);
    QCOMPARE(int(r.kind), kind);
    QCOMPARE(r.folder, folder.replace(u"{tmp}"_s, QDir::tempPath()));
    QCOMPARE(r.title, u"Titre"_s);
    QTEST(r.options, "asked");
    QCOMPARE(r.proposedName, u"Brazil.cfh"_s);
    QCOMPARE(r.owner, &owner);
    QCOMPARE(r.filters.size(), 2);
    QCOMPARE(r.extension, u"cfh"_s);
}

void tst_Dialogs::posterFilters_data()
{
    QTest::addColumn<bool>("choice");            // the poster choice, else the poster save
    QTest::addColumn<QStringList>("expected");   // label, then pattern
    const QString images = textOf(Text::FilterImages), jpeg = textOf(Text::FilterJpeg),
                  all = textOf(Text::FilterAll);
    QTest::newRow("choose a poster: every picture read")
        << true
        << QStringList { images, "*.jpg;*.jpeg;*.png;*.gif;*.bmp;*.webp", textOf(Text::FilterBitmap), "*.bmp",
               jpeg, "*.jpg;*.jpeg", textOf(Text::FilterGif), "*.gif", all, "*.*" };
    QTest::newRow("save a poster") << false
                                   << QStringList { jpeg, "*.jpg", images, "*.jpg;*.gif", all, "*.*" };
}

void tst_Dialogs::posterFilters()
{
    QFETCH(bool, choice);
    QFETCH(QStringList, expected);
    const QList<FileFilter> filters = choice ? posterChoiceFilters() : posterSaveFilters();
    QStringList pairs;
    for (const FileFilter &filter : filters)
        pairs << filter.label << filter.pattern;
    QCOMPARE(pairs, expected);
}

QTEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
