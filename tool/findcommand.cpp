#include "collection/cardmatch.h"
#include "tool/cardlisting.h"
#include "tool/commandline.h"
#include "tool/tooltable.h"
#include "tool/tooltexts.h"

namespace {

const QString kFind = QStringLiteral("find");

struct FindOptions {
    QCommandLineOption titre { QStringLiteral("titre"), QString(), QStringLiteral("texte") };
    QCommandLineOption acteur { QStringLiteral("acteur"), QString(), QStringLiteral("texte") };
    QCommandLineOption realisateur { QStringLiteral("realisateur"), QString(), QStringLiteral("texte") };
    QCommandLineOption type { QStringLiteral("type"), QString(), QStringLiteral("texte") };
    QCommandLineOption annee { QStringLiteral("annee"), QString(), QStringLiteral("annees") };
    QCommandLineOption saga { QStringLiteral("saga"), QString(), QStringLiteral("texte") };
    QCommandLineOption etiquette { QStringLiteral("etiquette"), QString(), QStringLiteral("texte") };
    QCommandLineOption support { QStringLiteral("support"), QString(), QStringLiteral("texte") };
    QCommandLineOption note { QStringLiteral("note"), QString(), QStringLiteral("notes") };
    QCommandLineOption vu { QStringLiteral("vu") };
    QCommandLineOption pasVu { QStringLiteral("pas-vu") };
    QCommandLineOption prete { QStringLiteral("prete") };
    QCommandLineOption nul { QStringLiteral("0") };
    QCommandLineOption json { QStringLiteral("json") };
    QCommandLineOption recursive = recursiveOption();
    QCommandLineOption noCache = noCacheOption();
};

// An argument naming a file or a folder is a place to search; any other is a
// word, and so is every argument after "--".
void sortArguments(
    const QStringList &given, const QStringList &afterDashes, CardQuery &query, QStringList &places)
{
    for (const QString &argument : given)
        (anythingAt(argument) ? places : query.words) << argument;
    query.words << afterDashes;
    if (places.isEmpty())
        places << QStringLiteral(".");
}

// The span an option gives, when it is set: nullopt, after the message,
// when it is wrong.
template <typename Parse>
bool readRange(ToolIo &io, const QCommandLineParser &parser, const QCommandLineOption &option, Parse parse,
    Say wrong, std::optional<NumberRange> &range)
{
    if (!parser.isSet(option))
        return true;
    range = parse(parser.value(option));
    if (!range)
        usageError(io, kFind, say(wrong, parser.value(option)));
    return range.has_value();
}

std::optional<CardQuery> queryOf(ToolIo &io, const QCommandLineParser &parser, const FindOptions &options)
{
    CardQuery query { .titre = parser.value(options.titre),
        .acteur = parser.value(options.acteur),
        .realisateur = parser.value(options.realisateur),
        .type = parser.value(options.type),
        .saga = parser.value(options.saga),
        .etiquette = parser.value(options.etiquette),
        .support = parser.value(options.support),
        .prete = parser.isSet(options.prete) };
    if (parser.isSet(options.vu) && parser.isSet(options.pasVu)) {
        usageError(io, kFind, say(Say::SeenOptionsClash));
        return std::nullopt;
    }
    if (parser.isSet(options.vu) || parser.isSet(options.pasVu))
        query.vu = parser.isSet(options.vu);
    if (!readRange(io, parser, options.annee, yearRange, Say::BadYears, query.years)
        || !readRange(io, parser, options.note, ratingRange, Say::BadRatings, query.note))
        return std::nullopt;
    return query;
}

}   // namespace

int runFind(const QStringList &args, ToolIo &io)
{
    const qsizetype dashes = args.indexOf(QStringLiteral("--"));
    QCommandLineParser parser;
    const FindOptions options;
    parser.addOptions({ options.titre, options.acteur, options.realisateur, options.type, options.annee,
        options.saga, options.etiquette, options.support, options.note, options.vu, options.pasVu,
        options.prete, options.nul, options.json, options.recursive, options.noCache });
    if (const auto status = parseCommand(parser, kFind, args.mid(0, dashes), io, 0, -1))
        return *status;
    if (parser.isSet(options.nul) && parser.isSet(options.json))
        return usageError(io, kFind, say(Say::FindOutputsClash));
    auto query = queryOf(io, parser, options);
    if (!query)
        return ExitStatus::Usage;
    QStringList places;
    sortArguments(
        parser.positionalArguments(), dashes < 0 ? QStringList() : args.mid(dashes + 1), *query, places);
    const CardMatcher matcher(*query);
    CardPrinter printer(io.out,
        parser.isSet(options.json)      ? CardFormat::JsonArray
            : parser.isSet(options.nul) ? CardFormat::NulPaths
                                        : CardFormat::Paths);
    const auto onCard = [&](const ScannedCard &card) {
        const QByteArrayView record(card.head.recordBytes.data(), qsizetype(card.head.recordBytes.size()));
        if (matcher.matches(record, card.head.values))
            printer.print(card);
    };
    // A path needs neither the card's size nor its fingerprint; the JSON object says the poster's size.
    const CardScan scan = { .recursive = parser.isSet(options.recursive),
        .text = RecordText::Checked,
        .fileFacts = parser.isSet(options.json),
        .useIndex = !parser.isSet(options.noCache) };
    const int status = readPlaces(io, places, scan, onCard);
    printer.finish();
    return status;
}
