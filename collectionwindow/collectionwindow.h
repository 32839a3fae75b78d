#pragma once
// The collection window: every card below a folder, as a grid of posters
// or a sortable list, narrowed by a search and a side list of genres,
// directors and decades, and kept up to date as cards change on disk.

#include "collection/cardchanges.h"
#include "collection/cardcollection.h"
#include "collection/cataloguewriter.h"
#include "collection/folderwatch.h"
#include "collection/historymatch.h"
#include "collection/listingwatch.h"
#include "collectionwindow/exchangerows.h"

#include <QMainWindow>
#include <QPointer>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <memory>
#include <optional>

class CardPane;
class CardTableModel;
class ExchangePage;
class PosterShelf;
class QAbstractItemView;
class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QProcess;
class QPushButton;
class QStackedWidget;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;
class StatsView;

enum class CollectionView { Grid, List, Stats };

class CollectionWindow : public QMainWindow {
    Q_OBJECT
public:
    // The collection window, created (not shown) on first use.
    static CollectionWindow &instance();
    static bool exists();
    // Deletes the window, so that the next use creates a fresh one (tests).
    static void discard();

    // Shows the cards below folder; an empty folder names the one opened
    // last, else the desktop's Videos folder, else home. False, after the
    // message, when it is no folder that can be read.
    static bool showFolder(const QString &folder);

    const CardCollection &collection() const { return m_collection; }
    // Whether cards are being read (the first time or after a change on disk).
    bool reading() const { return m_reading; }
    CollectionView view() const;

signals:
    // The cards are read and the posters of the first screen placed.
    void firstScreenPlaced();
    // A change on disk is in place.
    void cardsChanged();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // With a folder, its cards are read while the window is built.
    explicit CollectionWindow(const QString &folder = {});
    ~CollectionWindow() override;
    void openFolder(const QString &folder);
    void showOpening(const QString &folder);
    void buildViews();
    void sizeListColumns();
    void hideRememberedColumns();
    void buildColumnMenu();
    void showColumnMenu(const QPoint &at);
    void showColumn(int column, bool shown);
    void buildSidePanel();
    void buildActions();
    void buildMenus();
    void buildToolBar();
    void setCaptions();
    void connectHandlers();
    void connectViews();
    void setView(CollectionView view);
    void buildSortMenu();
    void chooseSort(int column, Qt::SortOrder order);
    void showSort(int column, Qt::SortOrder order);
    void followScreen();

    // The card under the cursor of the view shown; empty when none.
    QString currentCardPath() const;
    QAbstractItemView *shownView() const;
    QList<QAbstractItemView *> itemViews() const;
    void updateActions();
    void showCurrentCard();
    void comeBack();
    void editCurrentCard();
    void followEditor();
    void startNewCard();
    void playCurrentMovie();
    void openCurrentFolder();
    void trashChosenCards();
    void exportCatalogue();
    void showStats();
    void exportStats();
    void buildEmptyPage();
    void showViewOrEmpty();
    void importLibrary();
    void libraryImported();
    void writeCatalogue(const QString &path, CatalogueKind kind, const QStringList &cardPaths);
    void catalogueWritten(const QString &path, bool written);
    void showCardMenu(const QPoint &at);
    void openMenuBar();

    // Search and side list
    void search(const QString &text);
    void clearSearch();
    void focusSearch();
    void chooseFacet();
    QHash<int, bool> groupsOpen() const;
    void fillFacets();
    void keepChosenEntries(QTreeWidgetItem *all, const QList<QTreeWidgetItem *> &entries);
    void showCount();

    // The details pane and the changes made from it
    void buildPane();
    void showPane(bool shown);
    QList<int> chosenRows() const;
    QStringList chosenCardPaths() const;
    void showChosenCards();
    void showManyCards(const QStringList &paths);
    void changeChosenCards(const QList<CardEdit> &edits);
    void toggleSeen();
    void compareChosenCards();
    void changeShownCard(const QList<CardEdit> &edits);
    void shownCardWritten(const CardChangeOutcome &outcome, const std::optional<CollectionCard> &onDisk);
    void putInPlace(std::vector<CollectionCard> cards);
    struct ChangedCards {
        std::vector<CollectionCard> cards;   // read anew once written
        QStringList unchanged;
        qsizetype done = 0;
        bool last = false;
    };
    void changeManyCards(const QStringList &paths, const QList<CardEdit> &edits);
    void takeChangedCards(const ChangedCards &chunk);
    void showChangesProgress();
    void cancelChanges();

