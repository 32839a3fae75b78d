#pragma once
// Files and the names in their paths, as every part of the program asks.

#include <QString>

// True when path names a regular file (a link to one counts); false for a
// folder, a FIFO, a device, an empty text or a missing path.
bool fileExists(const QString &path);

// True when the user may not write the existing file path.
bool isFileReadOnly(const QString &path);

// The text after the last "/" of a path (the whole text when it has none).
QString fileNameOf(const QString &path);

// The extension of a path's file name: the text after its last "." when
// that text is three characters long and holds no blank ("Dr. No" has
// none); empty otherwise. A dot in a folder name does not count.
QString extensionOf(const QString &path);

// The path with "." and extension appended, unless it has an extension.
QString withExtension(const QString &path, const QString &extension);
