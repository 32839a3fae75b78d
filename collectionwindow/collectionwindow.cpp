#include "collectionwindow/collectionwindow.h"

#include "collection/defaultfolder.h"
#include "collectionwindow/cardpane.h"
#include "collectionwindow/cardtablemodel.h"
#include "collectionwindow/collectionsettings.h"
#include "collectionwindow/postergrid.h"
#include "collectionwindow/postershelf.h"
#include "collectionwindow/statsview.h"
#include "desktop/desktop.h"
#include "desktop/messages.h"
#include "desktop/singlewindow.h"
#include "texts/plaintext.h"
#include "texts/texts.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTreeView>
#include <QTreeWidget>
#include <QWindow>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

QPointer<CollectionWindow> CollectionWindow::s_instance;

namespace {

// A poster's room in the grid, device-independent pixels: a large
// thumbnail (256 pixels) fills it sharp at twice the pixels of a plain screen.
constexpr QSize kPosterBox(128, 128);
constexpr int kSidePanelWidth = 220;
constexpr QSize kInitialSize(1000, 680);

const QString kFolderKey = QStringLiteral("folder");
const QString kViewKey = QStringLiteral("view");
const std::array<QString, 3> kViewNames { QStringLiteral("grid"), QStringLiteral("list"),
    QStringLiteral("stats") };
const QString kSortKey = QStringLiteral("sort");   // the column's key, then "-" when descending
const QString kGeometryKey = QStringLiteral("geometry");

QString canonicalFolder(const QString &folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) : canonical;
}

// The view shown last; the grid at first.
CollectionView rememberedView()
{
    const QString name = remembered(kViewKey).toString();
    for (size_t view = 0; view < kViewNames.size(); ++view) {
        if (name == kViewNames[view])
            return CollectionView(view);
    }
    return CollectionView::Grid;
}

// The order chosen last: the column's key, then "-" when descending.
std::pair<CardColumn, Qt::SortOrder> rememberedSort()
{
    QString sort = remembered(kSortKey).toString();
    const bool descending = sort.endsWith(u'-');
    if (descending)
        sort.chop(1);
    const std::optional<CardColumn> column = columnKeyed(sort);
    if (!column)
        return { columnOf(Field::Titre), Qt::AscendingOrder };
    return { *column, descending ? Qt::DescendingOrder : Qt::AscendingOrder };
}

}   // namespace

CollectionWindow &CollectionWindow::instance()
{
    if (!s_instance)
        s_instance = new CollectionWindow;
    return *s_instance;
}

bool CollectionWindow::exists()
{
    return !s_instance.isNull();
}

void CollectionWindow::discard()
{
    delete s_instance.data();
}

bool CollectionWindow::showFolder(const QString &folder)
{
    const QString chosen = collectionFolder(folder, remembered(kFolderKey).toString(),
        QStandardPaths::writableLocation(QStandardPaths::MoviesLocation), QDir::homePath());
    const QFileInfo info(chosen);
    if (!info.isDir() || !info.isReadable() || !QDir(chosen).isReadable()) {
        showFolderUnreadable(chosen);
        return false;
    }
    const QString canonical = canonicalFolder(chosen);
    if (!s_instance)
        s_instance = new CollectionWindow(canonical);
    CollectionWindow &window = *s_instance;
    window.openFolder(canonical);
    window.show();
    window.raise();
    window.activateWindow();
    window.shownView()->setFocus();
    return true;
}

CollectionWindow::CollectionWindow(const QString &folder)
    : m_collection(folder), m_posters(new PosterShelf(kPosterBox, this)),
      m_model(new CardTableModel(m_collection, *m_posters, this)), m_watch(new FolderWatch(this)),
      m_listingWatch(new ListingWatch(this))
{
    setObjectName(QStringLiteral("CollectionWindow"));
    setProperty(kOutlivesEditor, true);
    m_scanPool.setMaxThreadCount(1);
    m_changePool.setMaxThreadCount(1);
    const auto [column, order] = rememberedSort();
    m_collection.sortBy(column, order);
    // Reading the cards is most of the window's start: it goes on while the window is built.
    if (!folder.isEmpty())
        rescan({ folder });
    for (QTimer *due : { &m_facetsDue, &m_paneDue, &m_progressDue }) {
        due->setSingleShot(true);
        due->setInterval(0);
    }
    // No larger than the screen, whatever its scale.
    const QScreen *screen = QGuiApplication::primaryScreen();
    resize(screen ? kInitialSize.boundedTo(screen->availableSize() * 9 / 10) : kInitialSize);
    buildViews();
    buildSidePanel();
    buildPane();
    buildActions();
    buildMenus();
    buildToolBar();
    setCaptions();
    connectHandlers();
    setView(rememberedView());
    chooseSort(int(column), order);
    restoreGeometry(remembered(kGeometryKey).toByteArray());
}

