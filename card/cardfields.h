#pragma once
// How the editor's boxes and the record's fields turn into each other where
// more than a copy is involved.

#include <QString>
#include <optional>

// The hours as stored: a number below 10 gets a blank in front (" 1"); any
// other text, the empty one included, is stored as it is.
QString dureeHField(const QString &hours);

// The hours and minutes boxes of a stored field: the whole number, blanks
// around it ignored, the minutes with at least two digits ("5 " gives "05");
// nullopt when the field holds no number.
std::optional<QString> hoursText(const QString &field);
std::optional<QString> minutesText(const QString &field);

// The summary as the editor shows it: line breaks stored as CR LF or CR
// become the editor's own.
QString summaryText(const QString &field);
