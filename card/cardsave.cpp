#include "card/cardsave.h"

#include "card/cardfile.h"
#include "card/filepaths.h"
#include "card/nativepath.h"

#include <QBuffer>
#include <QFile>

#include <cerrno>
#include <optional>

namespace {

SaveResult failed(SaveStatus status, const QString &path)
{
    return { status, path };
}

// The result of a transfer from source (read) to destination (written).
SaveResult transferred(Transfer transfer, const QString &source, const QString &destination)
{
    switch (transfer) {
    case Transfer::Done:
        return {};
    case Transfer::ReadFailed:
        return failed(SaveStatus::ReadFailed, source);
    case Transfer::LinkRefused:
        return failed(SaveStatus::LinkRefused, destination);
    case Transfer::NameTooLong:
        return failed(SaveStatus::NameTooLong, destination);
    case Transfer::WriteFailed:
        break;
    }
    return failed(SaveStatus::WriteFailed, destination);
}

// Why a file at path could not be opened for reading, from errno.
SaveResult openFailed(SaveStatus missing, const QString &path)
{
    if (errno == ENAMETOOLONG)
        return failed(SaveStatus::NameTooLong, path);
    return failed(errno == ENOENT || errno == ENOTDIR ? missing : SaveStatus::ReadFailed, path);
}

std::optional<SaveResult> lockFailed(const CardLock &lock, const QString &path)
{
    switch (lock.status()) {
    case LockStatus::Held:
        return std::nullopt;
    case LockStatus::Missing:
        return failed(SaveStatus::SourceMissing, path);
    case LockStatus::Busy:
        return failed(SaveStatus::Busy, path);
    case LockStatus::Failed:
        break;
    }
    return openFailed(SaveStatus::SourceMissing, path);
}

// Writes cardPath from card and, as poster asks, the poster bytes of
// source (those after its separator but its extension), none, or the file
// poster.path.
SaveResult writeFrom(QFile &source, const QString &sourceCard, const QString &cardPath, const Card &card,
    const PosterChoice &poster, LinkAtPath links, Durability durability = Durability::OnDisk)
{
    QFile picture;
    const bool replaced = poster.kind == PosterChoice::Kind::Replace;
    if (replaced && !fileExists(poster.path))
        return failed(SaveStatus::PosterMissing, poster.path);
    if (replaced && !openForReading(picture, poster.path))
        return openFailed(SaveStatus::PosterMissing, poster.path);
    QBuffer given;
    if (poster.kind == PosterChoice::Kind::Bytes) {
        given.setData(poster.bytes);
        given.open(QIODevice::ReadOnly);
    }
    char separator = CardLayout::Separator;
    QIODevice *bytes = picture.isOpen() ? static_cast<QIODevice *>(&picture)
        : given.isOpen()                ? &given
                                        : nullptr;
    qint64 posterSize = -1;
    // A card that ends at or before its separator has no poster to carry over.
    if (poster.kind == PosterChoice::Kind::Keep && source.size() > CardLayout::SeparatorOffset) {
        posterSize = posterSizeOf(source);
        if (!source.seek(CardLayout::SeparatorOffset) || !source.getChar(&separator))
            return failed(SaveStatus::ReadFailed, sourceCard);
        bytes = &source;
    }
    QByteArray digest;
    const auto write = [&](QIODevice &out) {
        DigestingDevice digesting(out);
        const Transfer written = writeCard(digesting, card, bytes, posterSize, separator);
        digest = digesting.digest();
        return written;
    };
    CardFingerprint written;
    const Transfer transfer = replaceFile(cardPath, write, durability, links, &written);
    SaveResult result = transferred(transfer, bytes == &source ? sourceCard : poster.path, cardPath);
    result.written = { written, written.settled ? QByteArray() : digest };
    return result;
}

// The card open as a held lock's file, read through a QFile.
bool openLocked(QFile &file, const CardLock &lock)
{
    return file.open(lock.fd(), QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle);
}

}   // namespace

SaveResult writeWholeCard(const QString &cardPath, const Card &card, const QString &posterPath,
    LinkAtPath links, Durability durability)
{
    return writeWholeCard(cardPath, card, posterFromFile(posterPath), links, durability);
}

SaveResult writeWholeCard(const QString &cardPath, const Card &card, const PosterChoice &poster,
    LinkAtPath links, Durability durability)
{
    const CardLock lock(cardPath);
    if (lock.status() == LockStatus::Busy)
        return failed(SaveStatus::Busy, cardPath);
    QFile none;
    return writeFrom(none, QString(), cardPath, card, poster, links, durability);
}

SaveResult writeCardCopy(const QString &sourceCard, const QString &cardPath, const Card &card,
    const QString &posterPath, LinkAtPath links)
{
    if (!posterPath.isEmpty())
        return writeWholeCard(cardPath, card, posterPath, links);
    const CardLock lock(cardPath);
    if (lock.status() == LockStatus::Busy)
        return failed(SaveStatus::Busy, cardPath);
    QFile in;
    if (!fileExists(sourceCard))
        return failed(SaveStatus::SourceMissing, sourceCard);
    if (!openForReading(in, sourceCard))
        return openFailed(SaveStatus::SourceMissing, sourceCard);
    return writeFrom(in, sourceCard, cardPath, card, {}, links);
}

SaveResult rewriteCard(const QString &cardPath, const Card &card, LinkAtPath links)
{
    return writeCardCopy(cardPath, cardPath, card, QString(), links);
}

SaveResult changeCard(const QString &cardPath, const std::function<bool(Card &)> &edit,
    const PosterChoice &poster, LinkAtPath links, OverDamaged damaged)
{
    const CardLock lock(cardPath);
    if (const auto refused = lockFailed(lock, cardPath))
        return *refused;
    QFile in;
    if (!openLocked(in, lock))
        return failed(SaveStatus::ReadFailed, cardPath);
    CardRead read = readCard(in, nullptr);
    if (read.status != CardReadStatus::Ok)
        return failed(
            read.status == CardReadStatus::NotCard ? SaveStatus::NotCard : SaveStatus::ReadFailed, cardPath);
    if (read.extension == ExtensionStatus::Damaged && damaged == OverDamaged::Refuse)
        return failed(SaveStatus::Damaged, cardPath);
    if (!edit(read.card))
        return failed(SaveStatus::Cancelled, cardPath);
    return writeFrom(in, cardPath, cardPath, read.card, poster, links);
}

SaveResult replaceIfUnchanged(const QString &cardPath, const CardVersion &loaded, const Card &card,
    const PosterChoice &poster, LinkAtPath links)
{
    const CardLock lock(cardPath);
    if (const auto refused = lockFailed(lock, cardPath))
        return *refused;
    QFile in;
    if (lock.fingerprint() != loaded.fingerprint
        || (!loaded.digest.isEmpty() && digestOf(lock.fd()) != loaded.digest))
        return failed(SaveStatus::Changed, cardPath);
    if (!openLocked(in, lock))
        return failed(SaveStatus::ReadFailed, cardPath);
    return writeFrom(in, cardPath, cardPath, card, poster, links);
}
