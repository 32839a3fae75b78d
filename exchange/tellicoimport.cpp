#include "exchange/catalogueimport.h"
#include "exchange/ziparchive.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;
using namespace CatalogueParts;

namespace {

// Tellico's collection of videos, among its kinds.
const QString kVideoCollection = u"3"_s;

// A field the collection declares: its title and, for a rating, its most.
struct TellicoField {
    QString title;
    double most = 5;
};

// A Tellico file's XML, once read: its fields, entries, images and loans.
struct TellicoXml {
    QString collectionType;
    QHash<QString, TellicoField> fields;
    struct Entry {
        QString id;
        qint64 line = 0;
        XmlValues values;
    };
    QList<Entry> entries;
    QHash<QString, QByteArray> images;                   // the pictures held in the XML, by id
    QHash<QString, std::pair<QString, QString>> loans;   // entry id: borrower, date
};

// The field name a value's path stands for: "genres/genre" is "genre", "cdate/year" is "cdate".
QString fieldOfPath(const QString &path)
{
    const QStringList parts = path.split(u'/');
    return parts.size() > 1 && parts[0] == parts[1] + u's' ? parts[1] : parts[0];
}

QStringList valuesOf(const XmlValues &values, const QString &field)
{
    return values.value(field) + values.value(field + u"s/"_s + field);
}

void readElement(XmlItems &xml, TellicoXml &read, QString &field, QString &borrower)
{
    const QStringView name = xml.name();
    if (name == u"collection") {
        read.collectionType = xml.attribute(u"type"_s);
    } else if (name == u"field") {
        field = xml.attribute(u"name"_s);
        read.fields[field].title = xml.attribute(u"title"_s).toCaseFolded();
    } else if (name == u"prop" && xml.attribute(u"name"_s) == u"maximum") {
        read.fields[field].most = first(xml.values(), QString()).toDouble();
    } else if (name == u"entry") {
        TellicoXml::Entry entry { xml.attribute(u"id"_s), xml.elementLine(), {} };
        entry.values = xml.values();
        read.entries << entry;
    } else if (name == u"image") {
        const QString id = xml.attribute(u"id"_s);
        read.images.insert(id, QByteArray::fromBase64(first(xml.values(), QString()).toLatin1()));
    } else if (name == u"borrower") {
        borrower = xml.attribute(u"name"_s);
    } else if (name == u"loan") {
        read.loans.insert(xml.attribute(u"entryRef"_s), { borrower, xml.attribute(u"loanDate"_s) });
    }
}

std::variant<TellicoXml, CatalogueRead> readXml(const QByteArray &bytes)
{
    static const QStringList kNames { u"collection"_s, u"field"_s, u"prop"_s, u"entry"_s, u"image"_s,
        u"borrower"_s, u"loan"_s };
    XmlItems xml(bytes);
    TellicoXml read;
    QString field, borrower;
    while (xml.nextElement(kNames))
        readElement(xml, read, field, borrower);
    if (const auto failed = xmlFailed(xml))
        return *failed;
    if (read.collectionType != kVideoCollection)
        return CatalogueRead { .status = CatalogueRead::Status::NotCatalogue };
    return read;
}

// Where a value of Tellico's goes in a card, by its field's name or title.
std::optional<Field> cardFieldOf(const QString &name, const QString &title)
{
    static const QHash<QString, Field> kByName { { u"title"_s, Field::Titre },
        { u"origtitle"_s, Field::TitreOriginal }, { u"year"_s, Field::Annee }, { u"genre"_s, Field::Type },
        { u"director"_s, Field::Realisateur }, { u"cast"_s, Field::Acteurs },
        { u"nationality"_s, Field::Pays }, { u"plot"_s, Field::Resume }, { u"comments"_s, Field::Notes },
        { u"keyword"_s, Field::Etiquettes }, { u"medium"_s, Field::Support },
        { u"location"_s, Field::Emplacement }, { u"seen"_s, Field::Vu }, { u"watched"_s, Field::Vu },
        { u"rating"_s, Field::Note }, { u"imdb"_s, Field::Imdb }, { u"running-time"_s, Field::Heures },
        { u"cdate"_s, Field::AjouteeLe } };
    static const QHash<QString, Field> kByTitle { { u"original title"_s, Field::TitreOriginal },
        { u"seen"_s, Field::Vu }, { u"watched"_s, Field::Vu }, { u"location"_s, Field::Emplacement },
        { u"tags"_s, Field::Etiquettes } };
    if (const auto found = kByName.constFind(name); found != kByName.cend())
        return *found;
    if (const auto found = kByTitle.constFind(title); found != kByTitle.cend())
        return *found;
    return std::nullopt;
}

// Fields that say nothing of the movie: the entry's number, its last change, its picture.
bool isBookkeeping(const QString &name)
{
    return name == u"id" || name == u"mdate" || name == u"cover" || name == u"loaned";
}

void putValue(ImportedMovie &movie, Field field, const QStringList &values, const TellicoField &declared)
{
    const QString value = values.value(0);
    switch (field) {
    case Field::Type:
    case Field::Realisateur:
        movie.set(field, values.join(u", "_s));
        break;
    case Field::Acteurs:
    case Field::Pays:
    case Field::Etiquettes:
        movie.add(field, values);
        break;
    case Field::Heures:
        setRunningTime(movie, minutesOf(value));
        break;
    case Field::Note:
        if (const int rating = ratingOutOf(value, declared.most))
            movie.set(field, QString::number(rating));
        break;
    case Field::Vu:
        movie.set(field, value == u"true" ? kFlagSet : QString());
        break;
    case Field::Imdb:
        movie.set(field, imdbIn(value));
        break;
    default:
        movie.set(field, value);
        break;
    }
}

QString dateOf(const XmlValues &values, const QString &field)
{
    const QString year = first(values, field + u"/year"_s);
    if (year.isEmpty())
        return {};
    return u"%1-%2-%3"_s.arg(year, first(values, field + u"/month"_s).rightJustified(2, u'0'),
        first(values, field + u"/day"_s).rightJustified(2, u'0'));
}

ImportedMovie movieOf(
    const TellicoXml &read, const QString &id, const XmlValues &values, QStringList &leftOut)
{
    ImportedMovie movie;
    QSet<QString> seen;
    for (auto at = values.cbegin(); at != values.cend(); ++at) {
        const QString name = fieldOfPath(at.key());
        if (seen.contains(name) || isBookkeeping(name))
            continue;
        seen.insert(name);
        const TellicoField declared = read.fields.value(name);
        const auto field = cardFieldOf(name, declared.title);
        if (field == Field::AjouteeLe)
            movie.set(*field, dateOf(values, name));
        else if (field)
            putValue(movie, *field, valuesOf(values, name), declared);
        else if (!leftOut.contains(name))
            leftOut << name;
    }
    if (const auto loan = read.loans.constFind(id); loan != read.loans.cend()) {
        movie.set(Field::PretA, loan->first);
        movie.set(Field::PretLe, loan->second);
    }
    return movie;
}

// The poster of an entry: the picture its cover names, in the zip's images/,
// in the XML, or in the folder Tellico keeps beside the file.
void takeCover(ImportedMovie &movie, const QString &cover, const TellicoXml &read, const ZipArchive *zip,
    const QString &path)
{
    if (cover.isEmpty())
        return;
    movie.posterName = cover;
    ZipStatus why = ZipStatus::Ok;
    std::optional<QByteArray> bytes;
    if (zip != nullptr && zip->names().contains(u"images/"_s + cover))
        bytes = zip->read(u"images/"_s + cover, why);
    if (!bytes && read.images.contains(cover))
        bytes = read.images.value(cover);
    if (bytes) {
        movie.posterLeft = takePosterBytes(movie, *bytes);
        return;
    }
    const QFileInfo file(path);
    const QString beside = file.dir().filePath(file.completeBaseName() + u"_files/"_s + cover);
    movie.posterLeft = cover.contains(u'/') ? ImportedMovie::PosterLeft::OutOfFolder
                                            : takePosterFile(movie, beside, file.absolutePath());
}

CatalogueRead readEntries(const QByteArray &xmlBytes, const ZipArchive *zip, const QString &path)
{
    auto xml = readXml(xmlBytes);
    if (auto *failed = std::get_if<CatalogueRead>(&xml))
        return *failed;
    const TellicoXml &read = std::get<TellicoXml>(xml);
    CatalogueRead result;
    for (const TellicoXml::Entry &entry : read.entries) {
        ImportedMovie movie = movieOf(read, entry.id, entry.values, result.leftOut);
        movie.line = entry.line;
        takeCover(movie, first(entry.values, u"cover"_s), read, zip, path);
        result.movies << movie;
    }
    result.leftOut.sort();
    return result;
}

}   // namespace

CatalogueRead readTellico(const QString &path)
{
    QFile file;
    if (auto refused = openFailed(file, path))
        return *refused;
    const QByteArray bytes = file.readAll();
    // Tellico also opens its XML alone, uncompressed.
    if (!looksLikeZip(bytes))
        return readEntries(bytes, nullptr, path);
    const ZipArchive zip(bytes);
    if (zip.status() != ZipStatus::Ok)
        return { .status = zip.status() == ZipStatus::TooLarge ? CatalogueRead::Status::ZipTooLarge
                                                               : CatalogueRead::Status::ZipDamaged };
    ZipStatus why = ZipStatus::Ok;
    const auto xml = zip.read(u"tellico.xml"_s, why);
    if (!xml)
        return { .status = why == ZipStatus::NotZip ? CatalogueRead::Status::NotCatalogue
                                                    : CatalogueRead::Status::ZipDamaged };
    return readEntries(*xml, &zip, path);
}
