#include "card/cardfile.h"

#include "card/nativepath.h"
#include "card/workfolder.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <optional>

namespace {

// What readCardHead reads of a poster with the record, for its header: the
// rest of the file's first page, so that the read touches one page alone.
constexpr qsizetype kPosterHeadBytes = 2048 - CardLayout::PosterOffset;

// Large blocks: a poster of 100 MB is a hundred writes, not 200,000.
constexpr qint64 kBlock = 1024 * 1024;

// Unbuffered, so that a short write (a full disk) shows in write()'s count:
// a buffered device may drop the rest at flush and still report success.
constexpr auto kWrite = QIODevice::WriteOnly | QIODevice::Unbuffered;

// Up to size bytes; fewer only at the end of in, nullopt on a read error.
std::optional<QByteArray> readUpTo(QIODevice &in, qint64 size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    qint64 total = 0;
    while (total < size) {
        const qint64 n = in.read(bytes.data() + total, size - total);
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        total += n;
    }
    bytes.truncate(total);
    return bytes;
}

Transfer writeAll(QIODevice &out, const QByteArray &bytes)
{
    return out.write(bytes) == bytes.size() ? Transfer::Done : Transfer::WriteFailed;
}

// name in folder opened for reading, never waiting on a FIFO; -1, with
// status saying why, when it cannot be. A name too long for the system is no
// missing file: it says so.
int openForRecord(int folder, const QByteArray &name, int flags, CardReadStatus &status)
{
    int fd = -1;
    do
        fd = ::openat(folder, name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | flags);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const bool denied = errno == EACCES || errno == EPERM || errno == EIO;
        status = errno == ENAMETOOLONG ? CardReadStatus::NameTooLong
            : denied                   ? CardReadStatus::Unreadable
                                       : CardReadStatus::Missing;
    }
    return fd;
}

// A card's record is read at its start and its extension at its end, never
// what lies between: no reading ahead into its poster (on a network share,
// bytes the link pays for; over sshfs, a reading a quarter quicker).
void readingEnds(int fd)
{
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_RANDOM);
}

// A file descriptor open for reading on path when it is a regular file (a
// link to one counts), as openForRecord opens it; size gets its length. -1,
// with status Missing for anything that is not a regular file.
int openRegular(
    int folder, const QByteArray &name, CardReadStatus &status, qint64 &size, CardFingerprint &fingerprint)
{
    const int fd = openForRecord(folder, name, 0, status);
    if (fd < 0)
        return -1;
    struct stat info { };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        status = CardReadStatus::Missing;
        return -1;
    }
    size = info.st_size;
    fingerprint = fingerprintOf(info);
    status = CardReadStatus::Ok;
    return fd;
}

CardReadStatus openRegularFile(QFile &file, const QString &path, qint64 &size, CardFingerprint &fingerprint)
{
    CardReadStatus status = CardReadStatus::Ok;
    const int fd = openRegular(AT_FDCWD, nativePath(path), status, size, fingerprint);
    if (fd >= 0
        && !file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        status = CardReadStatus::Unreadable;
    }
    return status;
}

// The poster's header of the card open as fd, whose first bytes are read.
PosterInfo posterHeader(int fd, QByteArrayView read)
{
    // Captured by reference, so that the reader is kept without an allocation.
    return readPictureHeader([fd, &read](qint64 offset, char *buffer, qint64 size) -> qint64 {
        if (offset + size <= read.size()) {
            std::copy_n(read.data() + offset, size, buffer);
            return size;
        }
        ssize_t n = 0;
        while ((n = ::pread(fd, buffer, size_t(size), off_t(CardLayout::PosterOffset + offset))) < 0
            && errno == EINTR) { }
        return n;
    });
}

// What the end of a card holds: its extension, and so the poster's size.
struct CardTail {
    ExtensionStatus status = ExtensionStatus::None;
    CardExtension extension {};
    ExtensionValues values {};   // RecordText::Checked: the extension's values, left in its body
    qint64 posterBytes = 0;
    bool readFailed = false;
};

