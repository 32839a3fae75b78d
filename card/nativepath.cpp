#include "card/nativepath.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr char16_t kEscapeBase = 0xDC00;   // + the byte, for a byte of 0x80 and above

bool continuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at bytes[i], and its code point;
// 0 when the byte there starts none (overlong forms and surrogates included).
int sequenceAt(QByteArrayView bytes, qsizetype i, char32_t &point)
{
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const int length = lead < 0x80     ? 1
        : lead >= 0xC2 && lead <= 0xDF ? 2
        : (lead & 0xF0) == 0xE0        ? 3
        : lead >= 0xF0 && lead <= 0xF4 ? 4
                                       : 0;
    if (length == 0 || i + length > bytes.size())
        return 0;
    point = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[i + k]);
        if (!continuation(next))
            return 0;
        point = (point << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = { 0, 0, 0x80, 0x800, 0x10000 };
    const bool valid = point >= kSmallest[length] && point <= 0x10FFFF && (point < 0xD800 || point > 0xDFFF);
    return valid ? length : 0;
}

}   // namespace

QByteArray nativePath(const QString &path)
{
    const auto escape = [](QChar unit) {
        return unit.unicode() >= kEscapeBase + 0x80 && unit.unicode() <= kEscapeBase + 0xFF;
    };
    if (std::none_of(path.begin(), path.end(), escape))
        return path.toUtf8();
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype start = 0;   // the text not yet encoded
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = path.at(i).unicode();
        const bool paired = i > 0 && QChar::isHighSurrogate(path.at(i - 1).unicode());
        if (unit < kEscapeBase + 0x80 || unit > kEscapeBase + 0xFF || paired)
            continue;
        bytes += QStringView(path).sliced(start, i - start).toUtf8();
        bytes += char(unit - kEscapeBase);
        start = i + 1;
    }
    bytes += QStringView(path).sliced(start).toUtf8();
    return bytes;
}

QString pathFromNative(QByteArrayView bytes)
{
    // Most names are ASCII, which Latin-1 decodes as it stands.
    const auto ascii = std::find_if(bytes.begin(), bytes.end(), [](char byte) { return byte & 0x80; });
    QString path = QString::fromLatin1(bytes.first(ascii - bytes.begin()));
    path.reserve(bytes.size());
    for (qsizetype i = path.size(); i < bytes.size();) {
        char32_t point = 0;
        const int length = sequenceAt(bytes, i, point);
        if (length == 0) {
            path += QChar(char16_t(kEscapeBase + static_cast<unsigned char>(bytes[i])));
            ++i;
            continue;
        }
        if (QChar::requiresSurrogates(point))
            path.append(QChar(QChar::highSurrogate(point))).append(QChar(QChar::lowSurrogate(point)));
        else
            path.append(QChar(char16_t(point)));
        i += length;
    }
    return path;
}

QString absolutePath(const QString &path)
{
    if (path.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(path);
    char *folder = ::getcwd(nullptr, 0);
    const QString current = pathFromNative(folder ? folder : "");
    std::free(folder);
    return QDir::cleanPath(current + QLatin1Char('/') + path);
}

QUrl fileUrl(const QString &path)
{
    const QByteArray bytes = nativePath(absolutePath(path));
    // Escaped as GLib escapes a path, so that the address (and the thumbnail
    // key made from it) is the one file managers compute.
    return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/!$&'()*+,:=@"));
}

int openNative(const QString &path, int flags, unsigned mode)
{
    const QByteArray bytes = nativePath(path);
    int fd = -1;
    do
        fd = ::open(bytes.constData(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

bool openForReading(QFile &file, const QString &path, QIODevice::OpenMode mode)
{
    const int fd = openNative(path, O_RDONLY);
    if (fd < 0)
        return false;
    if (file.open(fd, mode, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    errno = EIO;
    return false;
}
