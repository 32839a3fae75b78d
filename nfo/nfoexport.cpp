#include "nfo/nfoexport.h"

#include <algorithm>

namespace {

std::optional<int> wholeNumber(const QString &text)
{
    bool ok = true;
    const int number = text.isEmpty() ? 0 : text.trimmed().toInt(&ok);
    return ok ? std::optional(number) : std::nullopt;
}

QString runtime(const CardValues &values, QList<NfoNote> &notes)
{
    const auto hours = wholeNumber(values.text(Field::Heures));
    const auto minutes = wholeNumber(values.text(Field::Minutes));
    if (!hours || !minutes) {
        notes << NfoNote { .kind = NfoNote::Kind::RuntimeNotWritten,
            .problem = { .field = Field::Heures, .value = values.text(Field::Heures) },
            .detail = values.text(Field::Minutes) };
        return {};
    }
    const int total = *hours * 60 + *minutes;
    return total > 0 ? QString::number(total) : QString();
}

QStringList parts(const QString &text)
{
    QStringList parts;
    for (const QString &part : text.split(kNfoPartSeparator)) {
        if (!part.trimmed().isEmpty())
            parts << part.trimmed();
    }
    return parts;
}

// XML 1.0 has no place for the control characters a card's editor may
// keep; each becomes "?", said in notes.
void makeXmlSafe(QString &text, QList<char32_t> &replaced)
{
    for (QChar &c : text) {
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') {
            if (!replaced.contains(c.unicode()))
                replaced << c.unicode();
            c = u'?';
        }
    }
}

CardValues xmlSafe(CardValues values, QList<NfoNote> &notes)
{
    for (const Field field : kFields) {
        QList<char32_t> replaced;
        if (holdsList(field)) {
            for (QString &item : values.list(field))
                makeXmlSafe(item, replaced);
        } else {
            makeXmlSafe(values.text(field), replaced);
        }
        if (!replaced.isEmpty())
            notes << NfoNote {
                .kind = NfoNote::Kind::ControlReplaced, .problem = { .field = field }, .characters = replaced
            };
    }
    return values;
}

void viewings(const CardValues &values, NfoMovie &movie)
{
    const bool seen = !values.text(Field::Vu).isEmpty();
    const QStringList &dates = values.list(Field::VuLe);
    const qlonglong plays = seen
        ? std::max({ values.text(Field::VuFois).toLongLong(), qlonglong(dates.size()), qlonglong(1) })
        : 0;
    movie.playCount = QString::number(plays);
    movie.lastPlayed = seen && !dates.isEmpty() ? dates.last() : QString();
    movie.watched = seen ? NfoName::True : NfoName::False;
}

// The default is TMDb's when the card says so, else IMDb's when it has one.
void identifiers(const CardValues &values, NfoMovie &movie)
{
    const QString &imdb = values.text(Field::Imdb), &tmdb = values.text(Field::Tmdb);
    const bool tmdbFirst
        = tmdb.isEmpty() ? false : imdb.isEmpty() || !values.text(Field::TmdbPrincipal).isEmpty();
    if (!imdb.isEmpty())
        movie.identifiers << NfoIdentifier {
            .type = QStringLiteral("imdb"), .value = imdb, .isDefault = !tmdbFirst
        };
    if (!tmdb.isEmpty())
        movie.identifiers << NfoIdentifier {
            .type = QStringLiteral("tmdb"), .value = tmdb, .isDefault = tmdbFirst
        };
    movie.id = tmdbFirst ? tmdb : imdb;
}

}   // namespace

NfoMovie movieOfCard(const CardValues &cardValues, QList<NfoNote> &notes)
{
    const CardValues values = xmlSafe(cardValues, notes);
    NfoMovie movie;
    movie.title = values.text(Field::Titre);
    movie.originalTitle = values.text(Field::TitreOriginal);
    movie.sortTitle = values.text(Field::TitreTri);
    movie.userRating = values.text(Field::Note);
    movie.plot = values.text(Field::Resume);
    movie.runtime = runtime(values, notes);
    viewings(values, movie);
    identifiers(values, movie);
    movie.genres = parts(values.text(Field::Type));
    movie.countries = values.list(Field::Pays);
    movie.set = values.text(Field::Saga);
    movie.tags = values.list(Field::Etiquettes);
    movie.directors = parts(values.text(Field::Realisateur));
    movie.year = values.text(Field::Annee);
    movie.actors = values.list(Field::Acteurs);
    movie.dateAdded = values.text(Field::AjouteeLe);
    return movie;
}
