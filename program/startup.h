#pragma once
// Start-up: which window the command line opens, on which card.

#include <QString>
#include <QStringList>
#include <optional>

// Runs the start-up for the argument string. Returns the exit status when the
// program is to end at once; nullopt when a window is open and the event loop
// is to run.
std::optional<int> startProgram(const QString &arguments);

// The same for the arguments as a desktop gives them, already split: a first
// argument naming an existing file is the card as it stands (readCommandLine);
// "--collection [DOSSIER]" opens the collection window (collectionOption).
std::optional<int> startProgram(const QStringList &arguments);
