#include "tool/cardjson.h"
#include "tool/cardlisting.h"
#include "tool/commandline.h"
#include "tool/tooltexts.h"

#include "card/cardsave.h"
#include "card/filepaths.h"
#include "card/nativepath.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString kNew = QStringLiteral("new");
const QString kSet = QStringLiteral("set");

// The bytes of new's --json FILE ("-": standard input); nullopt, said on
// err, when there are none to read.
std::optional<QByteArray> jsonInput(ToolIo &io, const QString &path)
{
    if (path == u"-")
        return io.in.device().readAll();
    QFile file;
    if (!fileExists(path) || !openForReading(file, path)) {
        report(io, unreadableFile(path));
        return std::nullopt;
    }
    return file.readAll();
}

// The edits of new's --json FILE; nullopt, said on err with the status to
// end with in status, when they cannot be had.
std::optional<QList<CardEdit>> jsonEdits(ToolIo &io, const QString &path, int &status)
{
    status = ExitStatus::FileFailed;
    const auto bytes = jsonInput(io, path);
    QJsonParseError error;
    const QJsonDocument document = bytes ? QJsonDocument::fromJson(*bytes, &error) : QJsonDocument();
    if (!bytes)
        return std::nullopt;
    if (error.error != QJsonParseError::NoError) {
        report(io, say(Say::JsonUnreadable, path, error.errorString()));
        return std::nullopt;
    }
    status = ExitStatus::Usage;
    // What show --json prints for one card, an array of one, reads as that card.
    const QJsonArray array = document.array();
    const QJsonValue card = !document.isArray() ? QJsonValue(document.object())
        : array.size() == 1                     ? array.first()
                                                : QJsonValue();
    const JsonEdits edits = editsFromJson(card.toObject());
    const QString repeated = card.isObject() ? repeatedKey(*bytes) : QString();
    if (!card.isObject())
        report(io, say(Say::JsonNotObject, path));
    else if (!repeated.isEmpty())
        usageError(io, kNew, say(Say::JsonRepeatedKey, repeated));
    else if (edits.problem == JsonEdits::UnknownKey)
        usageError(io, kNew, ToolText::unknownField(edits.key));
    else if (edits.problem == JsonEdits::WrongType)
        usageError(io, kNew, ToolText::jsonWrongType(edits.key));
    else
        return edits.edits;
    return std::nullopt;
}

// The edits given as FIELD=VALUE arguments, in their order.
std::optional<QList<CardEdit>> argumentEdits(ToolIo &io, const QString &command, const QStringList &arguments)
{
    QList<CardEdit> edits;
    for (const QString &argument : arguments) {
        const auto edit = parseEdit(io, command, argument);
        if (!edit)
            return std::nullopt;
        edits << *edit;
    }
    return edits;
}

bool posterAccepted(ToolIo &io, const QString &poster)
{
    const auto problem = poster.isEmpty() ? std::nullopt : posterProblem(poster);
    if (problem)
        report(io, *problem);
    return !problem;
}

// A FIELD=VALUE where the output file should be: the output was forgotten.
bool looksLikeEdit(const QString &argument)
{
    const qsizetype equals = argument.indexOf(QLatin1Char('='));
    return equals > 0 && fieldNamed(argument.left(equals)) && !fileExists(argument);
}

// set's edits and places: "CHAMP=VALEUR... -- FICHE|DOSSIER...", every
// argument after "--" a place whatever it holds, or "FICHE CHAMP=VALEUR...",
// the first a place. nullopt, said on err, when the places are missing.
struct SetTargets {
    QStringList edits {}, places {};
};

std::optional<SetTargets> setTargets(
    ToolIo &io, const QStringList &beforeDashes, const std::optional<QStringList> &afterDashes)
{
    SetTargets targets { .edits = beforeDashes };
    if (afterDashes)
        targets.places = *afterDashes;
    else if (looksLikeEdit(targets.edits.first())) {
        usageError(io, kSet, say(Say::PlacesAfterDashes));
        return std::nullopt;
    } else
        targets.places << targets.edits.takeFirst();
    if (targets.places.isEmpty()) {
        usageError(io, kSet, say(Say::ArgumentCount));
        return std::nullopt;
    }
    return targets;
}

