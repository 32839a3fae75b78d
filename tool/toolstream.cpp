#include "tool/toolstream.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <unistd.h>

ToolStream::ToolStream(int fd, QIODevice::OpenMode mode, qsizetype block)
    : m_fd(fd), m_mode(mode), m_block(block)
{
}

ToolStream::ToolStream(QIODevice &device) : m_mode(device.openMode()), m_device(&device) { }

ToolStream::~ToolStream() = default;

void ToolStream::write(QByteArrayView bytes)
{
    if (m_device != nullptr) {
        m_ok = m_device->write(bytes.data(), bytes.size()) == bytes.size() && m_ok;
        return;
    }
    // A block already whole (a printer's) goes out as it is, not copied first.
    if (m_pending.isEmpty() && bytes.size() >= m_block) {
        writeOut(bytes);
        return;
    }
    m_pending.append(bytes);
    if (m_pending.size() >= m_block)
        flush();
}

bool ToolStream::flush()
{
    writeOut(m_pending);
    m_pending.clear();
    return m_ok;
}

void ToolStream::writeOut(QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size() && m_ok) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        m_ok = n > 0;
        done += qsizetype(std::max<ssize_t>(n, 0));
    }
}

QIODevice &ToolStream::device()
{
    if (m_device != nullptr)
        return *m_device;
    flush();
    m_file = std::make_unique<QFile>();
    // Unbuffered: what is written later through write() never overtakes it.
    m_file->open(m_fd, m_mode | QIODevice::Unbuffered, QFileDevice::DontCloseHandle);
    m_device = m_file.get();
    return *m_device;
}

bool ToolStream::isTerminal() const
{
    return m_fd >= 0 && ::isatty(m_fd) == 1;
}
