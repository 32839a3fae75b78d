#include "collection/filesystemkind.h"

#include "card/nativepath.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>
#include <mutex>
#include <sys/vfs.h>

namespace {

constexpr unsigned long kFuse = 0x65735546;

// statfs's magic numbers of file systems served by another machine.
constexpr std::array<unsigned long, 12> kNetworkTypes {
    0x6969,       // NFS
    0x517b,       // SMB
    0xff534d42,   // CIFS
    0xfe534d42,   // SMB2
    kFuse,        // sshfs, rclone, davfs...
    0x5346414f,   // AFS
    0x6b414653,   // kAFS
    0x01021997,   // 9P
    0x00c36400,   // Ceph
    0x564c,       // NCP
    0x73757245,   // Coda
    0x47504653,   // GPFS
};

std::mutex g_probeMutex;
FileSystemKindProbe::Probe g_probe;

// Requests a share keeps in flight: over sshfs 16 to 64 read alike (its
// own threads are the bound), NFS pipelines more.
constexpr int kNetworkReaders = 32;

// The mount table's names of the same file systems. A FUSE block device
// (fuseblk: NTFS, exFAT) is a disk of this machine.
bool isNetworkType(const QByteArray &type)
{
    static const std::array<QByteArray, 14> kTypes { "nfs", "nfs4", "smbfs", "cifs", "smb3", "afs", "9p",
        "ceph", "ncpfs", "coda", "gpfs", "glusterfs", "lustre", "fuse" };
    return type.startsWith("fuse.") || std::find(kTypes.begin(), kTypes.end(), type) != kTypes.end();
}

// A mount point as the table writes it: blanks, tabs, line breaks and
// backslashes in octal.
QString unescapedMountPoint(const QByteArray &field)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const int code = field[i] == '\\' ? field.mid(i + 1, 3).toInt(nullptr, 8) : 0;
        bytes += code > 0 ? char(code) : field[i];
        i += code > 0 ? 3 : 0;
    }
    return pathFromNative(bytes);
}

bool holds(const QString &mountPoint, const QString &path)
{
    return path == mountPoint || mountPoint == u"/"
        || (path.startsWith(mountPoint) && path.at(mountPoint.size()) == u'/');
}

}   // namespace

FileSystemKind fileSystemKindOf(unsigned long type)
{
    // The magic numbers are 32 bits; some systems give them sign-extended.
    const unsigned long magic = type & 0xffffffffUL;
    const bool network = std::find(kNetworkTypes.begin(), kNetworkTypes.end(), magic) != kNetworkTypes.end();
    return network ? FileSystemKind::Network : FileSystemKind::Local;
}

FileSystemKind fileSystemKind(const QString &path)
{
    {
        const std::lock_guard lock(g_probeMutex);
        if (g_probe) {
            if (const auto kind = g_probe(path))
                return *kind;
        }
    }
    struct statfs facts { };
    if (::statfs(nativePath(path).constData(), &facts) != 0)
        return FileSystemKind::Local;
    return fileSystemKindOf((unsigned long)facts.f_type);
}

bool numbersFilesAnew(const QString &path)
{
    struct statfs facts { };
    return ::statfs(nativePath(path).constData(), &facts) == 0
        && (unsigned long)(facts.f_type & 0xffffffff) == kFuse;
}

int readersFor(FileSystemKind kind)
{
    return kind == FileSystemKind::Network ? kNetworkReaders : 0;
}

FileSystemKindProbe::FileSystemKindProbe(Probe probe)
{
    const std::lock_guard lock(g_probeMutex);
    m_previous = std::exchange(g_probe, std::move(probe));
}

FileSystemKindProbe::~FileSystemKindProbe()
{
    const std::lock_guard lock(g_probeMutex);
    g_probe = std::move(m_previous);
}

MountTable::MountTable(const QByteArray &mountInfo)
{
    for (const QByteArray &line : mountInfo.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (fields.size() >= 5 && dash >= 0 && dash + 1 < fields.size())
            m_mounts.push_back({ unescapedMountPoint(fields[4]), isNetworkType(fields[dash + 1]) });
    }
}

MountTable MountTable::ofThisProcess()
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    return MountTable(table.open(QIODevice::ReadOnly) ? table.readAll() : QByteArray());
}

std::optional<QString> MountTable::networkMountOf(const QString &path) const
{
    const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    const Mount *deepest = nullptr;   // the mount a path is on is the deepest holding it
    for (const Mount &mount : m_mounts) {
        if (holds(mount.point, absolute) && (!deepest || mount.point.size() >= deepest->point.size()))
            deepest = &mount;
    }
    return deepest && deepest->network ? std::optional(deepest->point) : std::nullopt;
}
