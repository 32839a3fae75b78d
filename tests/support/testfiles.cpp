#include "support/testfiles.h"

#include <QFile>

#include <csignal>
#include <sys/resource.h>

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

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
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