// The extension read from its bytes, decoded or checked as text says.
void readExtensionInto(CardTail &tail, QByteArrayView bytes, QByteArrayView recordBytes, RecordText text)
{
    if (text == RecordText::Checked) {
        CheckedExtension checked = checkExtension(bytes, recordBytes);
        tail.status = checked.status;
        tail.values = std::move(checked.values);
    } else {
        ExtensionRead extension = decodeExtension(bytes, recordBytes);
        tail.status = extension.status;
        tail.extension = std::move(extension.extension);
    }
}

// The last bytes a look at a card's end reads: most extensions whole.
constexpr qint64 kTailBytes = 4096;

// The end of a card that holds after bytes past its separator; readAt(at,
// size) reads size bytes at offset at past the separator (nullopt: they
// could not be); known holds them all when they are read already.
template <typename ReadAt>
CardTail readTail(
    qint64 after, QByteArrayView known, QByteArrayView recordBytes, RecordText text, ReadAt readAt)
{
    CardTail tail { .posterBytes = after };
    if (after < ExtensionLayout::TrailerSize)
        return tail;
    const qint64 lastSize = std::min(after, kTailBytes);
    std::optional<QByteArray> read = known.size() >= after ? std::optional(known.last(lastSize).toByteArray())
                                                           : readAt(after - lastSize, lastSize);
    if (!read || read->size() != lastSize) {
        tail.readFailed = true;
        return tail;
    }
    const ExtensionTrailer trailer = readTrailer(*read, after);
    tail.status = trailer.status;
    if (trailer.status != ExtensionStatus::Ok)
        return tail;
    if (trailer.size > read->size())
        read = readAt(after - trailer.size, trailer.size);
    if (!read || read->size() < trailer.size) {
        tail.readFailed = true;
        return tail;
    }
    readExtensionInto(tail, QByteArrayView(*read).last(trailer.size), recordBytes, text);
    if (tail.status == ExtensionStatus::Ok)
        tail.posterBytes = after - trailer.size;
    return tail;
}

// The end of the card open as fd, of size bytes, whose first n bytes are read.
CardTail readTailAt(int fd, qint64 size, QByteArrayView read, QByteArrayView recordBytes, RecordText text)
{
    const qint64 after = std::max<qint64>(0, size - CardLayout::PosterOffset);
    const QByteArrayView known = read.size() >= size && size > CardLayout::PosterOffset
        ? read.sliced(CardLayout::PosterOffset)
        : QByteArrayView();
    return readTail(after, known, recordBytes, text, [fd](qint64 at, qint64 n) -> std::optional<QByteArray> {
        QByteArray bytes(n, Qt::Uninitialized);
        ssize_t got = 0;
        while ((got = ::pread(fd, bytes.data(), size_t(n), off_t(CardLayout::PosterOffset + at))) < 0
            && errno == EINTR) { }
        if (got != n)
            return std::nullopt;
        return bytes;
    });
}

CardTail readTailOf(QIODevice &in, QByteArrayView recordBytes)
{
    const qint64 after = std::max<qint64>(0, in.size() - CardLayout::PosterOffset);
    return readTail(
        after, {}, recordBytes, RecordText::Decoded, [&in](qint64 at, qint64 n) -> std::optional<QByteArray> {
            if (!in.seek(CardLayout::PosterOffset + at))
                return std::nullopt;
            return readUpTo(in, n);
        });
}

// The marker and record of a card's first bytes; nullopt: they could not be read.
CardRead cardFromHead(std::optional<QByteArrayView> head)
{
    CardRead result;
    // Each byte is one character, so the bytes of the marker can be compared as they are.
    if (!head)
        result.status = CardReadStatus::Unreadable;
    else if (!head->startsWith(QByteArrayView(cardMarkerBytes())))
        result.status = CardReadStatus::NotCard;
    else
        result.card.record = decodeRecord(head->sliced(CardLayout::MarkerSize));
    return result;
}

// The record's bytes (missing ones read as spaces), decoded when asked.
void keepRecord(CardHead &head, QByteArrayView record, RecordText text)
{
    const qsizetype kept = std::min<qsizetype>(record.size(), kRecordWidth);
    std::copy_n(record.data(), kept, head.recordBytes.begin());
    std::fill(head.recordBytes.begin() + kept, head.recordBytes.end(), ' ');
    if (text == RecordText::Decoded)
        head.card.record = decodeRecord(QByteArrayView(head.recordBytes.data(), kRecordWidth));
}

