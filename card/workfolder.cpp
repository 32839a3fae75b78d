#include "card/workfolder.h"

#include "app/common.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

QString hexNumber(const QString &digits)
{
    return QString::number(digits.toLongLong(), 16).toUpper();
}

}   // namespace

QString workFolderName(int kind, const QDateTime &now)
{
    const QString date = hexNumber(now.toString(QStringLiteral("ddMMyyyy")));
    const QString time = hexNumber(now.toString(QStringLiteral("HHmmss")));
    return QLatin1Char('$') + (kind == 1 ? time + date : date + time);
}

QString workBaseFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (base.isEmpty())
        return {};
    if (!QDir(base).exists()) {
        if (!QDir().mkpath(base))
            return {};
        QFile::setPermissions(base, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return base;
}

QString MakeWorkFolder(int kind, const QString &base, const QDateTime &now)
{
    if (base.isEmpty())
        return {};
    const QString name = base + QLatin1Char('/') + workFolderName(kind, now);
    QDir dir;
    for (int counter = 1; counter < 1000; ++counter) {
        const QString candidate = counter == 1 ? name : name + QLatin1Char('-') + QString::number(counter);
        if (QFileInfo::exists(candidate))
            continue;
        if (dir.mkdir(candidate))
            return candidate;
    }
    return {};
}

QString MakeWorkFolder(int kind)
{
    return MakeWorkFolder(kind, workBaseFolder(), QDateTime::currentDateTime());
}

void RemoveWorkFolder(const QString &folder)
{
    if (folder.isEmpty())
        return;
    for (const QString &name : { WorkFile::Info, WorkFile::Image, WorkFile::Preview }) {
        if (FileExists(folder + name))
            QFile::remove(folder + name);
    }
    QDir().rmdir(folder);
}
