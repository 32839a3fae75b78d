#include "collection/filesystemkind.h"

#include "card/nativepath.h"

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
