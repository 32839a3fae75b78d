#pragma once
// Windows-1252, the one-byte code page of card files. Every byte decodes to a
// character (0x81, 0x8D, 0x8F, 0x90 and 0x9D to the C1 controls of the same
// value), so a card survives a load and a save byte for byte; a character
// without a byte encodes as "?".

#include <QByteArray>
#include <QList>
#include <QString>

QString fromCp1252(const QByteArray &bytes);
QString fromCp1252(const char *bytes, qsizetype size);
// The character of one byte.
char16_t cp1252Character(unsigned char byte);
QByteArray toCp1252(const QString &text);

// Whether c has a byte of its own (and so is not written as "?").
bool isCp1252(char32_t c);

// Where text holds characters that have no byte, in order: each one's index
// and length in UTF-16 units (2 for a pair of surrogates).
struct TextSpan {
    qsizetype from = 0;
    qsizetype length = 0;
};
QList<TextSpan> nonCp1252Spans(QStringView text);

// Removes from text every character that has no byte; a caret at *pos moves
// back over those removed before it. Returns the first character removed,
// empty when none was.
QString removeNonCp1252(QString &text, int *pos = nullptr);
