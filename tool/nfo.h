#pragma once
// The movie sidecar file that media centres read: XML, root <movie>.

#include "card/card.h"

#include <QIODevice>
#include <QStringList>

#include <optional>

// What a movie .nfo holds that a card can use, in the file's order.
struct NfoMovie {
    QString title, year, premiered, runtime, plot;
    QStringList genres, directors, actors;
};

enum class NfoStatus { Ok, NotMovie, NotXml, TooLarge };

// No real .nfo comes near: a larger one is refused before it is read.
constexpr qint64 kMaxNfoBytes = 4 * 1024 * 1024;
// How deep elements may nest inside one of the movie's; a real .nfo nests two.
constexpr int kMaxNfoNesting = 64;

struct NfoRead {
    NfoStatus status = NfoStatus::Ok;
    NfoMovie movie;
    qint64 line = 0;   // NotXml: where the XML breaks
    QString error;     // NotXml: the reader's words
};

// Reads a movie .nfo as media managers write them: every element a card has
// no field for is skipped. Nothing may follow the root <movie> but comments
// and a line holding an address, which media centres allow.
NfoRead readNfo(QIODevice &in);

// The poster an export wrote beside its .nfo, as its mark records it: the
// file itself, so that a picture put in its place since is told apart.
struct WrittenPoster {
    qint64 bytes = -1;   // -1: no poster was written
    quint64 inode = 0;
    qint64 modifiedNs = 0;   // its modification time, in nanoseconds since 1970
    bool operator==(const WrittenPoster &) const = default;
};

struct NfoMark {
    WrittenPoster poster {};
};

// The mark of the .nfo in when it bears this tool's: a first comment, before
// the root, that begins with "cinefiche-card". Media centres ignore comments;
// a program that rewrites the file drops it, and the file is then its own.
// Reads at most the file's first 4 KB; nullopt without the mark.
std::optional<NfoMark> readOwnMark(QIODevice &in);

// Writes values as a movie .nfo (UTF-8), marked as this tool's, with the poster
// written beside it: title, year, runtime in minutes, one <genre> per part of
// the type between ", ", director, actors, plot. What cannot be written goes
// to notes; false when out fails.
bool writeNfo(QIODevice &out, const CardValues &values, QStringList &notes, const WrittenPoster &poster = {});
