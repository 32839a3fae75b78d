#include "collection/historymatch.h"

#include <QHash>

#include <algorithm>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

bool isApostrophe(QChar c)
{
    return c == u'\'' || c == u'\u2019';
}

// A character's letters as they fold: "œ" and "æ" as two, as people type them.
QString foldedLetters(QChar c)
{
    if (c == u'œ' || c == u'Œ')
        return u"oe"_s;
    if (c == u'æ' || c == u'Æ')
        return u"ae"_s;
    return QString(c).toCaseFolded();
}

bool leadingArticle(const QString &word, bool beforeApostrophe)
{
    static const QStringList kArticles { u"le"_s, u"la"_s, u"les"_s, u"un"_s, u"une"_s, u"des"_s, u"the"_s,
        u"a"_s, u"an"_s };
    return kArticles.contains(word) || (word == u"l" && beforeApostrophe);
}

bool yearsClose(int a, int b)
{
    return a == 0 || b == 0 || std::abs(a - b) <= 1;
}

QString dayOf(const QString &date)
{
    return date.left(10);
}

QStringList daysOf(const QStringList &dates)
{
    QStringList days;
    for (const QString &date : dates)
        days << dayOf(date);
    return days;
}

void addMissing(QStringList &to, const QStringList &items)
{
    for (const QString &item : items) {
        if (!to.contains(item))
            to << item;
    }
}

}   // namespace

QString foldedTitle(const QString &title)
{
    const QString decomposed = title.normalized(QString::NormalizationForm_KD);
    QStringList words { QString() };
    bool articleApostrophe = false;
    for (const QChar c : decomposed) {
        if (c.isMark())
            continue;
        if (c.isLetterOrNumber()) {
            words.last() += foldedLetters(c);
        } else if (!words.last().isEmpty()) {
            articleApostrophe = articleApostrophe || (words.size() == 1 && isApostrophe(c));
            words << QString();
        }
    }
    words.removeAll(QString());
    if (words.size() > 1 && leadingArticle(words.first(), articleApostrophe))
        words.removeFirst();
    return words.join(QString());
}

HistoryCard historyCard(const QString &path, const CardValues &values)
{
    return { .path = path,
        .title = values.text(Field::Titre),
        .originalTitle = values.text(Field::TitreOriginal),
        .year = values.text(Field::Annee).toInt(),
        .imdb = values.text(Field::Imdb),
        .seen = !values.text(Field::Vu).isEmpty(),
        .viewings = values.list(Field::VuLe),
        .plays = values.text(Field::VuFois).toInt(),
        .rating = values.text(Field::Note).toInt(),
        .tags = values.list(Field::Etiquettes) };
}

bool sameMovie(const HistoryEntry &a, const HistoryEntry &b)
{
    if (!a.imdb.isEmpty() && !b.imdb.isEmpty())
        return a.imdb == b.imdb;
    if (a.year != b.year)
        return false;
    const QStringList aTitles { foldedTitle(a.title), foldedTitle(a.originalTitle) };
    for (const QString &title : { foldedTitle(b.title), foldedTitle(b.originalTitle) }) {
        if (!title.isEmpty() && aTitles.contains(title))
            return true;
    }
    return false;
}

HistoryEntry mergedEntries(const QList<HistoryEntry> &entries)
{
    HistoryEntry merged = entries.value(0);
    for (const HistoryEntry &entry : entries.mid(1)) {
        for (auto [to, from] : { std::pair { &merged.title, &entry.title },
                 std::pair { &merged.originalTitle, &entry.originalTitle },
                 std::pair { &merged.imdb, &entry.imdb } }) {
            if (to->isEmpty())
                *to = *from;
        }
        merged.year = merged.year == 0 ? entry.year : merged.year;
        merged.seen = merged.seen || entry.seen;
        if (entry.rating != 0 && (merged.rating == 0 || entry.ratedOn >= merged.ratedOn)) {
            merged.rating = entry.rating;
            merged.ratedOn = entry.ratedOn;
        }
        addMissing(merged.viewings, entry.viewings);
        addMissing(merged.rewatches, entry.rewatches);
        merged.viewingWhenNoneKnown = std::max(merged.viewingWhenNoneKnown, entry.viewingWhenNoneKnown);
        addMissing(merged.tags, entry.tags);
    }
    std::sort(merged.viewings.begin(), merged.viewings.end());
    return merged;
}

namespace {

// The viewings card lacks, and the count of plays it should then hold.
void viewingGains(const HistoryCard &card, const HistoryEntry &movie, QList<CardEdit> &edits)
{
    const QStringList known = daysOf(card.viewings);
    QStringList added;
    for (const QString &day : movie.viewings) {
        if (!known.contains(day) && !added.contains(day))
            added << day;
    }
    if (movie.viewings.isEmpty() && known.isEmpty() && !movie.viewingWhenNoneKnown.isEmpty())
        added << movie.viewingWhenNoneKnown;
    if (!added.isEmpty())
        edits << CardEdit { .field = Field::VuLe, .list = added, .op = CardEdit::Op::Add };
    QStringList all = known + added;
    std::sort(all.begin(), all.end());
    // The first viewing known was a re-watch: the movie was seen once more before.
    const int plays = int(all.size()) + 1;
    if (!all.isEmpty() && movie.rewatches.contains(all.first()) && card.plays < plays)
        edits << CardEdit { .field = Field::VuFois, .text = QString::number(plays) };
}

}   // namespace

