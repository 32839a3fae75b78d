#include "collection/cataloguewriter.h"

#include "collection/cataloguecsv.h"
#include "collection/cataloguehtml.h"
#include "collection/servicecatalogue.h"

#include <QFileInfo>

namespace {

// Cards whose thumbnails are made together, on every core: enough to keep
// the cores busy, few enough that memory stays flat however many cards.
constexpr qsizetype kBatch = 64;

}   // namespace

std::optional<CatalogueKind> catalogueKind(const QString &outputPath)
{
    const QString extension = QFileInfo(outputPath).suffix().toLower();
    if (extension == u"csv")
        return CatalogueKind::Csv;
    if (extension == u"html" || extension == u"htm")
        return CatalogueKind::Html;
    return std::nullopt;
}

CatalogueWriter::CatalogueWriter(
    CatalogueKind kind, QIODevice &out, QChar separator, CataloguePictures pictures)
    : m_pictures(std::move(pictures))
{
    switch (kind) {
    case CatalogueKind::Csv:
        m_csv = std::make_unique<CsvCatalogue>(out, separator);
        break;
    case CatalogueKind::Excel:
        m_csv = std::make_unique<CsvCatalogue>(out, QLatin1Char(';'), ByteOrderMark::With);
        break;
    case CatalogueKind::Html:
        m_html = std::make_unique<HtmlCatalogue>(out);
        break;
    case CatalogueKind::Letterboxd:
    case CatalogueKind::Imdb:
        m_service = std::make_unique<ServiceCatalogue>(
            kind == CatalogueKind::Imdb ? ServiceFormat::Imdb : ServiceFormat::Letterboxd, out);
        break;
    }
}

CatalogueWriter::~CatalogueWriter() = default;

PosterHeader CatalogueWriter::posterHeader() const
{
    return m_csv ? PosterHeader::Read : PosterHeader::Skip;
}

void CatalogueWriter::add(const ScannedCard &card)
{
    if (m_csv) {
        m_csv->add({ card.path, cardValues(card.head.card), card.head.poster.format });
        return;
    }
    if (m_service) {
        m_service->add(cardValues(card.head.card));
        return;
    }
    m_batch << card;
    if (m_batch.size() == kBatch)
        addBatch();
}

bool CatalogueWriter::finish()
{
    if (m_csv)
        return m_csv->ok();
    if (m_service)
        return m_service->ok();
    addBatch();
    return m_html->finish();
}

// Adds the batch to the page, its pictures found or made at once.
void CatalogueWriter::addBatch()
{
    std::vector<QByteArray> pictures
        = m_pictures && !m_batch.isEmpty() ? m_pictures(m_batch) : std::vector<QByteArray>();
    pictures.resize(size_t(m_batch.size()));
    for (qsizetype i = 0; i < m_batch.size(); ++i)
        m_html->add({ m_batch[i].path, cardValues(m_batch[i].head.card), {} }, pictures[size_t(i)]);
    m_batch.clear();
}
