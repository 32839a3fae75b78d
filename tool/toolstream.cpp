#include "tool/toolstream.h"

#include "card/nativepath.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <unistd.h>

namespace {

// Whether the character at i is written as an escape.
bool escapedAt(QStringView text, qsizetype i, Escapes which)
{
    const char16_t unit = text[i].unicode();
    if (which == Escapes::LineBreaks)
        return unit == u'\n';
    if (unit < 0x20 || (unit >= 0x7F && unit <= 0x9F))
        return true;
    // A lone surrogate: a byte of a file name that is no UTF-8.
    if (QChar::isHighSurrogate(unit))
        return i + 1 == text.size() || !QChar::isLowSurrogate(text[i + 1].unicode());
    if (QChar::isLowSurrogate(unit))
        return i == 0 || !QChar::isHighSurrogate(text[i - 1].unicode());
    return false;
}

void appendEscape(QString &to, QChar c)
{
    static constexpr std::string_view kNamed = "\aa\bb\tt\nn\vv\ff\rr";
    for (std::size_t k = 0; k < kNamed.size(); k += 2) {
        if (c.unicode() == char16_t(kNamed[k])) {
            to += QLatin1Char('\\');
            to += QLatin1Char(kNamed[k + 1]);
            return;
        }
    }
    for (const char byte : nativePath(QString(c)))
        to += QStringLiteral("\\%1").arg(uint(uchar(byte)), 3, 8, QLatin1Char('0'));
}

}   // namespace

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
    if (m_terminal < 0)
        m_terminal = m_fd >= 0 && ::isatty(m_fd) == 1 ? 1 : 0;
    return m_terminal == 1;
}

QString escapedText(const QString &text, Escapes which)
{
    qsizetype i = 0;
    while (i < text.size() && !escapedAt(text, i, which))
        ++i;
    if (i == text.size())
        return text;   // nearly every text: no copy
    QString escaped = text.left(i);
    for (; i < text.size(); ++i) {
        if (escapedAt(text, i, which))
            appendEscape(escaped, text[i]);
        else
            escaped += text[i];
    }
    return escaped;
}
