#include "tool/commandline.h"
#include "tool/tooltexts.h"

#include <QBuffer>

namespace {

constexpr int kDefaultThumbnail = 256;   // freedesktop's "large" thumbnail
constexpr int kLargestThumbnail = 10000;

// The card's poster opened for reading; false, said on err, when there is none.
bool openPoster(ToolIo &io, const QString &card, PosterDevice &poster)
{
    const CardHead opened = readCardHead(card);
    if (opened.status != CardReadStatus::Ok) {
        cardFailed(io, card, opened.status);
        return false;
    }
    if (opened.posterBytes == 0) {
        report(io, ToolText::noPoster(card));
        return false;
    }
    if (!poster.open(QIODevice::ReadOnly)) {
        report(io, ToolText::unreadable(card));
        return false;
    }
    return true;
}

QString whyNotDecoded(const QString &card, PosterDevice &poster)
{
    poster.seek(0);
    const PosterInfo info = probePoster(poster);
    if (!info.format.isEmpty() && tooManyPixels(info.size))
        return ToolText::pictureTooLarge(card, info.size.width(), info.size.height());
    return ToolText::posterNotDecoded(card);
}

}   // namespace

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

int runThumbnail(const QStringList &args, ToolIo &io)
{
    QCommandLineParser parser;
    const QCommandLineOption size(QStringList { QStringLiteral("s"), QStringLiteral("size") }, QString(),
        QStringLiteral("size"), QString::number(kDefaultThumbnail));
    const QCommandLineOption force(QStringLiteral("force"));
    parser.addOptions({ size, force });
    if (const auto status = parseCommand(parser, QStringLiteral("thumbnail"), args, io, 2, 2))
        return *status;
    bool number = false;
    const int maxSide = parser.value(size).toInt(&number);
    if (!number || maxSide < 1 || maxSide > kLargestThumbnail)
        return usageError(io, QStringLiteral("thumbnail"), ToolText::badSize(parser.value(size)));
    const QString card = parser.positionalArguments().at(0);
    PosterDevice poster(card);
    if (!openPoster(io, card, poster))
        return ExitStatus::FileFailed;
    const QImage image = decodePoster(poster, QSize(maxSide, maxSide));
    if (image.isNull()) {
        report(io, whyNotDecoded(card, poster));
        return ExitStatus::FileFailed;
    }
    const QString out = parser.positionalArguments().at(1);
    QBuffer png;
    png.open(QIODevice::ReadWrite);
    if (!image.save(&png, "PNG")) {
        report(io, ToolText::writeFailed(out));
        return ExitStatus::FileFailed;
    }
    png.seek(0);
    return writeOutput(io, png, out, linksFor(parser.isSet(force))) ? ExitStatus::Done
                                                                    : ExitStatus::FileFailed;
}
