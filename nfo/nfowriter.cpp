#include "nfo/nfowriter.h"

#include <QXmlStreamWriter>

namespace {

void writeUnlessEmpty(QXmlStreamWriter &xml, QLatin1StringView name, const QString &text)
{
    if (!text.isEmpty())
        xml.writeTextElement(name, text);
}

void writeEach(QXmlStreamWriter &xml, QLatin1StringView name, const QStringList &texts)
{
    for (const QString &text : texts)
        writeUnlessEmpty(xml, name, text);
}

void writeIdentifiers(QXmlStreamWriter &xml, const QList<NfoIdentifier> &identifiers)
{
    for (const NfoIdentifier &identifier : identifiers) {
        xml.writeStartElement(nfoElement(Field::Imdb));
        xml.writeAttribute(NfoName::Type, identifier.type);
        if (identifier.isDefault)
            xml.writeAttribute(NfoName::Default, NfoName::True);
        xml.writeCharacters(identifier.value);
        xml.writeEndElement();
    }
}

void writeSet(QXmlStreamWriter &xml, const QString &name)
{
    if (name.isEmpty())
        return;
    xml.writeStartElement(nfoElement(Field::Saga));
    xml.writeTextElement(NfoName::Name, name);
    xml.writeEndElement();
}

void writeActors(QXmlStreamWriter &xml, const QStringList &names)
{
    for (qsizetype i = 0; i < names.size(); ++i) {
        xml.writeStartElement(nfoElement(Field::Acteurs));
        xml.writeTextElement(NfoName::Name, names[i]);
        xml.writeTextElement(NfoName::Order, QString::number(i));
        xml.writeEndElement();
    }
}

void writeElements(QXmlStreamWriter &xml, const NfoMovie &movie)
{
    xml.writeTextElement(nfoElement(Field::Titre), movie.title);
    writeUnlessEmpty(xml, nfoElement(Field::TitreOriginal), movie.originalTitle);
    writeUnlessEmpty(xml, nfoElement(Field::TitreTri), movie.sortTitle);
    writeUnlessEmpty(xml, nfoElement(Field::Note), movie.userRating);
    writeUnlessEmpty(xml, nfoElement(Field::Resume), movie.plot);
    writeUnlessEmpty(xml, nfoElement(Field::Heures), movie.runtime);
    writeUnlessEmpty(xml, nfoElement(Field::VuFois), movie.playCount);
    writeUnlessEmpty(xml, nfoElement(Field::VuLe), movie.lastPlayed);
    writeUnlessEmpty(xml, nfoElement(Field::Vu), movie.watched);
    writeUnlessEmpty(xml, NfoName::Id, movie.id);
    writeIdentifiers(xml, movie.identifiers);
    writeEach(xml, nfoElement(Field::Type), movie.genres);
    writeEach(xml, nfoElement(Field::Pays), movie.countries);
    writeSet(xml, movie.set);
    writeEach(xml, nfoElement(Field::Etiquettes), movie.tags);
    writeEach(xml, nfoElement(Field::Realisateur), movie.directors);
    writeUnlessEmpty(xml, NfoName::Premiered, movie.premiered);
    writeUnlessEmpty(xml, nfoElement(Field::Annee), movie.year);
    writeActors(xml, movie.actors);
    writeUnlessEmpty(xml, nfoElement(Field::AjouteeLe), movie.dateAdded);
}

}   // namespace

bool writeNfo(QIODevice &out, const NfoMovie &movie, const QString &mark)
{
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeComment(QLatin1Char(' ') + mark + QLatin1Char(' '));
    xml.writeStartElement(NfoName::Movie);
    writeElements(xml, movie);
    xml.writeEndDocument();
    return !xml.hasError();
}
