#include "exchange/catalogueimport.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;
using namespace CatalogueParts;

namespace {

// GCstar's model of a movie collection, among its kinds.
const QString kMovieCollection = u"GCfilms"_s;

// A value that says nothing: GCstar writes "0" and "none" for no value.
bool isBlank(const QString &value)
{
    return value.trimmed().isEmpty() || value == u"0" || value == u"none";
}

// A date as GCstar writes it (DD/MM/YYYY, in every language) or as ISO; empty for none.
QString dateOf(const QString &text)
{
    QDate date = QDate::fromString(text.trimmed(), u"dd/MM/yyyy"_s);
    if (!date.isValid())
        date = QDate::fromString(text.trimmed().left(10), Qt::ISODate);
    return date.isValid() ? isoDate(date) : text.trimmed();
}

// The year of GCstar's date: "1982", or the year of a whole date.
QString yearOf(const QString &text)
{
    static const QRegularExpression year(u"\\b(\\d{4})\\b"_s);
    const auto match = year.match(text);
    return match.hasMatch() ? match.captured(1) : text.trimmed();
}

QStringList splitList(const QString &text)
{
    QStringList items;
    for (const QString &item : text.split(u','))
        items << item.trimmed();
    return items;
}

// An attribute's value into its field; false for an attribute a card has no place for.
bool putAttribute(ImportedMovie &movie, const QString &name, const QString &value)
{
    static const QHash<QString, Field> kTexts { { u"title"_s, Field::Titre },
        { u"original"_s, Field::TitreOriginal }, { u"director"_s, Field::Realisateur },
        { u"format"_s, Field::Support }, { u"place"_s, Field::Emplacement }, { u"serie"_s, Field::Saga },
        { u"borrower"_s, Field::PretA }, { u"genre"_s, Field::Type } };
    if (const auto field = kTexts.constFind(name); field != kTexts.cend())
        movie.set(*field, value);
    else if (name == u"date")
        movie.set(Field::Annee, yearOf(value));
    else if (name == u"time")
        setRunningTime(movie, minutesOf(value));
    else if (name == u"country" || name == u"tags" || name == u"actors")
        movie.add(name == u"country" ? Field::Pays
                : name == u"tags"    ? Field::Etiquettes
                                     : Field::Acteurs,
            splitList(value));
    else if (name == u"seen")
        movie.set(Field::Vu, kFlagSet);
    else if (name == u"rating")
        movie.set(Field::Note, QString::number(ratingOutOf(value, 10)));
    else if (name == u"added" || name == u"lendDate")
        movie.set(name == u"added" ? Field::AjouteeLe : Field::PretLe, dateOf(value));
    else if (name == u"webPage")
        return !imdbIn(value).isEmpty() && (movie.set(Field::Imdb, imdbIn(value)), true);
    else
        return false;
    return true;
}

// Attributes that say nothing of the movie: GCstar's own numbers and lists.
bool isBookkeeping(const QString &name)
{
    static const QStringList kNames { u"id"_s, u"number"_s, u"identifier"_s, u"borrowings"_s, u"image"_s };
    return kNames.contains(name);
}

void putElements(ImportedMovie &movie, const XmlValues &values, QStringList &leftOut)
{
    for (auto at = values.cbegin(); at != values.cend(); ++at) {
        const QString name = at.key().section(u'/', 0, 0);
        if (name == u"synopsis" || name == u"comment")
            movie.set(name == u"synopsis" ? Field::Resume : Field::Notes, at->join(u'\n'));
        else if (name == u"genre")
            movie.set(Field::Type, at->join(u", "_s));
        else if (name == u"actors" || name == u"tags")
            movie.add(name == u"actors" ? Field::Acteurs : Field::Etiquettes, *at);
        else if (!name.isEmpty() && !leftOut.contains(name))
            leftOut << name;
    }
}

// The poster an item names: a path GCstar wrote (often absolute, in its own
// folder), taken only in the collection's folder or below; failing that,
// the same name beside the file or in its NAME_pictures folder.
void takeImage(ImportedMovie &movie, const QString &image, const QString &path)
{
    if (image.trimmed().isEmpty())
        return;
    const QFileInfo file(path);
    const QDir folder = file.absoluteDir();
    const QString name = QFileInfo(image).fileName();
    movie.posterName = image;
    const QStringList candidates { folder.filePath(image), folder.filePath(name),
        folder.filePath(file.completeBaseName() + u"_pictures/"_s + name) };
    movie.posterLeft = ImportedMovie::PosterLeft::Missing;
    for (const QString &candidate : candidates) {
        const auto left = takePosterFile(movie, candidate, folder.path());
        if (left != ImportedMovie::PosterLeft::Missing)
            movie.posterLeft = left;
        if (left == ImportedMovie::PosterLeft::None)
            return;
    }
}

ImportedMovie itemOf(XmlItems &xml, const QString &path, QStringList &leftOut)
{
    ImportedMovie movie { .line = xml.elementLine() };
    const QXmlStreamAttributes attributes = xml.attributes();
    for (const QXmlStreamAttribute &attribute : attributes) {
        const QString name = attribute.name().toString(), value = attribute.value().toString();
        if (isBlank(value) || isBookkeeping(name))
            continue;
        if (!putAttribute(movie, name, value) && !leftOut.contains(name))
            leftOut << name;
    }
    putElements(movie, xml.values(), leftOut);
    takeImage(movie, attributes.value(u"image"_s).toString(), path);
    return movie;
}

}   // namespace

CatalogueRead readGcstar(const QString &path)
{
    QFile file;
    if (auto refused = openFailed(file, path))
        return *refused;
    XmlItems xml(file.readAll());
    CatalogueRead read;
    bool movies = false;
    while (xml.nextElement({ u"collection"_s, u"item"_s })) {
        if (xml.name() == u"collection")
            movies = xml.attribute(u"type"_s) == kMovieCollection;
        else if (movies)
            read.movies << itemOf(xml, path, read.leftOut);
    }
    if (const auto failed = xmlFailed(xml))
        return *failed;
    if (!movies)
        return { .status = CatalogueRead::Status::NotCatalogue };
    read.leftOut.sort();
    return read;
}
