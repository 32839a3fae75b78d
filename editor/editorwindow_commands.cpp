#include "editor/editorwindow.h"

#include "about/aboutwindow.h"
#include "editor/internetsearch.h"

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace {

QAction *menuItem(QMenu *menu, const char *name, const QKeySequence &shortcut = {})
{
    QAction *item = menu->addAction(QString());
    item->setObjectName(QLatin1String(name));
    item->setShortcut(shortcut);
    return item;
}

}   // namespace

// The captions come from the text table when the editor's texts are loaded.
void EditorWindow::buildMenus()
{
    mnuFile = menuBar()->addMenu(QString());
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileNew = menuItem(mnuFile, "mnuFileNew", QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuFileOpen = menuItem(mnuFile, "mnuFileOpen", QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuFileSave = menuItem(mnuFile, "mnuFileSave", QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuFileSaveAs = menuItem(mnuFile, "mnuFileSaveAs");
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileSep1"));
    mnuFilePrev = menuItem(mnuFile, "mnuFilePrev", QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileSep2"));
    mnuFileSearch = menuItem(mnuFile, "mnuFileSearch", QKeySequence(Qt::CTRL | Qt::Key_R));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileSep3"));
    mnuFileExit = menuItem(mnuFile, "mnuFileExit", QKeySequence(Qt::CTRL | Qt::Key_Q));

    mnuPopAffi = menuBar()->addMenu(QString());
    mnuPopAffi->setObjectName(QStringLiteral("mnuPopAffi"));
    mnuPopFull = menuItem(mnuPopAffi, "mnuPopFull");
    mnuPopAffi->addSeparator()->setObjectName(QStringLiteral("mnuSep3"));
    mnuPopModif = menuItem(mnuPopAffi, "mnuPopModif");
    mnuPopPaste = menuItem(mnuPopAffi, "mnuPopPaste", QKeySequence(Qt::CTRL | Qt::Key_V));
    // Ctrl+V pastes a poster only from the poster panel: the boxes paste text.
    mnuPopPaste->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    fraAffiche->addAction(mnuPopPaste);
    imgAffiche->addAction(mnuPopPaste);
    mnuPopRem = menuItem(mnuPopAffi, "mnuPopRem");
    mnuPopReset = menuItem(mnuPopAffi, "mnuPopReset");
    // Bold only as the poster's pop-up, not in the menu bar.
    connect(mnuPopAffi, &QMenu::aboutToHide, mnuPopAffi, [this] { mnuPopAffi->setDefaultAction(nullptr); });

    mnuAbout = menuBar()->addAction(QString());
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
}

void EditorWindow::connectMenus()
{
    connect(mnuFileNew, &QAction::triggered, this, &EditorWindow::mnuFileNew_Click);
    connect(mnuFileOpen, &QAction::triggered, this, &EditorWindow::mnuFileOpen_Click);
    connect(mnuFileSave, &QAction::triggered, this, &EditorWindow::mnuFileSave_Click);
    connect(mnuFileSaveAs, &QAction::triggered, this, &EditorWindow::mnuFileSaveAs_Click);
    connect(mnuFilePrev, &QAction::triggered, this, &EditorWindow::mnuFilePrev_Click);
    connect(mnuFileSearch, &QAction::triggered, this, &EditorWindow::mnuFileSearch_Click);
    connect(mnuFileExit, &QAction::triggered, this, &EditorWindow::mnuFileExit_Click);
    connect(mnuPopFull, &QAction::triggered, this, &EditorWindow::mnuPopFull_Click);
    connect(mnuPopModif, &QAction::triggered, this, &EditorWindow::mnuPopModif_Click);
    connect(mnuPopPaste, &QAction::triggered, this, &EditorWindow::mnuPopPaste_Click);
    connect(mnuPopAffi, &QMenu::aboutToShow, this, &EditorWindow::updatePasteItem);
    // Asked when the menu opens, not at start: asking the clipboard's owner takes time.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &EditorWindow::updatePasteItem);
    connect(mnuPopRem, &QAction::triggered, this, &EditorWindow::mnuPopRem_Click);
    connect(mnuPopReset, &QAction::triggered, this, &EditorWindow::mnuPopReset_Click);
    connect(mnuAbout, &QAction::triggered, this, &EditorWindow::mnuAbout_Click);
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
        &EditorWindow::openMenuBar);
}

// F10 opens the File menu on its first item, for those who work without a
// mouse; the arrows then go through the menu bar and Enter runs an item.
void EditorWindow::openMenuBar()
{
    menuBar()->setActiveAction(mnuFile->menuAction());
    mnuFile->setActiveAction(mnuFileNew);
}

void EditorWindow::mnuFileSearch_Click()
{
    searchInternet(mnuFileSearch->text(), txtTitre->text(), frameGeometry().topLeft());
}

void EditorWindow::mnuAbout_Click()
{
    AboutWindow::ShowModal();
}
