// The editor's anchor with the editor's controls: the same menus, captions,
// boxes, actor list, summary, poster frame and buttons, in the same face,
// placed by hand. Beside editoranchor it shows what those controls cost any
// Qt program at start.

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

#include <utility>

namespace {

// A caption at (x, y) and its box to its right, in pixels.
template <typename Box> Box *captioned(QWidget *form, const char *caption, int y, Box *box, int width)
{
    (new QLabel(QString::fromUtf8(caption), form))->setGeometry(8, y, 60, 19);
    box->setParent(form);
    box->setGeometry(72, y, width, 19);
    return box;
}

void addMenus(QMainWindow &window)
{
    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&Fichier"));
    // Each item with its shortcut key ("" for none), as the editor's.
    const std::pair<const char *, const char *> items[]
        = { { "&Nouveau", "Ctrl+N" }, { "&Ouvrir...", "Ctrl+O" }, { "&Enregistrer", "Ctrl+S" },
              { "Enregistrer &sous...", "" }, { "-", "" }, { "&Aperçu", "Ctrl+P" }, { "-", "" },
              { "&Rechercher", "Ctrl+R" }, { "-", "" }, { "&Quitter", "Ctrl+Q" } };
    for (const auto &[name, keys] : items) {
        if (name[0] == '-')
            file->addSeparator();
        else
            file->addAction(QString::fromUtf8(name))->setShortcut(QKeySequence(QString::fromLatin1(keys)));
    }
    QMenu *poster = window.menuBar()->addMenu(QStringLiteral("&Affiche"));
    for (const char *name : { "&Plein écran", "-", "&Modifier", "&Coller", "&Supprimer", "&Rétablir" }) {
        if (name[0] == '-')
            poster->addSeparator();
        else
            poster->addAction(QString::fromUtf8(name));
    }
    window.menuBar()->addAction(QStringLiteral("À &propos"));
}

}   // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Cinefiche [Nouveau]"));
    addMenus(window);
    auto *form = new QWidget;
    QFont font;
    font.setFamilies({ QStringLiteral("Liberation Sans") });
    font.setPointSizeF(8);
    form->setFont(font);
    captioned(form, "Titre :", 8, new QLineEdit, 220);
    captioned(form, "Année :", 32, new QLineEdit, 40);
    captioned(form, "Durée :", 56, new QLineEdit, 16);
    (new QLabel(QStringLiteral(":"), form))->setGeometry(92, 56, 6, 19);
    (new QLineEdit(form))->setGeometry(100, 56, 24, 19);
    captioned(form, "Type :", 80, new QLineEdit, 150);
    captioned(form, "Réalisateur :", 104, new QLineEdit, 150);
    auto *actors = captioned(form, "Acteurs :", 128, new QComboBox, 150);
    actors->setEditable(true);
    QPixmap icon(16, 16);
    icon.fill(Qt::red);
    (new QPushButton(QIcon(icon), QString(), form))->setGeometry(226, 128, 19, 19);
    auto *summary = captioned(form, "Résumé :", 152, new QPlainTextEdit, 220);
    summary->resize(220, 97);
    summary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *frame = new QGroupBox(QStringLiteral("Affiche"), form);
    frame->setGeometry(300, 4, 137, 40);
    (new QPushButton(QStringLiteral("Modifier"), frame))->setGeometry(4, 14, 64, 22);
    (new QPushButton(QStringLiteral("Supprimer"), frame))->setGeometry(70, 14, 64, 22);
    (new QLabel(form))->setGeometry(300, 48, 129, 137);
    window.setCentralWidget(form);
    window.resize(450, 300);
    window.show();
    return QApplication::exec();
}
