// The collection window's changes to its cards from the details pane: one
// card shown changed at once and written behind, many cards written in
// turn with a progress bar and Cancel past half a second; each change is
// the card's one locked change, and a failure is said.
#include "collectionwindow/collectionwindow.h"

#include "collection/cardchanges.h"
#include "collectionwindow/cardpane.h"
#include "collectionwindow/cardtablemodel.h"
#include "collectionwindow/postershelf.h"
#include "desktop/desktop.h"
#include "desktop/messages.h"

#include "collectionwindow/collectionsettings.h"

#include <QAbstractItemView>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QListView>
#include <QScrollArea>
#include <QSplitter>

namespace {

// The cards written are handed to the window this often: often enough to
// move the progress bar, seldom enough that putting them in place is no
// burden to it.
constexpr qint64 kHandBackMs = 100;
constexpr int kProgressAfterMs = 500;
constexpr int kPaneWidth = 330;   // device-independent pixels
constexpr int kSidePanelWidth = 220;

const QString kDetailsKey = QStringLiteral("details");   // whether the pane is shown

}   // namespace

// The pane stands right of the cards, in a scroll area of its own.
void CollectionWindow::buildPane()
{
    m_pane = new CardPane;
    auto *scroll = new QScrollArea;
    m_paneArea = scroll;
    scroll->setObjectName(QStringLiteral("paneScroll"));
    scroll->setWidget(m_pane);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *splitter = static_cast<QSplitter *>(centralWidget());
    splitter->addWidget(scroll);
    splitter->setStretchFactor(2, 0);
    // A narrow window (a small screen, a large scale) keeps most of its width for the cards.
    const int side = std::min(kSidePanelWidth, width() / 4), pane = std::min(kPaneWidth, width() / 3);
    splitter->setSizes({ side, width() - side - pane, pane });
    scroll->setVisible(remembered(kDetailsKey).toBool() || !remembered(kDetailsKey).isValid());
}

void CollectionWindow::showPane(bool shown)
{
    remember(kDetailsKey, shown, true);
    showViewOrEmpty();
    if (shown)
        showChosenCards();
}

