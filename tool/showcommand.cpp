#include "tool/cardjson.h"
#include "tool/commandline.h"
#include "tool/tooltexts.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

enum class ShowFormat { Text, JsonArray, JsonLines };

// An object as QJsonDocument writes it inside an array, without the "[" and
// "]" lines around it.
QByteArray arrayItem(const QJsonObject &object)
{
    const QByteArray array = QJsonDocument(QJsonArray { object }).toJson();
    return array.sliced(2, array.size() - 5);
}

// One card in format; shown counts the cards already written.
QByteArray shownCard(ShowFormat format, const QString &card, const CardHead &opened, int shown)
{
    const CardValues values = cardValues(opened.record);
    const PosterInfo picture = opened.posterBytes > 0 ? cardPosterInfo(card) : PosterInfo();
    switch (format) {
    case ShowFormat::Text:
        return (shown ? QStringLiteral("\n") : QString())
            .append(ToolText::cardText(card, values, opened.posterBytes, picture))
            .toUtf8();
    case ShowFormat::JsonLines:
        return QJsonDocument(cardJson(card, values, opened.posterBytes, picture))
                   .toJson(QJsonDocument::Compact)
            + '\n';
    case ShowFormat::JsonArray:
        break;
    }
    return (shown ? QByteArrayLiteral(",\n") : QByteArray())
        + arrayItem(cardJson(card, values, opened.posterBytes, picture));
}

}   // namespace

int runShow(const QStringList &args, ToolIo &io)
{
    QCommandLineParser parser;
    const QCommandLineOption jsonOption(QStringLiteral("json"));
    const QCommandLineOption linesOption(QStringLiteral("json-lines"));
    parser.addOptions({ jsonOption, linesOption });
    if (const auto status = parseCommand(parser, QStringLiteral("show"), args, io, 1, -1))
        return *status;
    if (parser.isSet(jsonOption) && parser.isSet(linesOption))
        return usageError(io, QStringLiteral("show"), ToolText::jsonOptionsClash());
    const ShowFormat format = parser.isSet(linesOption) ? ShowFormat::JsonLines
        : parser.isSet(jsonOption)                      ? ShowFormat::JsonArray
                                                        : ShowFormat::Text;
    // The array is written object by object as each card is read: a long
    // list neither waits nor piles up in memory.
    if (format == ShowFormat::JsonArray)
        io.out.write("[\n");
    int status = ExitStatus::Done;
    int shown = 0;
    for (const QString &card : parser.positionalArguments()) {
        const CardHead opened = readCardHead(card);
        if (opened.status != CardReadStatus::Ok)
            status = cardFailed(io, card, opened.status);
        else
            io.out.write(shownCard(format, card, opened, shown++));
    }
    if (format == ShowFormat::JsonArray)
        io.out.write(shown ? "\n]\n" : "]\n");
    return status;
}
