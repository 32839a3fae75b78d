#include "tool/nfo.h"

#include "tool/tooltexts.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString kGenreSeparator = QStringLiteral(", ");

QString element(Field field)
{
    const std::string_view name = fieldLayout(field).nfoElement;
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

// The text of the current element and of all inside it, read in a loop: a
// hostile file nests thousands of elements, too deep for a recursive read.
QString elementText(QXmlStreamReader &xml)
{
    QString text;
    for (int depth = 1; depth > 0 && !xml.atEnd();) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (++depth > kMaxNfoNesting)
                xml.raiseError(ToolText::nfoTooDeep(kMaxNfoNesting));
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
        case QXmlStreamReader::EntityReference:
            text += xml.text();
            break;
        default:
            break;
        }
    }
    return text;
}

void skipElement(QXmlStreamReader &xml)
{
    elementText(xml);
}

QString actorName(QXmlStreamReader &xml)
{
    QString name;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"name" && name.isEmpty())
            name = elementText(xml);
        else
            skipElement(xml);
    }
    return name;
}

// The first element of a kind wins; media managers repeat none of these.
void readFirst(QXmlStreamReader &xml, QString &into)
{
    if (into.isNull())
        into = elementText(xml);
    else
        skipElement(xml);
}

void readMovieElement(QXmlStreamReader &xml, NfoMovie &movie)
{
    const auto name = xml.name();
    if (name == element(Field::Titre))
        readFirst(xml, movie.title);
    else if (name == element(Field::Annee))
        readFirst(xml, movie.year);
    else if (name == u"premiered")
        readFirst(xml, movie.premiered);
    else if (name == element(Field::Heures))
        readFirst(xml, movie.runtime);
    else if (name == element(Field::Resume))
        readFirst(xml, movie.plot);
    else if (name == element(Field::Type))
        movie.genres << elementText(xml);
    else if (name == element(Field::Realisateur))
        movie.directors << elementText(xml);
    else if (name == element(Field::Acteurs))
        movie.actors << actorName(xml);
    else
        skipElement(xml);
}

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

std::optional<int> wholeNumber(const QString &text)
{
    bool ok = true;
    const int number = text.isEmpty() ? 0 : text.trimmed().toInt(&ok);
    return ok ? std::optional(number) : std::nullopt;
}

void writeRuntime(QXmlStreamWriter &xml, const CardValues &values, QStringList &notes)
{
    const auto hours = wholeNumber(values.text(Field::Heures));
    const auto minutes = wholeNumber(values.text(Field::Minutes));
    if (!hours || !minutes)
        notes << ToolText::durationNotExported(values.text(Field::Heures), values.text(Field::Minutes));
    else if (*hours * 60 + *minutes > 0)
        xml.writeTextElement(element(Field::Heures), QString::number(*hours * 60 + *minutes));
}

void writeActors(QXmlStreamWriter &xml, const QStringList &names)
{
    for (qsizetype i = 0; i < names.size(); ++i) {
        xml.writeStartElement(element(Field::Acteurs));
        xml.writeTextElement(QStringLiteral("name"), names[i]);
        xml.writeTextElement(QStringLiteral("order"), QString::number(i));
        xml.writeEndElement();
    }
}

void writeUnlessEmpty(QXmlStreamWriter &xml, const QString &name, const QString &text)
{
    if (!text.isEmpty())
        xml.writeTextElement(name, text);
}

// XML 1.0 has no place for the control characters an odd card byte may
// read as; they become "?", said in notes.
void makeXmlSafe(Field field, QString &text, QStringList &notes)
{
    ToolText::Replacements replaced;
    for (QChar &c : text) {
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') {
            if (!replaced.contains(std::pair(char32_t(c.unicode()), QStringLiteral("?"))))
                replaced.append({ c.unicode(), QStringLiteral("?") });
            c = u'?';
        }
    }
    if (!replaced.isEmpty())
        notes << ToolText::charactersReplaced(field, replaced);
}

