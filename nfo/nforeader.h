#pragma once
// Reading a movie .nfo, which may be hostile: bounded in size and depth.

#include "nfo/nfomovie.h"

#include <QIODevice>

enum class NfoStatus { Ok, NotMovie, NotXml, TooLarge, TooDeep };

// No real .nfo comes near: a larger one is refused before it is read.
constexpr qint64 kMaxNfoBytes = 4 * 1024 * 1024;
// How deep elements may nest inside one of the movie's; a real .nfo nests three.
constexpr int kMaxNfoNesting = 64;

struct NfoRead {
    NfoStatus status = NfoStatus::Ok;
    NfoMovie movie;
    qint64 line = 0;   // NotXml, TooDeep: where the XML breaks
    QString error;     // NotXml: the reader's words
};

// Reads a movie .nfo as media managers write them: every element a card has
// no field for is skipped, and of those that come once the first wins.
// Nothing may follow the root <movie> but comments and a line holding an
// address, which media centres allow.
NfoRead readNfo(QIODevice &in);
