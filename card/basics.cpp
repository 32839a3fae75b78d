#include "card/basics.h"

#include "card/nativepath.h"

#include <sys/stat.h>
#include <unistd.h>

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
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}
