// Viewing histories and collections of other programs brought into the
// collection: read off the interface's thread, their report shown in place
// of the cards before a history is applied, each card one locked change.
#include "collectionwindow/collectionwindow.h"

#include "collection/historyapply.h"
#include "collectionwindow/cardtablemodel.h"
#include "collectionwindow/exchangepage.h"
#include "desktop/desktop.h"
#include "desktop/messages.h"
#include "texts/texts.h"

#include <QAbstractItemView>
#include <QAction>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>

namespace {

// The work's results are handed to the window this often, as the pane's changes are.
constexpr qint64 kHandBackMs = 100;
constexpr int kNoticeMs = 10000;

const QString kHistoryFiles = QStringLiteral("*.csv;*.zip");
const QString kCollectionFiles = QStringLiteral("*.tc;*.gcs;*.csv;*.tsv;*.txt");
const QString kExchangeFiles = QStringLiteral("*.csv;*.zip;*.tc;*.gcs;*.tsv;*.txt");

QString chooseExchangeFile(QObject *owner, const QString &folder, Text title, const FileFilter &filter)
{
    FileRequest request;
    request.kind = FileDialogKind::Open;
    request.title = textOf(title);
    request.filters = { filter, { textOf(Text::FilterAll), QStringLiteral("*") } };
    request.folder = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    request.options = FileDialogFlag::FileMustExist | FileDialogFlag::HideReadOnly;
    request.owner = owner;
    return desktop().chooseFile(request);
}

// The rows of a history's report: the rows left out first, then the
// movies, the changes first, then those up to date, ambiguous and not found.
QList<ExchangeRow> historyRows(
    const HistoryExports &exports, QList<HistoryMatch> &matches, const QString &root)
{
    QList<ExchangeRow> rows;
    for (const SkippedRow &row : exports.skipped)
        rows << skippedRow(row);
    std::stable_sort(matches.begin(), matches.end(),
        [](const HistoryMatch &a, const HistoryMatch &b) { return a.outcome < b.outcome; });
    for (const HistoryMatch &match : matches)
        rows << historyRow(match, root);
    return rows;
}

}   // namespace

void CollectionWindow::buildExchangePage()
{
    m_exchangePage = new ExchangePage;
    m_views->addWidget(m_exchangePage);
    connect(m_exchangePage, &ExchangePage::applyChosen, this, &CollectionWindow::applyHistory);
    connect(m_exchangePage, &ExchangePage::cancelChosen, this, &CollectionWindow::cancelChanges);
    connect(m_exchangePage, &ExchangePage::closeChosen, this, &CollectionWindow::closeExchange);
}

void CollectionWindow::importHistory()
{
    if (m_exchangeShown || m_cancelChanges)
        return;
    const QString path = chooseExchangeFile(
        this, m_collection.root(), Text::ImportHistoryTitle, { textOf(Text::FilterHistory), kHistoryFiles });
    if (!path.isEmpty())
        readHistory(path, false);
}

void CollectionWindow::importCollection()
{
    if (m_exchangeShown || m_cancelChanges)
        return;
    const QString path = chooseExchangeFile(this, m_collection.root(), Text::ImportCollectionTitle,
        { textOf(Text::FilterCollection), kCollectionFiles });
    if (!path.isEmpty())
        importCollectionFile(path);
}

// Either: a file of another catalogue by its extension; a table that is no
// export of a service, a spreadsheet of movies.
void CollectionWindow::importExchange()
{
    if (m_exchangeShown || m_cancelChanges)
        return;
    const QString path = chooseExchangeFile(this, m_collection.root(), Text::ImportExchangeButton,
        { textOf(Text::FilterExchange), kExchangeFiles });
    if (path.isEmpty())
        return;
    const std::optional<ImportSource> source = importSourceOf(path);
    if (source && source != ImportSource::Table)
        importCollectionFile(path);
    else
        readHistory(path, true);
}

// The export and the cards are read, and matched, on the changes' thread.
void CollectionWindow::readHistory(const QString &path, bool orCollection)
{
    m_exchangeShown = true;
    m_exchangePage->start(textOf(Text::ReadingHistory).arg(QFileInfo(path).fileName()));
    showViewOrEmpty();
    const quint64 ticket = ++m_exchangeTicket;
    const QString root = m_collection.root();
    m_changePool.start([this, ticket, path, orCollection, root] {
        const HistoryExports exports = readHistoryExports({ path });
        QString refusal;
        QList<HistoryMatch> matches;
        if (!exports.refused.isEmpty())
            refusal = orCollection && exports.refused.first().status == HistoryRead::Status::NotHistory
                ? QString()
                : historyRefusal(exports.refused.first());
        else
            matches = matchHistory(exports.entries, historyCards({ root }, {}, false), false);
        const QList<ExchangeRow> rows = historyRows(exports, matches, root);
        QList<HistoryMatch> changes;
        for (const HistoryMatch &match : matches) {
            if (match.outcome == HistoryMatch::Outcome::Changed)
                changes << match;
        }
        QMetaObject::invokeMethod(
            this,
            [=, this] {
                historyRead(ticket, path, orCollection && !exports.refused.isEmpty(), refusal, rows, changes);
            },
            Qt::QueuedConnection);
    });
}

