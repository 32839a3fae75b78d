// The collection window's menus, tool bar and what they do to a card.
#include "collectionwindow/collectionwindow.h"

#include "card/nativepath.h"
#include "collection/movielibrary.h"
#include "collectionwindow/cardpane.h"
#include "collectionwindow/cardtablemodel.h"
#include "collectionwindow/postershelf.h"
#include "collectionwindow/statsview.h"
#include "desktop/desktop.h"
#include "desktop/messages.h"
#include "editor/editorwindow.h"
#include "texts/texts.h"
#include "viewer/viewerwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>

namespace {

QAction *namedAction(QObject *owner, const char *name, const QList<QKeySequence> &shortcuts = {})
{
    auto *action = new QAction(owner);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(shortcuts);
    return action;
}

// A window opened from the collection takes the keys at once, as one the
// user opened; window managers may otherwise leave them with the collection.
void bringForward(QWidget &window)
{
    window.raise();
    window.activateWindow();
}

}   // namespace

void CollectionWindow::buildActions()
{
    m_newCardAction = namedAction(this, "newCardAction", { QKeySequence::New });
    m_exportAction = namedAction(this, "exportAction");
    m_closeAction
        = namedAction(this, "closeAction", { QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence::Quit });
    m_showCardAction = namedAction(this, "showCardAction");
    m_editCardAction = namedAction(
        this, "editCardAction", { QKeySequence(Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::Key_E) });
    m_playMovieAction = namedAction(this, "playMovieAction", { QKeySequence(Qt::CTRL | Qt::Key_L) });
    m_openFolderAction = namedAction(this, "openFolderAction");
    m_trashAction = namedAction(this, "trashAction", { QKeySequence::Delete });
    // Delete trashes the card under the cursor only where the cards are, not
    // from the side list or the search.
    m_trashAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    for (QAbstractItemView *view : itemViews())
        view->addAction(m_trashAction);
    m_gridAction = namedAction(this, "gridAction", { QKeySequence(Qt::CTRL | Qt::Key_1) });
    m_listAction = namedAction(this, "listAction", { QKeySequence(Qt::CTRL | Qt::Key_2) });
    m_statsAction = namedAction(this, "statsAction", { QKeySequence(Qt::CTRL | Qt::Key_3) });
    m_viewGroup = new QActionGroup(this);
    for (QAction *action : { m_gridAction, m_listAction, m_statsAction }) {
        action->setCheckable(true);
        m_viewGroup->addAction(action);
    }
    m_detailsAction = namedAction(this, "detailsAction", { QKeySequence(Qt::CTRL | Qt::Key_I) });
    m_detailsAction->setCheckable(true);
    m_detailsAction->setChecked(!m_paneArea->isHidden());
    // Space marks the cards chosen seen where the cards are, not in a box being typed into.
    m_toggleSeenAction = namedAction(this, "toggleSeenAction", { QKeySequence(Qt::Key_Space) });
    m_toggleSeenAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    for (QAbstractItemView *view : itemViews())
        view->addAction(m_toggleSeenAction);
    m_compareAction = namedAction(this, "compareAction");
    m_findAction = namedAction(this, "findAction", { QKeySequence::Find });
    m_clearSearchAction = namedAction(this, "clearSearchAction", { QKeySequence(Qt::Key_Escape) });
    addAction(m_clearSearchAction);
}

void CollectionWindow::buildMenus()
{
    m_fileMenu = menuBar()->addMenu(QString());
    m_fileMenu->setObjectName(QStringLiteral("fileMenu"));
    m_fileMenu->addActions({ m_newCardAction, m_exportAction });
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_closeAction);
    m_cardMenu = menuBar()->addMenu(QString());
    m_cardMenu->setObjectName(QStringLiteral("cardMenu"));
    m_cardMenu->addActions({ m_showCardAction, m_editCardAction, m_playMovieAction, m_openFolderAction,
        m_toggleSeenAction, m_compareAction });
    m_cardMenu->addSeparator();
    m_cardMenu->addAction(m_trashAction);
    m_viewMenu = menuBar()->addMenu(QString());
    m_viewMenu->setObjectName(QStringLiteral("viewMenu"));
    m_viewMenu->addActions({ m_gridAction, m_listAction, m_statsAction });
    m_viewMenu->addSeparator();
    m_viewMenu->addAction(m_detailsAction);
    m_viewMenu->addSeparator();
    buildSortMenu();
    m_viewMenu->addSeparator();
    m_viewMenu->addAction(m_findAction);
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
        &CollectionWindow::openMenuBar);
    buildColumnMenu();
}

