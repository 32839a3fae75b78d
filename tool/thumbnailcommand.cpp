#include "poster/posterimage.h"
#include "tool/commandline.h"
#include "tool/tooltexts.h"

#include <QBuffer>

#include <sys/resource.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

constexpr int kDefaultThumbnail = 256;   // freedesktop's "large" thumbnail
constexpr int kLargestThumbnail = 10000;
// A file manager runs thumbnail on every card that lands in a folder: the
// last guard, should a picture decoder spin or swell, ends it.
constexpr rlim_t kThumbnailCpuSeconds = 10;
constexpr rlim_t kThumbnailAddressSpace = 2048ULL * 1024 * 1024;

QString whyNotDecoded(const QString &card, PosterDevice &poster)
{
    poster.seek(0);
    const PosterFileCheck check = checkPoster(poster);
    if (check.problem == PosterFileCheck::NotPicture || check.problem == PosterFileCheck::None)
        return say(Say::PosterNotDecoded, card);
    return pictureProblem(card, check).value_or(say(Say::PosterNotDecoded, card));
}

}   // namespace

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
        return usageError(io, QStringLiteral("thumbnail"), say(Say::BadSize, parser.value(size)));
    const QString card = parser.positionalArguments().at(0);
    PosterDevice poster(card);
    if (!openPoster(io, card, poster))
        return ExitStatus::FileFailed;
    QBuffer png;
    png.open(QIODevice::ReadWrite);
    if (!writeThumbnail(poster, maxSide, png)) {
        report(io, whyNotDecoded(card, poster));
        return ExitStatus::FileFailed;
    }
    const QString out = parser.positionalArguments().at(1);
    png.seek(0);
    return writeOutput(io, png, out, linksFor(parser.isSet(force))) ? ExitStatus::Done
                                                                    : ExitStatus::FileFailed;
}

void limitThumbnailWork()
{
    const rlimit cpu { kThumbnailCpuSeconds, kThumbnailCpuSeconds };
    setrlimit(RLIMIT_CPU, &cpu);
    // AddressSanitizer reserves terabytes of address space for its own use.
    if (kAddressSanitizer)
        return;
    const rlimit space { kThumbnailAddressSpace, kThumbnailAddressSpace };
    setrlimit(RLIMIT_AS, &space);
}
