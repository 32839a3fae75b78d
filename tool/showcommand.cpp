#include "tool/cardlisting.h"
#include "tool/commandline.h"
#include "tool/tooltable.h"
#include "tool/tooltexts.h"

int runShow(const QStringList &args, ToolIo &io)
{
    QCommandLineParser parser;
    const QCommandLineOption jsonOption(QStringLiteral("json"));
    const QCommandLineOption linesOption(QStringLiteral("json-lines"));
    const QCommandLineOption recursive = recursiveOption();
    const QCommandLineOption noCache = noCacheOption();
    parser.addOptions({ jsonOption, linesOption, recursive, noCache });
    if (const auto status = parseCommand(parser, QStringLiteral("show"), args, io, 1, -1))
        return *status;
    if (parser.isSet(jsonOption) && parser.isSet(linesOption))
        return usageError(io, QStringLiteral("show"), say(Say::JsonOptionsClash));
    const CardFormat format = parser.isSet(linesOption) ? CardFormat::JsonLines
        : parser.isSet(jsonOption)                      ? CardFormat::JsonArray
                                                        : CardFormat::Text;
    CardPrinter printer(io.out, format);
    const CardScan scan = { .recursive = parser.isSet(recursive),
        .poster = PosterHeader::Read,
        .text = recordTextFor(format),
        .useIndex = !parser.isSet(noCache) };
    const int status = readPlaces(
        io, parser.positionalArguments(), scan, [&printer](const ScannedCard &card) { printer.print(card); });
    printer.finish();
    return status;
}
