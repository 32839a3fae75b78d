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
static_assert(kCardColumns <= 32, "a bit a column");

constexpr CardColumn columnOf(Field field)
{
    return CardColumn(std::find(kListedFields.begin(), kListedFields.end(), field) - kListedFields.begin());
}
// The field a column shows; none for the folder's.
constexpr std::optional<Field> fieldOf(CardColumn column)
{
    return column == kFolderColumn ? std::nullopt : std::optional(kListedFields[std::size_t(column)]);
}

// A column's name in settings: its field's key, or "dossier"; and back.
QString columnKey(CardColumn column);
std::optional<CardColumn> columnKeyed(const QString &key);

struct CollectionCard {
    QString path;
    QString folder;   // the card's folder below the collection's; empty: the collection's own
    KeptFields fields;
    // The file as read; none when the reading spared that look (a folder's
    // first reading), and the card then counts as changed at the next.
    std::optional<CardFingerprint> fingerprint;
    bool hasPoster = false;
    int year = 0;                    // 0 when the year is no number
    int minutes = -1;                // the running time in minutes; -1 when the card gives none
    QString genre, director, saga;   // folded: the side list's keys
    int rating = 0;                  // the user's, from 1 to 10; 0 when none
    bool seen = false;
    QStringList tags, foldedTags;   // as the card spells them, and folded
    qint64 imdb = 0, tmdb = 0;      // the identifiers' numbers; 0: none
    // A bit a column the card gives nothing (no year, no rating...): it comes
    // last in either order.
    quint32 blankColumns = 0;
    // French sort keys of the record's columns sorted by their texts, and
    // the title's, which leaves out its article.
    QList<QCollatorSortKey> keys;
    // That of a column whose texts few cards have or are long (the actors,
    // the original title...), made only for a sort by it: lazyColumn's.
    std::optional<QCollatorSortKey> lazyKey;
    CardColumn lazyColumn {};

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
    // A genre, a director or a saga as a card keeps it.
    const RecurringText &recurring(const KeptText &kept);
    // A tag folded, held once.
    QString folded(const QString &tag);
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
    QHash<QString, QString> m_folded;
};

// A card the scanner read, as the collection keeps it; root is the
// collection's folder.
CollectionCard collectionCard(const ScannedCard &card, const QString &root, CardMemo &memo);

// Puts cards in the collection's order by column. Cards that come to apply
// in the collection's order need no sort there, so this runs where they
// are read, off the interface's thread.
void sortCards(std::vector<CollectionCard> &cards, CardColumn column, Qt::SortOrder order);

// A card known in memory as the collection keeps it, before it is on disk:
// one the window changed itself. Its fingerprint is left unknown.
CollectionCard collectionCardOf(const QString &path, const Card &card, bool hasPoster, const QString &root);

// The card at path read anew, as the collection keeps it; nullopt when it
// is no longer a card that can be read.
std::optional<CollectionCard> readCollectionCard(const QString &path, const QString &root, CardMemo &memo);

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

// A side list's entry: a genre, a director, a decade, seen or not, lent,
// a tag, a saga, a rating.
struct Facet {
    enum Kind { Genre, Director, Decade, Seen, Lent, Tag, Saga, Rating, Duplicate };
    Kind kind = Genre;
    // The folded genre, director, tag or saga; the decade's first year;
    // kFlagSet for seen and empty for not; the rating, "0" for none; empty
    // for lent and for the cards that describe a movie another card does.
    QString key;
    bool operator==(const Facet &) const = default;
};

struct FacetEntry {
    Facet facet;
    QString label;   // the genre, director, tag or saga as a card spells it; else the key
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
    // The same for several, sorted once: a hundred folders changed at once
    // (the window's own writes to many cards) are no hundred sorts.
    CollectionChanges apply(std::vector<FolderRescan> rescans);
    // Puts cards read anew in place of those known at their paths (others
    // are left out): a change the window made itself. True when every card
    // stays where it was shown, none coming or going.
    bool replace(std::vector<CollectionCard> cards);
    // Whether cards read anew would each stay where they are shown.
    bool keepsPlaces(const std::vector<CollectionCard> &cards) const;

    // Words separated by blanks, each somewhere in the card, as find reads them.
    void setSearch(const QString &text);
    const QString &search() const { return m_search; }
    // The side list's entries chosen: a card shows when it has, for each
    // kind chosen, one of its entries. The cards of a saga chosen come in
    // the order of their years, those that describe one movie together.
    void setNarrowing(const QList<Facet> &facets);
    const QList<Facet> &narrowing() const { return m_narrowing; }
    void sortBy(CardColumn column, Qt::SortOrder order);
    CardColumn sortColumn() const { return m_column; }
    Qt::SortOrder sortOrder() const { return m_order; }

    // The entries of one kind over every card, each with its count: genres,
    // directors, tags and sagas in French order, decades from the oldest,
    // ratings from the highest, none last; not seen, then seen; lent, even
    // by no card.
    std::vector<FacetEntry> facets(Facet::Kind kind) const;

    // For each card, the number of the group of cards that describe its
    // movie (collection/duplicates.h); -1 when it is the only one.
    const std::vector<int> &duplicateGroups() const;

private:
    QString m_root;
    mutable std::vector<int> m_duplicateGroups;   // made when first asked for after a change
    mutable bool m_duplicatesFound = false;
    std::vector<CollectionCard> m_cards;
    mutable QHash<QString, int> m_indexes;   // made when first asked for after a change
    QSet<QString> m_folders;
    std::vector<int> m_sorted;   // every card in the order chosen
    std::vector<int> m_shown;
    QString m_search;
    QStringList m_foldedWords;
    CardMatcher m_matcher { CardQuery {} };
    QList<Facet> m_narrowing;
    CardColumn m_column = columnOf(Field::Titre);
    Qt::SortOrder m_order = Qt::AscendingOrder;

    void keepFolders(const FolderRescan &rescan);
    CollectionChanges take(FolderRescan &rescan);
    CollectionChanges merge(FolderRescan &rescan, const std::function<bool(const QString &)> &inScope);
    void resort();
    void refilter(const std::vector<int> &among);
    bool passes(int index) const;
    bool passes(const CollectionCard &card, int index) const;
};
