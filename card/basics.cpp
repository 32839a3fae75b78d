#include "card/basics.h"

#include "card/nativepath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    struct stat info { };   // follows links; false for folders and special files
    return ::stat(nativePath(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsFileReadOnly(const QString &path)
{
    // A file nobody may write is read-only even for root, who could write it anyway.
    const QByteArray bytes = nativePath(path);
    struct stat info { };
    if (::stat(bytes.constData(), &info) != 0)
        return true;
    return (info.st_mode & 0222) == 0 || ::access(bytes.constData(), W_OK) != 0;
}

QString TrimRight(const QString &text)
{
    // Fixed-width fields end in long runs of blanks: four are tested at a time.
    constexpr quint64 kBlanks = 0x0020002000200020;
    const char16_t *units = reinterpret_cast<const char16_t *>(text.constData());
    qsizetype end = text.size();
    for (quint64 four = 0; end >= 4; end -= 4) {
        std::memcpy(&four, units + end - 4, sizeof four);
        if (four != kBlanks)
            break;
    }
    while (end > 0 && units[end - 1] == u' ')
        --end;
    return end == text.size() ? text : text.left(end);
}

QByteArrayView TrimRight(QByteArrayView bytes)
{
    constexpr quint64 kBlanks = 0x2020202020202020;
    qsizetype end = bytes.size();
    for (quint64 eight = 0; end >= 8; end -= 8) {
        std::memcpy(&eight, bytes.data() + end - 8, sizeof eight);
        if (eight != kBlanks)
            break;
    }
    while (end > 0 && bytes[end - 1] == ' ')
        --end;
    return bytes.first(end);
}
