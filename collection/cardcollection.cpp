#include "collection/cardcollection.h"

#include "card/card.h"
#include "card/cp1252.h"
#include "collection/filesystemkind.h"
#include "collection/folderentries.h"
#include "collection/frenchorder.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <iterator>
#include <numeric>
#include <thread>

namespace {

// How a column sorts: by the year, the running time, the actors' key made
// for that sort, or its text's key made as the card is read.
enum class ColumnSort { Year, Minutes, Actors, Text };

constexpr ColumnSort sortOf(CardColumn column)
{
    const std::optional<Field> field = fieldOf(column);
    switch (field ? fieldLayout(*field).rule : FieldRule::Text) {
    case FieldRule::Number:
        return ColumnSort::Year;
    case FieldRule::Hours:
        return ColumnSort::Minutes;
    case FieldRule::Actors:
        return ColumnSort::Actors;
    default:
        return ColumnSort::Text;
    }
}

// Where a column sorted by its text has its key in CollectionCard::keys.
constexpr int keyIndex(CardColumn column)
{
    int index = 0;
    for (int before = 0; before < int(column); ++before)
        index += sortOf(CardColumn(before)) == ColumnSort::Text ? 1 : 0;
    return index;
}

constexpr int kTitleKey = keyIndex(columnOf(Field::Titre));
constexpr int kTextKeys = keyIndex(CardColumn(kCardColumns));
static_assert(sortOf(columnOf(Field::Titre)) == ColumnSort::Text, "every sort ends by the title");

QString relativeFolder(const QString &path, const QString &root)
{
    const QString folder = path.left(std::max<qsizetype>(path.lastIndexOf(QLatin1Char('/')), 0));
    if (!folder.startsWith(root) || folder.size() <= root.size())
        return {};
    return folder.mid(root.endsWith(QLatin1Char('/')) ? root.size() : root.size() + 1);
}

static_assert(fieldWidth(Field::Annee) == 4 && fieldWidth(Field::Heures) + fieldWidth(Field::Minutes) == 4);

// The number four stored bytes give, read once for each value they hold.
int numberOf(QHash<quint32, int> &known, QByteArrayView bytes, int (*read)(QByteArrayView))
{
    quint32 key = 0;
    std::memcpy(&key, bytes.data(), sizeof key);
    if (const auto found = known.constFind(key); found != known.constEnd())
        return *found;
    return *known.insert(key, read(bytes));
}

QString textOf(QByteArrayView bytes)
{
    return fromCp1252(bytes.data(), bytes.size());
}

// Hours and minutes, each read as the editor shows it.
int minutesOf(QByteArrayView heuresMinutes)
{
    bool hoursOk = false, minutesOk = false;
    const int hours = shownText(FieldRule::Hours, textOf(heuresMinutes.first(2))).toInt(&hoursOk);
    const int minutes = shownText(FieldRule::Minutes, textOf(heuresMinutes.sliced(2, 2))).toInt(&minutesOk);
    if (!hoursOk && !minutesOk)
        return -1;
    return (hoursOk ? hours * 60 : 0) + (minutesOk ? minutes : 0);
}

bool isBelow(const QString &path, const QString &folder)
{
    return path.startsWith(folder)
        && (folder.endsWith(QLatin1Char('/'))
            || (path.size() > folder.size() && path[folder.size()] == u'/'));
}

// A number known or not: the unknown (0 or -1) sorts after every known one.
int compareNumbers(int a, int b, int unknown)
{
    if (a == b)
        return 0;
    if (a == unknown || b == unknown)
        return a == unknown ? 1 : -1;
    return a < b ? -1 : 1;
}

// The actors' keys the cards lack, made on the calling thread.
void makeActorKeys(std::vector<CollectionCard> &cards)
{
    const QCollator collator = frenchCollator();
    for (CollectionCard &card : cards) {
        if (!card.actorsKey)
            card.actorsKey = collator.sortKey(card.actors());
    }
}

int compareColumn(const CollectionCard &a, const CollectionCard &b, CardColumn column)
{
    switch (sortOf(column)) {
    case ColumnSort::Year:
        return compareNumbers(a.year, b.year, 0);
    case ColumnSort::Minutes:
        return compareNumbers(a.minutes, b.minutes, -1);
    case ColumnSort::Actors:
        return a.actorsKey->compare(*b.actorsKey);
    case ColumnSort::Text:
        break;
    }
    const int key = keyIndex(column);
    return a.keys[key].compare(b.keys[key]);
}

// The column, then the title, then the path: a total order, so that a
// sort gives the same list whatever order the cards came in.
bool before(const CollectionCard &a, const CollectionCard &b, CardColumn column)
{
    if (const int by = compareColumn(a, b, column))
        return by < 0;
    if (const int byTitle = a.keys[kTitleKey].compare(b.keys[kTitleKey]))
        return byTitle < 0;
    return a.path < b.path;
}

QString facetKey(const CollectionCard &card, Facet::Kind kind)
{
    switch (kind) {
    case Facet::Genre:
        return card.genre;
    case Facet::Director:
        return card.director;
    case Facet::Decade:
        break;
    }
    return card.year > 0 ? QString::number(card.year / 10 * 10) : QString();
}

QString facetLabel(const CollectionCard &card, Facet::Kind kind)
{
    if (kind == Facet::Genre)
        return card.text(Field::Type);
    if (kind == Facet::Director)
        return card.text(Field::Realisateur);
    return facetKey(card, kind);
}

// Whether every card that has the words now also had the words before:
// each word before is part of a word now.
bool narrows(const QStringList &now, const QStringList &before)
{
    return std::all_of(before.begin(), before.end(), [&now](const QString &old) {
        return std::any_of(
            now.begin(), now.end(), [&old](const QString &word) { return word.contains(old); });
    });
}

// Runs part(0) .. part(count - 1) at once, each on a thread of its own but
// the first, which runs on the calling one.
void onThreads(std::size_t count, const std::function<void(std::size_t)> &part)
{
    std::vector<std::thread> helpers;
    for (std::size_t i = 1; i < count; ++i)
        helpers.emplace_back(part, i);
    part(0);
    for (std::thread &helper : helpers)
        helper.join();
}

// As many threads as cores for each, and never more threads than pieces.
std::size_t threadsFor(std::size_t pieces, int eachCore = 1)
{
    return std::clamp<std::size_t>(
        std::size_t(QThread::idealThreadCount() * eachCore), 1, std::max<std::size_t>(pieces, 1));
}

// The cards read in a folder itself, as the collection keeps them: a few
// hundred and more are made on every core.
std::vector<CollectionCard> collectionCards(const std::vector<ScannedCard> &scanned, const QString &root)
{
    std::vector<CollectionCard> cards(scanned.size());
    const std::size_t parts = threadsFor(scanned.size() / 256);
    onThreads(parts, [&](std::size_t part) {
        CardMemo memo;
        for (std::size_t i = part; i < scanned.size(); i += parts)
            cards[i] = collectionCard(scanned[i], root, memo);
    });
    return cards;
}

// Cards are made a few hundred at a time: one vector grown to thousands of
// them would move them all, into new memory, at each growth.
constexpr std::size_t kCardBatch = 256;

struct CardBatches {
    std::vector<std::vector<CollectionCard>> batches;
    QStringList folders;

