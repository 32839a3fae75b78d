#include "tool/nfoplace.h"

#include "card/cardfile.h"
#include "card/nativepath.h"

#include <QFile>

#include <algorithm>
#include <sys/stat.h>

namespace {

bool regularFile(const QString &path, struct stat &info)
{
    return ::lstat(nativePath(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

WrittenPoster posterOf(const struct stat &info)
{
    const qint64 modifiedNs = qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    return { .bytes = info.st_size, .inode = info.st_ino, .modifiedNs = modifiedNs };
}

// Whether the file at path holds the poster of card, both size bytes long.
bool holdsPoster(const QString &path, const QString &card, qint64 size)
{
    QFile file;
    PosterDevice poster(card);
    if (!openForReading(file, path) || !poster.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 kBlock = 64 * 1024;
    for (qint64 done = 0; done < size;) {
        const QByteArray standing = file.read(kBlock);
        if (standing.isEmpty() || standing != poster.read(kBlock))
            return false;
        done += standing.size();
    }
    return true;
}

}   // namespace

NfoPlace placeBeside(const QString &nfoPath)
{
    if (nfoPath == u"-")
        return { .nfo = nfoPath };
    NfoPlace place { .nfo = nfoPath, .posterStem = withoutExtension(nfoPath) + QStringLiteral("-poster") };
    struct stat info { };
    for (const QString &extension : pictureExtensions()) {
        const QString picture = place.posterStem + QLatin1Char('.') + extension;
        if (::lstat(nativePath(picture).constData(), &info) == 0)
            place.posters << picture;
    }
    return place;
}

NfoPlace LibraryPlaces::placeOf(const QString &moviePath)
{
    const QString prefix = moviePath.left(moviePath.lastIndexOf(QLatin1Char('/')) + 1);
    const QString name = withoutExtension(moviePath.mid(prefix.size()));
    if (prefix != m_folder || m_movies.empty()) {
        const auto entries = folderEntries(prefix.isEmpty() ? QStringLiteral(".") : prefix);
        m_movies = entries ? moviesOfFolder(prefix, *entries) : std::vector<LibraryMovie>();
        m_folder = prefix;
    }
    const auto movie = std::find_if(
        m_movies.cbegin(), m_movies.cend(), [&](const LibraryMovie &movie) { return movie.name == name; });
    if (movie == m_movies.cend())   // a movie the library passes over, "NAME-trailer.mkv"
        return placeBeside(prefix + name + QStringLiteral(".nfo"));
    NfoPlace place { .nfo = prefix + (movie->nfo.isEmpty() ? name + QStringLiteral(".nfo") : movie->nfo),
        .posterStem = prefix + name + QStringLiteral("-poster") };
    for (const QString &poster : movie->posters)
        place.posters << prefix + poster;
    return place;
}

StandingNfo standingNfo(const QString &path)
{
    struct stat info { };
    if (!regularFile(path, info))
        return {};
    QFile file;
    if (!openForReading(file, path))
        return { .owner = Owner::Others };
    const std::optional<NfoMark> mark = readOwnMark(file);
    return mark ? StandingNfo { Owner::Us, mark->poster } : StandingNfo { Owner::Others };
}

StandingPoster standingPoster(
    const QString &path, const WrittenPoster &written, const QString &card, qint64 posterBytes)
{
    struct stat info { };
    if (!regularFile(path, info))
        return StandingPoster::None;
    if (written.bytes >= 0 && posterOf(info) == written)
        return StandingPoster::Ours;
    const bool holds = posterBytes > 0 && info.st_size == posterBytes && holdsPoster(path, card, posterBytes);
    return holds ? StandingPoster::CardsPoster : StandingPoster::Others;
}

WrittenPoster writtenPoster(const QString &path)
{
    struct stat info { };
    return regularFile(path, info) ? posterOf(info) : WrittenPoster {};
}
