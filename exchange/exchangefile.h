#pragma once
// The files other programs and services give: each opened as a regular file
// of bounded size, whatever its name says.

#include <QFile>
#include <QString>

// The most a file of another program may weigh: an export of twenty years
// of viewings is a few megabytes, a catalogue with its images a few dozen.
constexpr qint64 kMostExchangeBytes = 50 * 1024 * 1024;

enum class ExchangeFileStatus {
    Ok,
    Unreadable,   // missing, no regular file, or it does not open
    TooLarge,     // over kMostExchangeBytes
};

// Opens path for reading into file.
ExchangeFileStatus openExchangeFile(QFile &file, const QString &path);
