#pragma once
// Pictures for tests, made on the spot in any format Qt writes.

#include <QByteArray>
#include <QString>

// A plain picture of width x height pixels, encoded as format ("PNG", "BMP"...).
QByteArray pictureBytes(int width, int height, const char *format = "PNG");

// The same picture written to path, as format or, when null, in the format
// its extension names; path, or empty when it could not be written.
QString writePicture(const QString &path, int width, int height, const char *format = nullptr);
