#include "card/filereplace.h"

#include "card/cardlock.h"
#include "card/nativepath.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

namespace {

// Where the new file goes once the link rule is applied; refusal says why
// there is none.
struct Target {
    QByteArray path;
    std::optional<mode_t> mode;   // the permissions of the file replaced
};

std::optional<Target> targetOf(const QString &path, LinkAtPath links, Transfer &refusal)
{
    Target target { nativePath(path), std::nullopt };
    struct stat info { };
    const bool found = ::lstat(target.path.constData(), &info) == 0;
    const bool link = found && S_ISLNK(info.st_mode);
    refusal = link && links == LinkAtPath::Refuse ? Transfer::LinkRefused
        : !found && errno == ENAMETOOLONG         ? Transfer::NameTooLong
                                                  : Transfer::WriteFailed;
    if (refusal != Transfer::WriteFailed)
        return std::nullopt;
    if (link && links == LinkAtPath::Follow) {
        char *real = ::realpath(target.path.constData(), nullptr);
        if (real == nullptr)
            return std::nullopt;
        target.path = real;
        std::free(real);
    }
    if ((link && links == LinkAtPath::Replace) || ::stat(target.path.constData(), &info) != 0)
        return target;
    // Read-only even for root, who could write it anyway, when nobody may write it.
    if (!S_ISREG(info.st_mode) || (info.st_mode & 0222) == 0 || ::access(target.path.constData(), W_OK) != 0)
        return std::nullopt;
    target.mode = info.st_mode & 07777;
    return target;
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray hiddenName(const QByteArray &folder)
{
    return folder + "/.cinefiche-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
}

// A new file in folder for writing. Nameless where the file system allows
// it; otherwise named (named gets the name), and removed by our own end.
int newFileIn(const QByteArray &folder, QByteArray &named)
{
    int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return fd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        named = hiddenName(folder);
        fd = ::open(named.constData(), O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Gives the nameless file fd the name path; fails when path is taken.
bool nameFile(int fd, const QByteArray &path)
{
    if (::linkat(fd, "", AT_FDCWD, path.constData(), AT_EMPTY_PATH) == 0)
        return true;
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    return errno != EEXIST
        && ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, path.constData(), AT_SYMLINK_FOLLOW) == 0;
}

// Puts the complete new file fd (named, when it has a name) at path.
bool putInPlace(int fd, const QByteArray &named, const QByteArray &path)
{
    if (!named.isEmpty())
        return ::rename(named.constData(), path.constData()) == 0;
    if (nameFile(fd, path))
        return true;
    // The name is taken: a hidden name first, then renamed over it.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray hidden = hiddenName(folderOf(path));
        if (!nameFile(fd, hidden)) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        if (::rename(hidden.constData(), path.constData()) == 0)
            return true;
        ::unlink(hidden.constData());
        return false;
    }
    return false;
}

Transfer fill(
    int fd, const Target &target, const std::function<Transfer(QIODevice &)> &write, Durability durability)
{
    QFile out;
    // Unbuffered, so that a short write (a full disk) shows in write()'s count.
    if (!out.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle))
        return Transfer::WriteFailed;
    const Transfer written = write(out);
    if (written != Transfer::Done)
        return written;
    if (out.error() != QFileDevice::NoError || (target.mode && ::fchmod(fd, *target.mode) != 0)
        || (durability == Durability::OnDisk && ::fdatasync(fd) != 0))
        return Transfer::WriteFailed;
    return Transfer::Done;
}

}   // namespace

Transfer replaceFile(const QString &path, const std::function<Transfer(QIODevice &)> &write,
    Durability durability, LinkAtPath links, CardFingerprint *placed)
{
    Transfer refusal = Transfer::WriteFailed;
    const std::optional<Target> target = targetOf(path, links, refusal);
    if (!target)
        return refusal;
    QByteArray named;
    const int fd = newFileIn(folderOf(target->path), named);
    if (fd < 0)
        return Transfer::WriteFailed;
    Transfer written = fill(fd, *target, write, durability);
    if (written == Transfer::Done && !putInPlace(fd, named, target->path))
        written = Transfer::WriteFailed;
    if (written == Transfer::Done && placed)
        *placed = fingerprintOf(fd).value_or(CardFingerprint {});
    ::close(fd);
    if (written != Transfer::Done && !named.isEmpty())
        ::unlink(named.constData());
    return written;
}
