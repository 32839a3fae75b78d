#pragma once
// The command line: a card path, optionally followed by " /m" (editor) or
// " /p" (viewer without Play).

#include <QString>
#include <QStringList>

struct CommandLine {
    QString path;     // double quotes removed
    QString option;   // the piece after the first " /", unchanged; empty when none
};

// The program's arguments (after Qt's own options) joined with single blanks.
QString argumentString(const QStringList &arguments);

// Splits at every " /"; the first piece is the path, the second the switch.
CommandLine splitCommandLine(const QString &argumentString);
