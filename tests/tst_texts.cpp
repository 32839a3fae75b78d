#include "app/modRess.h"
#include "app/texttable.h"

#include <QTest>

class tst_Texts : public QObject {
    Q_OBJECT
private slots:
    void init() { clearTexts(); }
    void table();
    void startupLoadsOnlyItsText();
    void viewerStartLoadsNoEditorText();
    void editorStartLoadsEverything();
};

void tst_Texts::table()
{
    QCOMPARE(resTextIds().size(), 63);   // the 58 texts, three failure messages, --help and --version
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

QTEST_MAIN(tst_Texts)
#include "tst_texts.moc"