// The views go first: they read the cards as they close.
CollectionWindow::~CollectionWindow()
{
    delete centralWidget();
    m_scanPool.clear();
    m_scanPool.waitForDone();
    cancelChanges();
    m_changePool.waitForDone();
    if (m_exportThread)
        m_exportThread->wait();
}

void CollectionWindow::buildViews()
{
    m_gridView = new PosterGrid(kPosterBox);
    m_gridView->setObjectName(QStringLiteral("gridView"));
    m_gridView->setModel(m_model);
    m_listView = new QTreeView;
    m_listView->setObjectName(QStringLiteral("listView"));
    m_listView->setModel(m_model);
    m_listView->setSelectionModel(m_gridView->selectionModel());
    m_listView->setRootIsDecorated(false);
    m_listView->setUniformRowHeights(true);
    m_listView->setAllColumnsShowFocus(true);
    m_listView->setSortingEnabled(true);
    m_listView->sortByColumn(int(columnOf(Field::Titre)), Qt::AscendingOrder);
    m_listView->header()->setSectionsMovable(false);
    m_listView->header()->setContextMenuPolicy(Qt::CustomContextMenu);
    // Seen and rating, one glance from the title, before the long columns.
    m_listView->header()->moveSection(int(columnOf(Field::Vu)), 2);
    m_listView->header()->moveSection(int(columnOf(Field::Note)), 3);
    sizeListColumns();
    hideRememberedColumns();
    for (QAbstractItemView *view : itemViews()) {
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
    }
    m_gridView->setAccessibleName(textOf(Text::GridItem));
    m_listView->setAccessibleName(textOf(Text::ListItem));
    m_views = new QStackedWidget;
    m_views->setObjectName(QStringLiteral("views"));
    m_views->addWidget(m_gridView);
    m_views->addWidget(m_listView);
    m_stats = new StatsView;
    auto *statsArea = new QScrollArea;
    statsArea->setObjectName(QStringLiteral("statsArea"));
    statsArea->setWidget(m_stats);
    statsArea->setWidgetResizable(true);
    m_statsArea = statsArea;
    m_views->addWidget(m_statsArea);
    buildEmptyPage();
}

void CollectionWindow::buildSidePanel()
{
    m_facetTree = new QTreeWidget;
    m_facetTree->setObjectName(QStringLiteral("facetTree"));
    m_facetTree->setHeaderHidden(true);
    m_facetTree->setColumnCount(1);
    m_facetTree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto *splitter = new QSplitter;
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->addWidget(m_facetTree);
    splitter->addWidget(m_views);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({ kSidePanelWidth, kInitialSize.width() - kSidePanelWidth });
    setCentralWidget(splitter);
    m_searchEdit = new QLineEdit;
    m_searchEdit->setObjectName(QStringLiteral("searchEdit"));
    m_searchEdit->setClearButtonEnabled(true);
    m_searchEdit->installEventFilter(this);
    m_countLabel = new QLabel;
    m_countLabel->setObjectName(QStringLiteral("countLabel"));
    statusBar()->addPermanentWidget(m_countLabel);
}

