// The catalogue's pictures made from posters, where pictures are linked: in
// the picture helper, for the card tool, and in the tests.

#include "poster/thumbnailcache.h"
#include "tool/cardtool.h"
#include "tool/picturestream.h"

std::optional<std::vector<QByteArray>> madeCataloguePictures(const QStringList &cardPaths, ToolIo &)
{
    return cataloguePictures(cardPaths);
}

int writeCataloguePictures(const QStringList &cardPaths, QIODevice &out)
{
    for (const QByteArray &picture : cataloguePictures(cardPaths)) {
        if (out.write(framedPicture(picture)) < 0)
            return ExitStatus::FileFailed;
    }
    return ExitStatus::Done;
}
