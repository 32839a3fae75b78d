#include "tool/cardaccess.h"

#include "card/cardfile.h"

PosterInfo cardPosterInfo(const QString &cardPath)
{
    return readCardHead(cardPath, PosterHeader::Read).poster;
}
