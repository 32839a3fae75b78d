#include "card/workfolder.h"

#include "card/filepaths.h"
#include "card/nativepath.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>

#include <map>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t kPrivate = 0700;

// The locks of the working folders this program made and still holds.
std::map<QString, std::unique_ptr<QLockFile>> &heldFolders()
{
    static std::map<QString, std::unique_ptr<QLockFile>> folders;
    return folders;
}

std::unique_ptr<QLockFile> folderLock(const QString &folder)
{
    auto lock = std::make_unique<QLockFile>(folder + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);   // stale only when its program is gone, however old
    return lock;
}

QString hexNumber(const QString &digits)
{
    return QString::number(digits.toLongLong(), 16).toUpper();
}

bool makePrivateFolder(const QString &path)
{
    return ::mkdir(nativePath(path).constData(), kPrivate) == 0;
}

void removeKnownFiles(const QString &folder)
{
    for (const QString &name : { WorkFile::Info, WorkFile::Image, WorkFile::Preview, WorkFile::Pasted }) {
        if (fileExists(folder + name))
            QFile::remove(folder + name);
    }
    QDir().rmdir(folder);
}

}   // namespace

QString workFolderName(int kind, const QDateTime &now)
{
    const QString date = hexNumber(now.toString(QStringLiteral("ddMMyyyy")));
    const QString time = hexNumber(now.toString(QStringLiteral("HHmmss")));
    return QLatin1Char('$') + (kind == 1 ? time + date : date + time);
}

WorkBase workBase()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (base.isEmpty())
        return { WorkBaseStatus::Unavailable, base };
    const QByteArray native = nativePath(base);
    struct stat info { };
    if (::stat(native.constData(), &info) != 0) {
        const QString parent = QFileInfo(base).absolutePath();
        if (!QDir().mkpath(parent) || !makePrivateFolder(base) || ::stat(native.constData(), &info) != 0)
            return { WorkBaseStatus::Unavailable, base };
    }
    if (!S_ISDIR(info.st_mode))
        return { WorkBaseStatus::Unavailable, base };
    if (info.st_uid != ::geteuid() || (info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return { WorkBaseStatus::Unsafe, base };
    return { WorkBaseStatus::Ok, base };
}

QString makeWorkFolder(int kind, const QString &base, const QDateTime &now)
{
    if (base.isEmpty())
        return {};
    const QString name = base + QLatin1Char('/') + workFolderName(kind, now);
    for (int counter = 1; counter < 1000; ++counter) {
        const QString candidate = counter == 1 ? name : name + QLatin1Char('-') + QString::number(counter);
        // The lock comes first: a folder without a held lock is an orphan to any other program.
        std::unique_ptr<QLockFile> lock = folderLock(candidate);
        if (QFileInfo::exists(candidate) || !lock->tryLock(0))
            continue;
        if (makePrivateFolder(candidate)) {
            heldFolders()[candidate] = std::move(lock);
            return candidate;
        }
        if (!QFileInfo::exists(candidate))
            return {};   // the base cannot be written
    }
    return {};
}

QString makeWorkFolder(int kind)
{
    const WorkBase base = workBase();
    if (base.status != WorkBaseStatus::Ok)
        return {};
    return makeWorkFolder(kind, base.path, QDateTime::currentDateTime());
}

void removeWorkFolder(const QString &folder)
{
    if (folder.isEmpty())
        return;
    removeKnownFiles(folder);
    heldFolders().erase(folder);   // unlocks, removing the lock file
}

void removeOwnWorkFolders()
{
    while (!heldFolders().empty())
        removeWorkFolder(heldFolders().begin()->first);
}

void removeOrphanWorkFolders(const QString &base)
{
    const QStringList names = QDir(base).entryList(
        { QStringLiteral("$*") }, QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (QString name : names) {
        if (name.endsWith(QLatin1String(".lock")))
            name.chop(5);
        const QString folder = base + QLatin1Char('/') + name;
        std::unique_ptr<QLockFile> lock = folderLock(folder);
        if (heldFolders().count(folder) == 0 && lock->tryLock(0))
            removeKnownFiles(folder);
    }
}