HistoryGains historyGains(const HistoryCard &card, const HistoryEntry &movie, bool replace)
{
    HistoryGains gains;
    if (movie.seen && !card.seen)
        gains.edits << CardEdit { .field = Field::Vu, .text = kFlagSet };
    if (movie.seen)
        viewingGains(card, movie, gains.edits);
    if (movie.rating != 0 && movie.rating != card.rating) {
        if (card.rating == 0 || replace)
            gains.edits << CardEdit { .field = Field::Note, .text = QString::number(movie.rating) };
        else
            std::tie(gains.keptRating, gains.cardRating) = std::pair(movie.rating, card.rating);
    }
    QStringList tags;
    for (const QString &tag : movie.tags) {
        if (!card.tags.contains(tag))
            tags << tag;
    }
    if (!tags.isEmpty())
        gains.edits << CardEdit { .field = Field::Etiquettes, .list = tags, .op = CardEdit::Op::Add };
    if (!movie.imdb.isEmpty() && card.imdb.isEmpty())
        gains.edits << CardEdit { .field = Field::Imdb, .text = movie.imdb };
    return gains;
}

namespace {

// The cards by identifier and by folded title, original title too.
class CardIndex {
public:
    explicit CardIndex(const QList<HistoryCard> &cards) : m_cards(cards)
    {
        for (qsizetype i = 0; i < cards.size(); ++i) {
            if (!cards[i].imdb.isEmpty())
                m_byImdb[cards[i].imdb] << i;
            const QString title = foldedTitle(cards[i].title), original = foldedTitle(cards[i].originalTitle);
            for (const QString &key : { title, original == title ? QString() : original }) {
                if (!key.isEmpty())
                    m_byTitle[key] << i;
            }
        }
    }

    QList<qsizetype> candidates(const HistoryEntry &movie) const
    {
        if (const auto found = m_byImdb.constFind(movie.imdb);
            !movie.imdb.isEmpty() && found != m_byImdb.cend())
            return *found;
        QList<qsizetype> cards;
        for (const QString &title : { foldedTitle(movie.title), foldedTitle(movie.originalTitle) }) {
            for (const qsizetype i : m_byTitle.value(title)) {
                const HistoryCard &card = m_cards[i];
                const bool otherMovie = !card.imdb.isEmpty() && !movie.imdb.isEmpty();
                if (!title.isEmpty() && yearsClose(card.year, movie.year) && !otherMovie
                    && !cards.contains(i))
                    cards << i;
            }
        }
        return cards;
    }

private:
    const QList<HistoryCard> &m_cards;
    QHash<QString, QList<qsizetype>> m_byImdb, m_byTitle;
};

// The entries grouped by movie, each group in order, the groups in the
// order of their first entry: the entries' indexes, which cost a history of
// many rows less than copies of them.
QList<QList<qsizetype>> moviesOf(const QList<HistoryEntry> &entries)
{
    QList<QList<qsizetype>> movies;
    QHash<QString, qsizetype> groupOf;
    for (qsizetype e = 0; e < entries.size(); ++e) {
        const HistoryEntry &entry = entries[e];
        const QString year = QString::number(entry.year);
        const QStringList keys { entry.imdb.isEmpty() ? QString() : u"i:"_s + entry.imdb,
            u"t:"_s + foldedTitle(entry.title) + u'/' + year,
            u"t:"_s + foldedTitle(entry.originalTitle) + u'/' + year };
        qsizetype group = -1;
        for (const QString &key : keys) {
            const qsizetype found = groupOf.value(key, -1);
            if (group < 0 && found >= 0 && sameMovie(entries[movies[found].first()], entry))
                group = found;
        }
        if (group < 0) {
            group = movies.size();
            movies << QList<qsizetype>();
        }
        movies[group] << e;
        for (const QString &key : keys) {
            if (!key.isEmpty() && !key.endsWith(u":/"_s + year) && !groupOf.contains(key))
                groupOf.insert(key, group);
        }
    }
    return movies;
}

}   // namespace

QList<HistoryMatch> matchHistory(
    const QList<HistoryEntry> &entries, const QList<HistoryCard> &cards, bool replace)
{
    const CardIndex index(cards);
    const QList<QList<qsizetype>> movies = moviesOf(entries);
    QList<HistoryMatch> matches(movies.size());
    QHash<qsizetype, QList<qsizetype>> moviesOfCard;
    QList<qsizetype> cardOrder;
    for (qsizetype m = 0; m < movies.size(); ++m) {
        HistoryMatch &match = matches[m];
        QList<HistoryEntry> rows;
        for (const qsizetype e : movies[m])
            rows << entries[e];
        match.movie = mergedEntries(rows);
        const QList<qsizetype> found = index.candidates(match.movie);
        for (const qsizetype i : found)
            match.cards << cards[i].path;
        match.outcome = found.isEmpty() ? HistoryMatch::Outcome::NotFound : HistoryMatch::Outcome::Ambiguous;
        if (found.size() == 1 && moviesOfCard[found.first()].isEmpty())
            cardOrder << found.first();
        if (found.size() == 1)
            moviesOfCard[found.first()] << m;
    }
    QList<bool> dropped(movies.size(), false);
    for (const qsizetype i : cardOrder) {
        const QList<qsizetype> &found = moviesOfCard[i];
        HistoryMatch &first = matches[found.first()];
        for (const qsizetype m : found.mid(1)) {
            first.others << matches[m].movie;
            dropped[m] = true;
        }
        if (found.size() > 1)
            continue;
        first.gains = historyGains(cards[i], first.movie, replace);
        first.outcome
            = first.gains.edits.isEmpty() ? HistoryMatch::Outcome::UpToDate : HistoryMatch::Outcome::Changed;
    }
    // The movies merged into another's match go, in place: a second list
    // would double what a long history holds.
    qsizetype kept = 0;
    for (qsizetype m = 0; m < matches.size(); ++m) {
        if (dropped[m])
            continue;
        if (kept != m)
            matches[kept] = std::move(matches[m]);
        ++kept;
    }
    matches.resize(kept);
    return matches;
}
