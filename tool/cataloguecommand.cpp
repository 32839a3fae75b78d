#include "poster/cataloguewriter.h"
#include "tool/cardlisting.h"
#include "tool/commandline.h"
#include "tool/tooltexts.h"

namespace {

const QString kCatalogue = QStringLiteral("catalogue");

// The catalogue of places into out; status gets the scan's.
Transfer writeCatalogue(ToolIo &io, const QStringList &places, bool recursive, CatalogueKind kind,
    QChar separator, QIODevice &out, int &status)
{
    CatalogueWriter writer(kind, out, separator);
    const CardScan scan = { .recursive = recursive, .poster = writer.posterHeader() };
    status = readPlaces(io, places, scan, [&writer](const ScannedCard &card) { writer.add(card); });
    return writer.finish() ? Transfer::Done : Transfer::WriteFailed;
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
    const auto kind = catalogueKind(out);
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
            return writeCatalogue(io, places, parser.isSet(recursive), *kind, by.front(), file, status);
        },
        Durability::Written);
    if (written != Transfer::Done) {
        report(io, ToolText::writeFailed(out));
        return ExitStatus::FileFailed;
    }
    return status;
}
