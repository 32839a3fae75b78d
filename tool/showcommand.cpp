#include "tool/cardjson.h"
#include "tool/commandline.h"
#include "tool/tooltexts.h"

#include <QJsonArray>
#include <QJsonDocument>

int runShow(const QStringList &args, ToolIo &io)
{
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"));
    parser.addOption(json);
    if (const auto status = parseCommand(parser, QStringLiteral("show"), args, io, 1, -1))
        return *status;
    const QStringList cards = parser.positionalArguments();
    QJsonArray objects;
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
        if (parser.isSet(json))
            objects.append(cardJson(card, values, opened.posterBytes, picture));
        else   // printed as it comes, so that a long list shows at once
            print(io.out,
                (shown++ ? QStringLiteral("\n") : QString())
                    + ToolText::cardText(card, values, opened.posterBytes, picture));
    }
    if (parser.isSet(json) && (cards.size() > 1 || !objects.isEmpty())) {
        const QJsonDocument document
            = cards.size() > 1 ? QJsonDocument(objects) : QJsonDocument(objects.first().toObject());
        io.out.write(document.toJson());
    }
    return status;
}
