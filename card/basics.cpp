#include "card/basics.h"

#include <QFileInfo>

#include <unistd.h>

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo(path).isFile();   // follows links; false for folders and special files
}

bool IsFileReadOnly(const QString &path)
{
    // A file nobody may write is read-only even for root, who could write it anyway.
    const QFileInfo info(path);
    const auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !(info.permissions() & anyWrite) || ::access(QFile::encodeName(path).constData(), W_OK) != 0;
}

QString TrimRight(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}
