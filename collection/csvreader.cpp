#include "collection/csvreader.h"

#include "card/cp1252.h"

#include <algorithm>
#include <utility>

namespace {

constexpr qint64 kBlock = 64 * 1024;
const QByteArray kByteOrderMark("\xEF\xBB\xBF");

// Whether the rest of in is UTF-8; in is back at its position after.
bool holdsUtf8(QIODevice &in)
{
    const qint64 start = in.pos();
    QStringDecoder utf8(QStringDecoder::Utf8);
    while (!utf8.hasError()) {
        const QByteArray block = in.read(kBlock);
        if (block.isEmpty())
            break;
        const QString decoded = utf8.decode(block);   // decoding happens as it becomes a text
    }
    const bool valid = !utf8.hasError();
    in.seek(start);
    return valid;
}

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

}   // namespace

CsvReader::CsvReader(QIODevice &in) : m_in(in)
{
    if (m_in.peek(3) == kByteOrderMark)
        m_in.read(3);
    else if (!m_in.isSequential())
        m_windows1252 = !holdsUtf8(m_in);
    chooseSeparator();
}

// Decodes blocks until wanted characters stand after the reading point, or
// the file ends; false when fewer remain.
bool CsvReader::fill(qsizetype wanted)
{
    while (m_buffer.size() - m_at < wanted && !m_ended) {
        if (m_at > kBlock) {
            m_buffer.remove(0, m_at);
            m_at = 0;
        }
        const QByteArray block = m_in.read(kBlock);
        if (block.isEmpty()) {
            m_ended = true;
            m_readFailed = !m_in.atEnd() && !m_in.isSequential();
            break;
        }
        m_buffer += m_windows1252 ? fromCp1252(block) : m_utf8.decode(block);
    }
    return m_buffer.size() - m_at >= wanted;
}

// The separator the header line uses most, outside quotes; a first line
// "sep=;", as spreadsheets write it, names it and is passed over.
void CsvReader::chooseSeparator()
{
    qsizetype end = m_at;
    bool quoted = false;
    int commas = 0, semicolons = 0, tabs = 0;
    for (; fill(end - m_at + 1); ++end) {
        const QChar c = m_buffer[end];
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && isLineBreak(c))
            break;
        commas += !quoted && c == u',';
        semicolons += !quoted && c == u';';
        tabs += !quoted && c == u'\t';
    }
    const QStringView first = QStringView(m_buffer).sliced(m_at, end - m_at);
    if (first.size() == 5 && first.startsWith(u"sep=")) {
        m_separator = first[4];
        m_at = end;
        endOfLine();
        return;
    }
    if (semicolons > commas && semicolons >= tabs)
        m_separator = QLatin1Char(';');
    else if (tabs > commas)
        m_separator = QLatin1Char('\t');
}

// Passes over the line break at the reading point, CR LF as one.
bool CsvReader::endOfLine()
{
    if (!fill(1) || !isLineBreak(m_buffer[m_at]))
        return false;
    const bool crlf = m_buffer[m_at] == u'\r' && fill(2) && m_buffer[m_at + 1] == u'\n';
    m_at += crlf ? 2 : 1;
    ++m_line;
    return true;
}

std::optional<CsvRow> CsvReader::next()
{
    while (auto row = readRow()) {
        const bool blank = std::all_of(
            row->cells.cbegin(), row->cells.cend(), [](const QString &cell) { return cell.isEmpty(); });
        if (!blank || row->broken)
            return row;
    }
    return std::nullopt;
}

std::optional<CsvRow> CsvReader::readRow()
{
    if (!fill(1))
        return std::nullopt;
    CsvRow row { .cells = {}, .line = m_line };
    Cell cell;
    qsizetype characters = 0;
    while (fill(1)) {
        const QChar c = m_buffer[m_at];
        if (cell.quoted || (c != m_separator && !isLineBreak(c))) {
            takeCharacter(cell, row.broken);
        } else {
            row.cells << std::exchange(cell, {}).text;
            if (isLineBreak(c) && endOfLine())
                return bounded(std::move(row), characters);
            ++m_at;
        }
        if (++characters > CsvBounds::MostRowCharacters)
            cell.text.clear();   // what is left of the row is read, and thrown away
    }
    // The file ends without a line break, or inside quotes that never close.
    row.cells << cell.text;
    row.broken = row.broken || cell.quoted;
    return bounded(std::move(row), characters);
}

// One character of a cell, at the reading point, passed over.
void CsvReader::takeCharacter(Cell &cell, bool &broken)
{
    const QChar c = m_buffer[m_at];
    if (cell.quoted && c == u'"') {
        const bool doubled = fill(2) && m_buffer[m_at + 1] == u'"';
        if (doubled)
            cell.text += c;
        cell.quoted = doubled;
        cell.closed = !doubled;
        m_at += doubled ? 2 : 1;
        return;
    }
    if (cell.quoted && isLineBreak(c)) {
        cell.text += c;
        const bool crlf = c == u'\r' && fill(2) && m_buffer[m_at + 1] == u'\n';
        if (crlf)
            cell.text += QLatin1Char('\n');
        m_at += crlf ? 2 : 1;
        ++m_line;
        return;
    }
    if (!cell.quoted && c == u'"' && cell.text.isEmpty() && !cell.closed) {
        cell.quoted = true;
    } else {
        // A quote inside a cell is kept, as spreadsheets keep it; text after a closing one is no CSV.
        broken = broken || cell.closed;
        cell.text += c;
    }
    ++m_at;
}

CsvRow CsvReader::bounded(CsvRow row, qsizetype characters)
{
    row.broken
        = row.broken || characters > CsvBounds::MostRowCharacters || row.cells.size() > CsvBounds::MostCells;
    return row;
}
