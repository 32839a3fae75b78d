#include "layout/twips.h"

#include <cmath>
#include <limits>

qint16 maxInt16(qint16 a, qint16 b)
{
    return a > b ? a : b;
}

std::optional<qint16> toInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);   // default rounding mode: halves to even
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

int twipsToPx(int twips)
{
    return static_cast<int>(std::lround(twips / double(kTwipsPerPixel)));
}

int pxToTwips(int px)
{
    return px * kTwipsPerPixel;
}

std::optional<qint16> scaledPosterHeight(Size natural)
{
    if (natural.width <= 0 || natural.height <= 0)
        return std::nullopt;
    const double factor = double(kPosterWidth) / natural.width;
    return toInt16(natural.height * factor);
}
