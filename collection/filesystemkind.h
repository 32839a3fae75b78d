#pragma once
// Whether a folder is on this machine's disks or on another machine's: a
// card on a share costs round trips, not bytes, so it is read with many
// requests in flight, and inotify sees no change another machine makes.

#include <QString>

#include <functional>
#include <optional>
#include <vector>

enum class FileSystemKind { Local, Network };

// The kind of a file system by statfs's f_type: NFS, SMB/CIFS, FUSE (sshfs
// and the like, which may stand on another machine), AFS, 9P, Ceph... are
// Network; every other is Local.
FileSystemKind fileSystemKindOf(unsigned long type);

// The kind of the file system path is on; Local when statfs cannot tell.
FileSystemKind fileSystemKind(const QString &path);

// Whether the file system at path numbers its files anew at each mount
// (FUSE: sshfs's inodes are its own), so that a file's inode tells nothing
// from one reading to the next.
bool numbersFilesAnew(const QString &path);

// The mounts of a mount table (/proc/self/mountinfo's form, "\040" for a
// blank), read once: which network share holds a path. Asks no file
// system, so a share that no longer answers cannot hold it.
class MountTable {
public:
    explicit MountTable(const QByteArray &mountInfo);
    static MountTable ofThisProcess();

    // The mount point of the network share path is on; nothing for a path
    // on this machine's disks.
    std::optional<QString> networkMountOf(const QString &path) const;

private:
    struct Mount {
        QString point;
        bool network = false;
    };
    std::vector<Mount> m_mounts;
};

// Cards read at once on a file system of that kind; 0: today's threads, a
// reading ahead beside the caller's (a local disk answers at once).
int readersFor(FileSystemKind kind);

// While it lives, fileSystemKind asks it first: tests say "this folder is
// on the network" without a mount.
class FileSystemKindProbe {
public:
    using Probe = std::function<std::optional<FileSystemKind>(const QString &path)>;
    explicit FileSystemKindProbe(Probe probe);
    ~FileSystemKindProbe();
    FileSystemKindProbe(const FileSystemKindProbe &) = delete;
    FileSystemKindProbe &operator=(const FileSystemKindProbe &) = delete;

private:
    Probe m_previous;
};
