#include "collection/cataloguewriter.h"
#include "collection/helperthread.h"
#include "collection/picturecache.h"
#include "tool/cardlisting.h"
#include "tool/commandline.h"
#include "tool/tooltable.h"
#include "tool/tooltexts.h"

#include <memory>

namespace {

const QString kCatalogue = QStringLiteral("catalogue");

// The pictures of cards: those the cache keeps, read here without decoding
// a pixel; the others made together from the posters. failed is set when
// some could not be made.
std::vector<QByteArray> picturesOf(
    const QList<ScannedCard> &cards, HelperThread &other, ToolIo &io, bool &failed)
{
    // Reading them is most of a catalogue's work: half of them on another thread.
    std::vector<std::optional<QByteArray>> cached(size_t(cards.size()));
    const auto readCached = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i) {
            const ScannedCard &card = cards[i];
            cached[size_t(i)] = card.head.posterBytes == 0
                ? QByteArray()
                : cachedCataloguePicture(thumbnailKey(card.path, card.head.fingerprint));
        }
    };
    other.start([&] { readCached(cards.size() / 2, cards.size()); });
    readCached(0, cards.size() / 2);
    other.finish();
    std::vector<QByteArray> pictures(size_t(cards.size()));
    QStringList missing;
    std::vector<size_t> missingAt;
    for (qsizetype i = 0; i < cards.size(); ++i) {
        if (cached[size_t(i)]) {
            pictures[size_t(i)] = *std::move(cached[size_t(i)]);
        } else {
            missing << cards[i].path;
            missingAt.push_back(size_t(i));
        }
    }
    if (missing.isEmpty())
        return pictures;
    std::optional<std::vector<QByteArray>> made = failed ? std::nullopt : madeCataloguePictures(missing, io);
    failed = !made;
    for (size_t i = 0; made && i < made->size() && i < missingAt.size(); ++i)
        pictures[missingAt[i]] = std::move((*made)[i]);
    return pictures;
}

// The catalogue of places into out; status gets the scan's.
Transfer writeCatalogue(ToolIo &io, const QStringList &places, bool recursive, CatalogueKind kind,
    QChar separator, QIODevice &out, int &status)
{
    bool picturesFailed = false;
    std::unique_ptr<HelperThread> reader;   // for a web page's pictures alone
    CatalogueWriter writer(kind, out, separator, [&](const QList<ScannedCard> &cards) {
        if (!reader)
            reader = std::make_unique<HelperThread>();
        return picturesOf(cards, *reader, io, picturesFailed);
    });
    const CardScan scan = { .recursive = recursive, .poster = writer.posterHeader() };
    status = readPlaces(io, places, scan, [&writer](const ScannedCard &card) { writer.add(card); });
    const bool written = writer.finish();
    if (picturesFailed)
        status = ExitStatus::FileFailed;
    return written ? Transfer::Done : Transfer::WriteFailed;
}

// The kind an option names (--excel, --letterboxd, --imdb), else the one the
// output's extension names; nullopt, said on err, for none or a clash.
std::optional<CatalogueKind> chosenKind(ToolIo &io, const QCommandLineParser &parser, const QString &out)
{
    static const std::pair<const char *, CatalogueKind> kOptions[] = { { "excel", CatalogueKind::Excel },
        { "letterboxd", CatalogueKind::Letterboxd }, { "imdb", CatalogueKind::Imdb } };
    std::optional<CatalogueKind> named;
    for (const auto &[option, kind] : kOptions) {
        if (!parser.isSet(QString::fromLatin1(option)))
            continue;
        if (named || parser.isSet(QStringLiteral("separateur"))) {
            usageError(io, kCatalogue, say(Say::CatalogueOptionsClash));
            return std::nullopt;
        }
        named = kind;
    }
    const auto kind = named ? named : catalogueKind(out);
    if (!kind)
        usageError(io, kCatalogue, say(Say::CatalogueKind, out));
    return kind;
}

}   // namespace

int runCatalogue(const QStringList &args, ToolIo &io)
{
    QCommandLineParser parser;
    const QCommandLineOption output(QStringLiteral("o"), QString(), QStringLiteral("sortie"));
    const QCommandLineOption separator(
        QStringLiteral("separateur"), QString(), QStringLiteral("separateur"), QStringLiteral(","));
    const QCommandLineOption recursive = recursiveOption();
    parser.addOptions({ output, separator, recursive, QCommandLineOption(QStringLiteral("excel")),
        QCommandLineOption(QStringLiteral("letterboxd")), QCommandLineOption(QStringLiteral("imdb")) });
    if (const auto status = parseCommand(parser, kCatalogue, args, io, 1, -1))
        return *status;
    const QString out = parser.value(output);
    const QString by = parser.value(separator);
    if (out.isEmpty())
        return usageError(io, kCatalogue, say(Say::MissingOutput));
    const auto kind = chosenKind(io, parser, out);
    if (!kind)
        return ExitStatus::Usage;
    if (by.size() != 1 || by == u"\"" || by == u"\r" || by == u"\n")
        return usageError(io, kCatalogue, say(Say::BadSeparator, by));
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
        report(io, say(Say::WriteFailed, out));
        return ExitStatus::FileFailed;
    }
    return status;
}