    // Histories and collections brought in
    void buildExchangePage();
    void importHistory();
    void importCollection();
    void importExchange();
    void readHistory(const QString &path, bool orCollection);
    void historyRead(quint64 ticket, const QString &path, bool orCollection, const QString &refusal,
        const QList<ExchangeRow> &rows, const QList<HistoryMatch> &changes);
    void applyHistory();
    void takeAppliedCards(const ChangedCards &chunk);
    void importCollectionFile(const QString &path);
    struct ImportedRows {
        QList<ExchangeRow> rows;
        int permille = 0;
        std::optional<CollectionImported> end;   // once the file is read
    };
    void takeImportedRows(const ImportedRows &chunk);
    void closeExchange();

    // Reading cards, and changes on disk
    void rescan(const QStringList &folders);
    void takeRescans(const QString &root, std::vector<FolderRescan> &rescans);
    void showReadingCount(qsizetype read);
    void checkFirstScreen();
    int gridItemsOnScreen() const;
    void askPosters(const std::vector<CollectionCard> &cards, int count);

    static QPointer<CollectionWindow> s_instance;

    CardCollection m_collection;
    PosterShelf *m_posters;
    CardTableModel *m_model;
    FolderWatch *m_watch;
    ListingWatch *m_listingWatch;
    bool m_onShare = false;   // the collection is on a network share, listed again on a timer
    QThreadPool m_scanPool;
    QPointer<QThread> m_exportThread;
    bool m_reading = false;
    bool m_firstScreenPending = false;
    QStringList m_touchedFolders;   // changes to read once the reading under way ends
    QTimer m_facetsDue;
    QTimer m_paneDue;           // the pane follows the cards chosen once the choice settles
    QThreadPool m_changePool;   // the changes' thread: one change after the other
    CardPane *m_pane;
    QWidget *m_paneArea;                                  // the pane's scroll area, shown or hidden
    QString m_panePath;                                   // the one card the pane shows; empty when none
    Card m_paneCard;                                      // as read, with the changes made since
    QHash<QString, int> m_writesPending;                  // changes of a card shown not yet on disk
    std::shared_ptr<std::atomic<bool>> m_cancelChanges;   // a change of many cards under way
    qsizetype m_changesDone = 0, m_changesTotal = 0;
    QStringList m_unchangedCards;
    QTimer m_progressDue;

    QListView *m_gridView;
    QTreeView *m_listView;
    QStackedWidget *m_views;
    StatsView *m_stats;
    QWidget *m_statsArea;   // the statistics' scroll area, a view of its own
    QWidget *m_emptyPage;   // shown in place of the views when the folder holds no card
    QLabel *m_emptyLabel;
    QPushButton *m_firstCardButton, *m_importButton, *m_importExchangeButton;
    ExchangePage *m_exchangePage;
    bool m_exchangeShown = false;   // the page stands in place of the views
    quint64 m_exchangeTicket = 0;   // the report under way; one that comes for an older one is dropped
    QList<HistoryMatch> m_historyChanges;   // the matches to apply
    qsizetype m_cardsWritten = 0;
    QPointer<QProcess> m_import;   // the card tool's import under way
    CollectionView m_chosenView = CollectionView::Grid;
    QTreeWidget *m_facetTree;
    QLineEdit *m_searchEdit;
    QLabel *m_countLabel;
    QMenu *m_fileMenu, *m_cardMenu, *m_viewMenu, *m_sortMenu, *m_columnMenu;
    QList<QAction *> m_sortActions;   // one a column, in their order
    QAction *m_descendingAction;
    QAction *m_newCardAction, *m_exportAction, *m_importHistoryAction, *m_importCollectionAction,
        *m_closeAction;
    QAction *m_showCardAction, *m_editCardAction, *m_playMovieAction, *m_openFolderAction, *m_trashAction;
    QAction *m_gridAction, *m_listAction, *m_statsAction, *m_findAction, *m_clearSearchAction,
        *m_detailsAction, *m_toggleSeenAction, *m_compareAction;
    QActionGroup *m_viewGroup;
};
