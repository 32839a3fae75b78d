#include "collection/collectionstats.h"

#include "collection/frenchorder.h"

#include <QHash>

#include <algorithm>
#include <map>

namespace {

// Counts by folded key, each with the spelling of the first card found.
struct Tally {
    QHash<QString, std::pair<QString, int>> counts;
    void add(const QString &key, const QString &label)
    {
        if (key.isEmpty())
            return;
        auto &count = counts[key];
        if (count.second++ == 0)
            count.first = label;
    }
    std::vector<std::pair<QString, int>> most(int top) const
    {
        std::vector<std::pair<QString, int>> list(counts.begin(), counts.end());
        const QCollator collator = frenchCollator();
        std::sort(list.begin(), list.end(), [&collator](const auto &a, const auto &b) {
            return a.second != b.second ? a.second > b.second : collator.compare(a.first, b.first) < 0;
        });
        list.resize(std::min(list.size(), std::size_t(std::max(top, 0))));
        return list;
    }
};

}   // namespace

CollectionStats collectionStats(
    const std::vector<CollectionCard> &cards, const std::vector<int> &shown, int top)
{
    CollectionStats stats;
    Tally genres, directors;
    std::map<int, int> decades;
    for (const int index : shown) {
        const CollectionCard &card = cards[size_t(index)];
        ++stats.cards;
        if (card.year > 0)
            ++decades[card.year / 10 * 10];
        genres.add(card.genre, card.text(Field::Type));
        directors.add(card.director, card.text(Field::Realisateur));
        stats.seen += card.seen ? 1 : 0;
        const qint64 minutes = std::max(card.minutes, 0);
        stats.minutes += minutes;
        stats.seenMinutes += card.seen ? minutes : 0;
        ++stats.ratings[size_t(std::clamp(card.rating, 0, 10))];
    }
    stats.decades.assign(decades.begin(), decades.end());
    stats.genres = genres.most(top);
    stats.directors = directors.most(top);
    return stats;
}
