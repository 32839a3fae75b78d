#include "card/cardfile.h"

#include "app/common.h"
#include "card/cp1252.h"
#include "card/workfolder.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr qint64 kBlock = 512;

// Unbuffered, so that a short write (a full disk) shows in write()'s count:
// a buffered device may drop the rest at flush and still report success.
constexpr auto kWrite = QIODevice::WriteOnly | QIODevice::Unbuffered;

// Replaces path with what write() puts into a new file, keeping the old
// file's permissions; the old file stays untouched unless everything is written.
template <typename Write> bool saveWhole(const QString &path, Write write)
{
    if (QFileInfo(path).isDir() || (FileExists(path) && IsFileReadOnly(path)))
        return false;
    const bool existed = FileExists(path);
    const QFile::Permissions permissions = QFileInfo(path).permissions();
    QSaveFile out(path);
    out.setDirectWriteFallback(false);
    if (!out.open(kWrite))
        return false;
    if (!write(out) || (existed && !out.setPermissions(permissions))) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

bool writeAll(QIODevice &out, const QByteArray &bytes)
{
    return out.write(bytes) == bytes.size();
}

// The source's bytes, with the first bytes replaced by head (used to rewrite
// a record: head is the new marker and record).
bool writeReplacingHead(const QString &source, QIODevice &out, const QByteArray &head)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    if (!writeAll(out, head))
        return false;
    if (in.size() > head.size() && !in.seek(head.size()))
        return false;
    return in.size() <= head.size() || copyRest(in, out);
}

}   // namespace

bool copyRest(QIODevice &in, QIODevice &out)
{
    char buffer[kBlock];
    for (;;) {
        const qint64 n = in.read(buffer, kBlock);
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        if (out.write(buffer, n) != n)
            return false;
    }
}

CardRead readCard(QIODevice &in, QIODevice *posterOut)
{
    CardRead result;
    const QByteArray marker = in.read(CardLayout::MarkerSize);
    if (!IsCardMarker({ fromCp1252(marker) })) {
        result.status = CardReadStatus::NotCard;
        return result;
    }
    result.record = decodeRecord(in.read(CardWidth::Record));
    in.read(1);   // the separator is not looked at
    if (in.atEnd() || posterOut == nullptr)
        return result;
    result.hasPoster = true;
    if (!copyRest(in, *posterOut))
        result.status = CardReadStatus::PosterWriteFailed;
    return result;
}

CardRead ReadCardFile(const QString &cardPath, const QString &folder)
{
    CardRead result;
    QFile in(cardPath);
    if (!FileExists(cardPath) || !in.open(QIODevice::ReadOnly)) {
        result.status = CardReadStatus::Missing;
        return result;
    }
    const qint64 posterSize = in.size() - CardLayout::PosterOffset;
    QFile poster(folder + WorkFile::Image);
    QIODevice *posterOut = nullptr;
    if (posterSize > 0) {
        if (folder.isEmpty() || !poster.open(kWrite | QIODevice::Truncate)) {
            result.status = CardReadStatus::PosterWriteFailed;
            return result;
        }
        posterOut = &poster;
    }
    result = readCard(in, posterOut);
    if (poster.isOpen()) {
        poster.close();
        if (result.status != CardReadStatus::Ok || poster.error() != QFileDevice::NoError) {
            poster.remove();
            if (result.status == CardReadStatus::Ok)
                result.status = CardReadStatus::PosterWriteFailed;
        }
    }
    return result;
}

QByteArray cardHeader(const CardRecord &record)
{
    return toCp1252(MakeCardMarker().text) + encodeRecord(record);
}

bool WriteInfoFile(const QString &folder, const CardRecord &record)
{
    if (folder.isEmpty())
        return false;
    QFile out(folder + WorkFile::Info);
    if (!out.open(kWrite | QIODevice::Truncate))
        return false;
    const bool written = writeAll(out, cardHeader(record));
    out.close();
    return written && out.error() == QFileDevice::NoError;
}

bool AssembleCardFile(const QString &folder, const QString &cardPath, bool withPoster)
{
    if (folder.isEmpty())
        return false;
    QFile info(folder + WorkFile::Info);
    if (!info.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    bool ok = writeAll(info, QByteArray(1, CardLayout::Separator));
    if (ok && withPoster) {
        QFile poster(folder + WorkFile::Image);
        ok = poster.open(QIODevice::ReadOnly) && copyRest(poster, info);
    }
    info.close();
    ok = ok && info.error() == QFileDevice::NoError;
    return ok && replaceFileWith(info.fileName(), cardPath);
}

bool WriteRecordInPlace(const QString &cardPath, const CardRecord &record)
{
    if (!FileExists(cardPath))
        return false;
    const QByteArray head = cardHeader(record);
    return saveWhole(cardPath, [&](QIODevice &out) { return writeReplacingHead(cardPath, out, head); });
}

bool replaceFileWith(const QString &source, const QString &destination)
{
    QFile in(source);
    return in.open(QIODevice::ReadOnly) && replaceFileFrom(in, destination);
}

bool replaceFileFrom(QIODevice &in, const QString &destination)
{
    return saveWhole(destination, [&](QIODevice &out) { return copyRest(in, out); });
}
