// cinefiche-card doublons: the cards that describe the same movie.
#include "collection/duplicates.h"
#include "tool/cardjsonwriter.h"
#include "tool/cardlisting.h"
#include "tool/commandline.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString kDoublons = QStringLiteral("doublons");

// A group's cards as show --json writes each, read again: groups are few.
QJsonArray groupJson(const QStringList &paths)
{
    QJsonArray group;
    for (const QString &path : paths) {
        const CardHead head = readCardHead(path, PosterHeader::Read);
        QByteArray object;
        appendCardJson(object, path, cardValues(head.card), head.posterBytes, head.poster, JsonLayout::Line);
        group.append(QJsonDocument::fromJson(object).object());
    }
    return group;
}

// Each group a block of its cards' paths, a blank line between two; or one
// JSON array of groups.
void printGroups(ToolIo &io, const QList<QStringList> &groups, bool json)
{
    if (json) {
        QJsonArray all;
        for (const QStringList &group : groups)
            all.append(groupJson(group));
        print(io.out, QString::fromUtf8(QJsonDocument(all).toJson()));
        return;
    }
    for (qsizetype i = 0; i < groups.size(); ++i) {
        if (i > 0)
            print(io.out, QStringLiteral("\n"));
        for (const QString &path : groups[i])
            printLine(io.out, path);
    }
}

}   // namespace

int runDoublons(const QStringList &args, ToolIo &io)
{
    QCommandLineParser parser;
    const QCommandLineOption recursive = recursiveOption();
    const QCommandLineOption json(QStringLiteral("json"));
    parser.addOptions({ recursive, json });
    if (const auto status = parseCommand(parser, kDoublons, args, io, 1, -1))
        return *status;
    QStringList paths;
    std::vector<MovieIdentity> movies;
    const CardScan scan = { .recursive = parser.isSet(recursive), .fileFacts = false };
    const int status = readPlaces(io, parser.positionalArguments(), scan, [&](const ScannedCard &card) {
        paths << card.path;
        movies.push_back(movieIdentity(cardValues(card.head.card)));
    });
    QList<QStringList> groups;
    for (const std::vector<int> &group : duplicateGroups(movies)) {
        groups.append(QStringList());
        for (const int index : group)
            groups.back() << paths[index];
    }
    printGroups(io, groups, parser.isSet(json));
    return status;
}
