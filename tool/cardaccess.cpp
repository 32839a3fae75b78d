#include "tool/cardaccess.h"

#include "card/cardfile.h"

PosterInfo cardPosterInfo(const QString &cardPath)
{
    PosterDevice poster(cardPath);
    if (!poster.open(QIODevice::ReadOnly) || poster.size() == 0)
        return {};
    return probePoster(poster);
}
