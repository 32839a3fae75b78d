#pragma once
// How the editor's boxes and the record's fields turn into each other where
// more than a copy is involved.

#include <QString>
#include <optional>

// The hours as stored: a one-digit number gets a blank in front (" 1"); any
// other text, the empty one included, is stored as it is, never cut.
QString hoursField(const QString &hours);

// The hours and minutes boxes of a stored field: the whole number, blanks
// around it ignored, the minutes with at least two digits ("5 " gives "05");
// nullopt when the field holds no number.
std::optional<QString> hoursText(const QString &field);
std::optional<QString> minutesText(const QString &field);

// Each line break of text, CR LF, CR or LF, as one "\n".
QString lfLineBreaks(QString text);

// The summary as the editor and the viewer show it: without its trailing
// blanks, with lfLineBreaks.
QString summaryText(const QString &field);

// The characters a summary takes in its field: a line break stores as two.
qsizetype summaryStoredLength(const QString &text);

// The summary as stored: each line break as CR LF, the format's own. A text
// loaded from a card with lone line breaks that would then no longer fit
// keeps them as LF alone, which every reader takes too: nothing is cut.
QString summaryField(const QString &text);
