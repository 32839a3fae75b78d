// Which cards the collection window shows: reading them, following their
// changes on disk, the search and the side list.
#include "collectionwindow/collectionwindow.h"

#include "collectionwindow/cardtablemodel.h"
#include "collectionwindow/postershelf.h"
#include "texts/texts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <memory>

namespace {

QString cardCount(qsizetype count)
{
    return count == 1 ? textOf(Text::OneCard) : textOf(Text::ManyCards).arg(QLocale().toString(count));
}

}   // namespace

// Reads the folders again on another thread, one reading at a time; the
// changes that come meanwhile wait for the next.
void CollectionWindow::rescan(const QStringList &folders)
{
    for (const QString &folder : folders) {
        if (!m_touchedFolders.contains(folder))
            m_touchedFolders << folder;
    }
    if (m_reading || m_touchedFolders.isEmpty())
        return;
    m_reading = true;
    const QStringList touched = std::exchange(m_touchedFolders, {});
    QSet<QString> known = m_collection.folders();
    const QString root = m_collection.root();
    const CardColumn column = m_collection.sortColumn();
    const Qt::SortOrder order = m_collection.sortOrder();
    // A first reading on a share takes seconds: the status bar counts the cards read.
    const ReadProgress progress = !m_collection.cards().empty() ? ReadProgress() : [this](qsizetype read) {
        QMetaObject::invokeMethod(
            this, [this, read] { showReadingCount(read); }, Qt::QueuedConnection);
    };
    m_scanPool.start([this, touched, known, root, column, order, progress]() mutable {
        auto rescans = std::make_shared<std::vector<FolderRescan>>();
        for (const QString &folder : touched) {
            rescans->push_back(rescanFolder(folder, known, root, progress));
            for (const QString &found : rescans->back().folders)
                known.insert(found);
            sortCards(rescans->back().cards, column, order);
        }
        QMetaObject::invokeMethod(
            this, [this, root, rescans] { takeRescans(root, *rescans); }, Qt::QueuedConnection);
    });
    if (m_collection.cards().empty())
        statusBar()->showMessage(textOf(Text::ReadingCards));
}

void CollectionWindow::showReadingCount(qsizetype read)
{
    if (m_reading && m_collection.cards().empty())
        statusBar()->showMessage(textOf(Text::ReadingCardsCount).arg(QLocale().toString(read)));
}

void CollectionWindow::takeRescans(const QString &root, std::vector<FolderRescan> &rescans)
{
    // A reading of another collection, opened since, is dropped.
    if (root != m_collection.root())
        rescans.clear();
    m_onShare = m_onShare || std::any_of(rescans.begin(), rescans.end(), [](const FolderRescan &rescan) {
        return rescan.onShare;
    });
    // The first screen's posters are read while the cards are put in place.
    if (m_firstScreenPending && shownView() == m_gridView && m_collection.cards().empty()
        && rescans.size() == 1)
        askPosters(rescans.front().cards, gridItemsOnScreen());
    CollectionChanges changes;
    m_model->update([&] {
        for (FolderRescan &rescan : rescans) {
            const CollectionChanges found = m_collection.apply(std::move(rescan));
            changes.added << found.added;
            changes.changed << found.changed;
            changes.removed << found.removed;
        }
    });
    for (const QString &path : changes.changed + changes.removed)
        m_posters->forget(path);
    m_reading = false;
    statusBar()->clearMessage();
    showViewOrEmpty();
    // The side list follows in an event of its own, so that no one event
    // holds the window long.
    if (!changes.isEmpty()) {
        m_facetsDue.start();
        m_paneDue.start();   // the card shown may be one changed by another program
    }
    // The keyboard finds a card under way from the start.
    if (!shownView()->currentIndex().isValid() && m_model->rowCount() > 0)
        shownView()->selectionModel()->setCurrentIndex(m_model->index(0, 0), QItemSelectionModel::NoUpdate);
    showCount();
    checkFirstScreen();
    // Watching a hundred folders takes milliseconds: the first screen does not wait for it.
    m_watch->watch(m_collection.folders());
    // inotify sees no other machine's change on a share: its folders are listed again on a timer.
    if (m_onShare) {
        m_listingWatch->watch(m_collection.folders());
        statusBar()->showMessage(textOf(Text::WatchedOnNetwork));
    }
    emit cardsChanged();
    rescan({});
}

// How many items the grid shows at its size, its scroll bar shown: a row
// partly seen counts.
int CollectionWindow::gridItemsOnScreen() const
{
    QStyleOptionViewItem option;
    option.initFrom(m_gridView);
    const int spacing = m_gridView->spacing();   // on each side of an item
    const QSize item = m_gridView->itemDelegate()->sizeHint(option, {}) + 2 * QSize(spacing, spacing);
    QSize room = m_gridView->viewport()->size();
    if (!m_gridView->verticalScrollBar()->isVisible())
        room.rwidth() -= m_gridView->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_gridView);
    return std::max(1, room.width() / item.width()) * ((room.height() + item.height() - 1) / item.height());
}

// The posters of the first count cards, asked for from the last: the shelf
// reads the latest asked first.
void CollectionWindow::askPosters(const std::vector<CollectionCard> &cards, int count)
{
    for (qsizetype i = std::min<qsizetype>(count, qsizetype(cards.size())) - 1; i >= 0; --i) {
        if (cards[size_t(i)].hasPoster)
            m_posters->poster(cards[size_t(i)].path);
    }
}

// The first screen is placed once its posters are: the view asks for them
// as it paints, and the shelf says when the last one came.
void CollectionWindow::checkFirstScreen()
{
    if (!m_firstScreenPending || m_reading)
        return;
    shownView()->viewport()->repaint();
    if (m_posters->busy())
        return;
    m_firstScreenPending = false;
    emit firstScreenPlaced();
    // Lets a benchmark time, from outside, the start to the first screen of posters.
    if (qEnvironmentVariableIsSet("CINEFICHE_QUIT_AT_FIRST_SCREEN"))
        QCoreApplication::quit();
}

void CollectionWindow::search(const QString &text)
{
    m_model->update([&] { m_collection.setSearch(text); });
    showCount();
}

void CollectionWindow::clearSearch()
{
    m_searchEdit->clear();
}

void CollectionWindow::focusSearch()
{
    m_searchEdit->setFocus(Qt::ShortcutFocusReason);
    m_searchEdit->selectAll();
}

// The count, and the statistics when they are shown, follow the cards shown.
void CollectionWindow::showCount()
{
    showStats();
    const qsizetype shown = qsizetype(m_collection.shown().size());
    const qsizetype all = qsizetype(m_collection.cards().size());
    m_countLabel->setText(shown == all
            ? cardCount(all)
            : textOf(Text::ShownCards).arg(QLocale().toString(shown), cardCount(all)));
}
