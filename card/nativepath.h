#pragma once
// File names as the disk holds them: bytes, not always UTF-8. A byte that
// is not part of valid UTF-8 becomes the lone surrogate U+DC80 + its value
// minus 0x80, and back, so that a Latin-1 name survives from argv to open().
// Qt's own file classes encode names as UTF-8 and would lose those bytes:
// every open, stat and rename of ours goes through nativePath.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QUrl>

class QFile;

// The bytes of path for the system's calls.
QByteArray nativePath(const QString &path);

// The path that the system's bytes name; nativePath gives the bytes back.
QString pathFromNative(QByteArrayView bytes);

// path made absolute from the current folder, "." and ".." resolved as
// text (links are not followed); the bytes of its names are kept.
QString absolutePath(const QString &path);

// A file:// address of path (made absolute from the current folder) whose
// bytes are percent-encoded as they stand.
QUrl fileUrl(const QString &path);

// ::open of path's bytes (close-on-exec, retried on EINTR); -1 with errno.
int openNative(const QString &path, int flags, unsigned mode = 0);

// Opens path for reading into file, by its bytes; false with errno set
// when it cannot be opened.
bool openForReading(
    QFile &file, const QString &path, QIODevice::OpenMode mode = QIODevice::ReadOnly | QIODevice::Unbuffered);
