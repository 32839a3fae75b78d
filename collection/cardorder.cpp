#include "collection/cardorder.h"

#include "collection/frenchorder.h"

#include <algorithm>

namespace {

QString lazyText(const CollectionCard &card, Field field)
{
    return field == Field::Acteurs ? card.actors() : card.text(field);
}

}   // namespace

// The keys of a column sorted by a key made for it that the cards lack,
// made on the calling thread.
void makeLazyKeys(std::vector<CollectionCard> &cards, CardColumn column)
{
    if (sortOf(column) != ColumnSort::Lazy)
        return;
    const QCollator collator = frenchCollator();
    for (CollectionCard &card : cards) {
        if (!card.lazyKey || card.lazyColumn != column) {
            card.lazyKey = collator.sortKey(lazyText(card, *fieldOf(column)));
            card.lazyColumn = column;
        }
    }
}

// The columns the card gives nothing, a bit each: such cards come last in
// either order. Not seen is a value; the collection's own folder comes first.
quint32 blankColumns(const CollectionCard &card)
{
    constexpr quint32 seenBit = 1u << int(columnOf(Field::Vu));
    constexpr quint32 yearBit = 1u << int(columnOf(Field::Annee));
    constexpr quint32 timeBit = 1u << int(columnOf(Field::Heures));
    quint32 blanks = card.fields.blankListed() & ~(seenBit | yearBit | timeBit);
    blanks |= card.year == 0 ? yearBit : 0u;
    return blanks | (card.minutes < 0 ? timeBit : 0u);
}

QString columnKey(CardColumn column)
{
    const std::optional<Field> field = fieldOf(column);
    return field ? fieldName(*field) : QStringLiteral("dossier");
}

std::optional<CardColumn> columnKeyed(const QString &key)
{
    for (int column = 0; column < kCardColumns; ++column) {
        if (columnKey(CardColumn(column)) == key)
            return CardColumn(column);
    }
    return std::nullopt;
}

void sortCards(std::vector<CollectionCard> &cards, CardColumn column, Qt::SortOrder order)
{
    makeLazyKeys(cards, column);
    std::sort(cards.begin(), cards.end(), CardOrder(column, order));
}
