#include "collection/cardcollection.h"

#include "card/card.h"
#include "card/cp1252.h"
#include "collection/cardfacets.h"
#include "collection/cardorder.h"
#include "collection/duplicates.h"
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

// The title a card is sorted by: the one its user gave for that, else the
// title without its article.
QString sortTitle(const CollectionCard &card, const CardValues &extension)
{
    if (const QString &given = extension.text(Field::TitreTri); !given.isEmpty())
        return given;
    const QString title = card.text(Field::Titre);
    const QStringView sorted = titleWithoutArticle(title);
    return sorted.size() == title.size() ? title : sorted.toString();
}

bool isBelow(const QString &path, const QString &folder)
{
    return path.startsWith(folder)
        && (folder.endsWith(QLatin1Char('/'))
            || (path.size() > folder.size() && path[folder.size()] == u'/'));
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
    }
    std::size_t size() const
    {
        return std::accumulate(batches.begin(), batches.end(), std::size_t(0),
            [](std::size_t sum, const std::vector<CollectionCard> &batch) { return sum + batch.size(); });
    }
};

// The cards below folders, each folder read and its cards made on one
// thread, each thread taking the next folder when done with one: reading
// cards is mostly system calls, and ten thousand are read a tenth faster
// on two threads a core than on one. The folders walked are said too.
// Reading a folder's cards the first time, no card's file is looked at
// (the fingerprint): a system call less a card.
void scanBelow(const QStringList &folders, const QString &root, FolderRescan &rescan)
{
    const std::size_t parts = threadsFor(folders.size(), 2);
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
            return true;
        };
        scan.onFolder = [&](const QString &path) { found[part].folders << path; };
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

QString CardMemo::folded(const QString &tag)
{
    if (const auto known = m_folded.constFind(tag); known != m_folded.constEnd())
        return *known;
    return *m_folded.insert(tag, foldedText(tag));
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
    const CardValues &mine = scanned.head.card.extension.values;
    card.rating = mine.text(Field::Note).toInt();
    card.seen = !mine.text(Field::Vu).isEmpty();
    card.saga = memo.recurring(card.fields.kept(Field::Saga)).folded;
    card.imdb = identifierNumber(mine.text(Field::Imdb));
    card.tmdb = identifierNumber(mine.text(Field::Tmdb));
    for (const QString &tag : mine.list(Field::Etiquettes)) {
        card.tags << memo.shared(tag);
        card.foldedTags << memo.folded(tag);
    }
    card.blankColumns = blankColumns(card);
    card.keys.reserve(kTextKeys);
    for (int column = 0; column < kCardColumns; ++column) {
        if (sortOf(CardColumn(column)) != ColumnSort::Text)
            continue;
        const std::optional<Field> field = fieldOf(CardColumn(column));
        card.keys << (!field                   ? memo.keyOfRecurring(card.folder)
                : *field == Field::Titre       ? memo.keyOf(sortTitle(card, mine))
                : *field == Field::Type        ? genre.key
                : *field == Field::Realisateur ? director.key
                                               : memo.keyOf(card.text(*field)));
    }
    return card;
}

CollectionCard collectionCardOf(const QString &path, const Card &card, bool hasPoster, const QString &root)
{
    ScannedCard scanned { path, {} };
    scanned.head.card = card;
    const QByteArray record = encodeRecord(card.record);
    std::copy_n(record.constData(), std::min<qsizetype>(record.size(), kRecordWidth),
        scanned.head.recordBytes.begin());
    scanned.head.posterBytes = hasPoster ? 1 : 0;
    CardMemo memo;
    CollectionCard made = collectionCard(scanned, root, memo);
    made.fingerprint.reset();
    return made;
}

std::optional<CollectionCard> readCollectionCard(const QString &path, const QString &root, CardMemo &memo)
{
    CardHead head = readCardHead(path, PosterHeader::Skip, RecordText::BytesOnly);
    if (head.status != CardReadStatus::Ok)
        return std::nullopt;
    return collectionCard({ path, std::move(head) }, root, memo);
}

