#pragma once
// What the commands over many cards share: reading cards from files and
// folders, and printing each as text, JSON or its path.

#include "collection/cardscan.h"
#include "tool/cardtool.h"

#include <QCommandLineOption>
#include <functional>

// Reads the cards of places (files, and folders: with scan.recursive, the
// folders below) as scan asks, calling onCard for each; a place that is no
// card, or a file that cannot be read, is said on err. Returns the status to
// end with.
int readPlaces(ToolIo &io, const QStringList &places, CardScan scan,
    const std::function<void(const ScannedCard &)> &onCard);

// The -r option of every command that takes folders.
QCommandLineOption recursiveOption();
// find's and show's --sans-cache: every card of a share read, none taken
// from the index of what was read before.
QCommandLineOption noCacheOption();

enum class CardFormat { Text, JsonArray, JsonLines, Paths, NulPaths };

// Whether a format reads the record's bytes alone.
RecordText recordTextFor(CardFormat format);

// Prints cards as they are read, in blocks, so a long list never piles up.
class CardPrinter {
public:
    CardPrinter(ToolStream &out, CardFormat format);
    void print(const ScannedCard &card);
    void finish();   // closes the JSON array and writes what is left

private:
    ToolStream &m_out;
    CardFormat m_format;
    bool m_terminal;   // out is a terminal: card texts and paths escaped
    int m_printed = 0;
    QByteArray m_block;   // cards not yet written
};
