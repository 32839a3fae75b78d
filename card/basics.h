#pragma once
// The routines of files and text that the card layer needs, shared with
// every other part of the program through app/common.h.

#include <QByteArrayView>
#include <QString>

// True when path names a regular file (a link to one counts); false for a
// folder, a FIFO, a device, an empty text or a missing path.
bool FileExists(const QString &path);

// True when the user may not write the existing file path.
bool IsFileReadOnly(const QString &path);

// The text without its trailing spaces (character 32 only).
QString TrimRight(const QString &text);
QByteArrayView TrimRight(QByteArrayView bytes);
