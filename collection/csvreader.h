#pragma once
// Reading a CSV table as spreadsheets and web services write it: RFC 4180
// cells (quoted line breaks, doubled quotes), lines ending in CR LF, LF or
// CR, in UTF-8 with or without its byte-order mark, or in Windows-1252 (what
// a French spreadsheet saves) when the bytes are no UTF-8; the separator a
// comma, a semicolon or a tab, whichever the header line holds most.

#include <QIODevice>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include <optional>

struct CsvRow {
    QStringList cells;
    qint64 line = 0;   // the line of the file where the row begins, from 1
    // A quote that never closes, text after a closing quote, or a row beyond
    // the bounds: its cells mean nothing.
    bool broken = false;
};

// Bounds on one row, whatever the file holds.
namespace CsvBounds {
constexpr int MostCells = 1000;
constexpr qsizetype MostRowCharacters = 4 * 1024 * 1024;
}   // namespace CsvBounds

class CsvReader {
public:
    // in is open at the table's first byte; a file (not sequential) is read
    // twice when it has no byte-order mark, once to tell its encoding.
    explicit CsvReader(QIODevice &in);

    // The next row that holds a value (blank rows are passed over), nullopt
    // at the end.
    std::optional<CsvRow> next();
    QChar separator() const { return m_separator; }
    bool readFailed() const { return m_readFailed; }

private:
    QIODevice &m_in;
    QStringDecoder m_utf8 { QStringDecoder::Utf8 };
    bool m_windows1252 = false;
    QString m_buffer;
    qsizetype m_at = 0;
    qint64 m_line = 1;
    QChar m_separator = QLatin1Char(',');
    bool m_ended = false, m_readFailed = false;

    // The cell being read.
    struct Cell {
        QString text;
        bool quoted = false;   // inside its quotes
        bool closed = false;   // its quotes closed
    };

    bool fill(qsizetype wanted);
    void takeCharacter(Cell &cell, bool &broken);
    static CsvRow bounded(CsvRow row, qsizetype characters);
    void chooseSeparator();
    std::optional<CsvRow> readRow();
    bool endOfLine();
};
