#include "collection/cardfacets.h"

#include "collection/cardorder.h"
#include "collection/duplicates.h"
#include "collection/frenchorder.h"

#include <algorithm>

namespace {

bool isLent(const CollectionCard &card)
{
    return !(card.blankColumns & 1u << int(columnOf(Field::PretA)));
}

bool hasFacet(const CollectionCard &card, const Facet &facet)
{
    switch (facet.kind) {
    case Facet::Genre:
        return card.genre == facet.key;
    case Facet::Director:
        return card.director == facet.key;
    case Facet::Decade:
        return card.year > 0 && card.year / 10 * 10 == facet.key.toInt();
    case Facet::Seen:
        return card.seen == !facet.key.isEmpty();
    case Facet::Lent:
        return isLent(card);
    case Facet::Tag:
        return card.foldedTags.contains(facet.key);
    case Facet::Saga:
        return card.saga == facet.key;
    case Facet::Rating:
        return card.rating == facet.key.toInt();
    case Facet::Duplicate:
        break;   // a card alone cannot tell: the collection knows
    }
    return true;
}

// Calls each(key, label) for every entry of the kind the card is in: one,
// none (no genre, not lent...) or several (tags).
template <typename Each> void forEachFacet(const CollectionCard &card, Facet::Kind kind, Each each)
{
    switch (kind) {
    case Facet::Genre:
        if (!card.genre.isEmpty())
            each(card.genre, card.text(Field::Type));
        break;
    case Facet::Director:
        if (!card.director.isEmpty())
            each(card.director, card.text(Field::Realisateur));
        break;
    case Facet::Decade:
        if (card.year > 0)
            each(QString::number(card.year / 10 * 10), QString::number(card.year / 10 * 10));
        break;
    case Facet::Seen:
        each(card.seen ? kFlagSet : QString(), card.seen ? kFlagSet : QString());
        break;
    case Facet::Lent:
        if (isLent(card))
            each(QString(), QString());
        break;
    case Facet::Tag:
        for (qsizetype i = 0; i < card.tags.size(); ++i)
            each(card.foldedTags[i], card.tags[i]);
        break;
    case Facet::Saga:
        if (!card.saga.isEmpty())
            each(card.saga, card.text(Field::Saga));
        break;
    case Facet::Rating:
        each(QString::number(card.rating), QString::number(card.rating));
        break;
    case Facet::Duplicate:
        break;
    }
}

// The entries every collection lists, even with no card: not seen and
// seen, lent.
void addFixedEntries(QHash<QString, FacetEntry> &entries, Facet::Kind kind)
{
    QStringList keys;
    if (kind == Facet::Seen)
        keys = { QString(), kFlagSet };
    else if (kind == Facet::Lent)
        keys = { QString() };
    for (const QString &key : keys) {
        if (!entries.contains(key))
            entries.insert(key, { { kind, key }, key, 0 });
    }
}

void sortEntries(std::vector<FacetEntry> &list, Facet::Kind kind)
{
    if (kind == Facet::Decade) {
        std::sort(list.begin(), list.end(), [](const FacetEntry &a, const FacetEntry &b) {
            return a.facet.key.toInt() < b.facet.key.toInt();
        });
        return;
    }
    if (kind == Facet::Seen) {   // to watch first
        std::sort(list.begin(), list.end(),
            [](const FacetEntry &a, const FacetEntry &b) { return a.facet.key < b.facet.key; });
        return;
    }
    if (kind == Facet::Rating) {
        // From the highest; no rating, 0, last.
        std::sort(list.begin(), list.end(), [](const FacetEntry &a, const FacetEntry &b) {
            const int x = a.facet.key.toInt(), y = b.facet.key.toInt();
            return (x == 0) != (y == 0) ? y == 0 : x > y;
        });
        return;
    }
    const QCollator collator = frenchCollator();
    std::sort(list.begin(), list.end(), [&collator](const FacetEntry &a, const FacetEntry &b) {
        return collator.compare(a.label, b.label) < 0;
    });
}

}   // namespace

bool hasNarrowing(const CollectionCard &card, const QList<Facet> &facets)
{
    for (const Facet &facet : facets) {
        if (hasFacet(card, facet))
            continue;
        // Missed: another entry of the same kind may let it through.
        if (std::none_of(facets.begin(), facets.end(),
                [&](const Facet &other) { return other.kind == facet.kind && hasFacet(card, other); }))
            return false;
    }
    return true;
}

std::vector<FacetEntry> facetEntries(const std::vector<CollectionCard> &cards, Facet::Kind kind)
{
    QHash<QString, FacetEntry> entries;
    for (const CollectionCard &card : cards) {
        forEachFacet(card, kind, [&](const QString &key, const QString &label) {
            FacetEntry &entry = entries[key];
            if (entry.count++ == 0)
                entry = { { kind, key }, label, 1 };
        });
    }
    addFixedEntries(entries, kind);
    std::vector<FacetEntry> list(entries.begin(), entries.end());
    sortEntries(list, kind);
    return list;
}

void inSagaOrder(const std::vector<CollectionCard> &cards, std::vector<int> &shown)
{
    std::stable_sort(shown.begin(), shown.end(), [&cards](int a, int b) {
        const int x = cards[size_t(a)].year, y = cards[size_t(b)].year;
        return (x == 0) != (y == 0) ? y == 0 : x < y;
    });
}

bool narrowsTo(const QList<Facet> &facets, Facet::Kind kind)
{
    return std::any_of(
        facets.begin(), facets.end(), [kind](const Facet &facet) { return facet.kind == kind; });
}

// The collection's cards as the finder compares them: titles folded as a
// search folds them.
std::vector<int> groupOfEachCard(const std::vector<CollectionCard> &cards)
{
    std::vector<MovieIdentity> movies;
    movies.reserve(cards.size());
    for (const CollectionCard &card : cards) {
        const FoldedFields folded = card.fields.folded();
        const std::string_view title = folded[searchedIndex(Field::Titre)];
        const std::string_view original = folded[searchedIndex(Field::TitreOriginal)];
        movies.push_back({ card.imdb, card.tmdb, QByteArray(title.data(), qsizetype(title.size())),
            QByteArray(original.data(), qsizetype(original.size())), card.year });
    }
    std::vector<int> groupOf(cards.size(), -1);
    const std::vector<std::vector<int>> groups = duplicateGroups(movies);
    for (std::size_t group = 0; group < groups.size(); ++group) {
        for (const int card : groups[group])
            groupOf[std::size_t(card)] = int(group);
    }
    return groupOf;
}

FacetEntry duplicateEntry(const std::vector<int> &groupOfEachCard)
{
    const auto count
        = std::count_if(groupOfEachCard.begin(), groupOfEachCard.end(), [](int g) { return g >= 0; });
    return { { Facet::Duplicate, QString() }, QString(), int(count) };
}

void inGroups(const std::vector<int> &groupOfEachCard, std::vector<int> &shown)
{
    QHash<int, std::size_t> firstPlace;   // of each group among those shown: backwards, the first wins
    for (std::size_t place = shown.size(); place-- > 0;)
        firstPlace.insert(groupOfEachCard[std::size_t(shown[place])], place);
    std::stable_sort(shown.begin(), shown.end(), [&](int a, int b) {
        return firstPlace.value(groupOfEachCard[std::size_t(a)])
            < firstPlace.value(groupOfEachCard[std::size_t(b)]);
    });
}
