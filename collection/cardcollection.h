#pragma once
// The cards of a collection as its window lists them: each card's fields
// are kept as stored and folded, and its sort keys made, once, as it is
// read, so that a search, a facet or a sort over ten thousand cards takes
// milliseconds.

#include "card/cardlock.h"
#include "collection/cardmatch.h"
#include "collection/cardscan.h"
#include "collection/keptfields.h"

#include <QCollator>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// A column of the list: the fields the field table lists, in its order,
// then the card's folder.
enum class CardColumn : int {};
inline constexpr int kCardColumns = int(kListedFields.size()) + 1;
inline constexpr CardColumn kFolderColumn = CardColumn(kListedFields.size());

constexpr CardColumn columnOf(Field field)
{
    return CardColumn(std::find(kListedFields.begin(), kListedFields.end(), field) - kListedFields.begin());
}
// The field a column shows; none for the folder's.
constexpr std::optional<Field> fieldOf(CardColumn column)
{
    return column == kFolderColumn ? std::nullopt : std::optional(kListedFields[std::size_t(column)]);
}

struct CollectionCard {
    QString path;
    QString folder;   // the card's folder below the collection's; empty: the collection's own
    KeptFields fields;
    // The file as read; none when the reading spared that look (a folder's
    // first reading), and the card then counts as changed at the next.
    std::optional<CardFingerprint> fingerprint;
    bool hasPoster = false;
    int year = 0;              // 0 when the year is no number
    int minutes = -1;          // the running time in minutes; -1 when the card gives none
    QString genre, director;   // folded: the side list's keys
    // French sort keys of the columns sorted by their texts (sortsByText).
    QList<QCollatorSortKey> keys;
    // That of the actors, made only for a sort by them.
    std::optional<QCollatorSortKey> actorsKey;

    // A listed field's text as shown: the exact text where the card has one.
    QString text(Field field) const { return fields.text(field); }
    // The actors as the list shows them: "A, B".
    QString actors() const;
};

// A genre or a director as the collection sorts and narrows by it.
struct RecurringText {
    QString folded;
    QCollatorSortKey key;
};

// What cards read together share. Genres, directors, years and folders
// recur from card to card: each is held once, its French sort key made
// once. One a thread, as its collator.
class CardMemo {
public:
    CardMemo();
    QCollatorSortKey keyOf(const QString &text) const { return m_collator.sortKey(text); }
    QCollatorSortKey keyOfRecurring(const QString &text);
    // The text, sharing the memory of an equal one seen before.
    QString shared(const QString &text);
    // A genre or a director as a card keeps it.
    const RecurringText &recurring(const KeptText &kept);
    // The year of the Annee field's four bytes; the minutes of the Heures
    // and Minutes fields' four (-1 when neither is a number).
    int year(QByteArrayView annee);
    int minutes(QByteArrayView heuresMinutes);

private:
    struct BytesHash {
        using is_transparent = void;
        size_t operator()(std::string_view bytes) const { return std::hash<std::string_view>()(bytes); }
    };
    QCollator m_collator;
    QHash<QString, QCollatorSortKey> m_keys;
    QSet<QString> m_texts;
    // By the bytes kept, the record's and those in UTF-8 apart.
    std::array<std::unordered_map<std::string, RecurringText, BytesHash, std::equal_to<>>, 2> m_recurring;
    QHash<quint32, int> m_years, m_minutes;   // by the four bytes they are read from
};

// A card the scanner read, as the collection keeps it; root is the
// collection's folder.
CollectionCard collectionCard(const ScannedCard &card, const QString &root, CardMemo &memo);

// Puts cards in the collection's order by column. Cards that come to apply
// in the collection's order need no sort there, so this runs where they
// are read, off the interface's thread.
void sortCards(std::vector<CollectionCard> &cards, CardColumn column, Qt::SortOrder order);

// What a new look at one folder found.
struct FolderRescan {
    QString folder;
    // Its folders known before and still there: their cards are left as they are.
    QStringList keptFolders;
    // Every card in folder and, to any depth, in its other folders.
    std::vector<CollectionCard> cards;
    // Every folder walked: folder itself and its new folders.
    QStringList folders;
    // On a network share: read many cards at once, and no inotify sees
    // another machine's changes there.
    bool onShare = false;
};

// Looks at folder again: its cards, and all below each of its folders not
// in knownFolders. A folder gone or unreadable finds nothing, so every card
// below it goes. Reads records alone; runs on any thread.
// On a share, where a reading takes seconds, progress is told how many
// cards are read so far, every few hundred, on the reading's thread.
using ReadProgress = std::function<void(qsizetype cardsRead)>;
FolderRescan rescanFolder(const QString &folder, const QSet<QString> &knownFolders, const QString &root,
    const ReadProgress &progress = {});

// A side list's entry: one genre, director or decade.
struct Facet {
    enum Kind { Genre, Director, Decade };
    Kind kind = Genre;
    QString key;   // the folded genre or director; the decade's first year
    bool operator==(const Facet &) const = default;
};

struct FacetEntry {
    Facet facet;
    QString label;   // the genre or director as a card spells it; the decade's first year
    int count = 0;
};

// The cards' paths a rescan added, changed or removed.
struct CollectionChanges {
    QStringList added, changed, removed;
    bool isEmpty() const { return added.isEmpty() && changed.isEmpty() && removed.isEmpty(); }
};

class CardCollection {
public:
    explicit CardCollection(const QString &root = {});
    const QString &root() const { return m_root; }

    // Every card, in no particular order; index is what shown() holds.
    const std::vector<CollectionCard> &cards() const { return m_cards; }
    // The folders walked, which a window watches.
    const QSet<QString> &folders() const { return m_folders; }
    // The cards the search and the facet let through, in the order chosen.
    const std::vector<int> &shown() const { return m_shown; }
    // The index of the card at path; -1 when none.
    int indexOf(const QString &path) const;

    // Puts what a rescan found in place of the cards it looked at.
    CollectionChanges apply(FolderRescan rescan);

    // Words separated by blanks, each somewhere in the card, as find reads them.
    void setSearch(const QString &text);
    const QString &search() const { return m_search; }
    void setFacet(const std::optional<Facet> &facet);
    const std::optional<Facet> &facet() const { return m_facet; }
    void sortBy(CardColumn column, Qt::SortOrder order);
    CardColumn sortColumn() const { return m_column; }
    Qt::SortOrder sortOrder() const { return m_order; }

    // The entries of one kind over every card, each with its count: genres
    // and directors in French order, decades from the oldest.
    std::vector<FacetEntry> facets(Facet::Kind kind) const;

private:
    QString m_root;
    std::vector<CollectionCard> m_cards;
    mutable QHash<QString, int> m_indexes;   // made when first asked for after a change
    QSet<QString> m_folders;
    std::vector<int> m_sorted;   // every card in the order chosen
    std::vector<int> m_shown;
    QString m_search;
    QStringList m_foldedWords;
    CardMatcher m_matcher { CardQuery {} };
    std::optional<Facet> m_facet;
    CardColumn m_column = columnOf(Field::Titre);
    Qt::SortOrder m_order = Qt::AscendingOrder;

    void keepFolders(const FolderRescan &rescan);
    CollectionChanges merge(FolderRescan &rescan, const std::function<bool(const QString &)> &inScope);
    void resort();
    void refilter(const std::vector<int> &among);
    bool passes(const CollectionCard &card) const;
};