FolderRescan rescanFolder(const QString &folder, const QSet<QString> &knownFolders, const QString &root)
{
    FolderRescan rescan { folder, {}, {}, {} };
    const auto entries = folderEntries(folder);
    if (!entries)
        return rescan;
    rescan.folders << folder;
    std::vector<ScannedCard> scanned;
    QStringList newFolders;
    for (const FolderEntry &entry : *entries) {
        const QString path = entryPath(folder, entry.name);
        if (entry.folder) {
            if (!entry.hidden())   // left out, as scanBelow leaves them
                (knownFolders.contains(path) ? rescan.keptFolders : newFolders) << path;
            continue;
        }
        // Read as the scanner reads a file inside a folder: a link to a folder is no card.
        CardHead head = readCardHead(path, PosterHeader::Skip, RecordText::BytesOnly);
        if (head.status == CardReadStatus::Ok)
            scanned.push_back({ path, std::move(head) });
    }
    rescan.cards = collectionCards(scanned, root);
    scanBelow(newFolders, root, rescan);
    return rescan;
}

CardCollection::CardCollection(const QString &root) : m_root(root) { }

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
    m_duplicatesFound = false;
    resort();
    return changes;
}

bool CardCollection::replace(std::vector<CollectionCard> cards)
{
    const bool keptPlaces = keepsPlaces(cards);
    for (CollectionCard &card : cards) {
        if (const int index = indexOf(card.path); index >= 0)
            m_cards[size_t(index)] = std::move(card);
    }
    m_duplicatesFound = false;
    if (!keptPlaces)
        resort();
    return keptPlaces;
}

// Each card read anew must sort between the neighbours it has (as they
// are read anew too), and show as it did. A saga's order, duplicates and a
// sort by a key made for it are left to a new sort.
bool CardCollection::keepsPlaces(const std::vector<CollectionCard> &cards) const
{
    if (narrowsTo(m_narrowing, Facet::Saga) || narrowsTo(m_narrowing, Facet::Duplicate)
        || sortOf(m_column) == ColumnSort::Lazy)
        return false;
    QHash<int, const CollectionCard *> anew;
    for (const CollectionCard &card : cards) {
        if (const int index = indexOf(card.path); index >= 0)
            anew.insert(index, &card);
    }
    std::vector<int> placeOf(m_cards.size());
    for (size_t place = 0; place < m_sorted.size(); ++place)
        placeOf[size_t(m_sorted[place])] = int(place);
    const auto at = [&](size_t place) -> const CollectionCard & {
        const int index = m_sorted[place];
        return anew.contains(index) ? *anew.value(index) : m_cards[size_t(index)];
    };
    const CardOrder order(m_column, m_order);
    for (auto known = anew.cbegin(); known != anew.cend(); ++known) {
        const size_t place = size_t(placeOf[size_t(known.key())]);
        if ((place > 0 && order(*known.value(), at(place - 1)))
            || (place + 1 < m_sorted.size() && order(at(place + 1), *known.value()))
            || passes(*known.value(), known.key()) != passes(m_cards[size_t(known.key())], known.key()))
            return false;
    }
    return true;
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
    makeLazyKeys(m_cards, m_column);
    m_sorted.resize(m_cards.size());
    std::iota(m_sorted.begin(), m_sorted.end(), 0);
    const auto inOrder = [this, order = CardOrder(m_column, m_order)](
                             int a, int b) { return order(m_cards[size_t(a)], m_cards[size_t(b)]); };
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

void CardCollection::setNarrowing(const QList<Facet> &facets)
{
    m_narrowing = facets;
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
    if (m_foldedWords.isEmpty() && m_narrowing.isEmpty()) {
        m_shown = among;
        return;
    }
    std::vector<int> shown;
    shown.reserve(among.size());
    for (const int index : among) {
        if (passes(index))
            shown.push_back(index);
    }
    m_shown = std::move(shown);
    if (narrowsTo(m_narrowing, Facet::Saga))
        inSagaOrder(m_cards, m_shown);
    if (narrowsTo(m_narrowing, Facet::Duplicate))
        inGroups(duplicateGroups(), m_shown);
}

bool CardCollection::passes(int index) const
{
    return passes(m_cards[size_t(index)], index);
}

bool CardCollection::passes(const CollectionCard &card, int index) const
{
    return hasNarrowing(card, m_narrowing)
        && (!narrowsTo(m_narrowing, Facet::Duplicate) || duplicateGroups()[size_t(index)] >= 0)
        && m_matcher.matches(card.fields.folded());
}

const std::vector<int> &CardCollection::duplicateGroups() const
{
    if (!m_duplicatesFound) {
        m_duplicateGroups = groupOfEachCard(m_cards);
        m_duplicatesFound = true;
    }
    return m_duplicateGroups;
}

std::vector<FacetEntry> CardCollection::facets(Facet::Kind kind) const
{
    if (kind == Facet::Duplicate)
        return { duplicateEntry(duplicateGroups()) };
    return facetEntries(m_cards, kind);
}
