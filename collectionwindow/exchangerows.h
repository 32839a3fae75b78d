#pragma once
// What the collection window says of a viewing history matched to its
// cards, and of a collection or a spreadsheet imported into its folder: a
// row a movie, in words, and why a file is refused.

#include "collection/historymatch.h"
#include "exchange/cardsimport.h"
#include "exchange/catalogueimport.h"
#include "exchange/historyexport.h"

#include <atomic>
#include <functional>

struct ExchangeRow {
    // Changed to NotFound in the order of HistoryMatch::Outcome.
    enum class Kind { Changed, UpToDate, Ambiguous, NotFound, Written, Kept, Failed, Skipped };
    Kind kind = Kind::NotFound;
    QString movie {};
    QString cards {};   // relative to the collection's folder
    QString details {};
};
constexpr int kExchangeKinds = 8;
QString kindText(ExchangeRow::Kind kind);

ExchangeRow historyRow(const HistoryMatch &match, const QString &root);
ExchangeRow skippedRow(const SkippedRow &row);
// A card of an import: its name, in the folder imported into.
ExchangeRow importedRow(const ImportedMovie &movie, const ImportedCard &card);

// Why an export cannot be read, in words.
QString historyRefusal(const HistoryRead &refused);

struct CollectionImported {
    QString refusal {};   // why the file was read no further; empty when it was read
    QString leftOut {};   // the file's fields no card has a place for, in words
};
// Makes a card in folder for each movie of file (a Tellico or GCstar file by
// its extension, else a spreadsheet), a card of the same name there kept;
// onRow hears of each movie and each row left out, with how far the file
// is read, in thousandths. Stops once cancel is set.
CollectionImported importMovies(const QString &file, const QString &folder, const std::atomic<bool> &cancel,
    const std::function<void(const ExchangeRow &row, int permille)> &onRow);