    void add(CollectionCard card)
    {
        if (batches.empty() || batches.back().size() == kCardBatch)
            batches.emplace_back().reserve(kCardBatch);
        batches.back().push_back(std::move(card));
        ++added;
    }
    std::size_t size() const { return added; }

private:
    std::size_t added = 0;
};

// Every 250 cards, progress hears how many are read.
void tellProgress(const ReadProgress &progress, std::size_t read)
{
    if (progress && read % 250 == 0)
        progress(qsizetype(read));
}

// The cards below folders, each folder read and its cards made on one
// thread, each thread taking the next folder when done with one: reading
// cards is mostly system calls, and ten thousand are read a tenth faster
// on two threads a core than on one. On a share, one scan reads them all
// with many cards in flight. The folders walked are said too. Reading a
// folder's cards the first time, no card's file is looked at (the
// fingerprint): a system call less a card.
void scanBelow(
    const QStringList &folders, const QString &root, FolderRescan &rescan, const ReadProgress &onShare)
{
    const std::size_t parts = onShare ? 1 : threadsFor(folders.size(), 2);
    std::vector<CardBatches> found(parts);
    std::atomic<qsizetype> next = 0;
    onThreads(parts, [&](std::size_t part) {
        CardMemo memo;
        CardScan scan;
        scan.recursive = true;
        // A hidden folder holds what the desktop keeps out of sight (the
        // trash, caches), not a collection: one opened on the home folder
        // would show the cards thrown away.
        scan.hiddenFolders = false;
        scan.text = RecordText::BytesOnly;
        scan.fileFacts = false;
        scan.onCard = [&](const ScannedCard &card) {
            CollectionCard made = collectionCard(card, root, memo);
            made.fingerprint.reset();   // not looked at: see fileFacts
            found[part].add(std::move(made));
            tellProgress(onShare, found[part].size());
            return true;
        };
        scan.onFolder = [&](const QString &path) { found[part].folders << path; };
        if (onShare) {
            scanCards(folders, scan);
            return;
        }
        scan.readers = 0;   // each thread reads a folder at a time
        for (qsizetype folder = next++; folder < folders.size(); folder = next++)
            scanCards({ folders[folder] }, scan);
    });
    rescan.cards.reserve(std::accumulate(found.begin(), found.end(), rescan.cards.size(),
        [](std::size_t sum, const CardBatches &part) { return sum + part.size(); }));
    for (CardBatches &part : found) {
        for (std::vector<CollectionCard> &batch : part.batches)
            std::move(batch.begin(), batch.end(), std::back_inserter(rescan.cards));
        rescan.folders << part.folders;
    }
}

// The cards of a folder on a share, without those below it, read many at once.
std::vector<ScannedCard> cardsOnShare(const QString &folder)
{
    std::vector<ScannedCard> scanned;
    CardScan scan;
    scan.text = RecordText::BytesOnly;
    scan.onCard = [&scanned](const ScannedCard &card) {
        scanned.push_back(card);
        return true;
    };
    scanCards({ folder }, scan);
    return scanned;
}

// A folder of a share read whole, with the index of what was read there
// before: a collection reopened costs its folders' listings.
void readShareFolder(FolderRescan &rescan, const QString &root, const ReadProgress &progress)
{
    CardMemo memo;
    CardBatches found;
    CardScan scan;
    scan.recursive = true;
    scan.hiddenFolders = false;   // as scanBelow
    scan.text = RecordText::BytesOnly;
    scan.useIndex = true;
    scan.onCard = [&](const ScannedCard &card) {
        found.add(collectionCard(card, root, memo));
        tellProgress(progress, found.size());
        return true;
    };
    scan.onFolder = [&](const QString &path) { found.folders << path; };
    scanCards({ rescan.folder }, scan);
    rescan.folders = found.folders;
    rescan.cards.reserve(found.size());
    for (std::vector<CollectionCard> &batch : found.batches)
        std::move(batch.begin(), batch.end(), std::back_inserter(rescan.cards));
}

}   // namespace

