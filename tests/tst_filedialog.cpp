#include "app/modRess.h"
#include "dialogs/filedialog.h"
#include "support/scripteddesktop.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_FileDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanFileName_data();
    void cleanFileName();
    void proposedName_data();
    void proposedName();
    void documentsFolder_data();
    void documentsFolder();
    void request();
    void otherKindsShowNothing_data();
    void otherKindsShowNothing();
    void resultTrimmed_data();
    void resultTrimmed();
    void savedNameKeepsItsExtension_data();
    void savedNameKeepsItsExtension();
    void startsInTheCardsFolder_data();
    void startsInTheCardsFolder();
    void posterFilters_data();
    void posterFilters();
};

void tst_FileDialog::initTestCase()
{
    LoadFilterTexts();
}

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

void tst_FileDialog::request()
{
    ScriptedDesktop fake;
    fake.documents = QStringLiteral("/docs");
    fake.answerFile(QStringLiteral("/docs/x.cfh"));
    QObject owner;
    const QString chosen = ShowFileDialog(FileDialogKind::Save, QStringLiteral("Titre"), cardFilters(),
        kDocumentsFolder, &owner, 0x8002, QStringLiteral("Brazil"));
    QCOMPARE(chosen, QStringLiteral("/docs/x.cfh"));
    const FileRequest &r = fake.files.at(0);
    QCOMPARE(r.kind, FileDialogKind::Save);
    QCOMPARE(r.folder, QStringLiteral("/docs/"));
    QCOMPARE(r.title, QStringLiteral("Titre"));
    QCOMPARE(r.options, 0x8006u);
    QCOMPARE(r.proposedName, QStringLiteral("Brazil.cfh"));
    QCOMPARE(r.owner, &owner);
    QCOMPARE(r.filters.size(), 2);
    QVERIFY(fake.allAnswered());
}

void tst_FileDialog::otherKindsShowNothing_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("kind 0") << 0;
    QTest::newRow("kind 3") << 3;
}

void tst_FileDialog::otherKindsShowNothing()
{
    QFETCH(int, kind);
    ScriptedDesktop fake;
    QCOMPARE(ShowFileDialog(FileDialogKind(kind), QStringLiteral("t"), cardFilters(), kDocumentsFolder,
                 nullptr, 0, QString()),
        QString());
    QVERIFY(fake.log.isEmpty());
    QVERIFY(fake.allAnswered());
}

void tst_FileDialog::resultTrimmed_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("result");
    QTest::newRow("blanks around") << u"  /docs/my card.cfh  "_s << u"/docs/my card.cfh"_s;
    QTest::newRow("cancelled") << u""_s << u""_s;
}

void tst_FileDialog::resultTrimmed()
{
    QFETCH(QString, answer);
    QFETCH(QString, result);
    ScriptedDesktop fake;
    fake.answerFile(answer);
    QCOMPARE(ShowFileDialog(FileDialogKind::Open, QStringLiteral("t"), cardFilters(), kDocumentsFolder,
                 nullptr, 0x1000, QString()),
        result);
    QCOMPARE(fake.files.at(0).options, 0x1004u);
    QVERIFY(fake.allAnswered());
}

// The rule of a card's name, applied to what the user chose in a save dialog.
void tst_FileDialog::savedNameKeepsItsExtension_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("result");
    QTest::newRow("no extension") << 2 << u"/films/Alien"_s << u"/films/Alien.cfh"_s;
    QTest::newRow("title with a dot") << 2 << u"/films/Dr. No"_s << u"/films/Dr. No.cfh"_s;
    QTest::newRow("typed extension stays") << 2 << u"/films/Alien.txt"_s << u"/films/Alien.txt"_s;
    QTest::newRow("four characters") << 2 << u"/films/Alien.divx"_s << u"/films/Alien.divx.cfh"_s;
    QTest::newRow("dot in a folder only") << 2 << u"/films.old/Alien"_s << u"/films.old/Alien.cfh"_s;
    QTest::newRow("open dialog adds nothing") << 1 << u"/films/Alien"_s << u"/films/Alien"_s;
    QTest::newRow("cancelled") << 2 << u""_s << u""_s;
}

void tst_FileDialog::savedNameKeepsItsExtension()
{
    QFETCH(int, kind);
    QFETCH(QString, answer);
    ScriptedDesktop fake;
    fake.answerFile(answer);
    QTEST(ShowFileDialog(FileDialogKind(kind), QStringLiteral("t"), cardFilters(), kDocumentsFolder, nullptr,
              0, QString(), QStringLiteral("cfh")),
        "result");
    QCOMPARE(fake.files.at(0).extension, QStringLiteral("cfh"));   // the real dialog confirms that name
    QVERIFY(fake.allAnswered());
}

void tst_FileDialog::startsInTheCardsFolder_data()
{
    QTest::addColumn<QString>("startFolder");
    QTest::addColumn<QString>("folder");
    QTest::newRow("the card's folder") << u"{tmp}"_s << u"{tmp}/"_s;
    QTest::newRow("the root") << u"/"_s << u"/"_s;
    QTest::newRow("a folder gone since") << u"{tmp}/gone"_s << u"/docs/"_s;
}

void tst_FileDialog::startsInTheCardsFolder()
{
    QFETCH(QString, startFolder);
    QFETCH(QString, folder);
    const QString tmp = QDir::tempPath();
    ScriptedDesktop fake;
    fake.documents = QStringLiteral("/docs");
    fake.answerFile(QString());
    ShowFileDialog(FileDialogKind::Save, QStringLiteral("t"), cardFilters(), kDocumentsFolder, nullptr,
        0x8002, QStringLiteral("Alien.cfh"), QStringLiteral("cfh"),
        startFolder.replace(QStringLiteral("{tmp}"), tmp));
    QCOMPARE(fake.files.at(0).folder, folder.replace(QStringLiteral("{tmp}"), tmp));
    QCOMPARE(fake.files.at(0).proposedName, QStringLiteral("Alien.cfh"));
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
