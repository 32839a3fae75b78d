#pragma once
// The catalogue of cards written as the card tool's catalogue command and
// the collection window's export write it: a CSV table, or one web page
// with each card's poster thumbnail.

#include "collection/cardscan.h"

#include <QIODevice>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CsvCatalogue;
class HtmlCatalogue;
class ServiceCatalogue;

// Csv: our columns, the separator given. Excel: the same as a French Excel
// opens it with a double click: a byte-order mark and semicolons.
// Letterboxd and Imdb: what those services import (collection/servicecatalogue.h).
enum class CatalogueKind { Csv, Html, Excel, Letterboxd, Imdb };

// The kind the output's extension names (.csv, .html, .htm); nullopt for another.
std::optional<CatalogueKind> catalogueKind(const QString &outputPath);

// The pictures a web page embeds for cards, in their order (empty: none).
using CataloguePictures = std::function<std::vector<QByteArray>(const QList<ScannedCard> &cards)>;

// Takes cards one by one as they are read and writes them to out. A web
// page's pictures are asked for a batch at a time, so that the missing ones
// are made together, on every core.
class CatalogueWriter {
public:
    CatalogueWriter(CatalogueKind kind, QIODevice &out, QChar separator = QLatin1Char(','),
        CataloguePictures pictures = {});
    ~CatalogueWriter();
    // How the cards are to be read: the CSV names each poster's format.
    PosterHeader posterHeader() const;
    void add(const ScannedCard &card);
    // Writes what remains; false when a write failed.
    bool finish();

private:
    std::unique_ptr<CsvCatalogue> m_csv;
    std::unique_ptr<HtmlCatalogue> m_html;
    std::unique_ptr<ServiceCatalogue> m_service;
    CataloguePictures m_pictures;
    QList<ScannedCard> m_batch;
    void addBatch();
};