CardMemo::CardMemo() : m_collator(frenchCollator()) { }

QCollatorSortKey CardMemo::keyOfRecurring(const QString &text)
{
    if (const auto known = m_keys.constFind(text); known != m_keys.constEnd())
        return *known;
    return *m_keys.insert(text, m_collator.sortKey(text));
}

QString CardMemo::shared(const QString &text)
{
    return *m_texts.insert(text);
}

const RecurringText &CardMemo::recurring(const KeptText &kept)
{
    auto &recurring = m_recurring[kept.utf8 ? 1 : 0];
    const std::string_view bytes(kept.bytes.data(), size_t(kept.bytes.size()));
    if (const auto known = recurring.find(bytes); known != recurring.end())
        return known->second;
    const QString text = kept.text();
    return recurring.emplace(std::string(bytes), RecurringText { foldedText(text), m_collator.sortKey(text) })
        .first->second;
}

int CardMemo::year(QByteArrayView annee)
{
    return numberOf(m_years, annee, [](QByteArrayView bytes) { return yearOf(textOf(bytes)); });
}

int CardMemo::minutes(QByteArrayView heuresMinutes)
{
    return numberOf(m_minutes, heuresMinutes, minutesOf);
}

QString CollectionCard::actors() const
{
    return splitActorNames(text(Field::Acteurs)).join(QStringLiteral(", "));
}

