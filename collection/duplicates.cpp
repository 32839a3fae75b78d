#include "collection/duplicates.h"

#include "collection/cardmatch.h"

#include <QHash>

#include <algorithm>
#include <numeric>

namespace {

// Of the cards of one title, each is compared with this many after it in
// the order of years: a run of cards of one title and year is joined card
// by card, and ten thousand copies of one title cost no more than this each.
constexpr int kMostCompared = 32;

// Cards joined into groups, each group known by one of its cards.
class Groups {
public:
    explicit Groups(std::size_t count) : m_parent(count) { std::iota(m_parent.begin(), m_parent.end(), 0); }
    int root(int at)
    {
        while (m_parent[std::size_t(at)] != at) {
            m_parent[std::size_t(at)] = m_parent[std::size_t(m_parent[std::size_t(at)])];
            at = m_parent[std::size_t(at)];
        }
        return at;
    }
    void join(int a, int b) { m_parent[std::size_t(root(a))] = root(b); }

private:
    std::vector<int> m_parent;
};

// Whether two movies may be one: no identifier of one kind says they differ.
bool mayBeOne(const MovieIdentity &a, const MovieIdentity &b)
{
    return !(a.imdb && b.imdb && a.imdb != b.imdb) && !(a.tmdb && b.tmdb && a.tmdb != b.tmdb);
}

void joinByIdentifier(const std::vector<MovieIdentity> &movies, Groups &groups, qint64 MovieIdentity::*id)
{
    QHash<qint64, int> first;
    for (int i = 0; i < int(movies.size()); ++i) {
        const qint64 number = movies[std::size_t(i)].*id;
        if (!number)
            continue;
        if (const auto known = first.constFind(number); known != first.constEnd())
            groups.join(i, *known);
        else
            first.insert(number, i);
    }
}

// The cards of one title, their years known, each joined to those after it
// in the order of years that are at most one year later.
void joinTitle(const std::vector<MovieIdentity> &movies, std::vector<int> &cards, Groups &groups)
{
    std::sort(cards.begin(), cards.end(),
        [&](int a, int b) { return movies[std::size_t(a)].year < movies[std::size_t(b)].year; });
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const MovieIdentity &movie = movies[std::size_t(cards[i])];
        const std::size_t end = std::min(cards.size(), i + 1 + kMostCompared);
        for (std::size_t j = i + 1; j < end && movies[std::size_t(cards[j])].year - movie.year <= 1; ++j) {
            if (mayBeOne(movie, movies[std::size_t(cards[j])]))
                groups.join(cards[i], cards[j]);
        }
    }
}

void joinByTitle(const std::vector<MovieIdentity> &movies, Groups &groups)
{
    QHash<QByteArray, std::vector<int>> byTitle;
    for (int i = 0; i < int(movies.size()); ++i) {
        const MovieIdentity &movie = movies[std::size_t(i)];
        if (movie.year == 0)
            continue;
        if (!movie.title.isEmpty())
            byTitle[movie.title].push_back(i);
        if (!movie.originalTitle.isEmpty() && movie.originalTitle != movie.title)
            byTitle[movie.originalTitle].push_back(i);
    }
    for (std::vector<int> &cards : byTitle) {
        if (cards.size() > 1)
            joinTitle(movies, cards, groups);
    }
}

QByteArray folded(const QString &text)
{
    QByteArray out;
    appendFolded(out, text.trimmed());
    return out;
}

}   // namespace

qint64 identifierNumber(const QString &identifier)
{
    const QStringView digits = identifier.startsWith(u"tt") ? QStringView(identifier).sliced(2) : identifier;
    bool number = false;
    const qint64 value = digits.toLongLong(&number);
    return number && value > 0 ? value : 0;
}

MovieIdentity movieIdentity(const CardValues &values)
{
    return { identifierNumber(values.text(Field::Imdb)), identifierNumber(values.text(Field::Tmdb)),
        folded(values.text(Field::Titre)), folded(values.text(Field::TitreOriginal)),
        yearOf(values.text(Field::Annee)) };
}

std::vector<std::vector<int>> duplicateGroups(const std::vector<MovieIdentity> &movies)
{
    Groups groups(movies.size());
    joinByIdentifier(movies, groups, &MovieIdentity::imdb);
    joinByIdentifier(movies, groups, &MovieIdentity::tmdb);
    joinByTitle(movies, groups);
    QHash<int, std::size_t> groupOfRoot;
    std::vector<std::vector<int>> found;
    for (int i = 0; i < int(movies.size()); ++i) {
        const int root = groups.root(i);
        const auto known = groupOfRoot.constFind(root);
        if (known == groupOfRoot.constEnd()) {
            groupOfRoot.insert(root, found.size());
            found.push_back({ i });
        } else {
            found[*known].push_back(i);
        }
    }
    std::erase_if(found, [](const std::vector<int> &group) { return group.size() < 2; });
    return found;
}

QList<Field> differingFields(const CardValues &a, const CardValues &b)
{
    QList<Field> fields;
    for (const Field field : kFields) {
        if (holdsList(field) ? a.list(field) != b.list(field) : a.text(field) != b.text(field))
            fields << field;
    }
    return fields;
}
