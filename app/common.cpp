#include "app/common.h"

#include <cmath>
#include <limits>

qint16 MaxInt(qint16 a, qint16 b)
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

QString fileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString extensionOf(const QString &path)
{
    const QString name = fileNameOf(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || name.size() - dot - 1 != 3)
        return {};
    const QString extension = name.mid(dot + 1);
    for (const QChar c : extension) {
        if (c.isSpace())
            return {};
    }
    return extension;
}

QString withExtension(const QString &path, const QString &extension)
{
    return extensionOf(path).isEmpty() ? path + QLatin1Char('.') + extension : path;
}

QString plainToolTip(const QString &text)
{
    if (text.isEmpty())
        return {};
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

// Qt shows "[*][*]" as one "[*]" and takes none of it for the mark.
QString plainCaption(const QString &caption)
{
    return QString(caption).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}
