#pragma once
// The catalogue of cards as one web page in French that needs nothing else:
// a grid of posters or a table of the record's fields, each with the seen
// mark, the rating's stars and the tags, sorted by any column, a search
// that filters as one types, accents ignored, filters by seen and by tag,
// and a print style.
// Every text from a card is escaped, and the page lets no other script run.

#include "collection/cataloguecsv.h"

#include <QIODevice>

// Writes the page's head at once, a row for each card added, then the end.
class HtmlCatalogue {
public:
    explicit HtmlCatalogue(QIODevice &out);
    // picture: the poster's thumbnail (PNG or JPEG), embedded; empty for none.
    bool add(const CatalogueCard &card, const QByteArray &picture);
    bool finish();

private:
    QIODevice &m_out;
    bool m_ok = true;
    QByteArray m_pending;   // written a block at a time
    bool write(const QString &text);
    bool flush(qsizetype atLeast);
};
