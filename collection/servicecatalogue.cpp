#include "collection/servicecatalogue.h"

#include "collection/cataloguecsv.h"

using namespace Qt::StringLiterals;

namespace {

// A rating of 1 to 10 as Letterboxd's half stars: 9 is "4.5", 8 is "4".
QString halfStars(const QString &rating)
{
    const int tenths = rating.toInt();
    return tenths % 2 == 0 ? QString::number(tenths / 2) : QString::number(tenths / 2) + u".5"_s;
}

// The title a service finds the movie by: the original one when the card has it.
QString serviceTitle(const CardValues &values)
{
    const QString original = values.text(Field::TitreOriginal);
    return original.isEmpty() ? values.text(Field::Titre) : original;
}

QList<QStringList> letterboxdRows(const CardValues &values)
{
    if (values.text(Field::Vu).isEmpty())
        return {};
    const QStringList viewings = values.list(Field::VuLe);
    // More plays than dates: the first dated viewing was not the first.
    const bool seenBefore = values.text(Field::VuFois).toInt() > viewings.size();
    const QString rating
        = values.text(Field::Note).isEmpty() ? QString() : halfStars(values.text(Field::Note));
    QList<QStringList> rows;
    for (qsizetype i = 0; i < qMax<qsizetype>(1, viewings.size()); ++i) {
        const QString date = viewings.value(i).left(10);
        const bool rewatch = !date.isEmpty() && (i > 0 || seenBefore);
        rows << QStringList { serviceTitle(values), values.text(Field::Annee),
            values.text(Field::Realisateur), rating, date, rewatch ? u"true"_s : u"false"_s,
            values.list(Field::Etiquettes).join(u", "_s), values.text(Field::Imdb),
            values.text(Field::Tmdb) };
    }
    return rows;
}

QString minutesOf(const CardValues &values)
{
    bool hours = false, minutes = false;
    const int total
        = values.text(Field::Heures).toInt(&hours) * 60 + values.text(Field::Minutes).toInt(&minutes);
    return (hours || minutes) && total > 0 ? QString::number(total) : QString();
}

QStringList imdbRow(const CardValues &values, int position)
{
    const QString id = values.text(Field::Imdb);
    const bool seen = !values.text(Field::Vu).isEmpty();
    const QString rating = seen ? values.text(Field::Note) : QString();
    const QString rated = seen && !rating.isEmpty()
        ? values.list(Field::VuLe).value(values.list(Field::VuLe).size() - 1).left(10)
        : QString();
    return { QString::number(position), id, {}, {}, {}, values.text(Field::Titre),
        values.text(Field::TitreOriginal),
        id.isEmpty() ? QString() : u"https://www.imdb.com/title/%1/"_s.arg(id), u"Movie"_s, {},
        minutesOf(values), values.text(Field::Annee), values.text(Field::Type), {}, {},
        values.text(Field::Realisateur), rating, rated };
}

}   // namespace

QStringList serviceColumns(ServiceFormat format)
{
    if (format == ServiceFormat::Letterboxd)
        return { u"Title"_s, u"Year"_s, u"Directors"_s, u"Rating"_s, u"WatchedDate"_s, u"Rewatch"_s,
            u"Tags"_s, u"imdbID"_s, u"tmdbID"_s };
    return { u"Position"_s, u"Const"_s, u"Created"_s, u"Modified"_s, u"Description"_s, u"Title"_s,
        u"Original Title"_s, u"URL"_s, u"Title Type"_s, u"IMDb Rating"_s, u"Runtime (mins)"_s, u"Year"_s,
        u"Genres"_s, u"Num Votes"_s, u"Release Date"_s, u"Directors"_s, u"Your Rating"_s, u"Date Rated"_s };
}

QList<QStringList> serviceRows(ServiceFormat format, const CardValues &values, int position)
{
    return format == ServiceFormat::Letterboxd ? letterboxdRows(values)
                                               : QList<QStringList> { imdbRow(values, position) };
}

ServiceCatalogue::ServiceCatalogue(ServiceFormat format, QIODevice &out) : m_format(format), m_out(out)
{
    write(serviceColumns(format));
}

bool ServiceCatalogue::add(const CardValues &values)
{
    const QList<QStringList> rows = serviceRows(m_format, values, m_position + 1);
    m_position += rows.isEmpty() ? 0 : 1;
    for (const QStringList &row : rows)
        write(row);
    return m_ok;
}

void ServiceCatalogue::write(const QStringList &values)
{
    const QByteArray line = csvLine(values, QLatin1Char(','));
    m_ok = m_ok && m_out.write(line) == line.size();
}
