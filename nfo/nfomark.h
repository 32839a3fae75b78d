#pragma once
// The mark of the .nfo files we write: a first comment, before the root,
// that begins with kNfoMarkWord. Media centres ignore comments; a program
// that rewrites the file drops it, and the file is then its own.

#include <QIODevice>
#include <QLatin1StringView>

#include <optional>

inline constexpr QLatin1StringView kNfoMarkWord("cinefiche-card");

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

// The mark of the .nfo in when it bears ours; the poster it records is the
// last three numbers after its last ";". Reads at most the file's first
// 4 KB; nullopt without the mark.
std::optional<NfoMark> readOwnMark(QIODevice &in);