// The report, before anything is written; a table that is no export goes
// on as a collection when the user chose either.
void CollectionWindow::historyRead(quint64 ticket, const QString &path, bool orCollection,
    const QString &refusal, const QList<ExchangeRow> &rows, const QList<HistoryMatch> &changes)
{
    if (ticket != m_exchangeTicket || !m_exchangeShown)
        return;
    if (orCollection && refusal.isEmpty())
        return importCollectionFile(path);
    if (!refusal.isEmpty()) {
        closeExchange();
        showMessage(refusal, MsgIcon::Critical);
        return;
    }
    m_historyChanges = changes;
    m_exchangePage->addRows(rows);
    m_exchangePage->finish(!changes.isEmpty());
}

// Each card gains what the export brings it, reckoned again on the card as
// it stands, one card after the other; Cancel leaves the rest as they are.
void CollectionWindow::applyHistory()
{
    if (m_cancelChanges || m_historyChanges.isEmpty())
        return;
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    m_cancelChanges = cancel;
    m_changesDone = m_cardsWritten = 0;
    m_changesTotal = m_historyChanges.size();
    m_unchangedCards.clear();
    m_exchangePage->work(textOf(Text::ApplyingHistory), true);
    m_exchangePage->showProgress(0, m_changesTotal);
    const QString root = m_collection.root();
    m_changePool.start([this, changes = std::exchange(m_historyChanges, {}), root, cancel] {
        CardMemo memo;
        ChangedCards chunk;
        QElapsedTimer sinceHandedBack;
        sinceHandedBack.start();
        const auto handBack = [&] {
            QMetaObject::invokeMethod(
                this, [this, chunk] { takeAppliedCards(chunk); }, Qt::QueuedConnection);
            chunk = {};
            sinceHandedBack.restart();
        };
        for (qsizetype i = 0; i < changes.size() && !*cancel; ++i) {
            const HistoryApplied applied = applyHistoryMatch(changes[i], false);
            const QString path = changes[i].cards.value(0);
            if (applied.saved.ok()) {
                if (std::optional<CollectionCard> card = readCollectionCard(path, root, memo))
                    chunk.cards.push_back(std::move(*card));
            } else if (applied.saved.status != SaveStatus::Cancelled) {
                chunk.unchanged << path;
            }
            ++chunk.done;
            if (sinceHandedBack.hasExpired(kHandBackMs))
                handBack();
        }
        chunk.last = true;
        handBack();
    });
}

void CollectionWindow::takeAppliedCards(const ChangedCards &chunk)
{
    m_changesDone += chunk.done;
    m_cardsWritten += qsizetype(chunk.cards.size());
    m_unchangedCards << chunk.unchanged;
    if (!chunk.cards.empty())
        putInPlace(chunk.cards);
    m_exchangePage->showProgress(m_changesDone, m_changesTotal);
    if (!chunk.last)
        return;
    m_cancelChanges.reset();
    m_facetsDue.start();
    closeExchange();
    statusBar()->showMessage(
        countText(m_cardsWritten, Text::HistoryAppliedOne, Text::HistoryApplied), kNoticeMs);
    if (!m_unchangedCards.isEmpty())
        showCardsUnchanged(m_unchangedCards);
    showChosenCards();
}

// A card in the collection's folder for each movie of the file, the rows
// said as they come; the folder is read again once done.
void CollectionWindow::importCollectionFile(const QString &path)
{
    m_exchangeShown = true;
    m_exchangePage->start(QString());
    m_exchangePage->work(
        textOf(Text::ImportingCollection).arg(QFileInfo(path).fileName(), m_collection.root()), true);
    m_exchangePage->showProgress(0, 1000);
    showViewOrEmpty();
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    m_cancelChanges = cancel;
    const QString root = m_collection.root();
    m_changePool.start([this, path, root, cancel] {
        ImportedRows chunk;
        QElapsedTimer sinceHandedBack;
        sinceHandedBack.start();
        const auto handBack = [&] {
            QMetaObject::invokeMethod(
                this, [this, chunk] { takeImportedRows(chunk); }, Qt::QueuedConnection);
            chunk.rows.clear();
            sinceHandedBack.restart();
        };
        chunk.end = importMovies(path, root, *cancel, [&](const ExchangeRow &row, int permille) {
            chunk.rows << row;
            chunk.permille = permille;
            if (sinceHandedBack.hasExpired(kHandBackMs))
                handBack();
        });
        handBack();
    });
}

void CollectionWindow::takeImportedRows(const ImportedRows &chunk)
{
    m_exchangePage->addRows(chunk.rows);
    m_exchangePage->showProgress(chunk.permille, 1000);
    if (!chunk.end)
        return;
    m_cancelChanges.reset();
    rescan({ m_collection.root() });
    const qsizetype written = m_exchangePage->count(ExchangeRow::Kind::Written);
    if (!chunk.end->refusal.isEmpty() && written == 0
        && m_exchangePage->count(ExchangeRow::Kind::Kept) == 0) {
        closeExchange();
        showMessage(chunk.end->refusal, MsgIcon::Critical);
        return;
    }
    const QString note = chunk.end->refusal.isEmpty() ? chunk.end->leftOut : chunk.end->refusal;
    m_exchangePage->finish(false, note);
    statusBar()->showMessage(
        countText(written, Text::CollectionImportedOne, Text::CollectionImported), kNoticeMs);
}

// The cards again; a report still being read is dropped when it comes.
void CollectionWindow::closeExchange()
{
    ++m_exchangeTicket;
    m_exchangeShown = false;
    m_historyChanges.clear();
    showViewOrEmpty();
    showChosenCards();   // the pane comes back with the cards' view
    shownView()->setFocus();
}