CollectionCard collectionCard(const ScannedCard &scanned, const QString &root, CardMemo &memo)
{
    const QByteArrayView record(scanned.head.recordBytes.data(), qsizetype(scanned.head.recordBytes.size()));
    CollectionCard card;
    card.path = scanned.path;
    card.folder = memo.shared(relativeFolder(scanned.path, root));
    card.fields = KeptFields(record, scanned.head.card.extension.values);
    card.fingerprint = scanned.head.fingerprint;
    card.hasPoster = scanned.head.posterBytes > 0;
    card.year = memo.year(record.sliced(fieldLayout(Field::Annee).offset, 4));
    card.minutes = memo.minutes(record.sliced(fieldLayout(Field::Heures).offset, 4));
    const RecurringText &genre = memo.recurring(card.fields.kept(Field::Type));
    const RecurringText &director = memo.recurring(card.fields.kept(Field::Realisateur));
    card.genre = genre.folded;
    card.director = director.folded;
    card.keys.reserve(kTextKeys);
    for (int column = 0; column < kCardColumns; ++column) {
        if (sortOf(CardColumn(column)) != ColumnSort::Text)
            continue;
        const std::optional<Field> field = fieldOf(CardColumn(column));
        card.keys << (!field                   ? memo.keyOfRecurring(card.folder)
                : *field == Field::Type        ? genre.key
                : *field == Field::Realisateur ? director.key
                                               : memo.keyOf(card.text(*field)));
    }
    return card;
}

FolderRescan rescanFolder(const QString &folder, const QSet<QString> &knownFolders, const QString &root,
    const ReadProgress &progress)
{
    FolderRescan rescan { folder, {}, {}, {} };
    const auto entries = folderEntries(folder);
    if (!entries)
        return rescan;
    rescan.folders << folder;
    const bool onShare = fileSystemKind(folder) == FileSystemKind::Network;
    rescan.onShare = onShare;
    if (onShare && knownFolders.isEmpty()) {
        readShareFolder(rescan, root, progress);
        return rescan;
    }
    std::vector<ScannedCard> scanned;
    QStringList newFolders;
    for (const FolderEntry &entry : *entries) {
        const QString path = entryPath(folder, entry.name);
        if (entry.folder) {
            if (!entry.hidden())   // left out, as scanBelow leaves them
                (knownFolders.contains(path) ? rescan.keptFolders : newFolders) << path;
            continue;
        }
        if (onShare)
            continue;
        // Read as the scanner reads a file inside a folder: a link to a folder is no card.
        CardHead head = readCardHead(path, PosterHeader::Skip, RecordText::BytesOnly);
        if (head.status == CardReadStatus::Ok)
            scanned.push_back({ path, std::move(head) });
    }
    if (onShare)
        scanned = cardsOnShare(folder);
    rescan.cards = collectionCards(scanned, root);
    scanBelow(newFolders, root, rescan, onShare ? progress : ReadProgress());
    return rescan;
}

CardCollection::CardCollection(const QString &root) : m_root(root) { }

void sortCards(std::vector<CollectionCard> &cards, CardColumn column, Qt::SortOrder order)
{
    if (sortOf(column) == ColumnSort::Actors)
        makeActorKeys(cards);
    std::sort(cards.begin(), cards.end(), [column, order](const CollectionCard &a, const CollectionCard &b) {
        return order == Qt::AscendingOrder ? before(a, b, column) : before(b, a, column);
    });
}

CollectionChanges CardCollection::apply(FolderRescan rescan)
{
    const auto inScope = [&rescan](const QString &path) {
        return isBelow(path, rescan.folder)
            && std::none_of(rescan.keptFolders.begin(), rescan.keptFolders.end(),
                [&path](const QString &kept) { return isBelow(path, kept); });
    };
    CollectionChanges changes;
    if (std::none_of(
            m_cards.begin(), m_cards.end(), [&](const CollectionCard &card) { return inScope(card.path); })) {
        // Cards of a new folder, or the first reading: each one is new.
        for (const CollectionCard &card : rescan.cards)
            changes.added << card.path;
        if (m_cards.empty())
            m_cards.swap(rescan.cards);
        else
            std::move(rescan.cards.begin(), rescan.cards.end(), std::back_inserter(m_cards));
    } else {
        changes = merge(rescan, inScope);
    }
    keepFolders(rescan);
    m_indexes.clear();
    resort();
    return changes;
}

// Each card found in place of the one known at its path; the cards known
// there and not found are gone.
CollectionChanges CardCollection::merge(
    FolderRescan &rescan, const std::function<bool(const QString &)> &inScope)
{
    QHash<QString, size_t> found;
    for (size_t i = 0; i < rescan.cards.size(); ++i)
        found.insert(rescan.cards[i].path, i);
    CollectionChanges changes;
    std::vector<CollectionCard> kept;
    kept.reserve(m_cards.size() + rescan.cards.size());
    for (CollectionCard &card : m_cards) {
        if (!inScope(card.path)) {
            kept.push_back(std::move(card));
        } else if (const auto at = found.find(card.path); at == found.end()) {
            changes.removed << card.path;
        } else {
            if (rescan.cards[*at].fingerprint != card.fingerprint)
                changes.changed << card.path;
            kept.push_back(std::move(rescan.cards[*at]));
            found.erase(at);
        }
    }
    for (CollectionCard &card : rescan.cards) {
        if (found.contains(card.path)) {
            changes.added << card.path;
            kept.push_back(std::move(card));
        }
    }
    m_cards = std::move(kept);
    return changes;
}

