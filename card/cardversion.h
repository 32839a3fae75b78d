#pragma once
// Which version of a card file is on disk. A stat tells most changes: a
// save replaces the card by a new file, and a write moves the modification
// time. A change of mode, owner or links alone leaves the card's bytes as
// they were, and is no new version. What a stat cannot tell (a rewrite in
// place of the same size within the grain of the file system's times) is
// told by the bytes.

#include <QByteArray>
#include <QCryptographicHash>
#include <QIODevice>
#include <QString>

#include <optional>

struct stat;

// How long after a file's last modification a write may still leave its
// modification time as it was: ext4 keeps times to a clock tick, FAT to two
// seconds, and a network server's clock may differ a little from ours.
constexpr qint64 kTimestampGrainNs = 3'000'000'000;

// What a stat tells of one version of a card file.
struct CardFingerprint {
    quint64 device = 0, inode = 0;
    qint64 size = 0;
    qint64 modified = 0;   // nanoseconds since 1970
    // Taken more than kTimestampGrainNs after the modification: a later
    // write must move the modification time. How far the fingerprint can be
    // trusted, not what the file is: left out of the comparison.
    bool settled = false;
    friend bool operator==(const CardFingerprint &a, const CardFingerprint &b)
    {
        return a.device == b.device && a.inode == b.inode && a.size == b.size && a.modified == b.modified;
    }
};

// The fingerprint of the file open as fd, or of the file at path (links
// followed); nullopt when there is none.
std::optional<CardFingerprint> fingerprintOf(int fd);
CardFingerprint fingerprintOf(const struct stat &info);
std::optional<CardFingerprint> cardFingerprint(const QString &path);

// A card file as read or written: its fingerprint and, while that is not
// settled, the digest of every byte (empty when not read).
struct CardVersion {
    CardFingerprint fingerprint;
    QByteArray digest;
    // The same version as far as both tell: the same fingerprint, and the
    // same bytes when both were read.
    friend bool operator==(const CardVersion &a, const CardVersion &b)
    {
        return a.fingerprint == b.fingerprint
            && (a.digest.isEmpty() || b.digest.isEmpty() || a.digest == b.digest);
    }
};

// The version of the file at path (links followed); nullopt when there is
// none. Its bytes are read (bounded by its size) when its fingerprint is not
// settled, or is known's while known's was not: then only they can tell.
std::optional<CardVersion> cardVersion(
    const QString &path, const std::optional<CardVersion> &known = std::nullopt);

// The digest of every byte of the file open as fd, from its start whatever
// its offset; empty when it cannot be read.
QByteArray digestOf(int fd);

// Passes reads from, or writes to, another device, and digests the bytes
// that went through: a card's digest as it is read or written.
class DigestingDevice : public QIODevice {
public:
    explicit DigestingDevice(QIODevice &inner);
    bool isSequential() const override { return true; }
    QByteArray digest() const { return m_hash.result(); }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    QIODevice &m_inner;
    QCryptographicHash m_hash;
};