void CollectionWindow::setCaptions()
{
    m_fileMenu->setTitle(textOf(Text::CollectionFileMenu));
    m_cardMenu->setTitle(textOf(Text::CollectionCardMenu));
    m_viewMenu->setTitle(textOf(Text::CollectionViewMenu));
    m_newCardAction->setText(textOf(Text::NewCardItem));
    m_exportAction->setText(textOf(Text::ExportItem));
    m_closeAction->setText(textOf(Text::CloseItem));
    m_showCardAction->setText(textOf(Text::ShowCardItem));
    m_editCardAction->setText(textOf(Text::EditCardItem));
    m_playMovieAction->setText(textOf(Text::PlayMovieItem));
    m_openFolderAction->setText(textOf(Text::OpenFolderItem));
    m_trashAction->setText(textOf(Text::TrashItem));
    m_gridAction->setText(textOf(Text::GridItem));
    m_detailsAction->setText(textOf(Text::DetailsItem));
    m_toggleSeenAction->setText(textOf(Text::ToggleSeenItem));
    m_compareAction->setText(textOf(Text::CompareItem));
    m_pane->setAccessibleName(textOf(Text::DetailsItem));
    m_listAction->setText(textOf(Text::ListItem));
    m_emptyLabel->setText(textOf(Text::EmptyCollection));
    m_firstCardButton->setText(textOf(Text::NewCardItem));
    m_importButton->setText(textOf(Text::ImportLibraryButton));
    m_statsAction->setText(textOf(Text::StatsItem));
    m_findAction->setText(textOf(Text::FindItem));
    m_sortMenu->setTitle(textOf(Text::SortMenu));
    for (int column = 0; column < kCardColumns; ++column)
        m_sortActions[column]->setText(
            m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    m_descendingAction->setText(textOf(Text::DescendingItem));
    for (QAction *action : m_columnMenu->actions())
        action->setText(
            m_model->headerData(action->data().toInt(), Qt::Horizontal, Qt::DisplayRole).toString());
    m_searchEdit->setPlaceholderText(textOf(Text::SearchPlaceholder));
    m_searchEdit->setAccessibleName(textOf(Text::FindItem));
}

void CollectionWindow::openFolder(const QString &folder)
{
    if (folder == m_collection.root()) {
        // The window's first reading began as it was built: its caption is still due.
        if (m_reading && m_collection.cards().empty())
            showOpening(folder);
        if (m_reading || !m_collection.cards().empty())
            return;
    }
    m_model->update([&] {
        const CardColumn column = m_collection.sortColumn();
        const Qt::SortOrder order = m_collection.sortOrder();
        m_collection = CardCollection(folder);
        m_collection.sortBy(column, order);
    });
    m_watch->watch({});
    m_listingWatch->watch({});
    m_onShare = false;
    m_touchedFolders.clear();
    showOpening(folder);
    rescan({ folder });
}

// The folder's name in the caption, and no card in the side list until they are read.
void CollectionWindow::showOpening(const QString &folder)
{
    const QString name = QDir(folder).dirName().isEmpty() ? folder : QDir(folder).dirName();
    setWindowTitle(plainCaption(textOf(Text::CollectionCaption).arg(name)));
    m_firstScreenPending = true;
    fillFacets();
}

// Posters are read for the screen the window stands on.
void CollectionWindow::showEvent(QShowEvent *event)
{
    m_posters->setPixelRatio(devicePixelRatioF());
    if (QWindow *window = windowHandle())
        connect(window, &QWindow::screenChanged, this, &CollectionWindow::followScreen, Qt::UniqueConnection);
    QMainWindow::showEvent(event);
}

void CollectionWindow::followScreen()
{
    m_posters->setPixelRatio(devicePixelRatioF());
    m_gridView->viewport()->update();
}

QList<QAbstractItemView *> CollectionWindow::itemViews() const
{
    return { m_gridView, m_listView };
}

CollectionView CollectionWindow::view() const
{
    return m_views->currentWidget() == m_listView ? CollectionView::List
        : m_views->currentWidget() == m_statsArea ? CollectionView::Stats
                                                  : CollectionView::Grid;
}

// The order chosen, from the menu or the list's columns, is remembered as
// the view is.
void CollectionWindow::chooseSort(int column, Qt::SortOrder order)
{
    m_listView->sortByColumn(column, order);
}

void CollectionWindow::showSort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= kCardColumns)
        return;
    m_sortActions[column]->setChecked(true);
    m_descendingAction->setChecked(order == Qt::DescendingOrder);
    remember(kSortKey, columnKey(CardColumn(column)) + (order == Qt::DescendingOrder ? u"-"_s : QString()),
        columnKey(columnOf(Field::Titre)));
}

void CollectionWindow::closeEvent(QCloseEvent *event)
{
    // The folder is remembered as the window closes: a write waits for the
    // disk, which its opening should not.
    if (!m_collection.root().isEmpty())
        remember(kFolderKey, m_collection.root());
    remember(kGeometryKey, saveGeometry());
    QMainWindow::closeEvent(event);
}

// The view shown is remembered for the next collection opened.
void CollectionWindow::setView(CollectionView view)
{
    const bool hadFocus = shownView()->hasFocus();
    const std::array<QAction *, 3> actions { m_gridAction, m_listAction, m_statsAction };
    m_chosenView = view;
    showViewOrEmpty();
    actions[size_t(view)]->setChecked(true);
    remember(kViewKey, kViewNames[size_t(view)], kViewNames[0]);
    if (view == CollectionView::Stats)
        return showStats();
    if (const QModelIndex current = shownView()->currentIndex(); current.isValid())
        shownView()->scrollTo(current);
    if (hadFocus)
        shownView()->setFocus();
}
