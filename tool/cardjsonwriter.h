#pragma once
// A card's JSON object written straight to bytes, as QJsonDocument writes
// cardJson's object, without building it: show and find print thousands.

#include "card/card.h"
#include "card/pictureheader.h"

#include <QByteArray>

enum class JsonLayout {
    ArrayItem,   // indented as an item of an array, without the array's lines
    Line,        // compact, without the line break
};

// Appends the card's object to out, byte for byte what QJsonDocument writes.
void appendCardJson(QByteArray &out, const QString &path, const CardValues &values, qint64 posterBytes,
    const PosterInfo &picture, JsonLayout layout);

// The same object from the record's bytes as a card file stores them
// (kRecordWidth of them) and the card's extension, decoding only what is written.
void appendRecordJson(QByteArray &out, const QString &path, QByteArrayView record,
    const CardExtension &extension, qint64 posterBytes, const PosterInfo &picture, JsonLayout layout);

// The same with the extension's values checked but left in its body, as
// RecordText::Checked reads them: those the body holds as they are written
// are copied, not decoded.
void appendRecordJson(QByteArray &out, const QString &path, QByteArrayView record,
    const ExtensionValues &extension, qint64 posterBytes, const PosterInfo &picture, JsonLayout layout);

// The number a number field's text shows as in JSON: digits after a minus
// sign or not, "08" as 8; nullopt when it is no number and stays the text.
std::optional<int> jsonNumber(const QString &text);

// text as a JSON string, its quotes too, as QJsonDocument writes it, but a
// lone surrogate (a file name's byte that is no UTF-8) kept as its \u
// escape, where QJsonDocument writes U+FFFD.
QByteArray jsonString(QStringView text);
