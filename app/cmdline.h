#pragma once
// The command line: a card path, optionally followed by " /m" (editor) or
// " /p" (viewer without Play).

#include <QString>
#include <QStringList>
#include <optional>

// The window a card opens in: "/m" the editor, "/p" the viewer without its
// Play button, anything else the viewer.
enum class CardWindow { Viewer, ViewerWithoutPlay, Editor };

struct CommandLine {
    QString path;   // double quotes removed
    CardWindow window = CardWindow::Viewer;
};

// The program's arguments (after Qt's own options) joined with single blanks.
QString argumentString(const QStringList &arguments);

// Splits at every " /"; the first piece is the path, the second the switch.
CommandLine splitCommandLine(const QString &argumentString);

// The arguments as a desktop gives them, already split. When the first names
// an existing file as it stands (quotes and " /" included), it is the path and
// a second "/m" or "/p" the switch; otherwise the arguments joined with blanks
// are split as one string. nullopt when that string is empty (a new card).
std::optional<CommandLine> readCommandLine(const QStringList &arguments);

// What "--help" or "--version", alone on the command line, prints; nullopt
// for any other command line.
std::optional<QString> informationText(const QStringList &arguments);
