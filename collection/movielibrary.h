#pragma once
// A movie library as media centres and media managers lay it out: a movie
// in a file of a video container, its sidecar NAME.nfo and its poster
// NAME-poster.EXT beside it, NAME being the movie's name without its
// extension; in a folder that holds one movie alone, movie.nfo, poster.EXT
// and folder.EXT belong to that movie.

#include "collection/folderentries.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The containers of a movie beside a card, in the order the viewer looks for them.
const QStringList &movieExtensions();
// The pictures a poster beside a movie may be, in the order they are looked for.
const QStringList &pictureExtensions();

// The movie beside the card: its name up to its last dot with a movie
// extension, in lower case, else in capitals, in the order above; empty
// when none exists.
QString movieBesideCard(const QString &cardPath);

// path without the extension of its file name (path itself when it has none).
QString withoutExtension(const QString &path);

struct LibraryMovie {
    QString folder {};
    QString name {};          // NAME: the movie file's name without its extension
    QString movie {};         // the movie file's name, the one the viewer plays
    QString nfo {};           // the sidecar's file name; empty when there is none
    QStringList posters {};   // names of the pictures that may be its poster, best first
    // folder/NAME.cfh: the card beside the movie, as the viewer finds it.
    QString card() const;
    QString path(const QString &fileName) const;
};

// The movies of a folder from its entries, in their order. A file named
// NAME-trailer.EXT is the trailer of NAME, not a movie; a movie's several
// containers (NAME.avi, NAME.mkv) are one movie.
std::vector<LibraryMovie> moviesOfFolder(const QString &folder, const std::vector<FolderEntry> &entries);

struct LibraryWalk {
    std::function<void(const LibraryMovie &)> onMovie;
    std::function<void(const QString &folder)> onUnreadable;
};

// Calls walk.onMovie for each movie of root and of every folder below it,
// a folder's movies before its folders; links to folders are not followed.
void walkLibrary(const QString &root, const LibraryWalk &walk);

// Whether the file at path, once every link is followed, lies in the same
// folder as the file at beside: a downloaded library must not reach into
// the user's other files through a link.
bool inFolderOf(const QString &path, const QString &beside);
