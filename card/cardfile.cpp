#include "card/cardfile.h"

#include "app/common.h"
#include "card/cp1252.h"
#include "card/workfolder.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace {

constexpr qint64 kBlock = 512;

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

CardReadStatus readStatus(Transfer copied)
{
    switch (copied) {
    case Transfer::Done:
        return CardReadStatus::Ok;
    case Transfer::ReadFailed:
        return CardReadStatus::Unreadable;
    case Transfer::WriteFailed:
        break;
    }
    return CardReadStatus::PosterWriteFailed;
}

}   // namespace

Transfer copyRest(QIODevice &in, QIODevice &out)
{
    char buffer[kBlock];
    for (;;) {
        const qint64 n = in.read(buffer, kBlock);
        if (n < 0)
            return Transfer::ReadFailed;
        if (n == 0)
            return Transfer::Done;
        if (out.write(buffer, n) != n)
            return Transfer::WriteFailed;
    }
}

CardRead readCard(QIODevice &in, QIODevice *posterOut)
{
    CardRead result;
    const std::optional<QByteArray> head = readUpTo(in, CardLayout::PosterOffset);
    if (!head) {
        result.status = CardReadStatus::Unreadable;
        return result;
    }
    if (!IsCardMarker({ fromCp1252(head->left(CardLayout::MarkerSize)) })) {
        result.status = CardReadStatus::NotCard;
        return result;
    }
    result.record = decodeRecord(head->mid(CardLayout::MarkerSize, CardWidth::Record));
    if (head->size() < CardLayout::PosterOffset || in.atEnd() || posterOut == nullptr)
        return result;
    result.hasPoster = true;
    result.status = readStatus(copyRest(in, *posterOut));
    return result;
}

CardRead ReadCardFile(const QString &cardPath, const QString &folder)
{
    CardRead result;
    if (!FileExists(cardPath)) {
        result.status = CardReadStatus::Missing;
        return result;
    }
    QFile in(cardPath);
    if (!in.open(QIODevice::ReadOnly)) {
        result.status = CardReadStatus::Unreadable;
        return result;
    }
    QFile poster(folder + WorkFile::Image);
    if (in.size() > CardLayout::PosterOffset
        && (folder.isEmpty() || !poster.open(kWrite | QIODevice::Truncate))) {
        result.status = CardReadStatus::PosterWriteFailed;
        return result;
    }
    result = readCard(in, poster.isOpen() ? &poster : nullptr);
    if (poster.isOpen()) {
        poster.close();
        if (result.status == CardReadStatus::Ok && poster.error() != QFileDevice::NoError)
            result.status = CardReadStatus::PosterWriteFailed;
        if (result.status != CardReadStatus::Ok)
            poster.remove();
    }
    return result;
}

QByteArray cardHeader(const CardRecord &record)
{
    return toCp1252(MakeCardMarker().text) + encodeRecord(record);
}

Transfer writeCard(QIODevice &out, const CardRecord &record, QIODevice *poster, char separator)
{
    const Transfer head = writeAll(out, cardHeader(record) + separator);
    if (head != Transfer::Done || poster == nullptr)
        return head;
    return copyRest(*poster, out);
}

Transfer replaceFile(const QString &path, const std::function<Transfer(QIODevice &)> &write)
{
    const bool existed = FileExists(path);
    if (QFileInfo(path).isDir() || (existed && IsFileReadOnly(path)))
        return Transfer::WriteFailed;
    const QFile::Permissions permissions = QFileInfo(path).permissions();
    QSaveFile out(path);
    out.setDirectWriteFallback(false);
    if (!out.open(kWrite))
        return Transfer::WriteFailed;
    Transfer written = write(out);
    if (written == Transfer::Done && existed && !out.setPermissions(permissions))
        written = Transfer::WriteFailed;
    if (written != Transfer::Done)
        return written;   // the new file goes with out

    return out.commit() ? Transfer::Done : Transfer::WriteFailed;
}
