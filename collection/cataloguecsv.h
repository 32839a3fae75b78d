#pragma once
// The catalogue of cards as a spreadsheet reads it: CSV after RFC 4180, in
// UTF-8, one line a card, the values as stored.

#include "card/card.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

// One card as a catalogue lists it.
struct CatalogueCard {
    QString path;
    CardValues values;
    QByteArray posterFormat;   // "jpeg", "png"...; empty when the card holds no picture
};

// The columns, named as show --json names its keys.
QStringList catalogueColumns();

// A value as every CSV of ours writes it: one a spreadsheet would run as a
// formula (its first character =, +, -, @, a tab or a carriage return) gets
// a leading "'", as OWASP advises, and so does one that merely looks so
// guarded (apostrophes, then one of those), so that reading back is exact.
QString guardedCell(const QString &value);
// The value of a cell of our CSV, once read: its guard removed.
QString unguardedCell(const QString &cell);

// One line of a CSV of ours, in UTF-8, ending with CR LF: each value
// guarded, then quoted, its quotes doubled, when it holds the separator, a
// quote or a line break.
QByteArray csvLine(const QStringList &values, QChar separator);

// Whether a CSV begins with UTF-8's byte-order mark, by which a spreadsheet
// (Excel above all) knows its encoding; without it, "é" shows as "Ã©".
enum class ByteOrderMark { Without, With };
inline const QByteArray kUtf8ByteOrderMark("\xEF\xBB\xBF");

// Writes the header at once, then a line for each card added (csvLine);
// the actors and every list are joined with " | ".
class CsvCatalogue {
public:
    CsvCatalogue(
        QIODevice &out, QChar separator = QLatin1Char(','), ByteOrderMark mark = ByteOrderMark::Without);
    bool add(const CatalogueCard &card);
    bool ok() const { return m_ok; }   // false once a write failed

private:
    QIODevice &m_out;
    QChar m_separator;
    bool m_ok = true;
    void writeLine(const QStringList &values);
};
