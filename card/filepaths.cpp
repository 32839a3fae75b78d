#include "card/cardrecord.h"

#include "card/nativepath.h"

#include <sys/stat.h>
#include <unistd.h>

bool fileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    struct stat info { };   // follows links; false for folders and special files
    return ::stat(nativePath(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isFileReadOnly(const QString &path)
{
    // A file nobody may write is read-only even for root, who could write it anyway.
    const QByteArray bytes = nativePath(path);
    struct stat info { };
    if (::stat(bytes.constData(), &info) != 0)
        return true;
    return (info.st_mode & 0222) == 0 || ::access(bytes.constData(), W_OK) != 0;
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
