#include "app/twips.h"

#include "app/common.h"

std::optional<qint16> scaledPosterHeight(Size natural)
{
    if (natural.width <= 0 || natural.height <= 0)
        return std::nullopt;
    const double factor = double(kPosterWidth) / natural.width;
    return toInt16(natural.height * factor);
}
