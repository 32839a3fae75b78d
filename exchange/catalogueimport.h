#pragma once
// The collections other catalogue programs keep, read as cards: Tellico's
// file (a zip holding tellico.xml and its images) and GCstar's (an XML
// collection of GCfilms items, its images beside it). Each value goes into
// its field whole; what a card has no place for is named, never dropped
// silently.

#include "exchange/importedmovie.h"
#include "exchange/xmlitems.h"

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

struct CatalogueRead {
    enum class Status {
        Ok,
        Unreadable,    // missing, no regular file, or it does not open
        TooLarge,      // over kMostExchangeBytes
        ZipTooLarge,   // a zip whose entries inflate beyond the bounds
        ZipDamaged,
        NotCatalogue,    // no collection of movies of that program
        XmlUnreadable,   // line: where; error: the XML reader's words
        XmlEntities,     // the XML declares or names entities
        XmlTooDeep,
    };
    Status status = Status::Ok;
    qint64 line = 0;
    QString error {};
    QList<ImportedMovie> movies {};
    // The file's fields with a value that no field of a card takes, as it names them.
    QStringList leftOut {};
};

CatalogueRead readTellico(const QString &path);
CatalogueRead readGcstar(const QString &path);

// What both share (catalogueimport.cpp).
namespace CatalogueParts {
// The first value at path, or empty.
QString first(const XmlValues &values, const QString &path);
// A rating of 0 to most (a fraction, perhaps) as the card's 1 to 10; 0 for none.
int ratingOutOf(const QString &value, double most);
// An IMDb identifier found in a text (an address): "tt" and digits, or empty.
QString imdbIn(const QString &text);
// Opens path into file; the refusal when it is unreadable or too large.
std::optional<CatalogueRead> openFailed(QFile &file, const QString &path);
// The status of an XML read that went wrong, nullopt when it did not.
std::optional<CatalogueRead> xmlFailed(const XmlItems &xml);
// The picture at path as a poster, when it lies in folder or below once
// links are followed and is a picture a card holds; why not otherwise.
ImportedMovie::PosterLeft takePosterFile(ImportedMovie &movie, const QString &path, const QString &folder);
// The same from bytes (a picture inside a file).
ImportedMovie::PosterLeft takePosterBytes(ImportedMovie &movie, const QByteArray &bytes);
}   // namespace CatalogueParts
