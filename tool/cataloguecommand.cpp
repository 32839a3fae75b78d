#include "collection/cataloguecsv.h"
#include "collection/cataloguehtml.h"
#include "poster/thumbnailcache.h"
#include "tool/cardlisting.h"
#include "tool/commandline.h"
#include "tool/tooltexts.h"

#include <QFileInfo>

namespace {

const QString kCatalogue = QStringLiteral("catalogue");

enum class CatalogueKind { Csv, Html };

// Cards whose thumbnails are made together, on every core: enough to keep
// the cores busy, few enough that memory stays flat however many cards.
constexpr qsizetype kBatch = 64;

std::optional<CatalogueKind> kindOf(const QString &output)
{
    const QString extension = QFileInfo(output).suffix().toLower();
    if (extension == u"csv")
        return CatalogueKind::Csv;
    if (extension == u"html" || extension == u"htm")
        return CatalogueKind::Html;
    return std::nullopt;
}

CatalogueCard catalogueCard(const ScannedCard &card)
{
    return { card.path, cardValues(card.head.record), card.head.poster.format };
}

// The CSV catalogue of places into out; status gets the scan's.
Transfer writeCsv(
    ToolIo &io, const QStringList &places, bool recursive, QChar separator, QIODevice &out, int &status)
{
    CsvCatalogue csv(out, separator);
    status = readPlaces(
        io, places, recursive, [&csv](const ScannedCard &card) { csv.add(catalogueCard(card)); },
        PosterHeader::Read);
    return csv.ok() ? Transfer::Done : Transfer::WriteFailed;
}

// Adds a batch of cards to the page, their thumbnails made or found at once.
void addBatch(HtmlCatalogue &html, QList<ScannedCard> &batch)
{
    QStringList paths;
    for (const ScannedCard &card : batch)
        paths << card.path;
    const std::vector<QByteArray> thumbnails = cataloguePictures(paths);
    for (qsizetype i = 0; i < batch.size(); ++i)
        html.add({ batch[i].path, cardValues(batch[i].head.record), {} }, thumbnails[size_t(i)]);
    batch.clear();
}

Transfer writeHtml(ToolIo &io, const QStringList &places, bool recursive, QIODevice &out, int &status)
{
    HtmlCatalogue html(out);
    QList<ScannedCard> batch;
    status = readPlaces(io, places, recursive, [&](const ScannedCard &card) {
        batch << card;
        if (batch.size() == kBatch)
            addBatch(html, batch);
    });
    addBatch(html, batch);
    return html.finish() ? Transfer::Done : Transfer::WriteFailed;
}

}   // namespace

int runCatalogue(const QStringList &args, ToolIo &io)
{
    QCommandLineParser parser;
    const QCommandLineOption output(QStringLiteral("o"), QString(), QStringLiteral("sortie"));
    const QCommandLineOption separator(
        QStringLiteral("separateur"), QString(), QStringLiteral("separateur"), QStringLiteral(","));
    const QCommandLineOption recursive = recursiveOption();
    parser.addOptions({ output, separator, recursive });
    if (const auto status = parseCommand(parser, kCatalogue, args, io, 1, -1))
        return *status;
    const QString out = parser.value(output);
    const QString by = parser.value(separator);
    if (out.isEmpty())
        return usageError(io, kCatalogue, ToolText::missingOutput());
    const auto kind = kindOf(out);
    if (!kind)
        return usageError(io, kCatalogue, ToolText::catalogueKind(out));
    if (by.size() != 1 || by == u"\"" || by == u"\r" || by == u"\n")
        return usageError(io, kCatalogue, ToolText::badSeparator(by));
    if (!mayReplace(io, out))
        return ExitStatus::FileFailed;
    int status = ExitStatus::Done;
    const QStringList places = parser.positionalArguments();
    const Transfer written = replaceFile(
        out,
        [&](QIODevice &file) {
            return *kind == CatalogueKind::Csv
                ? writeCsv(io, places, parser.isSet(recursive), by.front(), file, status)
                : writeHtml(io, places, parser.isSet(recursive), file, status);
        },
        Durability::Written);
    if (written != Transfer::Done) {
        report(io, ToolText::writeFailed(out));
        return ExitStatus::FileFailed;
    }
    return status;
}
