#include "collection/cataloguecsv.h"

#include "card/nativepath.h"

namespace {

// Whether a cell, past its leading apostrophes, begins as a formula does.
bool looksLikeFormula(QStringView cell)
{
    qsizetype at = 0;
    while (at < cell.size() && cell[at] == u'\'')
        ++at;
    return at < cell.size() && QStringView(u"=+-@\t\r").contains(cell[at]);
}

QString csvValue(const QString &value, QChar separator)
{
    const bool quoted = value.contains(separator) || value.contains(QLatin1Char('"'))
        || value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'));
    if (!quoted)
        return value;
    return QLatin1Char('"') + QString(value).replace(QLatin1Char('"'), QStringLiteral("\"\""))
        + QLatin1Char('"');
}

QString csvText(const CardValues &values, Field field)
{
    if (holdsList(field))
        return values.list(field).join(QStringLiteral(" | "));
    QString text = values.text(field);
    // Line breaks as the card's record stores them, and as RFC 4180 ends its lines.
    if (holdsLines(field))
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

}   // namespace

QString guardedCell(const QString &value)
{
    return looksLikeFormula(value) ? QLatin1Char('\'') + value : value;
}

QString unguardedCell(const QString &cell)
{
    return cell.startsWith(QLatin1Char('\'')) && looksLikeFormula(cell) ? cell.mid(1) : cell;
}

// The record's fields, the poster, then the others: the columns of
// catalogues written before the others existed keep their places.
QStringList catalogueColumns()
{
    QStringList columns { QStringLiteral("fichier") };
    for (const Field field : kRecordFields)
        columns << fieldName(field);
    columns << QStringLiteral("affiche");
    for (const Field field : kFields) {
        if (!inRecord(field))
            columns << fieldName(field);
    }
    return columns;
}

QByteArray csvLine(const QStringList &values, QChar separator)
{
    QStringList cells;
    for (const QString &value : values)
        cells << csvValue(guardedCell(value), separator);
    // UTF-8, but for the bytes of a file name that is not: kept as they stand.
    return nativePath(cells.join(separator)) + "\r\n";
}

CsvCatalogue::CsvCatalogue(QIODevice &out, QChar separator, ByteOrderMark mark)
    : m_out(out), m_separator(separator)
{
    if (mark == ByteOrderMark::With)
        m_ok = m_out.write(kUtf8ByteOrderMark) == kUtf8ByteOrderMark.size();
    writeLine(catalogueColumns());
}

bool CsvCatalogue::add(const CatalogueCard &card)
{
    QStringList line { card.path };
    for (const Field field : kRecordFields)
        line << csvText(card.values, field);
    line << QString::fromLatin1(card.posterFormat);
    for (const Field field : kFields) {
        if (!inRecord(field))
            line << csvText(card.values, field);
    }
    writeLine(line);
    return m_ok;
}

void CsvCatalogue::writeLine(const QStringList &values)
{
    const QByteArray bytes = csvLine(values, m_separator);
    m_ok = m_ok && m_out.write(bytes) == bytes.size();
}
