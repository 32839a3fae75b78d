#include "dialogs/filedialog.h"
#include "support/scripteddesktop.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_FileDialog : public QObject {
    Q_OBJECT
private slots:
    void cleanFileName_data();
    void cleanFileName();
    void proposedName_data();
    void proposedName();
    void documentsFolder_data();
    void documentsFolder();
    void showFileDialog_data();
    void showFileDialog();
    void posterFilters_data();
    void posterFilters();
};

void tst_FileDialog::cleanFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cleaned");
    QTest::newRow("slash and colon") << u"AC/DC: Live"_s << u"AC_DC_ Live"_s;
    QTest::newRow("full path") << u"C:\\Films\\Alien.cfh"_s << u"C__Films_Alien.cfh"_s;
    QTest::newRow("every forbidden character") << u"a*b?c<d>e|f\"g"_s << u"a_b_c_d_e_f_g"_s;
    QTest::newRow("accents and blanks stay") << u" Été à Paris "_s << u" Été à Paris "_s;
}

void tst_FileDialog::cleanFileName()
{
    QFETCH(QString, name);
    QFETCH(QString, cleaned);
    QString changed = name;
    QCOMPARE(CleanFileName(changed), cleaned);
    QCOMPARE(changed, cleaned);   // in place too
}

void tst_FileDialog::proposedName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("no extension") << u"Titanic"_s << u"Titanic.cfh"_s;
    QTest::newRow("three-letter extension") << u"Titanic.jpg"_s << u"Titanic.jpg"_s;
    QTest::newRow("two-letter extension") << u"x.jp"_s << u"x.jp.cfh"_s;
    QTest::newRow("three characters") << u"abc"_s << u"abc.cfh"_s;
    QTest::newRow("cleaned first") << u"AC/DC: Live"_s << u"AC_DC_ Live.cfh"_s;
    QTest::newRow("dot then blank is no extension") << u"Dr. No"_s << u"Dr. No.cfh"_s;
    QTest::newRow("empty stays empty") << u""_s << u""_s;
    QTest::newRow("cut to 254") << QString(300, u'a') << QString(254, u'a');
}

void tst_FileDialog::proposedName()
{
    QFETCH(QString, name);
    QFETCH(QString, proposed);
    QCOMPARE(proposedFileName(name), proposed);
}

void tst_FileDialog::documentsFolder_data()
{
    QTest::addColumn<QString>("documents");
    QTest::addColumn<QString>("folder");
    QTest::newRow("without final slash") << u"/home/anna/Documents"_s << u"/home/anna/Documents/"_s;
    QTest::newRow("with final slash") << u"/"_s << u"/"_s;
    QTest::newRow("unknown") << u""_s << u""_s;
}

void tst_FileDialog::documentsFolder()
{
    QFETCH(QString, documents);
    QFETCH(QString, folder);
    ScriptedDesktop fake;
    fake.documents = documents;
    QCOMPARE(GetSpecialFolderPath(kDocumentsFolder), folder);
    QCOMPARE(GetSpecialFolderPath(0), QString());
}

// What the desktop is asked and what the caller gets back: the answer
// without blanks around it and, from a save dialog, with the card's
// extension (the real dialog confirms that name); other kinds show nothing.
void tst_FileDialog::showFileDialog_data()
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
    save("title with a dot", u"/films/Dr. No"_s, u"/films/Dr. No.cfh"_s);
    save("typed extension stays", u"/films/Alien.txt"_s, u"/films/Alien.txt"_s);
    save("four characters", u"/films/Alien.divx"_s, u"/films/Alien.divx.cfh"_s);
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

void tst_FileDialog::showFileDialog()
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
    QTEST(ShowFileDialog(FileDialogKind(kind), u"Titre"_s, cardFilters(), kDocumentsFolder, &owner, options,
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

void tst_FileDialog::posterFilters_data()
{
    QTest::addColumn<bool>("choice");            // the poster choice, else the poster save
    QTest::addColumn<QStringList>("expected");   // label, then pattern
    QTest::newRow("choose a poster: every picture read")
        << true
        << QStringList { "Fichiers Images (*.jpg, *.gif)", "*.jpg;*.jpeg;*.png;*.gif;*.bmp;*.webp",
               "Bitmap (*.bmp)", "*.bmp", "JPEG (*.jpg)", "*.jpg;*.jpeg", "GIF (*.gif)", "*.gif",
               "Tous les fichiers (*.*)", "*.*" };
    QTest::newRow("save a poster") << false
                                   << QStringList { "JPEG (*.jpg)", "*.jpg", "Fichiers Images (*.jpg, *.gif)",
                                          "*.jpg;*.gif", "Tous les fichiers (*.*)", "*.*" };
}

void tst_FileDialog::posterFilters()
{
    QFETCH(bool, choice);
    QFETCH(QStringList, expected);
    const QList<FileFilter> filters = choice ? posterChoiceFilters() : posterSaveFilters();
    QStringList pairs;
    for (const FileFilter &filter : filters)
        pairs << filter.label << filter.pattern;
    QCOMPARE(pairs, expected);
}

QTEST_GUILESS_MAIN(tst_FileDialog)
#include "tst_filedialog.moc"
