#pragma once
// Windows-1252, the one-byte code page of card files. Every byte decodes to a
// character (0x81, 0x8D, 0x8F, 0x90 and 0x9D to the C1 controls of the same
// value), so a card survives a load and a save byte for byte; a character
// without a byte encodes as "?".

#include <QByteArray>
#include <QString>

QString fromCp1252(const QByteArray &bytes);
QString fromCp1252(const char *bytes, qsizetype size);
QByteArray toCp1252(const QString &text);

// Whether c has a byte of its own (and so is not written as "?").
bool isCp1252(char32_t c);
