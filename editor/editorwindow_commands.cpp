#include "editor/editorwindow.h"

#include "about/aboutwindow.h"
#include "editor/internetsearch.h"
#include "editor/posterpanel.h"

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
    m_fileMenu = menuBar()->addMenu(QString());
    m_fileMenu->setObjectName(QStringLiteral("fileMenu"));
    m_newAction = menuItem(m_fileMenu, "newAction", QKeySequence(Qt::CTRL | Qt::Key_N));
    m_openAction = menuItem(m_fileMenu, "openAction", QKeySequence(Qt::CTRL | Qt::Key_O));
    m_saveAction = menuItem(m_fileMenu, "saveAction", QKeySequence(Qt::CTRL | Qt::Key_S));
    m_saveAsAction = menuItem(m_fileMenu, "saveAsAction");
    m_fileMenu->addSeparator()->setObjectName(QStringLiteral("fileSeparator1"));
    m_previewAction = menuItem(m_fileMenu, "previewAction", QKeySequence(Qt::CTRL | Qt::Key_P));
    m_fileMenu->addSeparator()->setObjectName(QStringLiteral("fileSeparator2"));
    m_searchAction = menuItem(m_fileMenu, "searchAction", QKeySequence(Qt::CTRL | Qt::Key_R));
    m_fileMenu->addSeparator()->setObjectName(QStringLiteral("fileSeparator3"));
    m_quitAction = menuItem(m_fileMenu, "quitAction", QKeySequence(Qt::CTRL | Qt::Key_Q));

    menuBar()->addMenu(m_posterPanel->menu());
    m_aboutAction = menuBar()->addAction(QString());
    m_aboutAction->setObjectName(QStringLiteral("aboutAction"));
}

void EditorWindow::connectMenus()
{
    connect(m_newAction, &QAction::triggered, this, &EditorWindow::startNewCard);
    connect(m_openAction, &QAction::triggered, this, &EditorWindow::openChosenCard);
    connect(m_saveAction, &QAction::triggered, this, &EditorWindow::save);
    connect(m_saveAsAction, &QAction::triggered, this, &EditorWindow::saveAs);
    connect(m_previewAction, &QAction::triggered, this, &EditorWindow::preview);
    connect(m_searchAction, &QAction::triggered, this, &EditorWindow::searchCard);
    connect(m_quitAction, &QAction::triggered, this, &EditorWindow::close);
    connect(m_aboutAction, &QAction::triggered, this, &AboutWindow::showModal);
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
        &EditorWindow::openMenuBar);
}

// F10 opens the File menu on its first item, for those who work without a
// mouse; the arrows then go through the menu bar and Enter runs an item.
void EditorWindow::openMenuBar()
{
    menuBar()->setActiveAction(m_fileMenu->menuAction());
    m_fileMenu->setActiveAction(m_newAction);
}

void EditorWindow::searchCard()
{
    searchInternet(m_searchAction->text(), m_titleEdit->text(), frameGeometry().topLeft());
}
