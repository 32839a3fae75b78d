#pragma once
// The scanner's reading with many cards in flight, for folders on a
// network share; cardscan.cpp chooses it by the file system's kind.

#include "collection/cardscan.h"
#include "collection/folderentries.h"

// The card named by entry in the folder at path, open as folder (-1: read
// by its path), as scan asks.
CardHead readFolderEntry(int folder, const QString &path, const FolderEntry &entry, const CardScan &scan);

// scanCards with readers cards read at once and folders listed ahead,
// every card, folder and problem given in the order of the plain walk.
bool scanConcurrently(const QStringList &places, const CardScan &scan, int readers);
