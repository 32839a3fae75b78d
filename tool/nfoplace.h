#pragma once
// Where a card's export to a movie library goes, and whose the files already
// standing there are: this tool's, which an export replaces, or those of
// another program or of the user, which it keeps unless forced.

#include "collection/movielibrary.h"
#include "nfo/nfomark.h"

#include <QString>
#include <QStringList>

#include <vector>

// The .nfo and the poster of one card's export.
struct NfoPlace {
    QString nfo {};           // the .nfo to write: the movie's own sidecar when it has one
    QString posterStem {};    // NAME-poster, the poster's path without its extension; empty: no poster
    QStringList posters {};   // the pictures standing there that may be the movie's poster
};

// The place of an export to the .nfo at nfoPath, named by the user or beside
// a card without a movie: NAME-poster.EXT beside it. Standard output ("-")
// takes no poster.
NfoPlace placeBeside(const QString &nfoPath);

// The places of cards beside their movies; each folder's entries are read
// once for all of its cards, which come folder after folder.
class LibraryPlaces {
public:
    // The export of the card beside moviePath: to the movie's sidecar as media
    // centres find it (NAME.nfo in any letter case, or movie.nfo in a folder
    // of one movie), else to NAME.nfo; its posters are those the library
    // gives the movie.
    NfoPlace placeOf(const QString &moviePath);

private:
    QString m_folder;   // the folder m_movies were found in
    std::vector<LibraryMovie> m_movies;
};

// Whose the .nfo standing at an export's place is. Nobody: no file, or a
// link or a device, left to the writer's own rules.
enum class Owner { Nobody, Us, Others };

struct StandingNfo {
    Owner owner = Owner::Nobody;
    WrittenPoster poster {};   // Us: the poster our mark records
};

// The .nfo at path: ours when it bears our mark, else another's (unreadable too).
StandingNfo standingNfo(const QString &path);

// What a picture standing at an export's place is to it.
enum class StandingPoster {
    None,          // no file, or a link or a device, left to the writer's own rules
    Ours,          // the very file the mark records, untouched since: replaced or removed
    CardsPoster,   // another file that holds the card's poster: nothing is lost over it, but it stays
    Others,        // the user's or a media manager's: kept unless forced
};

// The picture at path, given the poster the mark records (written) and the
// card's poster (posterBytes long; at most that is read).
StandingPoster standingPoster(
    const QString &path, const WrittenPoster &written, const QString &card, qint64 posterBytes);

// The poster at path as it now stands, for the mark of the .nfo beside it.
WrittenPoster writtenPoster(const QString &path);