QByteArrayView recordOf(const CardHead &head)
{
    return QByteArrayView(head.recordBytes.data(), kRecordWidth);
}

void keepTail(CardHead &head, CardTail tail)
{
    if (tail.readFailed)
        head.status = CardReadStatus::Unreadable;
    head.extension = tail.status;
    if (tail.status == ExtensionStatus::Ok) {   // most cards have none: nothing to move
        head.card.extension = std::move(tail.extension);
        head.values = std::move(tail.values);
    }
    head.posterBytes = tail.posterBytes;
}

// The head of a card from the n bytes read at its start (-1: a read error).
void keepHead(CardHead &head, const char *bytes, qsizetype n, RecordText text)
{
    if (n < 0)
        head.status = CardReadStatus::Unreadable;
    else if (!QByteArrayView(bytes, n).startsWith(QByteArrayView(cardMarkerBytes())))
        head.status = CardReadStatus::NotCard;
    else
        keepRecord(head, QByteArrayView(bytes, n).sliced(CardLayout::MarkerSize), text);
}

// The poster's working file of folder, made anew: a link planted there is
// not written through.
bool openWorkFile(QFile &file, const QString &folder)
{
    if (folder.isEmpty())
        return false;
    const int fd = openNative(folder + WorkFile::Image, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, 0600);
    if (fd >= 0 && file.open(fd, kWrite, QFileDevice::AutoCloseHandle))
        return true;
    if (fd >= 0)
        ::close(fd);
    return false;
}

CardReadStatus readStatus(Transfer copied)
{
    switch (copied) {
    case Transfer::Done:
        return CardReadStatus::Ok;
    case Transfer::ReadFailed:
        return CardReadStatus::Unreadable;
    case Transfer::WriteFailed:
    case Transfer::LinkRefused:
    case Transfer::NameTooLong:
        break;
    }
    return CardReadStatus::PosterWriteFailed;
}

// The file descriptor and offset the bytes that remain to be read of in
// come from, when in is a file or a card's poster.
std::optional<std::pair<int, qint64>> fileSource(QIODevice &in)
{
    if (const auto *poster = dynamic_cast<const PosterDevice *>(&in); poster && poster->handle() >= 0)
        return std::pair(poster->handle(), poster->fileOffset(in.pos()));
    if (const auto *file = qobject_cast<const QFileDevice *>(&in); file && file->handle() >= 0)
        return std::pair(file->handle(), in.pos());
    return std::nullopt;
}

// Copies size bytes from the file from, at offset on, to the end of the file
// to; nullopt, nothing copied, when the kernel cannot (another file system, a
// special file): the bytes then go through memory.
std::optional<Transfer> copyInKernel(int from, qint64 offset, int to, qint64 size, qint64 &copied)
{
    loff_t at = offset;
    while (copied < size) {
        const ssize_t n = ::copy_file_range(
            from, &at, to, nullptr, size_t(std::min<qint64>(size - copied, kBlock * 1024)), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && copied == 0
            && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP
                || errno == EBADF))
            return std::nullopt;
        if (n < 0)
            return errno == ENOSPC || errno == EDQUOT || errno == EFBIG ? Transfer::WriteFailed
                                                                        : Transfer::ReadFailed;
        if (n == 0)   // the file ended first
            break;
        copied += n;
    }
    return Transfer::Done;
}

std::optional<Transfer> copyFileToFile(QIODevice &in, QIODevice &out, qint64 *copied, qint64 most)
{
    auto *file = qobject_cast<QFileDevice *>(&out);
    const auto source = fileSource(in);
    if (!file || file->handle() < 0 || !source || !file->flush())
        return std::nullopt;
    const qint64 left = std::max<qint64>(0, in.size() - in.pos());
    qint64 done = 0;
    const auto copiedInKernel = copyInKernel(
        source->first, source->second, file->handle(), most < 0 ? left : std::min(most, left), done);
    if (!copiedInKernel)
        return std::nullopt;
    // Both devices go on from where the kernel left them.
    if (!in.seek(in.pos() + done) || !file->seek(file->pos() + done))
        return Transfer::WriteFailed;
    if (copied)
        *copied += done;
    return copiedInKernel;
}

}   // namespace