// The grid's order too, which has no column to click: the list's columns.
void CollectionWindow::buildSortMenu()
{
    m_sortMenu = m_viewMenu->addMenu(QString());
    m_sortMenu->setObjectName(QStringLiteral("sortMenu"));
    auto *columns = new QActionGroup(this);
    for (int column = 0; column < kCardColumns; ++column) {
        QAction *action = m_sortMenu->addAction(QString());
        action->setCheckable(true);
        columns->addAction(action);
        m_sortActions << action;
        connect(action, &QAction::triggered, this,
            [this, column] { chooseSort(column, m_listView->header()->sortIndicatorOrder()); });
    }
    m_sortMenu->addSeparator();
    m_descendingAction = namedAction(this, "descendingAction");
    m_descendingAction->setCheckable(true);
    m_sortMenu->addAction(m_descendingAction);
    connect(m_descendingAction, &QAction::triggered, this, [this](bool descending) {
        chooseSort(m_listView->header()->sortIndicatorSection(),
            descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    });
    connect(m_listView->header(), &QHeaderView::sortIndicatorChanged, this, &CollectionWindow::showSort);
}

void CollectionWindow::buildToolBar()
{
    QToolBar *tools = addToolBar(QString());
    tools->setObjectName(QStringLiteral("toolBar"));
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addActions({ m_newCardAction, m_showCardAction, m_editCardAction, m_playMovieAction });
    tools->addSeparator();
    tools->addActions({ m_gridAction, m_listAction, m_statsAction });
    tools->addSeparator();
    tools->addWidget(m_searchEdit);
    tools->addAction(m_exportAction);
}

void CollectionWindow::connectHandlers()
{
    connect(m_newCardAction, &QAction::triggered, this, &CollectionWindow::startNewCard);
    connect(m_exportAction, &QAction::triggered, this, &CollectionWindow::exportCatalogue);
    connect(m_closeAction, &QAction::triggered, this, &CollectionWindow::close);
    connect(m_showCardAction, &QAction::triggered, this, &CollectionWindow::showCurrentCard);
    connect(m_editCardAction, &QAction::triggered, this, &CollectionWindow::editCurrentCard);
    connect(m_playMovieAction, &QAction::triggered, this, &CollectionWindow::playCurrentMovie);
    connect(m_openFolderAction, &QAction::triggered, this, &CollectionWindow::openCurrentFolder);
    connect(m_trashAction, &QAction::triggered, this, &CollectionWindow::trashCurrentCard);
    connect(m_gridAction, &QAction::triggered, this, [this] { setView(CollectionView::Grid); });
    connect(m_listAction, &QAction::triggered, this, [this] { setView(CollectionView::List); });
    connect(m_statsAction, &QAction::triggered, this, [this] { setView(CollectionView::Stats); });
    connect(m_stats, &StatsView::exportChosen, this, &CollectionWindow::exportStats);
    connect(m_findAction, &QAction::triggered, this, &CollectionWindow::focusSearch);
    connect(m_detailsAction, &QAction::toggled, this, &CollectionWindow::showPane);
    connect(m_toggleSeenAction, &QAction::triggered, this, &CollectionWindow::toggleSeen);
    connect(m_compareAction, &QAction::triggered, this, &CollectionWindow::compareChosenCards);
    connect(m_pane, &CardPane::editsChosen, this, &CollectionWindow::changeChosenCards);
    connect(
        m_pane, &CardPane::addressChosen, this, [](const QUrl &address) { desktop().openExternal(address); });
    connect(m_pane, &CardPane::cancelChosen, this, &CollectionWindow::cancelChanges);
    connect(&m_paneDue, &QTimer::timeout, this, &CollectionWindow::showChosenCards);
    connect(&m_progressDue, &QTimer::timeout, this, &CollectionWindow::showChangesProgress);
    connect(m_clearSearchAction, &QAction::triggered, this, &CollectionWindow::clearSearch);
    connect(m_searchEdit, &QLineEdit::textChanged, this, &CollectionWindow::search);
    connect(m_facetTree, &QTreeWidget::itemSelectionChanged, this, &CollectionWindow::chooseFacet);
    connect(
        m_listView->header(), &QWidget::customContextMenuRequested, this, &CollectionWindow::showColumnMenu);
    connect(&m_facetsDue, &QTimer::timeout, this, &CollectionWindow::fillFacets);
    connect(m_watch, &FolderWatch::touched, this, &CollectionWindow::rescan);
    connect(m_listingWatch, &ListingWatch::touched, this, &CollectionWindow::rescan);
    connect(m_listingWatch, &ListingWatch::reachable, this, [this](bool reached) {
        statusBar()->showMessage(textOf(reached ? Text::WatchedOnNetwork : Text::ShareUnreachable));
    });
    // A file that is no card matters if it was one; while a reading is under
    // way, any file may be one it just read.
    m_watch->setKnownCard(
        [this](const QString &path) { return m_reading || m_collection.indexOf(path) >= 0; });
    connect(m_posters, &PosterShelf::idle, this, &CollectionWindow::checkFirstScreen);
    connectViews();
}

void CollectionWindow::connectViews()
{
    for (QAbstractItemView *view : itemViews()) {
        connect(view, &QAbstractItemView::activated, this, &CollectionWindow::showCurrentCard);
        connect(view, &QWidget::customContextMenuRequested, this, &CollectionWindow::showCardMenu);
    }
    connect(m_gridView->selectionModel(), &QItemSelectionModel::currentChanged, this,
        &CollectionWindow::updateActions);
    connect(m_gridView->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        m_paneDue.start();
        updateActions();
    });
    connect(m_gridView->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this] { m_paneDue.start(); });
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &CollectionWindow::updateActions);
}

