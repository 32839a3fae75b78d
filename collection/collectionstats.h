#pragma once
// The figures of the cards a collection shows: by decade, the genres and
// directors most found, seen against not, running times, ratings.

#include "collection/cardcollection.h"

#include <array>
#include <utility>
#include <vector>

struct CollectionStats {
    int cards = 0;
    std::vector<std::pair<int, int>> decades;         // first year, cards; oldest first, no year left out
    std::vector<std::pair<QString, int>> genres;      // the most found first, as a card spells them
    std::vector<std::pair<QString, int>> directors;   // the same
    int seen = 0;
    qint64 minutes = 0, seenMinutes = 0;   // the running times given
    std::array<int, 11> ratings {};        // cards by rating, 0 for none
};

// The figures of the cards shown (indexes into cards): at most top genres
// and directors, ties in French order.
CollectionStats collectionStats(
    const std::vector<CollectionCard> &cards, const std::vector<int> &shown, int top);