Transfer copyRest(QIODevice &in, QIODevice &out, qint64 *copied, qint64 most)
{
    if (const auto copiedInKernel = copyFileToFile(in, out, copied, most))
        return *copiedInKernel;
    const auto block = std::make_unique_for_overwrite<char[]>(kBlock);
    char *buffer = block.get();
    for (qint64 left = most < 0 ? std::numeric_limits<qint64>::max() : most;;) {
        const qint64 n = in.read(buffer, std::min(kBlock, left));
        if (n < 0)
            return Transfer::ReadFailed;
        if (n == 0)
            return Transfer::Done;
        if (out.write(buffer, n) != n)
            return Transfer::WriteFailed;
        if (copied)
            *copied += n;
        if ((left -= n) == 0)
            return Transfer::Done;
    }
}

CardRead readCard(QIODevice &in, QIODevice *posterOut)
{
    const std::optional<QByteArray> head = readUpTo(in, CardLayout::PosterOffset);
    CardRead result = cardFromHead(head ? std::optional<QByteArrayView>(*head) : std::nullopt);
    if (result.status != CardReadStatus::Ok || head->size() < CardLayout::PosterOffset)
        return result;
    CardTail tail = readTailOf(in, QByteArrayView(*head).sliced(CardLayout::MarkerSize, kRecordWidth));
    if (tail.readFailed) {
        result.status = CardReadStatus::Unreadable;
        return result;
    }
    result.extension = tail.status;
    result.card.extension = std::move(tail.extension);
    result.hasPoster = tail.posterBytes > 0;
    if (posterOut == nullptr || !result.hasPoster)
        return result;
    if (!in.seek(CardLayout::PosterOffset))
        result.status = CardReadStatus::Unreadable;
    else
        result.status = readStatus(copyRest(in, *posterOut, nullptr, tail.posterBytes));
    return result;
}

CardRead readCardFile(const QString &cardPath, const QString &folder)
{
    CardRead result;
    QFile in;
    qint64 size = 0;
    CardFingerprint fingerprint;
    result.status = openRegularFile(in, cardPath, size, fingerprint);
    if (result.status != CardReadStatus::Ok)
        return result;
    QFile poster;
    if (size > CardLayout::PosterOffset && !openWorkFile(poster, folder)) {
        result.status = CardReadStatus::PosterWriteFailed;
        return result;
    }
    // A card written a moment ago may be rewritten unseen by a stat: its bytes tell then.
    // They are digested before the card is read, so that a write in between
    // shows as a change, never hides one.
    const QByteArray digest = fingerprint.settled ? QByteArray() : digestOf(int(in.handle()));
    result = readCard(in, poster.isOpen() ? &poster : nullptr);
    result.version = { fingerprint, digest };
    if (poster.isOpen()) {
        poster.close();
        if (result.status == CardReadStatus::Ok && poster.error() != QFileDevice::NoError)
            result.status = CardReadStatus::PosterWriteFailed;
        // Bytes after the separator may be an extension alone: no poster then.
        if (result.status != CardReadStatus::Ok || !result.hasPoster)
            ::unlink(nativePath(folder + WorkFile::Image).constData());
    }
    return result;
}

CardHead readCardHead(const QString &path, PosterHeader poster, RecordText text)
{
    return readCardHeadAt(AT_FDCWD, nativePath(path), poster, text);
}