QAbstractItemView *CollectionWindow::shownView() const
{
    return view() == CollectionView::List ? static_cast<QAbstractItemView *>(m_listView) : m_gridView;
}

QString CollectionWindow::currentCardPath() const
{
    const QModelIndex current = m_gridView->selectionModel()->currentIndex();
    return current.isValid() ? m_model->card(current.row()).path : QString();
}

void CollectionWindow::updateActions()
{
    const QString path = currentCardPath();
    for (QAction *action :
        { m_showCardAction, m_editCardAction, m_openFolderAction, m_trashAction, m_toggleSeenAction })
        action->setEnabled(!path.isEmpty());
    m_playMovieAction->setEnabled(!path.isEmpty() && !movieBesideCard(path).isEmpty());
    m_compareAction->setEnabled(chosenRows().size() == 2);
}

void CollectionWindow::showCardMenu(const QPoint &at)
{
    auto *view = qobject_cast<QAbstractItemView *>(sender());
    if (!view || !view->indexAt(at).isValid())
        return;
    m_cardMenu->setDefaultAction(m_showCardAction);
    m_cardMenu->popup(view->viewport()->mapToGlobal(at));
}

// F10 opens the first menu on its first item, as in the editor.
void CollectionWindow::openMenuBar()
{
    menuBar()->setActiveAction(m_fileMenu->menuAction());
    m_fileMenu->setActiveAction(m_newCardAction);
}

// The viewer is a window of its own; closing it comes back here.
void CollectionWindow::showCurrentCard()
{
    const QString path = currentCardPath();
    if (path.isEmpty() || !ViewerWindow::showCard(path))
        return;
    bringForward(ViewerWindow::instance());
    connect(&ViewerWindow::instance(), &QObject::destroyed, this, &CollectionWindow::comeBack,
        Qt::UniqueConnection);
}

void CollectionWindow::comeBack()
{
    bringForward(*this);
    shownView()->setFocus();
}

void CollectionWindow::editCurrentCard()
{
    if (const QString path = currentCardPath(); !path.isEmpty() && EditorWindow::instance().editCard(path))
        followEditor();
}

void CollectionWindow::startNewCard()
{
    if (EditorWindow::instance().newCardIn(m_collection.root()))
        followEditor();
}

// The editor stays, hidden, once closed: its closing is seen by its hiding.
void CollectionWindow::followEditor()
{
    bringForward(EditorWindow::instance());
    EditorWindow::instance().removeEventFilter(this);
    EditorWindow::instance().installEventFilter(this);
}

void CollectionWindow::playCurrentMovie()
{
    const QString movie = movieBesideCard(currentCardPath());
    if (!movie.isEmpty())
        desktop().openExternal(fileUrl(movie));
}

void CollectionWindow::openCurrentFolder()
{
    if (const QString path = currentCardPath(); !path.isEmpty())
        desktop().openExternal(fileUrl(QFileInfo(path).path()));
}

// The card goes once the user said so; the folder is read again at once.
void CollectionWindow::trashCurrentCard()
{
    const QString path = currentCardPath();
    if (path.isEmpty())
        return;
    const CollectionCard &card = m_collection.cards()[size_t(m_collection.indexOf(path))];
    if (!askMoveToTrash(card.text(Field::Titre)))
        return;
    if (!desktop().moveToTrash(path)) {
        showTrashFailed(path);
        return;
    }
    rescan({ QFileInfo(path).path() });
}

bool CollectionWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The editor closed (not minimised): back to the collection.
    if (EditorWindow::exists() && watched == &EditorWindow::instance() && event->type() == QEvent::Hide
        && !event->spontaneous() && isVisible())
        comeBack();
    // Down or Enter in the search box go on to the cards found.
    if (watched == m_searchEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) {
            QAbstractItemView *view = shownView();
            if (!view->currentIndex().isValid() && m_model->rowCount() > 0)
                view->setCurrentIndex(m_model->index(0, 0));
            view->setFocus();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
