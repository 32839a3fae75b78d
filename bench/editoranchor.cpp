// The editor's anchor: a main window with a menu and eight line edits, the
// least a Qt program does to show a form like the editor's.

#include <QApplication>
#include <QFormLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Fiche"));
    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&Fichier"));
    for (const char *name : { "&Nouveau", "&Ouvrir...", "&Enregistrer", "&Quitter" })
        file->addAction(QString::fromUtf8(name));

    auto *form = new QWidget;
    auto *layout = new QFormLayout(form);
    for (const char *name :
        { "Titre", "Année", "Heures", "Minutes", "Type", "Réalisateur", "Acteur", "Résumé" })
        layout->addRow(QString::fromUtf8(name), new QLineEdit);
    window.setCentralWidget(form);
    window.show();
    return QApplication::exec();
}
