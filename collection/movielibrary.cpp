#include "collection/movielibrary.h"

#include "card/filepaths.h"
#include "card/nativepath.h"

#include <QHash>

#include <cstdlib>

namespace {

// A file's name split at its last dot; the extension is empty without one.
std::pair<QString, QString> splitName(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return { name, QString() };
    return { name.left(dot), name.mid(dot + 1) };
}

// Where a movie's extension stands in the viewer's order (lower case before
// capitals); -1 for no movie the viewer plays.
qsizetype movieRank(const QString &extension)
{
    const qsizetype at = movieExtensions().indexOf(extension.toLower());
    if (at < 0 || (extension != extension.toLower() && extension != extension.toUpper()))
        return -1;
    return at * 2 + (extension == extension.toLower() ? 0 : 1);
}

bool isTrailer(const QString &name)
{
    return name.endsWith(QLatin1String("-trailer"), Qt::CaseInsensitive);
}

// The folder's files by their name with the extension in lower case, so
// that NAME.NFO and poster.JPG are found as media centres find them.
QHash<QString, QString> filesByName(const std::vector<FolderEntry> &entries)
{
    QHash<QString, QString> files;
    for (const FolderEntry &entry : entries) {
        if (entry.folder)
            continue;
        const auto [base, extension] = splitName(entry.name);
        files.insert(extension.isEmpty() ? base : base + QLatin1Char('.') + extension.toLower(), entry.name);
    }
    return files;
}

QStringList picturesNamed(const QHash<QString, QString> &files, const QString &base)
{
    QStringList found;
    for (const QString &extension : pictureExtensions()) {
        if (const auto file = files.constFind(base + QLatin1Char('.') + extension); file != files.cend())
            found << *file;
    }
    return found;
}

// Every movie's NAME with its best container, in the order of the entries.
std::vector<LibraryMovie> movieFiles(const QString &folder, const std::vector<FolderEntry> &entries)
{
    std::vector<LibraryMovie> movies;
    QHash<QString, std::pair<size_t, qsizetype>> seen;   // NAME: its movie, its container's rank
    for (const FolderEntry &entry : entries) {
        const auto [name, extension] = splitName(entry.name);
        const qsizetype rank = entry.folder || isTrailer(name) ? -1 : movieRank(extension);
        if (rank < 0)
            continue;
        const auto known = seen.constFind(name);
        if (known == seen.cend()) {
            seen.insert(name, { movies.size(), rank });
            movies.push_back({ .folder = folder, .name = name, .movie = entry.name });
        } else if (rank < known->second) {
            movies[known->first].movie = entry.name;
            seen[name].second = rank;
        }
    }
    return movies;
}

}   // namespace

const QStringList &movieExtensions()
{
    // "avi" then "divx" first, as cards have always expected; then the
    // containers today's players open, in a fixed order (the README gives it).
    static const QStringList extensions { QStringLiteral("avi"), QStringLiteral("divx"),
        QStringLiteral("mkv"), QStringLiteral("mp4"), QStringLiteral("m4v"), QStringLiteral("webm"),
        QStringLiteral("mov"), QStringLiteral("ogv"), QStringLiteral("mpg"), QStringLiteral("mpeg"),
        QStringLiteral("wmv") };
    return extensions;
}

const QStringList &pictureExtensions()
{
    static const QStringList extensions { QStringLiteral("jpg"), QStringLiteral("jpeg"),
        QStringLiteral("png"), QStringLiteral("gif"), QStringLiteral("bmp"), QStringLiteral("webp"),
        QStringLiteral("tif"), QStringLiteral("tiff") };
    return extensions;
}

QString movieBesideCard(const QString &cardPath)
{
    // The card's name up to its last dot; a dot of a folder name does not count.
    const qsizetype dot = cardPath.lastIndexOf(QLatin1Char('.'));
    if (dot <= cardPath.lastIndexOf(QLatin1Char('/')))
        return {};
    const QString base = cardPath.left(dot + 1);
    for (const QString &extension : movieExtensions()) {
        for (const QString &spelled : { extension, extension.toUpper() }) {
            if (fileExists(base + spelled))
                return base + spelled;
        }
    }
    return {};
}

QString withoutExtension(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return path.left(slash + 1) + splitName(path.mid(slash + 1)).first;
}

QString LibraryMovie::card() const
{
    return path(name + QStringLiteral(".cfh"));
}

QString LibraryMovie::path(const QString &fileName) const
{
    return entryPath(folder, fileName);
}

std::vector<LibraryMovie> moviesOfFolder(const QString &folder, const std::vector<FolderEntry> &entries)
{
    std::vector<LibraryMovie> movies = movieFiles(folder, entries);
    const QHash<QString, QString> files = filesByName(entries);
    const bool alone = movies.size() == 1;
    for (LibraryMovie &movie : movies) {
        movie.nfo = files.value(movie.name + QStringLiteral(".nfo"));
        if (movie.nfo.isEmpty() && alone)
            movie.nfo = files.value(QStringLiteral("movie.nfo"));
        movie.posters = picturesNamed(files, movie.name + QStringLiteral("-poster"));
        if (alone)
            movie.posters << picturesNamed(files, QStringLiteral("poster"))
                          << picturesNamed(files, QStringLiteral("folder"));
    }
    return movies;
}

void walkLibrary(const QString &root, const LibraryWalk &walk)
{
    const auto entries = folderEntries(root);
    if (!entries) {
        walk.onUnreadable(root);
        return;
    }
    for (const LibraryMovie &movie : moviesOfFolder(root, *entries))
        walk.onMovie(movie);
    for (const FolderEntry &entry : *entries) {
        if (entry.folder)
            walkLibrary(entryPath(root, entry.name), walk);
    }
}

bool inFolderOf(const QString &path, const QString &beside)
{
    const auto realFolder = [](const QString &file) {
        char *real = ::realpath(nativePath(file).constData(), nullptr);
        const QByteArray resolved(real);
        std::free(real);
        return resolved.left(std::max<qsizetype>(0, resolved.lastIndexOf('/')));
    };
    const QByteArray folder = realFolder(path);
    return !folder.isEmpty() && folder == realFolder(beside);
}
