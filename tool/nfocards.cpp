#include "tool/nfocards.h"

#include "card/cardfile.h"
#include "card/filepaths.h"
#include "card/nativepath.h"
#include "collection/movielibrary.h"
#include "nfo/nfoimport.h"
#include "tool/commandline.h"
#include "tool/tooltexts.h"

#include <QFile>

std::optional<NfoMovie> readMovie(ToolIo &io, const QString &path)
{
    QFile file;
    if (!fileExists(path) || !openForReading(file, path)) {
        report(io, unreadableFile(path));
        return std::nullopt;
    }
    const NfoRead read = readNfo(file);
    switch (read.status) {
    case NfoStatus::Ok:
        return read.movie;
    case NfoStatus::NotMovie:
        report(io, say(Say::NfoNotMovie, path));
        return std::nullopt;
    case NfoStatus::TooLarge:
        report(io, ToolText::nfoTooLarge(path, kMaxNfoBytes));
        return std::nullopt;
    case NfoStatus::TooDeep:
        report(io, say(Say::NfoUnreadable, path, read.line, say(Say::NfoTooDeep, kMaxNfoNesting)));
        return std::nullopt;
    default:
        report(io, say(Say::NfoUnreadable, path, read.line, read.error));
        return std::nullopt;
    }
}

std::optional<NfoCard> cardFromNfo(ToolIo &io, const QString &nfoPath)
{
    const auto movie = readMovie(io, nfoPath);
    if (!movie)
        return std::nullopt;
    QList<NfoNote> notes;
    NfoCard made { .card = cardOfMovie(*movie, notes) };
    if (cardValues(made.card).text(Field::Titre).isEmpty()) {
        report(io, say(Say::NfoNoTitle, nfoPath));
        return std::nullopt;
    }
    for (const NfoNote &note : notes)
        made.notes << ToolText::nfoNoteText(note);
    return made;
}

QString posterAmong(const QStringList &pictures, const QString &nfoPath, QStringList &notes)
{
    for (const QString &picture : pictures) {
        if (!inFolderOf(picture, nfoPath))
            notes << say(Say::LinkOutOfFolder, picture);
        else if (const auto problem = posterProblem(picture))
            notes << *problem;
        else
            return picture;
    }
    return {};
}

QStringList postersBesideNfo(const QString &nfoPath)
{
    QStringList found;
    for (const QString &extension : pictureExtensions()) {
        const QString beside = posterBesideNfo(nfoPath, extension);
        if (fileExists(beside))
            found << beside;
    }
    return found;
}
