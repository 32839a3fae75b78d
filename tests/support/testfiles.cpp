#include "support/testfiles.h"

#include "card/cardfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

QByteArray posterBytes(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i % 251);
    return bytes;
}

QByteArray makeCard(const QByteArray &recordBytes, const QByteArray &poster)
{
    QByteArray record = recordBytes.left(1168);
    record += QByteArray(1168 - record.size(), ' ');
    return QByteArray("@CNFCH@") + record + char(0xA9) + poster;
}

QByteArray bitmapHeader(qint32 width, qint32 height)
{
    QByteArray header(54, '\0');
    header[0] = 'B';
    header[1] = 'M';
    const auto put = [&](int offset, qint32 value) { qToLittleEndian(value, header.data() + offset); };
    put(2, qint32(54 + qint64(width) * 3 * height));   // as a 32-bit field holds it
    put(10, 54);
    put(14, 40);
    put(18, width);
    put(22, height);
    qToLittleEndian<quint16>(1, header.data() + 26);
    qToLittleEndian<quint16>(24, header.data() + 28);
    return header;
}

CardValues valuesOf(const QList<std::pair<Field, QString>> &texts, const QStringList &actors)
{
    CardValues values;
    for (const auto &[field, text] : texts)
        values.text(field) = text;
    values.list(Field::Acteurs) = actors;
    return values;
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray posterOf(const QString &cardPath)
{
    PosterDevice poster(cardPath);
    return poster.open(QIODevice::ReadOnly) ? poster.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

bool setModifiedTime(const QString &path, qint64 nanoseconds)
{
    const timespec times[2]
        = { { 0, UTIME_OMIT }, { time_t(nanoseconds / 1'000'000'000), long(nanoseconds % 1'000'000'000) } };
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

void resetPeakMemory()
{
    writeBytes(u"/proc/self/clear_refs"_s, "5");   // resets the high-water mark
}

double peakMemoryMiB()
{
    for (const QByteArray &line : readBytes(u"/proc/self/status"_s).split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

FailingDevice::FailingDevice(qint64 limit, const QByteArray &source) : m_limit(limit), m_source(source)
{
    open(QIODevice::ReadWrite | QIODevice::Unbuffered);
}

qint64 FailingDevice::readData(char *data, qint64 maxSize)
{
    if (m_read >= m_limit)
        return -1;
    const qint64 n = std::min({ maxSize, m_limit - m_read, qint64(m_source.size()) - pos() });
    if (n <= 0)
        return 0;
    memcpy(data, m_source.constData() + pos(), size_t(n));
    m_read += n;
    return n;
}

qint64 FailingDevice::writeData(const char *data, qint64 size)
{
    const qint64 n = std::min(size, m_limit - qint64(written.size()));
    if (n <= 0)
        return -1;
    written.append(data, n);
    return n;
}

FileSizeLimit::FileSizeLimit(long long limit)
{
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);   // a write past the limit fails with EFBIG instead
    rlimit lim {};
    getrlimit(RLIMIT_FSIZE, &lim);
    m_oldSoft = lim.rlim_cur;
    lim.rlim_cur = rlim_t(limit);
    setrlimit(RLIMIT_FSIZE, &lim);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit lim {};
    getrlimit(RLIMIT_FSIZE, &lim);
    lim.rlim_cur = rlim_t(m_oldSoft);
    setrlimit(RLIMIT_FSIZE, &lim);
    std::signal(SIGXFSZ, m_oldHandler);
}

namespace {

// The capabilities of the calling thread, or sets them; false on failure.
bool threadCapabilities(__user_cap_data_struct (&capabilities)[2], bool set)
{
    __user_cap_header_struct header { _LINUX_CAPABILITY_VERSION_3, 0 };
    return syscall(set ? SYS_capset : SYS_capget, &header, capabilities) == 0;
}

}   // namespace

FileModesBindRoot::FileModesBindRoot()
{
    __user_cap_data_struct capabilities[2] {};
    if (!threadCapabilities(capabilities, false))
        return;
    const quint32 effective = capabilities[0].effective;
    capabilities[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    if (threadCapabilities(capabilities, true))
        m_oldEffective = effective;
}

FileModesBindRoot::~FileModesBindRoot()
{
    __user_cap_data_struct capabilities[2] {};
    if (!m_oldEffective || !threadCapabilities(capabilities, false))
        return;
    capabilities[0].effective = *m_oldEffective;
    threadCapabilities(capabilities, true);
}

TestCache::TestCache()
{
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.path()));
}

QString TestCache::workBase() const
{
    return m_dir.filePath(QCoreApplication::applicationName());
}

QStringList TestCache::workFolders() const
{
    return QDir(workBase()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
}
