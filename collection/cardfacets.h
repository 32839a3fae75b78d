#pragma once
// The side list of a collection: which cards each entry holds, and the
// entries with their counts.

#include "collection/cardcollection.h"

// Whether the card has, for each kind among facets, one of its entries.
bool hasNarrowing(const CollectionCard &card, const QList<Facet> &facets);

// The entries of a kind over the cards, each with its count, in the side
// list's order (CardCollection::facets).
std::vector<FacetEntry> facetEntries(const std::vector<CollectionCard> &cards, Facet::Kind kind);

// Puts the cards shown (indexes into cards) in the order of their years,
// as a saga is watched; cards without a year last, the order otherwise kept.
void inSagaOrder(const std::vector<CollectionCard> &cards, std::vector<int> &shown);

// Whether an entry of the kind is among facets.
bool narrowsTo(const QList<Facet> &facets, Facet::Kind kind);

// For each card, the number of the group of cards that describe its movie;
// -1 when it is the only one.
std::vector<int> groupOfEachCard(const std::vector<CollectionCard> &cards);
// The side list's entry of the cards that describe a movie another does.
FacetEntry duplicateEntry(const std::vector<int> &groupOfEachCard);
// Puts the cards shown (indexes into the cards) of each group together, at
// the place of its first, the order otherwise kept.
void inGroups(const std::vector<int> &groupOfEachCard, std::vector<int> &shown);
