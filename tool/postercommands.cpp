#include "tool/commandline.h"
#include "tool/tooltexts.h"

bool openPoster(ToolIo &io, const QString &card, PosterDevice &poster)
{
    const CardHead opened = readCardHead(card);
    if (opened.status != CardReadStatus::Ok) {
        cardFailed(io, card, opened.status);
        return false;
    }
    if (opened.posterBytes == 0) {
        report(io, say(Say::NoPoster, card));
        return false;
    }
    if (!poster.open(QIODevice::ReadOnly)) {
        report(io, say(Say::Unreadable, card));
        return false;
    }
    return true;
}

int runPoster(const QStringList &args, ToolIo &io)
{
    QCommandLineParser parser;
    const QCommandLineOption force(QStringLiteral("force"));
    parser.addOption(force);
    if (const auto status = parseCommand(parser, QStringLiteral("poster"), args, io, 2, 2))
        return *status;
    const QString card = parser.positionalArguments().at(0);
    const QString out = parser.positionalArguments().at(1);
    PosterDevice poster(card);
    if (!openPoster(io, card, poster) || !writeOutput(io, poster, out, linksFor(parser.isSet(force))))
        return ExitStatus::FileFailed;
    return ExitStatus::Done;
}
