#pragma once
// One of the tool's three streams: a standard stream of the process, or a
// device (a test's buffer). Not itself a QIODevice: the first QObject a
// process makes sets up Qt's thread data (with the files, about 0.3 ms of a
// 10 ms call on one card), and most commands only write bytes. The few that need a device (a poster
// copied out, JSON read in) ask for one.

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <memory>

class QFile;

class ToolStream {
public:
    // Standard stream fd; what is written waits in blocks of block bytes
    // (0: written at once, as messages are).
    ToolStream(int fd, QIODevice::OpenMode mode, qsizetype block);
    explicit ToolStream(QIODevice &device);
    ~ToolStream();
    ToolStream(const ToolStream &) = delete;
    ToolStream &operator=(const ToolStream &) = delete;

    void write(QByteArrayView bytes);
    bool flush();              // false once anything could not be written
    QIODevice &device();       // what is pending written first
    bool isTerminal() const;   // asked of the system once

private:
    int m_fd = -1;
    QIODevice::OpenMode m_mode;
    qsizetype m_block = 0;
    QIODevice *m_device = nullptr;
    std::unique_ptr<QFile> m_file;   // the device made for m_fd
    QByteArray m_pending;
    bool m_ok = true;
    mutable int m_terminal = -1;   // unknown until asked

    void writeOut(QByteArrayView bytes);   // to m_fd, whole unless it fails
};

// Which characters of a text escapedText writes as escapes.
enum class Escapes {
    LineBreaks,   // "\n" alone: a line stays one line for the scripts that read it
    Controls,     // every control character, for a terminal that would obey them
};

// text with those characters written as GNU ls writes them inside $'...' on
// a terminal: \a \b \t \n \v \f \r, any other control character (C0, DEL,
// C1) and a file name's byte that is no UTF-8 in octal, a byte at a time
// (\033, \302\235, \377). A backslash stays as it is.
QString escapedText(const QString &text, Escapes which);
