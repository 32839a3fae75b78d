#include "app/texts.h"
#include "editor/editorwindow.h"

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
    void everyNameHasItsText();
    void texts_data();
    void texts();
    void screenReadersNameEditorControls_data();
    void screenReadersNameEditorControls();
};

void tst_Texts::everyNameHasItsText()
{
    // the 58 texts, eight failure messages, two editor captions, a refused character, --help,
    // --version and their misuse; for a card changed on disk, what the answers do, their two
    // buttons, and the notice of a card removed with what Save does; the collection window's 41
    QCOMPARE(int(Text::Count), 118);
    for (int i = 0; i < int(Text::Count); ++i) {
        const auto name = Text(i);
        const QString &text = textOf(name);
        QVERIFY2(!text.isEmpty(), qPrintable(QString::number(i)));
        // Only these three end with a blank, and only the search item has an access key.
        QCOMPARE(text.endsWith(QLatin1Char(' ')),
            name == Text::ViewerYear || name == Text::AboutTitle || name == Text::SaveChangesQuestion);
        QCOMPARE(text.contains(QLatin1Char('&')), name == Text::SearchItem);
    }
}

void tst_Texts::texts_data()
{
    QTest::addColumn<Text>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("viewer's year") << Text::ViewerYear << u"Année : "_s;
    QTest::newRow("About title") << Text::AboutTitle << u"À propos de "_s;
    QTest::newRow("save question") << Text::SaveChangesQuestion
                                   << u"Enregistrer les modifications apportées à "_s;
    QTest::newRow("write failure") << Text::WriteFailed << u"Impossible d'écrire le fichier"_s;
    QTest::newRow("read failure") << Text::ReadFailed << u"Impossible de lire le fichier"_s;
    QTest::newRow("missing file") << Text::FileNotFound << u"Fichier introuvable"_s;
    QTest::newRow("wrong file") << Text::WrongFile << u"Fichier incorrect"_s;
    QTest::newRow("poster save title") << Text::SavePosterTitle << u"Enregistrer l'affiche"_s;
    QTest::newRow("card save title") << Text::SaveCardAsTitle << u"Enregistrer la fiche sous ..."_s;
    QTest::newRow("new card") << Text::NewItem << u"Nouveau"_s;
    QTest::newRow("mail button tip") << Text::MailButtonTip << u"Une erreur s'est produite"_s;
    QTest::newRow("all files") << Text::FilterAll << u"Tous les fichiers (*.*)"_s;
    QTest::newRow("pictures") << Text::FilterImages << u"Fichiers Images (*.jpg, *.gif)"_s;
    QTest::newRow("JPEG") << Text::FilterJpeg << u"JPEG (*.jpg)"_s;
    QTest::newRow("GIF") << Text::FilterGif << u"GIF (*.gif)"_s;
}

void tst_Texts::texts()
{
    QFETCH(Text, name);
    QTEST(textOf(name), "text");
}

// The captions keep no access key, yet each names its box.
void tst_Texts::screenReadersNameEditorControls_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("title box") << u"titleEdit"_s << u"Titre :"_s;
    QTest::newRow("year box") << u"yearEdit"_s << u"Année (aaaa) :"_s;
    QTest::newRow("hours box") << u"hoursEdit"_s << u"Durée (h:mm) :"_s;
    QTest::newRow("genre box") << u"genreEdit"_s << u"Type :"_s;
    QTest::newRow("director box") << u"directorEdit"_s << u"Réalisateur :"_s;
    QTest::newRow("actor box") << u"actorsBox"_s << u"Acteurs :"_s;
    QTest::newRow("summary") << u"summaryEdit"_s << u"Résumé :"_s;
    QTest::newRow("actor delete button") << u"deleteActorButton"_s << u"Supprimer l'acteur"_s;
}

void tst_Texts::screenReadersNameEditorControls()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    auto *widget = EditorWindow::instance().findChild<QWidget *>(control);
    QVERIFY(widget);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    if (control == QLatin1String("deleteActorButton"))
        QCOMPARE(widget->toolTip(), name);
    EditorWindow::discard();
}

QTEST_MAIN(tst_Texts)
#include "tst_texts.moc"