// The folders below the one looked at are those it kept and those it found.
void CardCollection::keepFolders(const FolderRescan &rescan)
{
    m_folders.removeIf([&rescan](const QString &known) {
        return (known == rescan.folder || isBelow(known, rescan.folder))
            && std::none_of(rescan.keptFolders.begin(), rescan.keptFolders.end(),
                [&known](const QString &kept) { return known == kept || isBelow(known, kept); });
    });
    for (const QString &folder : rescan.folders)
        m_folders.insert(folder);
}

int CardCollection::indexOf(const QString &path) const
{
    if (m_indexes.isEmpty() && !m_cards.empty()) {
        m_indexes.reserve(qsizetype(m_cards.size()));
        for (size_t i = 0; i < m_cards.size(); ++i)
            m_indexes.insert(m_cards[i].path, int(i));
    }
    return m_indexes.value(path, -1);
}

void CardCollection::resort()
{
    if (sortOf(m_column) == ColumnSort::Actors)
        makeActorKeys(m_cards);
    m_sorted.resize(m_cards.size());
    std::iota(m_sorted.begin(), m_sorted.end(), 0);
    const auto inOrder = [this](int a, int b) {
        return m_order == Qt::AscendingOrder ? before(m_cards[size_t(a)], m_cards[size_t(b)], m_column)
                                             : before(m_cards[size_t(b)], m_cards[size_t(a)], m_column);
    };
    if (!std::is_sorted(m_sorted.begin(), m_sorted.end(), inOrder))
        std::sort(m_sorted.begin(), m_sorted.end(), inOrder);
    refilter(m_sorted);
}

void CardCollection::setSearch(const QString &text)
{
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList folded;
    for (const QString &word : words)
        folded << foldedText(word);
    // A search that only grows looks among the cards it found already.
    const bool narrower = narrows(folded, m_foldedWords);
    m_search = text;
    m_foldedWords = folded;
    m_matcher = CardMatcher(CardQuery { .words = words });
    refilter(narrower ? std::vector<int>(m_shown) : m_sorted);
}

void CardCollection::setFacet(const std::optional<Facet> &facet)
{
    m_facet = facet;
    refilter(m_sorted);
}

void CardCollection::sortBy(CardColumn column, Qt::SortOrder order)
{
    m_column = column;
    m_order = order;
    resort();
}

void CardCollection::refilter(const std::vector<int> &among)
{
    if (m_foldedWords.isEmpty() && !m_facet) {
        m_shown = among;
        return;
    }
    std::vector<int> shown;
    shown.reserve(among.size());
    for (const int index : among) {
        if (passes(m_cards[size_t(index)]))
            shown.push_back(index);
    }
    m_shown = std::move(shown);
}

bool CardCollection::passes(const CollectionCard &card) const
{
    return (!m_facet || facetKey(card, m_facet->kind) == m_facet->key)
        && m_matcher.matches(card.fields.folded());
}

std::vector<FacetEntry> CardCollection::facets(Facet::Kind kind) const
{
    QHash<QString, FacetEntry> entries;
    for (const CollectionCard &card : m_cards) {
        const QString key = facetKey(card, kind);
        if (key.isEmpty())
            continue;
        FacetEntry &entry = entries[key];
        if (entry.count++ == 0)
            entry = { { kind, key }, facetLabel(card, kind), 1 };
    }
    std::vector<FacetEntry> list(entries.begin(), entries.end());
    if (kind == Facet::Decade) {
        std::sort(list.begin(), list.end(), [](const FacetEntry &a, const FacetEntry &b) {
            return a.facet.key.toInt() < b.facet.key.toInt();
        });
        return list;
    }
    const QCollator collator = frenchCollator();
    std::sort(list.begin(), list.end(), [&collator](const FacetEntry &a, const FacetEntry &b) {
        return collator.compare(a.label, b.label) < 0;
    });
    return list;
}
