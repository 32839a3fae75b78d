#pragma once
// The catalogue as the web services people log their viewings on take it
// in: Letterboxd's import table, a line a viewing so that a re-watch is not
// lost, and IMDb's list. Both are CSV of ours (csvLine), so a value a
// spreadsheet would run as a formula is guarded there too.

#include "card/cardvalues.h"

#include <QIODevice>
#include <QList>
#include <QStringList>

enum class ServiceFormat { Letterboxd, Imdb };

// The header of each.
QStringList serviceColumns(ServiceFormat format);

// The lines one card gives, in the columns' order. Letterboxd: a seen
// card's, one a viewing, oldest first (a single one without a date when
// none is known), the rating from 1-10 to 0.5-5, Rewatch "true" for each
// viewing after a first; none for a card not seen. IMDb: one line for any
// card, position its place in the list, with the rating and the last
// viewing as "Date Rated" when the card is seen.
QList<QStringList> serviceRows(ServiceFormat format, const CardValues &values, int position);

class ServiceCatalogue {
public:
    ServiceCatalogue(ServiceFormat format, QIODevice &out);
    bool add(const CardValues &values);
    bool ok() const { return m_ok; }   // false once a write failed

private:
    ServiceFormat m_format;
    QIODevice &m_out;
    int m_position = 0;
    bool m_ok = true;
    void write(const QStringList &values);
};
