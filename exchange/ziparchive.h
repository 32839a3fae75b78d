#pragma once
// A zip archive held in memory (a Letterboxd export, a Tellico file), read
// through libzip within bounds, so that a zip bomb is refused from what its
// directory announces and never inflated beyond them.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

struct zip;

namespace ZipBounds {
constexpr qint64 MostEntries = 10000;
constexpr qint64 MostEntryBytes = 50 * 1024 * 1024;    // one entry, inflated
constexpr qint64 MostTotalBytes = 512 * 1024 * 1024;   // all of them
constexpr qint64 MostRatio = 100;                      // inflated to compressed, beyond a megabyte
}   // namespace ZipBounds

enum class ZipStatus {
    Ok,
    NotZip,     // no zip archive
    Damaged,    // its directory or an entry cannot be read, or is not what it announces
    TooLarge,   // more entries, or bytes once inflated, than the bounds allow
};

class ZipArchive {
public:
    // bytes must outlive the archive.
    explicit ZipArchive(const QByteArray &bytes);
    ~ZipArchive();
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    ZipStatus status() const { return m_status; }
    // The entries' names as the archive gives them ("images/a.jpeg").
    QStringList names() const { return m_names; }
    // The bytes of the entry named name; nullopt, with why, when it is missing
    // (NotZip) or cannot be read.
    std::optional<QByteArray> read(const QString &name, ZipStatus &why) const;

private:
    zip *m_zip = nullptr;
    ZipStatus m_status = ZipStatus::NotZip;
    QStringList m_names;
    void checkEntries();
};

// Whether bytes begin as a zip archive does.
bool looksLikeZip(const QByteArray &bytes);
