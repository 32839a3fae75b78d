#include "poster/posterimage.h"

#include "card/filepaths.h"
#include "card/nativepath.h"

#include <QFile>
#include <QImageReader>

#include <optional>

namespace {

// Qt refuses any picture over 128 MB unless told, which a 7000 x 7000 poster
// (49 Mpx) is. The deepest pictures Qt reads (16-bit PNG) take 8 bytes a pixel.
constexpr int kAllocationLimitMiB = int(kMaxPosterPixels * 8 / (1024 * 1024)) + 1;

// The bytes of a device read forward block by block, for walking markers.
class ByteWalk {
public:
    explicit ByteWalk(QIODevice &in) : m_in(in) { }

    std::optional<uchar> next()
    {
        if (m_at == m_block.size() && !refill())
            return std::nullopt;
        return uchar(m_block[m_at++]);
    }

    // Moves past the next 0xFF byte; false at the end.
    bool passFF()
    {
        for (;;) {
            const qsizetype found = m_block.indexOf(char(0xFF), m_at);
            if (found >= 0) {
                m_at = found + 1;
                return true;
            }
            if (!refill())
                return false;
        }
    }

    bool skip(qint64 count)
    {
        const qint64 here = qMin<qint64>(count, m_block.size() - m_at);
        m_at += here;
        return here == count || m_in.skip(count - here) == count - here;
    }

private:
    bool refill()
    {
        m_block = m_in.read(64 * 1024);
        m_at = 0;
        return !m_block.isEmpty();
    }

    QIODevice &m_in;
    QByteArray m_block;
    qsizetype m_at = 0;
};

// Markers that stand alone: restarts, stuffing (0x00), start of picture, TEM.
bool standsAlone(uchar marker)
{
    return marker == 0x00 || marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7);
}

// The format and size that Qt's readers find, each asked in turn.
PosterInfo probeAnyFormat(QIODevice &in)
{
    QImageReader reader(&in);
    reader.setDecideFormatFromContent(true);   // never the file's name
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid())
        return {};
    return { reader.format(), size };
}

}   // namespace

PosterInfo probePoster(QIODevice &in)
{
    const qint64 start = in.pos();
    const PosterInfo info = readPictureHeader(in);
    if (!info.format.isEmpty() || !in.seek(start))
        return info;
    return probeAnyFormat(in);
}

int jpegScans(QIODevice &in)
{
    ByteWalk bytes(in);
    int scans = 0;
    while (scans <= kMaxJpegScans && bytes.passFF()) {
        auto marker = bytes.next();
        while (marker == 0xFF)   // fill bytes
            marker = bytes.next();
        if (!marker || *marker == 0xD9)   // end of picture
            break;
        if (standsAlone(*marker))
            continue;
        const auto high = bytes.next(), low = bytes.next();
        const int length = high && low ? *high << 8 | *low : 0;
        if (length < 2 || !bytes.skip(length - 2))
            break;
        if (*marker == 0xDA)   // start of scan; its coded data follows
            ++scans;
    }
    return scans;
}

PosterFileCheck checkPoster(QIODevice &in)
{
    const qint64 start = in.pos();
    const PosterInfo info = probePoster(in);
    if (info.format.isEmpty() || info.size.isEmpty())
        return { PosterFileCheck::NotPicture, {} };
    if (tooManyPixels(info.size))
        return { PosterFileCheck::TooManyPixels, info.size };
    if (info.format == "jpeg" && (!in.seek(start) || jpegScans(in) > kMaxJpegScans))
        return { PosterFileCheck::TooManyScans, info.size };
    return { PosterFileCheck::None, info.size };
}

PosterFileCheck checkPosterFile(const QString &path)
{
    if (!fileExists(path))
        return { PosterFileCheck::Missing, {} };
    QFile file;
    if (!openForReading(file, path, QIODevice::ReadOnly))
        return { PosterFileCheck::Unreadable, {} };
    return checkPoster(file);
}

QImage decodePoster(QIODevice &in, QSize bound)
{
    const qint64 start = in.pos();
    const PosterFileCheck check = checkPoster(in);
    if (check.problem != PosterFileCheck::None || !in.seek(start))
        return {};
    const PosterInfo info = probePoster(in);
    if (!in.seek(start))
        return {};
    QImageReader reader(&in, info.format);
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(kAllocationLimitMiB);
    if (bound.isValid() && (info.size.width() > bound.width() || info.size.height() > bound.height()))
        reader.setScaledSize(info.size.scaled(bound, Qt::KeepAspectRatio).expandedTo({ 1, 1 }));
    return reader.read();
}

QImage readPictureAs(const QString &path, const QByteArray &format)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage decodePoster(const QString &path, QSize bound)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodePoster(file, bound);
}

QImage pixelsOf(const QImage &image)
{
    QImage pixels(image.constBits(), image.width(), image.height(), image.bytesPerLine(), image.format());
    pixels.setColorTable(image.colorTable());   // a GIF's or a palette PNG's colours
    return pixels.copy();
}

bool writeThumbnail(QIODevice &in, int maxSide, QIODevice &out)
{
    const QImage image = decodePoster(in, QSize(maxSide, maxSide));
    return !image.isNull() && pixelsOf(image).save(&out, "PNG");
}