CardHead readCardHeadAt(int folder, const QByteArray &name, PosterHeader poster, RecordText text)
{
    CardHead head;
    qint64 size = 0;
    const int fd = openRegular(folder, name, head.status, size, head.fingerprint);
    if (fd < 0)
        return head;
    readingEnds(fd);
    // Most posters' headers are in the first bytes after the record: one read serves both.
    char bytes[CardLayout::PosterOffset + kPosterHeadBytes];
    const qsizetype wanted = CardLayout::PosterOffset + (poster == PosterHeader::Read ? kPosterHeadBytes : 0);
    const qsizetype n = readUpTo(fd, bytes, wanted);
    keepHead(head, bytes, n, text);
    if (head.status == CardReadStatus::Ok && n >= CardLayout::PosterOffset)
        keepTail(head, readTailAt(fd, size, QByteArrayView(bytes, n), recordOf(head), text));
    if (head.status == CardReadStatus::Ok && head.posterBytes > 0 && poster == PosterHeader::Read)
        head.poster = posterHeader(fd, QByteArrayView(bytes, n).sliced(CardLayout::PosterOffset));
    ::close(fd);
    return head;
}

qsizetype readUpTo(int fd, char *buffer, qsizetype size)
{
    qsizetype total = 0;
    while (total < size) {
        const ssize_t n = ::read(fd, buffer + total, size_t(size - total));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        total += n;
    }
    return total;
}

CardHead readCardRecordAt(int folder, const QByteArray &name, RecordText text)
{
    CardHead head;
    const int fd = openForRecord(folder, name, O_NOFOLLOW, head.status);
    if (fd < 0 && errno == ELOOP)   // a link since the folder was listed: looked at first
        return readCardHeadAt(folder, name, PosterHeader::Skip, text);
    if (fd < 0)
        return head;
    readingEnds(fd);
    char bytes[CardLayout::PosterOffset + 1];
    const qsizetype n = readUpTo(fd, bytes, sizeof bytes);
    keepHead(head, bytes, n, text);
    // A byte past the record says whether anything follows it: a poster, an extension.
    if (head.status == CardReadStatus::Ok && n > CardLayout::PosterOffset) {
        const off_t size = ::lseek(fd, 0, SEEK_END);
        keepTail(head, readTailAt(fd, size, QByteArrayView(bytes, n), recordOf(head), text));
    }
    ::close(fd);
    return head;
}

PosterDevice::PosterDevice(const QString &cardPath) : m_path(cardPath) { }

bool PosterDevice::open(OpenMode mode)
{
    if ((mode & ~QIODevice::Unbuffered) != QIODevice::ReadOnly)
        return false;
    if (!openForReading(m_card, m_path)) {
        setErrorString(m_card.errorString());
        return false;
    }
    m_size = posterSizeOf(m_card);
    if (!m_card.seek(std::min<qint64>(m_card.size(), CardLayout::PosterOffset))) {
        m_card.close();
        return false;
    }
    // Unbuffered: every read comes straight from the card at the right offset.
    return QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

void PosterDevice::close()
{
    QIODevice::close();
    m_card.close();
}

qint64 PosterDevice::size() const
{
    return m_size;
}

bool PosterDevice::seek(qint64 pos)
{
    return QIODevice::seek(pos) && m_card.seek(CardLayout::PosterOffset + pos);
}

qint64 PosterDevice::readData(char *data, qint64 maxSize)
{
    return m_card.read(data, std::clamp<qint64>(m_size - pos(), 0, maxSize));
}

qint64 posterSizeOf(QIODevice &card)
{
    const std::optional<QByteArray> head
        = card.seek(0) ? readUpTo(card, CardLayout::PosterOffset) : std::nullopt;
    if (!head || head->size() < CardLayout::PosterOffset)
        return 0;
    return readTailOf(card, QByteArrayView(*head).sliced(CardLayout::MarkerSize, kRecordWidth)).posterBytes;
}

QByteArray cardHeader(const CardRecord &record)
{
    return QByteArray(cardMarkerBytes()) + encodeRecord(record);
}

Transfer writeCard(QIODevice &out, const Card &card, QIODevice *poster, qint64 posterSize, char separator)
{
    const QByteArray header = cardHeader(card.record);
    Transfer written = writeAll(out, header + separator);
    if (written == Transfer::Done && poster != nullptr && posterSize != 0)
        written = copyRest(*poster, out, nullptr, posterSize);
    if (written != Transfer::Done)
        return written;
    return writeAll(
        out, encodeExtension(card.extension, QByteArrayView(header).sliced(CardLayout::MarkerSize)));
}