// The texts first, then the names; the running time is written as a
// number of minutes, or not at all.
CardValues xmlSafe(CardValues values, QStringList &notes)
{
    for (const FieldLayout &entry : kFieldTable) {
        if (!holdsList(entry.field) && entry.rule != FieldRule::Hours && entry.rule != FieldRule::Minutes)
            makeXmlSafe(entry.field, values.text(entry.field), notes);
    }
    for (QString &name : values.list(Field::Acteurs))
        makeXmlSafe(Field::Acteurs, name, notes);
    return values;
}

// The poster a mark records: the three numbers of nfoPosterMark, in its
// order, after the mark's last ";".
WrittenPoster writtenPosterOf(const QString &mark)
{
    static const QRegularExpression number(QStringLiteral("\\d+"));
    const qsizetype semicolon = mark.lastIndexOf(QLatin1Char(';'));
    if (semicolon < 0)
        return {};
    QStringList numbers;
    for (auto it = number.globalMatch(mark, semicolon); it.hasNext();)
        numbers << it.next().captured();
    if (numbers.size() != 3)
        return {};
    return { .bytes = numbers[0].toLongLong(),
        .inode = numbers[1].toULongLong(),
        .modifiedNs = numbers[2].toLongLong() };
}

}   // namespace

NfoRead readNfo(QIODevice &in)
{
    NfoRead result;
    const QByteArray bytes = in.read(kMaxNfoBytes + 1);
    if (bytes.size() > kMaxNfoBytes) {
        result.status = NfoStatus::TooLarge;
        return result;
    }
    QXmlStreamReader xml(withoutTrailingAddress(bytes));
    if (!xml.readNextStartElement() || xml.name() != u"movie") {
        result.status = NfoStatus::NotMovie;
        return result;
    }
    while (xml.readNextStartElement())
        readMovieElement(xml, result.movie);
    while (!xml.atEnd())   // a second root or junk after the movie is an error of the reader
        xml.readNext();
    if (xml.hasError()) {
        result.status = NfoStatus::NotXml;
        result.line = xml.lineNumber();
        result.error = xml.errorString();
    }
    return result;
}

std::optional<NfoMark> readOwnMark(QIODevice &in)
{
    QXmlStreamReader xml(in.read(4096));
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartDocument:
            continue;
        case QXmlStreamReader::Characters:
            if (xml.isWhitespace())
                continue;
            return std::nullopt;
        case QXmlStreamReader::Comment:
            if (!xml.text().trimmed().startsWith(QLatin1String("cinefiche-card")))
                return std::nullopt;
            return NfoMark { .poster = writtenPosterOf(xml.text().toString()) };
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool writeNfo(QIODevice &out, const CardValues &cardValues, QStringList &notes, const WrittenPoster &poster)
{
    const CardValues values = xmlSafe(cardValues, notes);
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    QString mark = ToolText::nfoMark();
    if (poster.bytes >= 0)
        mark
            += QStringLiteral(" ; ") + ToolText::nfoPosterMark(poster.bytes, poster.inode, poster.modifiedNs);
    xml.writeComment(QLatin1Char(' ') + mark + QLatin1Char(' '));
    xml.writeStartElement(QStringLiteral("movie"));
    xml.writeTextElement(element(Field::Titre), values.text(Field::Titre));
    writeUnlessEmpty(xml, element(Field::Annee), values.text(Field::Annee));
    writeRuntime(xml, values, notes);
    if (!values.text(Field::Type).isEmpty()) {
        for (const QString &genre : values.text(Field::Type).split(kGenreSeparator))
            xml.writeTextElement(element(Field::Type), genre);
    }
    writeUnlessEmpty(xml, element(Field::Realisateur), values.text(Field::Realisateur));
    writeActors(xml, values.list(Field::Acteurs));
    writeUnlessEmpty(xml, element(Field::Resume), values.text(Field::Resume));
    xml.writeEndDocument();
    return !xml.hasError();
}
