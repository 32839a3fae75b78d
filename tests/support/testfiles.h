#pragma once
// Files for tests: card bytes built independently of the program's writers,
// and a way to make writes fail even for root.

#include "card/cardvalues.h"

#include <QByteArray>
#include <QDir>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

// Bytes 0, 1, 2, ... (mod 251), so that a shifted copy never matches.
QByteArray posterBytes(int size);

// A card file's bytes: "@CNFCH@", the 1168 record bytes given (padded with
// spaces), the separator 0xA9, then the poster.
QByteArray makeCard(const QByteArray &recordBytes, const QByteArray &poster);

// A bitmap header announcing width x height 24-bit pixels, and no pixels.
QByteArray bitmapHeader(qint32 width, qint32 height);

// Values of the texts given, each with its field, and the names given as actors.
CardValues valuesOf(const QList<std::pair<Field, QString>> &texts, const QStringList &actors = {});

QByteArray readBytes(const QString &path);
// The poster's bytes of the card at path, as the program reads them; empty
// when it has none or cannot be read.
QByteArray posterOf(const QString &cardPath);
bool writeBytes(const QString &path, const QByteArray &bytes);
// Sets the file's modification time, in nanoseconds since 1970.
bool setModifiedTime(const QString &path, qint64 nanoseconds);

// A device that takes or gives limit bytes, then fails as a full disk or a
// bad sector would: the write that crosses the limit is short, every later
// one fails; reads of source, wherever they are, stop with an error once
// limit bytes are read.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 limit, const QByteArray &source = {});
    QByteArray written;
    qint64 size() const override { return m_source.size(); }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    qint64 m_limit;
    QByteArray m_source;
    qint64 m_read = 0;
};

// The most memory the process has held since the last reset, in MiB.
void resetPeakMemory();
double peakMemoryMiB();

// While it lives, no file can grow past limit bytes: a write beyond it fails
// as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(long long limit);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    unsigned long long m_oldSoft = 0;
    void (*m_oldHandler)(int) = nullptr;
};

// While it lives, the calling thread is refused what a file's mode refuses
// it, as a user is, even as root: it gives up the capabilities that let
// root read and write past the mode.
class FileModesBindRoot {
public:
    FileModesBindRoot();
    ~FileModesBindRoot();
    FileModesBindRoot(const FileModesBindRoot &) = delete;
    FileModesBindRoot &operator=(const FileModesBindRoot &) = delete;

private:
    std::optional<quint32> m_oldEffective;
};

// A cache folder of the test's own, given to the program (XDG_CACHE_HOME)
// while it lives; the program's working folders go there under its name.
class TestCache {
public:
    TestCache();
    QString workBase() const;
    QStringList workFolders() const;
    bool isEmpty() const { return QDir(workBase()).isEmpty(); }   // no folder, no lock

private:
    QTemporaryDir m_dir;
};