// The rows chosen in the views, in their order: the grid chooses a row's
// first column, the list all of them.
QList<int> CollectionWindow::chosenRows() const
{
    QList<int> rows;
    for (const QItemSelectionRange &range : m_gridView->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows << row;
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

// The cards chosen in the views, in their order; the current one when none is.
QStringList CollectionWindow::chosenCardPaths() const
{
    QStringList paths;
    for (const int row : chosenRows())
        paths << m_model->card(row).path;
    if (paths.isEmpty() && !currentCardPath().isEmpty())
        paths << currentCardPath();
    return paths;
}

// The pane follows the cards chosen; a card is read whole for it.
void CollectionWindow::showChosenCards()
{
    if (!m_pane->isVisible() || m_pane->isTyping())
        return;
    const QStringList paths = chosenCardPaths();
    // A card whose changes are still on their way to the disk is shown as changed.
    if (paths.size() == 1 && paths.first() == m_panePath && m_writesPending.contains(m_panePath))
        return;
    m_panePath.clear();
    if (paths.isEmpty())
        return m_pane->showNothing();
    if (paths.size() > 1)
        return showManyCards(paths);
    const CardHead head = readCardHead(paths.first());
    if (head.status != CardReadStatus::Ok)
        return m_pane->showNothing();
    m_panePath = paths.first();
    m_paneCard = head.card;
    m_pane->showCard(m_paneCard, m_posters->poster(m_panePath));
}

void CollectionWindow::showManyCards(const QStringList &paths)
{
    bool allSeen = true;
    std::optional<int> rating;
    for (const QString &path : paths) {
        const CollectionCard &card = m_collection.cards()[size_t(m_collection.indexOf(path))];
        allSeen = allSeen && card.seen;
        rating = !rating || *rating == card.rating ? card.rating : 0;
    }
    m_pane->showMany(int(paths.size()), allSeen, rating.value_or(0));
}

void CollectionWindow::changeChosenCards(const QList<CardEdit> &edits)
{
    if (m_cancelChanges)
        return;   // a change of many cards is under way
    const QStringList paths = chosenCardPaths();
    if (paths.size() == 1 && paths.first() == m_panePath)
        changeShownCard(edits);
    else if (!paths.isEmpty())
        changeManyCards(paths, edits);
}

// Space: all the cards chosen seen, or none when they all were.
void CollectionWindow::toggleSeen()
{
    const QStringList paths = chosenCardPaths();
    const bool allSeen = std::all_of(paths.begin(), paths.end(), [this](const QString &path) {
        return m_collection.cards()[size_t(m_collection.indexOf(path))].seen;
    });
    changeChosenCards({ { Field::Vu, allSeen ? QString() : kFlagSet } });
}

// The card shown changes in the window at once; the disk follows on the
// changes' thread, in the order asked.
void CollectionWindow::changeShownCard(const QList<CardEdit> &edits)
{
    Card edited = m_paneCard;
    if (applyEdits(edited, edits)) {
        showCardsUnchanged({ m_panePath });
        return m_pane->showCard(m_paneCard, m_posters->poster(m_panePath));
    }
    const QString path = m_panePath;
    const int index = m_collection.indexOf(path);
    if (index < 0)
        return;
    const bool hasPoster = m_collection.cards()[size_t(index)].hasPoster;
    m_paneCard = edited;
    putInPlace({ collectionCardOf(path, edited, hasPoster, m_collection.root()) });
    m_pane->showCard(m_paneCard, m_posters->poster(path));
    ++m_writesPending[path];
    const QString root = m_collection.root();
    m_changePool.start([this, path, edits, root] {
        const CardChangeOutcome outcome = changeCardFields(path, edits);
        CardMemo memo;
        std::optional<CollectionCard> onDisk = readCollectionCard(path, root, memo);
        QMetaObject::invokeMethod(
            this, [this, outcome, onDisk] { shownCardWritten(outcome, onDisk); }, Qt::QueuedConnection);
    });
}

// A failure is said, and the card is shown as it is on disk; a success
// takes the card as written once no other change of it is on its way.
void CollectionWindow::shownCardWritten(
    const CardChangeOutcome &outcome, const std::optional<CollectionCard> &onDisk)
{
    const bool last = --m_writesPending[outcome.path] == 0;
    if (last)
        m_writesPending.remove(outcome.path);
    if (!outcome.ok()) {
        if (outcome.problem)
            showCardsUnchanged({ outcome.path });
        else
            saveSucceeded(outcome.saved);
    }
    if ((last || !outcome.ok()) && onDisk)
        putInPlace({ *onDisk });
    if (!outcome.ok() && outcome.path == m_panePath)
        showChosenCards();
}

// Cards changed by the window itself: their posters are as they were.
void CollectionWindow::putInPlace(std::vector<CollectionCard> cards)
{
    m_model->replaceCards(std::move(cards));
    showCount();
    if (!m_cancelChanges)
        m_facetsDue.start();
}

// Many cards, each written whole or not at all on the changes' thread, a
// few at a time handed back; past half a second, a progress bar and Cancel.
void CollectionWindow::changeManyCards(const QStringList &paths, const QList<CardEdit> &edits)
{
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    m_cancelChanges = cancel;
    m_changesDone = 0;
    m_changesTotal = paths.size();
    m_unchangedCards.clear();
    m_pane->setChanging(true);
    m_progressDue.start(kProgressAfterMs);
    const QString root = m_collection.root();
    m_changePool.start([this, paths, edits, root, cancel] {
        CardMemo memo;
        ChangedCards chunk;
        const auto handBack = [&] {
            QMetaObject::invokeMethod(
                this, [this, chunk] { takeChangedCards(chunk); }, Qt::QueuedConnection);
            chunk = {};
        };
        QElapsedTimer sinceHandedBack;
        sinceHandedBack.start();
        changeEachCard(paths, edits, *cancel, [&](const CardChangeOutcome &outcome) {
            if (!outcome.ok())
                chunk.unchanged << outcome.path;
            else if (std::optional<CollectionCard> card = readCollectionCard(outcome.path, root, memo))
                chunk.cards.push_back(std::move(*card));
            ++chunk.done;
            if (sinceHandedBack.hasExpired(kHandBackMs)) {
                handBack();
                sinceHandedBack.restart();
            }
        });
        chunk.last = true;
        handBack();
    });
}

void CollectionWindow::takeChangedCards(const ChangedCards &chunk)
{
    m_changesDone += chunk.done;
    m_unchangedCards << chunk.unchanged;
    if (!chunk.cards.empty())
        putInPlace(chunk.cards);
    if (!m_progressDue.isActive())
        m_pane->showProgress(m_changesDone, m_changesTotal);
    if (!chunk.last)
        return;
    m_cancelChanges.reset();
    m_progressDue.stop();
    m_pane->hideProgress();
    m_pane->setChanging(false);
    m_facetsDue.start();
    if (!m_unchangedCards.isEmpty())
        showCardsUnchanged(m_unchangedCards);
    showChosenCards();
}

// Half a second into a change of many cards: its progress, and Cancel.
void CollectionWindow::showChangesProgress()
{
    if (!m_cancelChanges)
        return;
    m_pane->showProgress(m_changesDone, m_changesTotal);
}

// The cards not yet written stay as they are; those written stay so.
void CollectionWindow::cancelChanges()
{
    if (m_cancelChanges)
        m_cancelChanges->store(true);
}
