#pragma once
// Whether a folder is on this machine's disks or on another machine's: a
// card on a share costs round trips, not bytes, so it is read with many
// requests in flight, and inotify sees no change another machine makes.

#include <QString>

#include <functional>
#include <optional>

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

// The network share that holds path, by the mount table's lines
// (/proc/self/mountinfo's form, "\040" for a blank): its mount point, or
// nothing for a path on this machine's disks. Asks no file system, so a
// share that no longer answers cannot hold it.
std::optional<QString> networkMountOf(const QString &path, const QByteArray &mountTable);
// The same, from this process's mount table.
std::optional<QString> networkMountOf(const QString &path);

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
