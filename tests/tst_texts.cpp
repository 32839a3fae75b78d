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
    void startupLoadsOnlyItsText();
    void viewerStartLoadsNoEditorText();
    void editorStartLoadsEverything();
    void screenReadersNameEditorControls_data();
    void screenReadersNameEditorControls();
};

void tst_Texts::table()
{
    QCOMPARE(resTextIds().size(),
        65);   // the 58 texts, three failure messages, two editor captions, --help and --version
    QCOMPARE(resText(2001), QStringLiteral("Année : "));
    QCOMPARE(resText(3000), QStringLiteral("À propos de "));
    QCOMPARE(resText(1106), QStringLiteral("Enregistrer les modifications apportées à "));
    QCOMPARE(resText(4105), QStringLiteral("Impossible d'écrire le fichier"));
    QCOMPARE(resText(4106), QStringLiteral("Impossible de lire le fichier"));
    QCOMPARE(resText(9999), QString());
    for (int id : resTextIds()) {
        const QString text = resText(id);
        QVERIFY2(!text.isEmpty(), qPrintable(QString::number(id)));
        // Only these three end with a blank, and only 1017 has an access key.
        QCOMPARE(text.endsWith(QLatin1Char(' ')), id == 2001 || id == 3000 || id == 1106);
        QCOMPARE(text.contains(QLatin1Char('&')), id == 1017);
    }
}

void tst_Texts::startupLoadsOnlyItsText()
{
    LoadStartupTexts();
    QCOMPARE(strFileNotFound, QStringLiteral("Fichier introuvable"));
    QVERIFY(strWrongFile.isEmpty());
    QVERIFY(strFilterAll.isEmpty());
}

void tst_Texts::viewerStartLoadsNoEditorText()
{
    LoadStartupTexts();
    LoadViewerTexts();
    QCOMPARE(strWrongFile, QStringLiteral("Fichier incorrect"));
    QCOMPARE(strSaveAfficheTitle, QStringLiteral("Enregistrer l'affiche"));
    QCOMPARE(strFilterJpeg, QStringLiteral("JPEG (*.jpg)"));
    QCOMPARE(strFilterImages, QStringLiteral("Fichiers Images (*.jpg, *.gif)"));
    QCOMPARE(strFilterAll, QStringLiteral("Tous les fichiers (*.*)"));
    QVERIFY(strNouveau.isEmpty());
    QVERIFY(strSaveAsTitle.isEmpty());
    QVERIFY(strError.isEmpty());
}

void tst_Texts::editorStartLoadsEverything()
{
    LoadStartupTexts();
    LoadViewerTexts();
    LoadEditorTexts();
    const QString afterSwitch = strNouveau + strSaveAsTitle + strFilterCard + strError + strSearch;
    clearTexts();
    LoadStartupTexts();
    LoadAllTexts();
    QCOMPARE(strNouveau + strSaveAsTitle + strFilterCard + strError + strSearch, afterSwitch);
    QCOMPARE(strNouveau, QStringLiteral("Nouveau"));
    QCOMPARE(strSaveAsTitle, QStringLiteral("Enregistrer la fiche sous ..."));
    QCOMPARE(strWantSave, resText(1106));
    QCOMPARE(strBugToolTip, QStringLiteral("Une erreur s'est produite"));
    QCOMPARE(strFilterGif, QStringLiteral("GIF (*.gif)"));
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
