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

// "--collection [DOSSIER]": the collection window on that folder, or on the
// last one opened when the folder is empty. The words after the option are
// joined with blanks, as a card's path is, quotes kept. nullopt for any other command
// line, and when a file named "--collection" exists: it is a card, as before.
std::optional<QString> collectionOption(const QStringList &arguments);

// What "--help" or "--version" prints: alone on the command line, the help
// or the version (status 0, on standard output); with anything else, a
// usage error (status 2, on standard error).
struct Information {
    QString text;
    int status = 0;
};

// nullopt when neither "--help" nor "--version" is given: the program starts.
std::optional<Information> informationText(const QStringList &arguments);
