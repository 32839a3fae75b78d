#pragma once
// Start-up, and the messages that several windows share.

#include "card/cardfile.h"

#include <QString>
#include <QStringList>
#include <optional>

// Runs the start-up for the argument string. Returns the exit status when the
// program is to end at once; nullopt when a window is open and the event loop
// is to run.
std::optional<int> Main(const QString &arguments);

// The same for the arguments as a desktop gives them, already split: a first
// argument naming an existing file is the card as it stands (readCommandLine).
std::optional<int> Main(const QStringList &arguments);

// Shows the message for a card that could not be read ("Fichier introuvable",
// "Fichier incorrect", or the write-failure message for its working file).
void showCardReadFailure(CardReadStatus status, const QString &folder);

// "Impossible d'écrire le fichier", a carriage return and path.
void showWriteFailed(const QString &path);
