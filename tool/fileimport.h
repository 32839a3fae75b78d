#pragma once
// import --csv, --tellico and --gcstar: the cards of a spreadsheet or of
// another catalogue, written into one folder.

#include "exchange/cardsimport.h"
#include "tool/cardtool.h"

// Makes a card in folder for each movie of file, named after its title; a
// card standing there is kept unless force. Returns the exit status.
int importFile(
    ToolIo &io, ImportSource source, const QString &file, const QString &folder, bool dryRun, bool force);
