#pragma once
// import --csv, --tellico and --gcstar: the cards of a spreadsheet or of
// another catalogue, written into one folder.

#include "tool/cardtool.h"

enum class ImportSource { Table, Tellico, Gcstar };

// Makes a card in folder for each movie of file, named after its title; a
// card standing there is kept unless force. Returns the exit status.
int importFile(
    ToolIo &io, ImportSource source, const QString &file, const QString &folder, bool dryRun, bool force);
