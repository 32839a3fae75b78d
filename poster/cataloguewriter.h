#pragma once
// The catalogue of cards written as the card tool's catalogue command and
// the collection window's export write it: a CSV table, or one web page
// with each card's poster thumbnail.

#include "collection/cardscan.h"

#include <QIODevice>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class CsvCatalogue;
class HtmlCatalogue;

enum class CatalogueKind { Csv, Html };

// The kind the output's extension names (.csv, .html, .htm); nullopt for another.
std::optional<CatalogueKind> catalogueKind(const QString &outputPath);

// Takes cards one by one as they are read and writes them to out. A web
// page's thumbnails are made a batch at a time, on every core.
class CatalogueWriter {
public:
    CatalogueWriter(CatalogueKind kind, QIODevice &out, QChar separator = QLatin1Char(','));
    ~CatalogueWriter();
    // How the cards are to be read: the CSV names each poster's format.
    PosterHeader posterHeader() const;
    void add(const ScannedCard &card);
    // Writes what remains; false when a write failed.
    bool finish();

private:
    std::unique_ptr<CsvCatalogue> m_csv;
    std::unique_ptr<HtmlCatalogue> m_html;
    QList<ScannedCard> m_batch;
    void addBatch();
};
