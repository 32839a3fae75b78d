#include "collection/cardindex.h"

#include "card/cardextension.h"
#include "card/cardrecord.h"
#include "card/filereplace.h"
#include "card/nativepath.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr QByteArrayView kMagic = "CNFIDX1\n";
constexpr qsizetype kHashBytes = 32;                         // SHA-256 of the root and the entries
constexpr qint64 kMostIndexBytes = 256LL * 1024 * 1024;      // 200,000 cards
constexpr qint64 kMostIndexesBytes = 1024LL * 1024 * 1024;   // all of them
constexpr quint32 kMostEntries = 1'000'000;
constexpr int kMostIndexes = 64;               // indexes kept, the most recently written
constexpr qsizetype kBlockBytes = 64 * 1024;   // written at a time

qint64 nanoseconds(const struct timespec &time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

qint64 nowNs()
{
    struct timespec now { };
    ::clock_gettime(CLOCK_REALTIME, &now);
    return nanoseconds(now);
}

// A folder of ours, itself and not a link, that no one else may write
// into (closed: nor enter); made when missing.
bool ownFolder(const QString &path, bool closed)
{
    const QByteArray native = nativePath(path);
    ::mkdir(native.constData(), 0700);
    struct stat info { };
    return ::lstat(native.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid()
        && (info.st_mode & (closed ? 077 : 022)) == 0;
}

// A regular file of ours that only we may read and write.
bool ownFile(const struct stat &info)
{
    return S_ISREG(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 0777) == 0600;
}

template <typename T> void append(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

// Reads an index's bytes, each read bounded by what is left.
class IndexReader {
public:
    explicit IndexReader(QByteArrayView bytes) : m_bytes(bytes) { }
    bool atEnd() const { return m_at == m_bytes.size(); }

    template <typename T> bool number(T &value)
    {
        const QByteArrayView read = take(sizeof(T));
        if (read.size() == qsizetype(sizeof(T)))
            value = qFromLittleEndian<T>(read.data());
        return read.size() == qsizetype(sizeof(T));
    }

    // length bytes, or fewer when the index ends first
    QByteArrayView take(qint64 length)
    {
        if (length < 0 || length > m_bytes.size() - m_at) {
            m_at = m_bytes.size();
            return {};
        }
        const QByteArrayView read = m_bytes.sliced(m_at, qsizetype(length));
        m_at += qsizetype(length);
        return read;
    }
    QByteArrayView rest() const { return m_bytes.sliced(m_at); }

    template <typename Length> bool bytes(QByteArray &value, qint64 most)
    {
        Length length = 0;
        if (!number(length) || qint64(length) > most)
            return false;
        value = take(qint64(length)).toByteArray();
        return value.size() == qsizetype(length);
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_at = 0;
};

void appendEntry(QByteArray &out, const QByteArray &name, const IndexEntry &entry)
{
    append(out, quint16(name.size()));
    out.append(name);
    append(out, entry.key.size);
    append(out, entry.key.modified);
    append(out, entry.key.changed);
    append(out, entry.key.inode);
    out.append(entry.record.data(), kRecordWidth);
    append(out, quint8(entry.extensionStatus));
    append(out, quint32(entry.extension.size()));
    out.append(entry.extension);
    append(out, entry.posterBytes);
    append(out, quint8(entry.poster.format.size()));
    out.append(entry.poster.format);
    append(out, qint32(entry.poster.size.width()));
    append(out, qint32(entry.poster.size.height()));
}

// One entry and its name; false when the bytes are not one.
bool readEntry(IndexReader &in, QByteArray &name, IndexEntry &entry)
{
    quint8 status = 0;
    qint32 width = 0, height = 0;
    const bool read = in.bytes<quint16>(name, 4096) && in.number(entry.key.size)
        && in.number(entry.key.modified) && in.number(entry.key.changed) && in.number(entry.key.inode);
    const QByteArrayView record = in.take(kRecordWidth);
    if (!read || record.size() != kRecordWidth || !in.number(status)
        || status > quint8(ExtensionStatus::Damaged)
        || !in.bytes<quint32>(entry.extension, ExtensionLayout::MostBodyBytes + ExtensionLayout::TrailerSize)
        || !in.number(entry.posterBytes) || !in.bytes<quint8>(entry.poster.format, 16) || !in.number(width)
        || !in.number(height))
        return false;
    std::copy_n(record.data(), kRecordWidth, entry.record.begin());
    entry.extensionStatus = ExtensionStatus(status);
    entry.poster.size = QSize(width, height);
    return true;
}

// An index's hash begins with its root: one copied under another's name is refused.
void addRoot(QCryptographicHash &hash, const QByteArray &root)
{
    hash.addData(root);
    hash.addData(QByteArrayView("\0", 1));
}

// Each entry of an index's bytes by its name; nullopt when they are
// damaged or were written for another root.
std::optional<QHash<QByteArrayView, QByteArrayView>> parse(QByteArrayView bytes, const QByteArray &root)
{
    if (bytes.size() < kMagic.size() + 4 + kHashBytes)
        return std::nullopt;
    const QByteArrayView hashed = bytes.first(bytes.size() - kHashBytes);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    addRoot(hash, root);
    hash.addData(hashed);
    if (hash.resultView() != bytes.last(kHashBytes))
        return std::nullopt;
    IndexReader in(hashed);
    quint32 count = 0;
    if (in.take(kMagic.size()) != kMagic || !in.number(count) || count > kMostEntries)
        return std::nullopt;
    QHash<QByteArrayView, QByteArrayView> entries;
    entries.reserve(count);
    QByteArray name;
    IndexEntry entry;
    for (quint32 i = 0; i < count; ++i) {
        const qsizetype at = hashed.size() - in.rest().size();
        if (!readEntry(in, name, entry))
            return std::nullopt;
        const QByteArrayView whole = hashed.sliced(at, hashed.size() - in.rest().size() - at);
        entries.insert(whole.sliced(2, name.size()), whole);
    }
    return in.atEnd() ? std::optional(std::move(entries)) : std::nullopt;
}

std::optional<QByteArray> readOwnFile(const QString &path)
{
    const int fd = ::open(nativePath(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info { };
    std::optional<QByteArray> bytes;
    if (::fstat(fd, &info) == 0 && ownFile(info) && info.st_size <= kMostIndexBytes) {
        bytes = QByteArray(qsizetype(info.st_size), Qt::Uninitialized);
        if (readUpTo(fd, bytes->data(), bytes->size()) != bytes->size())
            bytes.reset();
    }
    ::close(fd);
    return bytes;
}

// Removes the indexes written longest ago beyond the most kept, in number and in bytes.
void pruneIndexes(const QString &folder)
{
    const QFileInfoList indexes
        = QDir(folder).entryInfoList({ QStringLiteral("*.idx") }, QDir::Files | QDir::Hidden, QDir::Time);
    qint64 bytes = 0;
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        bytes += indexes[i].size();
        if (i >= kMostIndexes || bytes > kMostIndexesBytes)
            QFile::remove(indexes[i].filePath());
    }
}

}   // namespace

std::optional<ListedFile> listedFileAt(int folder, const QByteArray &name, bool keepsInodes)
{
    struct stat info { };
    if (::fstatat(folder, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    const ListedKey key { qint64(info.st_size), nanoseconds(info.st_mtim), nanoseconds(info.st_ctim),
        keepsInodes ? quint64(info.st_ino) : 0 };
    return ListedFile { key, fingerprintOf(info) };
}

QString defaultIndexFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/cinefiche/index");
}

std::unique_ptr<CardIndex> CardIndex::load(
    const QString &root, bool recursive, const QString &folder, std::chrono::nanoseconds settle)
{
    const QByteArray native
        = nativePath(QFileInfo(root).absoluteFilePath()) + QByteArray(1, recursive ? 'r' : 'f');
    const QByteArray name = QCryptographicHash::hash(native, QCryptographicHash::Sha256).toHex().left(40);
    const QString parent = QFileInfo(folder).path();
    const bool usable = QDir().mkpath(parent) && ownFolder(parent, false) && ownFolder(folder, true);
    auto index = std::make_unique<CardIndex>(
        usable ? folder + u'/' + QString::fromLatin1(name) + QStringLiteral(".idx") : QString(), native,
        settle);
    if (!usable)
        return index;
    if (std::optional<QByteArray> bytes = readOwnFile(index->m_file)) {
        index->m_loaded = std::move(*bytes);
        if (auto entries = parse(index->m_loaded, native))
            index->m_entries = std::move(*entries);
        else
            index->m_loaded.clear();
    }
    return index;
}

std::optional<CardHead> CardIndex::find(const QByteArray &name, const ListedFile &listed, RecordText text)
{
    const auto found = m_entries.constFind(QByteArrayView(name));
    if (found == m_entries.constEnd())
        return std::nullopt;
    IndexReader in(*found);
    QByteArray named;
    IndexEntry entry;
    if (!readEntry(in, named, entry) || entry.key != listed.key)
        return std::nullopt;
    CardHead head;
    const QByteArrayView record(entry.record.data(), kRecordWidth);
    head.recordBytes = entry.record;
    if (text == RecordText::Decoded)
        head.card.record = decodeRecord(record);
    head.extension = entry.extensionStatus;
    // An extension all of whose texts the record overrode is kept empty.
    if (head.extension == ExtensionStatus::Ok && !entry.extension.isEmpty()) {
        ExtensionRead extension = decodeExtension(entry.extension, record);
        if (extension.status != ExtensionStatus::Ok)
            return std::nullopt;
        head.card.extension = std::move(extension.extension);
    }
    head.posterBytes = entry.posterBytes;
    head.fingerprint = listed.fingerprint;
    head.poster = entry.poster;
    const std::lock_guard lock(m_mutex);
    m_found.push_back(*found);
    return head;
}

void CardIndex::keep(const QByteArray &name, const ListedFile &listed, const CardHead &head)
{
    const ListedKey &key = listed.key;
    // A card changed more recently is read again each time: another
    // machine's clock may lag ours, and a rewrite within its timestamp's
    // grain may leave the listing as it was.
    const qint64 settled = nowNs() - qint64(m_settle.count());
    const bool same = head.fingerprint.size == key.size && head.fingerprint.modified == key.modified
        && (key.inode == 0 || head.fingerprint.inode == key.inode);
    if (head.status != CardReadStatus::Ok || !same || key.modified > settled || key.changed > settled)
        return;
    IndexEntry entry { key, head.recordBytes, head.extension, {}, head.posterBytes, head.poster };
    if (head.extension == ExtensionStatus::Ok)
        entry.extension
            = encodeExtension(head.card.extension, QByteArrayView(head.recordBytes.data(), kRecordWidth));
    const std::lock_guard lock(m_mutex);
    m_read.insert(name, std::move(entry));
}

bool CardIndex::save() const
{
    const std::lock_guard lock(m_mutex);
    if (m_file.isEmpty() || (m_read.isEmpty() && m_found.size() == size_t(m_entries.size())))
        return !m_file.isEmpty();
    struct stat info { };
    // One not ours, or open to others, is not written over: it goes.
    if (::lstat(nativePath(m_file).constData(), &info) == 0 && !S_ISLNK(info.st_mode) && !ownFile(info))
        ::unlink(nativePath(m_file).constData());
    const Transfer written = replaceFile(
        m_file, [this](QIODevice &out) { return writeEntries(out); }, Durability::Written,
        LinkAtPath::Replace);
    pruneIndexes(QFileInfo(m_file).path());
    return written == Transfer::Done;
}

// The entries found again as they were saved, those read after them, in
// blocks, the hash of them all last.
Transfer CardIndex::writeEntries(QIODevice &out) const
{
    auto *file = qobject_cast<QFileDevice *>(&out);
    if (!file || !file->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return Transfer::WriteFailed;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    addRoot(hash, m_root);
    const auto put = [&](QByteArrayView bytes) {
        hash.addData(bytes);
        return out.write(bytes.data(), bytes.size()) == bytes.size();
    };
    QByteArray block = kMagic.toByteArray();
    append(block, quint32(m_found.size() + size_t(m_read.size())));
    bool going = put(block);
    block.clear();
    for (const QByteArrayView found : m_found)
        going = going && put(found);
    for (auto read = m_read.constBegin(); going && read != m_read.constEnd(); ++read) {
        appendEntry(block, read.key(), read.value());
        if (block.size() >= kBlockBytes) {
            going = put(block);
            block.clear();
        }
    }
    going = going && put(block) && out.write(hash.resultView().toByteArray()) == kHashBytes;
    return going ? Transfer::Done : Transfer::WriteFailed;
}
