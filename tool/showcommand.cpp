#include "tool/cardjson.h"
#include "tool/commandline.h"
#include "tool/tooltexts.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

// An object as QJsonDocument writes it inside an array, without the "[" and
// "]" lines around it.
QByteArray arrayItem(const QJsonObject &object)
{
    const QByteArray array = QJsonDocument(QJsonArray { object }).toJson();
    return array.sliced(2, array.size() - 5);
}

}   // namespace

int runShow(const QStringList &args, ToolIo &io)
{
    QCommandLineParser parser;
    const QCommandLineOption jsonOption(QStringLiteral("json"));
    parser.addOption(jsonOption);
    if (const auto status = parseCommand(parser, QStringLiteral("show"), args, io, 1, -1))
        return *status;
    const QStringList cards = parser.positionalArguments();
    // Several cards make an array, written object by object as each card is
    // read: a long list neither waits nor piles up in memory.
    const bool json = parser.isSet(jsonOption);
    const bool array = json && cards.size() > 1;
    if (array)
        io.out.write("[\n");
    int status = ExitStatus::Done;
    int shown = 0;
    for (const QString &card : cards) {
        const CardHead opened = readCardHead(card);
        if (opened.status != CardReadStatus::Ok) {
            status = cardFailed(io, card, opened.status);
            continue;
        }
        const CardValues values = cardValues(opened.record);
        const PosterInfo picture = opened.posterBytes > 0 ? cardPosterInfo(card) : PosterInfo();
        const QString separator = shown++ ? QStringLiteral("\n") : QString();
        if (!json)
            print(io.out, separator + ToolText::cardText(card, values, opened.posterBytes, picture));
        else if (!array)
            io.out.write(QJsonDocument(cardJson(card, values, opened.posterBytes, picture)).toJson());
        else
            io.out.write((separator.isEmpty() ? QByteArray() : QByteArrayLiteral(",\n"))
                + arrayItem(cardJson(card, values, opened.posterBytes, picture)));
    }
    if (array)
        io.out.write(shown ? "\n]\n" : "]\n");
    return status;
}
