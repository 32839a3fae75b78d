#include "card/pictureheader.h"

#include "card/filepaths.h"
#include "card/nativepath.h"

#include <QIODevice>
#include <QString>

#include <algorithm>
#include <climits>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Enough for every header but a JPEG's, whose frame comes after its other segments.
constexpr qint64 kHeadBytes = 32;
// Real JPEGs hold a few dozen segments before their frame; a hostile one
// may chain thousands of tiny ones.
constexpr int kMaxJpegSegments = 512;
constexpr quint32 kMaxTiffEntries = 512;

quint32 bigEndian(const uchar *bytes, int count)
{
    quint32 value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | bytes[i];
    return value;
}

quint32 littleEndian(const uchar *bytes, int count)
{
    quint32 value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[i];
    return value;
}

PosterInfo picture(const char *format, qint64 width, qint64 height)
{
    if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX)
        return {};
    return { format, QSize(int(width), int(height)) };
}

// Start of frame: C0 to CF but for the tables (C4 Huffman, CC arithmetic) and C8 (reserved).
bool startsFrame(uchar marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers without a length: restarts, TEM, a second start of picture.
bool standsAlone(uchar marker)
{
    return marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7);
}

// The frame's size, found by stepping from segment to segment (only each
// segment's first bytes are read; its body is skipped).
PosterInfo jpegHeader(const ReadAt &read)
{
    qint64 at = 2;
    for (int segment = 0; segment < kMaxJpegSegments; ++segment) {
        uchar bytes[9];
        const qint64 got = read(at, reinterpret_cast<char *>(bytes), sizeof bytes);
        if (got < 2 || bytes[0] != 0xFF)
            return {};
        const uchar marker = bytes[1];
        if (marker == 0xFF || standsAlone(marker)) {   // a fill byte, or no length
            at += marker == 0xFF ? 1 : 2;
            continue;
        }
        const quint32 length = got >= 4 ? bigEndian(bytes + 2, 2) : 0;
        if (length < 2 || marker == 0xDA || marker == 0xD9)   // no frame before the scan or the end
            return {};
        if (startsFrame(marker))
            return got < 9 ? PosterInfo() : picture("jpeg", bigEndian(bytes + 7, 2), bigEndian(bytes + 5, 2));
        at += 2 + length;
    }
    return {};
}

PosterInfo bmpHeader(const uchar *head)
{
    const quint32 infoSize = littleEndian(head + 14, 4);
    if (infoSize == 12)   // the oldest header: unsigned 16-bit sides
        return picture("bmp", littleEndian(head + 18, 2), littleEndian(head + 20, 2));
    if (infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 64 && infoSize != 108
        && infoSize != 124)
        return {};
    const qint64 height = qint32(littleEndian(head + 22, 4));   // negative: rows top down
    return picture("bmp", qint32(littleEndian(head + 18, 4)), height < 0 ? -height : height);
}

PosterInfo webpHeader(const uchar *head)
{
    const QByteArrayView chunk(head + 12, 4);
    if (chunk == "VP8X")   // the canvas, less one, in 24 bits each
        return picture("webp", littleEndian(head + 24, 3) + 1, littleEndian(head + 27, 3) + 1);
    if (chunk == "VP8L" && head[20] == 0x2F) {
        const quint32 sides = littleEndian(head + 21, 4);   // 14 bits each, less one
        return picture("webp", (sides & 0x3FFF) + 1, (sides >> 14 & 0x3FFF) + 1);
    }
    if (chunk == "VP8 " && QByteArrayView(head + 23, 3) == "\x9D\x01\x2A")
        return picture("webp", littleEndian(head + 26, 2) & 0x3FFF, littleEndian(head + 28, 2) & 0x3FFF);
    return {};
}

// The width and length tags of the first directory, read entry by entry.
PosterInfo tiffHeader(const ReadAt &read, const uchar *head)
{
    const bool little = head[0] == 'I';
    const auto number = [little](const uchar *bytes, int count) {
        return little ? littleEndian(bytes, count) : bigEndian(bytes, count);
    };
    const qint64 directory = number(head + 4, 4);
    uchar count[2];
    if (read(directory, reinterpret_cast<char *>(count), 2) != 2)
        return {};
    qint64 sides[2] = { 0, 0 };
    for (quint32 i = 0; i < std::min<quint32>(number(count, 2), kMaxTiffEntries); ++i) {
        uchar entry[12];
        if (read(directory + 2 + 12 * i, reinterpret_cast<char *>(entry), 12) != 12)
            return {};
        const quint32 tag = number(entry, 2), type = number(entry + 2, 2);
        if ((tag == 256 || tag == 257) && (type == 3 || type == 4))   // a short or a long
            sides[tag - 256] = number(entry + 8, type == 3 ? 2 : 4);
    }
    return picture("tiff", sides[0], sides[1]);
}

}   // namespace

PosterInfo readPictureHeader(const ReadAt &read)
{
    uchar head[kHeadBytes] = {};
    const qint64 got = read(0, reinterpret_cast<char *>(head), kHeadBytes);
    const QByteArrayView bytes(head, std::max<qint64>(got, 0));
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return jpegHeader(read);
    if (got < kHeadBytes)
        return {};
    if (bytes.startsWith("\x89PNG\r\n\x1A\n") && bytes.sliced(12, 4) == "IHDR")
        return picture("png", bigEndian(head + 16, 4), bigEndian(head + 20, 4));
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return picture("gif", littleEndian(head + 6, 2), littleEndian(head + 8, 2));
    if (bytes.startsWith("BM"))
        return bmpHeader(head);
    if (bytes.startsWith("RIFF") && bytes.sliced(8, 4) == "WEBP")
        return webpHeader(head);
    if (bytes.startsWith(QByteArrayView("II*\0", 4)) || bytes.startsWith(QByteArrayView("MM\0*", 4)))
        return tiffHeader(read, head);
    return {};
}

PosterInfo readPictureHeader(QByteArrayView bytes)
{
    return readPictureHeader([bytes](qint64 offset, char *buffer, qint64 size) -> qint64 {
        const qint64 count = std::clamp<qint64>(bytes.size() - offset, 0, size);
        std::copy_n(bytes.data() + std::min<qint64>(offset, bytes.size()), count, buffer);
        return count;
    });
}

PosterInfo readPictureHeader(QIODevice &in)
{
    const qint64 start = in.pos();
    return readPictureHeader([&in, start](qint64 offset, char *buffer, qint64 size) -> qint64 {
        return in.seek(start + offset) ? in.read(buffer, size) : -1;
    });
}

bool tooManyPixels(const QSize &size)
{
    return qint64(size.width()) * size.height() > kMaxPosterPixels;
}

QString pictureExtension(const QByteArray &format)
{
    return format == "jpeg" ? QStringLiteral("jpg") : QString::fromLatin1(format);
}

PosterFileCheck checkPictureHeader(const QString &path)
{
    if (!fileExists(path))
        return { PosterFileCheck::Missing, {} };
    const int fd = openNative(path, O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return { PosterFileCheck::Unreadable, {} };
    const PosterInfo info = readPictureHeader([fd](qint64 offset, char *buffer, qint64 size) -> qint64 {
        ssize_t n = 0;
        while ((n = ::pread(fd, buffer, size_t(size), off_t(offset))) < 0 && errno == EINTR) { }
        return n;
    });
    ::close(fd);
    if (info.format.isEmpty())
        return { PosterFileCheck::NotPicture, {} };
    if (tooManyPixels(info.size))
        return { PosterFileCheck::TooManyPixels, info.size };
    return { PosterFileCheck::None, info.size };
}
