#include "nfo/nforeader.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

// The elements that hold one text, and those that repeat, each a list's item.
struct TextElement {
    Field field;
    QString NfoMovie::*member;
};
const TextElement kTexts[] = { { Field::Titre, &NfoMovie::title },
    { Field::TitreOriginal, &NfoMovie::originalTitle }, { Field::TitreTri, &NfoMovie::sortTitle },
    { Field::Note, &NfoMovie::userRating }, { Field::Resume, &NfoMovie::plot },
    { Field::Heures, &NfoMovie::runtime }, { Field::VuFois, &NfoMovie::playCount },
    { Field::VuLe, &NfoMovie::lastPlayed }, { Field::Vu, &NfoMovie::watched },
    { Field::Annee, &NfoMovie::year }, { Field::AjouteeLe, &NfoMovie::dateAdded } };

struct ListElement {
    Field field;
    QStringList NfoMovie::*member;
};
const ListElement kLists[] = { { Field::Type, &NfoMovie::genres }, { Field::Pays, &NfoMovie::countries },
    { Field::Etiquettes, &NfoMovie::tags }, { Field::Realisateur, &NfoMovie::directors } };

class MovieParser {
public:
    explicit MovieParser(const QByteArray &bytes) : m_xml(bytes) { }

    NfoRead read()
    {
        NfoRead result;
        if (!m_xml.readNextStartElement() || m_xml.name() != NfoName::Movie) {
            result.status = NfoStatus::NotMovie;
            return result;
        }
        while (m_xml.readNextStartElement())
            readElement(result.movie);
        while (!m_xml.atEnd())   // a second root or junk after the movie is an error of the reader
            m_xml.readNext();
        if (m_xml.hasError()) {
            result.status = m_tooDeep ? NfoStatus::TooDeep : NfoStatus::NotXml;
            result.line = m_xml.lineNumber();
            result.error = m_xml.errorString();
        }
        return result;
    }

private:
    QXmlStreamReader m_xml;
    bool m_tooDeep = false;

    // The text of the current element and of all inside it, read in a loop:
    // a hostile file nests thousands of elements, too deep for a recursive read.
    QString elementText()
    {
        QString text;
        for (int depth = 1; depth > 0 && !m_xml.atEnd();) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::StartElement:
                if (++depth > kMaxNfoNesting) {
                    m_tooDeep = true;
                    m_xml.raiseError();
                }
                break;
            case QXmlStreamReader::EndElement:
                --depth;
                break;
            case QXmlStreamReader::Characters:
            case QXmlStreamReader::EntityReference:
                text += m_xml.text();
                break;
            default:
                break;
            }
        }
        return text;
    }

    // The text of the first child element named name that has one; the
    // others are skipped.
    QString childText(QLatin1StringView name)
    {
        QString text;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == name && text.isEmpty())
                text = elementText();
            else
                elementText();
        }
        return text;
    }

    // "<set>Name</set>", or since the set has an overview,
    // "<set><name>Name</name><overview>...</overview></set>".
    QString setName()
    {
        QString text, name;
        bool named = false;
        while (!m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::StartElement:
                if (m_xml.name() == NfoName::Name && !named) {
                    name = elementText();
                    named = true;
                } else {
                    elementText();
                }
                break;
            case QXmlStreamReader::EndElement:
                return named ? name : text;
            case QXmlStreamReader::Characters:
            case QXmlStreamReader::EntityReference:
                text += m_xml.text();
                break;
            default:
                break;
            }
        }
        return {};
    }

    void readFirstSet(QString &into)
    {
        const QString name = setName();
        if (into.isNull())
            into = name;
    }

    NfoIdentifier identifier()
    {
        const QXmlStreamAttributes attributes = m_xml.attributes();
        const bool isDefault
            = attributes.value(NfoName::Default).trimmed().compare(NfoName::True, Qt::CaseInsensitive) == 0;
        const QString type = attributes.value(NfoName::Type).toString();
        return { .type = type, .value = elementText(), .isDefault = isDefault };
    }

    // Of an element that holds one text, the first wins: media managers repeat none.
    void readFirst(QString &into)
    {
        const QString text = elementText();
        if (into.isNull())
            into = text;
    }

    bool readListed(NfoMovie &movie)
    {
        for (const TextElement &element : kTexts) {
            if (m_xml.name() == nfoElement(element.field)) {
                readFirst(movie.*element.member);
                return true;
            }
        }
        for (const ListElement &element : kLists) {
            if (m_xml.name() == nfoElement(element.field)) {
                (movie.*element.member) << elementText();
                return true;
            }
        }
        return false;
    }

    void readElement(NfoMovie &movie)
    {
        const auto name = m_xml.name();
        if (readListed(movie))
            return;
        if (name == nfoElement(Field::Acteurs))
            movie.actors << childText(NfoName::Name);
        else if (name == nfoElement(Field::Saga))
            readFirstSet(movie.set);
        else if (name == nfoElement(Field::Imdb))
            movie.identifiers << identifier();
        else if (name == NfoName::Premiered)
            readFirst(movie.premiered);
        else if (name == NfoName::Id)
            readFirst(movie.id);
        else
            elementText();
    }
};

// The bytes without the address that media centres allow on a last line
// after the XML ("https://www.example.org/movie/603").
QByteArray withoutTrailingAddress(const QByteArray &bytes)
{
    static const QRegularExpression address(QStringLiteral("^\\s*https?://\\S+$"));
    QByteArray text = bytes;
    while (!text.isEmpty() && QChar::isSpace(uchar(text.back())))
        text.chop(1);
    const qsizetype lineStart = text.lastIndexOf('\n') + 1;
    if (lineStart == 0 || !address.match(QString::fromUtf8(text.mid(lineStart))).hasMatch())
        return bytes;
    return bytes.left(lineStart);
}

}   // namespace

NfoRead readNfo(QIODevice &in)
{
    const QByteArray bytes = in.read(kMaxNfoBytes + 1);
    if (bytes.size() > kMaxNfoBytes) {
        NfoRead refused;
        refused.status = NfoStatus::TooLarge;
        return refused;
    }
    return MovieParser(withoutTrailingAddress(bytes)).read();
}
