#include "collection/cardcollection.h"

#include "collection/cardfacets.h"
#include "collection/cardorder.h"
#include "collection/duplicates.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <numeric>

namespace {

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

}   // namespace

CardCollection::CardCollection(const QString &root) : m_root(root) { }

CollectionChanges CardCollection::apply(FolderRescan rescan)
{
    std::vector<FolderRescan> rescans;
    rescans.push_back(std::move(rescan));
    return apply(std::move(rescans));
}

CollectionChanges CardCollection::apply(std::vector<FolderRescan> rescans)
{
    CollectionChanges changes;
    for (FolderRescan &rescan : rescans) {
        const CollectionChanges found = take(rescan);
        changes.added << found.added;
        changes.changed << found.changed;
        changes.removed << found.removed;
    }
    m_indexes.clear();
    m_duplicatesFound = false;
    resort();
    return changes;
}

// One rescan's cards in place of those it looked at, the order left to the caller.
CollectionChanges CardCollection::take(FolderRescan &rescan)
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
