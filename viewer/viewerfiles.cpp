#include "viewer/viewerfiles.h"

#include "app/common.h"
#include "card/cardfile.h"

#include <QFile>

#include <algorithm>

QString findMovieFile(const QString &cardPath)
{
    // The card's name up to its last dot; a dot of a folder name does not count.
    const qsizetype dot = cardPath.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > cardPath.lastIndexOf(QLatin1Char('/')) ? cardPath.left(dot + 1) : QString();
    for (const char *extension : {"avi", "divx"}) {
        if (FileExists(base + QLatin1String(extension)))
            return base + QLatin1String(extension);
    }
    return {};
}

SaveResult copyPoster(const QString &cardPath, const QString &target)
{
    if (!FileExists(cardPath))
        return { SaveStatus::SourceMissing, cardPath };
    QFile in(cardPath);
    if (!in.open(QIODevice::ReadOnly) || !in.seek(std::min<qint64>(in.size(), CardLayout::PosterOffset)))
        return { SaveStatus::ReadFailed, cardPath };
    switch (replaceFile(target, [&](QIODevice &out) { return copyRest(in, out); })) {
    case Transfer::Done:
        return {};
    case Transfer::ReadFailed:
        return { SaveStatus::ReadFailed, cardPath };
    case Transfer::WriteFailed:
        break;
    }
    return { SaveStatus::WriteFailed, target };
}