// Whether edits fit any card: a value too long, or a title made empty,
// is refused before a card is touched.
bool editsFit(ToolIo &io, const QList<CardEdit> &edits)
{
    Card scratch;
    applyEdit(scratch, { .field = Field::Titre, .text = QStringLiteral("x") });
    return applyEdits(io, scratch, edits);
}

}   // namespace

int runNew(const QStringList &args, ToolIo &io)
{
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"), QString(), QStringLiteral("file"));
    const QCommandLineOption poster(QStringLiteral("poster"), QString(), QStringLiteral("image"));
    const QCommandLineOption force(QStringLiteral("force"));
    parser.addOptions({ json, poster, force });
    if (const auto status = parseCommand(parser, kNew, args, io, 1, -1))
        return *status;
    QStringList arguments = parser.positionalArguments();
    const QString out = arguments.takeLast();
    if (looksLikeEdit(out))
        return usageError(io, kNew, say(Say::MissingOutput));
    int status = ExitStatus::Usage;
    auto edits = parser.isSet(json) ? jsonEdits(io, parser.value(json), status) : QList<CardEdit>();
    const auto given = edits ? argumentEdits(io, kNew, arguments) : std::nullopt;
    if (!given)
        return status;
    // A new card is dated, unless it says when it was added.
    const CardEdit added { .field = Field::AjouteeLe, .text = isoDate(QDate::currentDate()) };
    Card card;
    if (!applyEdits(io, card, QList<CardEdit> { added } + *edits + *given))
        return ExitStatus::Usage;
    if (!posterAccepted(io, parser.value(poster)))
        return ExitStatus::FileFailed;
    if (fileExists(out) && !parser.isSet(force)) {
        report(io, say(Say::Exists, out));
        return ExitStatus::FileFailed;
    }
    const SaveResult saved = writeWholeCard(out, card, parser.value(poster), linksFor(parser.isSet(force)));
    return saved.ok() ? ExitStatus::Done : saveFailed(io, saved);
}

int runSet(const QStringList &args, ToolIo &io)
{
    const qsizetype dashes = args.indexOf(QStringLiteral("--"));
    QCommandLineParser parser;
    const QCommandLineOption poster(QStringLiteral("poster"), QString(), QStringLiteral("image"));
    const QCommandLineOption noPoster(QStringLiteral("no-poster"));
    const QCommandLineOption force(QStringLiteral("force"));
    const QCommandLineOption recursive = recursiveOption();
    parser.addOptions({ poster, noPoster, force, recursive });
    if (const auto status = parseCommand(parser, kSet, args.mid(0, dashes), io, dashes < 0 ? 1 : 0, -1))
        return *status;
    auto targets = setTargets(
        io, parser.positionalArguments(), dashes < 0 ? std::nullopt : std::optional(args.mid(dashes + 1)));
    if (!targets)
        return ExitStatus::Usage;
    if (parser.isSet(poster) && parser.isSet(noPoster))
        return usageError(io, kSet, say(Say::PosterOptionsClash));
    if (targets->edits.isEmpty() && !parser.isSet(poster) && !parser.isSet(noPoster))
        return usageError(io, kSet, say(Say::NothingToChange));
    const auto edits = argumentEdits(io, kSet, targets->edits);
    if (!edits || !editsFit(io, *edits))
        return ExitStatus::Usage;
    if (!posterAccepted(io, parser.value(poster)))
        return ExitStatus::FileFailed;
    // Without a poster option, only the record is rewritten: every byte after it stays.
    const PosterChoice choice = parser.isSet(noPoster) ? PosterChoice { PosterChoice::Kind::Remove }
        : parser.isSet(poster) ? PosterChoice { PosterChoice::Kind::Replace, parser.value(poster) }
                               : PosterChoice {};
    const auto change = [&](Card &card) { return applyEdits(io, card, *edits); };
    // --force also writes a card whose data after the poster cannot be read: those bytes stay.
    const OverDamaged damaged = parser.isSet(force) ? OverDamaged::Write : OverDamaged::Refuse;
    bool failed = false;
    const int status = readPlaces(
        io, targets->places, { .recursive = parser.isSet(recursive) }, [&](const ScannedCard &card) {
            const SaveResult saved
                = changeCard(card.path, change, choice, linksFor(parser.isSet(force)), damaged);
            if (!saved.ok()) {
                saveFailed(io, saved);
                failed = true;
            }
        });
    return failed ? ExitStatus::FileFailed : status;
}
