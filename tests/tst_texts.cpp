#include "app/modRess.h"
#include "app/texttable.h"
#include "editor/frmMain.h"
#include "program/modRess_windows.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_Texts : public QObject {
    Q_OBJECT
private slots:
    void init() { clearTexts(); }
    void table();
    void eachStartLoadsWhatItShows();
    void screenReadersNameEditorControls_data();
    void screenReadersNameEditorControls();
};

void tst_Texts::table()
{
    // The 58 texts, four failure messages, two editor captions, --help,
    // --version and their misuse.
    QCOMPARE(resTextIds().size(), 67);
    QCOMPARE(resText(2001), u"Année : "_s);
    QCOMPARE(resText(3000), u"À propos de "_s);
    QCOMPARE(resText(1106), u"Enregistrer les modifications apportées à "_s);
    QCOMPARE(resText(4105), u"Impossible d'écrire le fichier"_s);
    QCOMPARE(resText(4106), u"Impossible de lire le fichier"_s);
    QCOMPARE(resText(9999), QString());
    for (int id : resTextIds()) {
        const QString text = resText(id);
        QVERIFY2(!text.isEmpty(), qPrintable(QString::number(id)));
        // Only these three end with a blank, and only 1017 has an access key.
        QCOMPARE(text.endsWith(QLatin1Char(' ')), id == 2001 || id == 3000 || id == 1106);
        QCOMPARE(text.contains(QLatin1Char('&')), id == 1017);
    }
}

// The start loads one text, the viewer no editor text; switching to the
// editor later loads what starting in it does.
void tst_Texts::eachStartLoadsWhatItShows()
{
    LoadStartupTexts();
    QCOMPARE(strFileNotFound, u"Fichier introuvable"_s);
    QVERIFY(strWrongFile.isEmpty());
    QVERIFY(strFilterAll.isEmpty());
    LoadViewerTexts();
    QCOMPARE(strWrongFile, u"Fichier incorrect"_s);
    QCOMPARE(strSaveAfficheTitle, u"Enregistrer l'affiche"_s);
    QCOMPARE(strFilterJpeg, u"JPEG (*.jpg)"_s);
    QCOMPARE(strFilterImages, u"Fichiers Images (*.jpg, *.gif)"_s);
    QCOMPARE(strFilterAll, u"Tous les fichiers (*.*)"_s);
    QVERIFY(strNouveau.isEmpty());
    QVERIFY(strSaveAsTitle.isEmpty());
    QVERIFY(strError.isEmpty());
    LoadEditorTexts();
    const QString afterSwitch = strNouveau + strSaveAsTitle + strFilterCard + strError + strSearch;
    clearTexts();
    LoadStartupTexts();
    LoadAllTexts();
    QCOMPARE(strNouveau + strSaveAsTitle + strFilterCard + strError + strSearch, afterSwitch);
    QCOMPARE(strNouveau, u"Nouveau"_s);
    QCOMPARE(strSaveAsTitle, u"Enregistrer la fiche sous ..."_s);
    QCOMPARE(strWantSave, resText(1106));
    QCOMPARE(strBugToolTip, u"Une erreur s'est produite"_s);
    QCOMPARE(strFilterGif, u"GIF (*.gif)"_s);
}

// The captions keep no access key, yet each names its box.
void tst_Texts::screenReadersNameEditorControls_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("title box") << u"txtTitre"_s << u"Titre :"_s;
    QTest::newRow("year box") << u"txtAnnee"_s << u"Année (aaaa) :"_s;
    QTest::newRow("hours box") << u"txtDuree1"_s << u"Durée (h:mm) :"_s;
    QTest::newRow("genre box") << u"txtType"_s << u"Type :"_s;
    QTest::newRow("director box") << u"txtRealisateur"_s << u"Réalisateur :"_s;
    QTest::newRow("actor box") << u"cboActeurs"_s << u"Acteurs :"_s;
    QTest::newRow("summary") << u"txtResume"_s << u"Résumé :"_s;
    QTest::newRow("actor delete button") << u"cmdActSupp"_s << u"Supprimer l'acteur"_s;
}

void tst_Texts::screenReadersNameEditorControls()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    LoadAllTexts();
    auto *widget = frmMain::instance().findChild<QWidget *>(control);
    QVERIFY(widget);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    if (control == QLatin1String("cmdActSupp"))
        QCOMPARE(widget->toolTip(), name);
    frmMain::discard();
}

QTEST_MAIN(tst_Texts)
#include "tst_texts.moc"
