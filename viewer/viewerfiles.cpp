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

PosterCopy copyPoster(const QString &cardPath, const QString &target)
{
    QFile in(cardPath);
    if (!FileExists(cardPath) || !in.open(QIODevice::ReadOnly))
        return PosterCopy::CardUnreadable;
    if (!in.seek(std::min<qint64>(in.size(), CardLayout::PosterOffset)))
        return PosterCopy::CardUnreadable;
    return replaceFileFrom(in, target) ? PosterCopy::Ok : PosterCopy::WriteFailed;
}
