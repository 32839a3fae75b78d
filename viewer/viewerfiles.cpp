#include "viewer/viewerfiles.h"

#include "app/common.h"
#include "card/cardfile.h"
#include "card/nativepath.h"

#include <QFile>

#include <algorithm>

namespace {

// "avi" then "divx" first, as cards have always expected; then the containers
// today's players open, in a fixed order (the README gives it to users).
constexpr const char *kMovieExtensions[]
    = { "avi", "divx", "mkv", "mp4", "m4v", "webm", "mov", "ogv", "mpg", "mpeg", "wmv" };

}   // namespace

QString movieBesideCard(const QString &cardPath)
{
    // The card's name up to its last dot; a dot of a folder name does not count.
    const qsizetype dot = cardPath.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > cardPath.lastIndexOf(QLatin1Char('/')) ? cardPath.left(dot + 1) : QString();
    for (const char *extension : kMovieExtensions) {
        if (FileExists(base + QLatin1String(extension)))
            return base + QLatin1String(extension);
    }
    return {};
}

SaveResult copyPoster(const QString &cardPath, const QString &target)
{
    if (!FileExists(cardPath))
        return { SaveStatus::SourceMissing, cardPath };
    QFile in;
    if (!openForReading(in, cardPath) || !in.seek(std::min<qint64>(in.size(), CardLayout::PosterOffset)))
        return { SaveStatus::ReadFailed, cardPath };
    // The dialog asked before replacing: a link chosen there is replaced, not written through.
    const auto copy = [&](QIODevice &out) { return copyRest(in, out); };
    switch (replaceFile(target, copy, Durability::Written, LinkAtPath::Replace)) {
    case Transfer::Done:
        return {};
    case Transfer::ReadFailed:
        return { SaveStatus::ReadFailed, cardPath };
    case Transfer::NameTooLong:
        return { SaveStatus::NameTooLong, target };
    case Transfer::LinkRefused:
    case Transfer::WriteFailed:
        break;
    }
    return { SaveStatus::WriteFailed, target };
}
