#pragma once
// The orders of a collection's cards: by a column, then by the title, a
// card without a value in the column last in either order.

#include "collection/cardcollection.h"

// How a column sorts: by a number or a date, by a key made for that sort,
// or by its text's key made as the card is read.
enum class ColumnSort { Year, Minutes, Flag, Rating, Date, Lazy, Text };

constexpr ColumnSort sortOf(CardColumn column)
{
    const std::optional<Field> field = fieldOf(column);
    if (!field)
        return ColumnSort::Text;
    switch (fieldLayout(*field).rule) {
    case FieldRule::Number:
        return ColumnSort::Year;
    case FieldRule::Hours:
        return ColumnSort::Minutes;
    case FieldRule::Flag:
        return ColumnSort::Flag;
    case FieldRule::Rating:
        return ColumnSort::Rating;
    case FieldRule::Date:
    case FieldRule::Dates:
        return ColumnSort::Date;
    case FieldRule::Actors:
        return ColumnSort::Lazy;
    default:
        return inRecord(*field) ? ColumnSort::Text : ColumnSort::Lazy;
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

inline constexpr int kTitleKey = keyIndex(columnOf(Field::Titre));
inline constexpr int kTextKeys = keyIndex(CardColumn(kCardColumns));
static_assert(sortOf(columnOf(Field::Titre)) == ColumnSort::Text, "every sort ends by the title");

// The columns the card gives nothing, a bit each: such cards come last in
// either order. Not seen is a value; the collection's own folder comes first.
quint32 blankColumns(const CollectionCard &card);

// Makes the keys of a column sorted by a key made for it that the cards
// lack, on the calling thread.
void makeLazyKeys(std::vector<CollectionCard> &cards, CardColumn column);

inline int compareNumbers(int a, int b)
{
    return a == b ? 0 : a < b ? -1 : 1;
}

// The column in the order asked, then the title and the path: a total
// order, so that a sort gives the same list whatever order the cards came
// in. The column's way of sorting is found once, not at each comparison.
class CardOrder {
public:
    CardOrder(CardColumn column, Qt::SortOrder order)
        : m_sort(sortOf(column)), m_key(keyIndex(column)), m_field(fieldOf(column).value_or(Field::Titre)),
          m_blankBit(1u << int(column)), m_ascending(order == Qt::AscendingOrder)
    {
    }

    bool operator()(const CollectionCard &a, const CollectionCard &b) const
    {
        if (const bool aBlank = a.blankColumns & m_blankBit; aBlank != bool(b.blankColumns & m_blankBit))
            return !aBlank;
        if (const int by = compareColumn(a, b))
            return m_ascending == (by < 0);
        if (const int byTitle = a.keys[kTitleKey].compare(b.keys[kTitleKey]))
            return byTitle < 0;
        return a.path < b.path;
    }

private:
    ColumnSort m_sort;
    int m_key;
    Field m_field;
    quint32 m_blankBit;
    bool m_ascending;

    int compareColumn(const CollectionCard &a, const CollectionCard &b) const
    {
        switch (m_sort) {
        case ColumnSort::Year:
            return compareNumbers(a.year, b.year);
        case ColumnSort::Minutes:
            return compareNumbers(a.minutes, b.minutes);
        case ColumnSort::Flag:
            return compareNumbers(b.seen ? 1 : 0, a.seen ? 1 : 0);   // seen first
        case ColumnSort::Rating:
            return compareNumbers(a.rating, b.rating);
        case ColumnSort::Date:
            // ISO dates, with their time or not, compare as their bytes do.
            return a.fields.kept(m_field).bytes.compare(b.fields.kept(m_field).bytes);
        case ColumnSort::Lazy:
            return a.lazyKey->compare(*b.lazyKey);
        case ColumnSort::Text:
            break;
        }
        return a.keys[m_key].compare(b.keys[m_key]);
    }
};
