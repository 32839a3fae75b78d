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
        report(io, ToolText::nfoNotMovie(path));
        return std::nullopt;
    case NfoStatus::TooLarge:
        report(io, ToolText::nfoTooLarge(path, kMaxNfoBytes));
        return std::nullopt;
    case NfoStatus::TooDeep:
        report(io, ToolText::nfoUnreadable(path, read.line, ToolText::nfoTooDeep(kMaxNfoNesting)));
        return std::nullopt;
    default:
        report(io, ToolText::nfoUnreadable(path, read.line, read.error));
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
        report(io, ToolText::nfoNoTitle(nfoPath));
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
            notes << ToolText::linkOutOfFolder(picture);
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

namespace {

QString addedOn(const Card &card)
{
    return cardValues(card).text(Field::AjouteeLe);
}

// card, dated on added unless it says when it was added.
Card dated(Card card, const QString &added)
{
    if (addedOn(card).isEmpty() && !added.isEmpty())
        applyEdit(card, { .field = Field::AjouteeLe, .text = added });
    return card;
}

}   // namespace

SaveResult writeImportedCard(
    const QString &cardPath, const Card &card, const QString &poster, LinkAtPath links)
{
    return writeImportedCard(cardPath, card, posterFromFile(poster), links);
}

SaveResult writeImportedCard(
    const QString &cardPath, const Card &card, const PosterChoice &poster, LinkAtPath links, Dating dating)
{
    const bool undated = dating == Dating::WhenUndated;
    if (readCardHead(cardPath).status != CardReadStatus::Ok)
        return writeWholeCard(cardPath, undated ? dated(card, isoDate(QDate::currentDate())) : card, poster,
            links, Durability::Written);
    return changeCard(
        cardPath,
        [&](Card &stored) {
            stored = undated ? dated(card, addedOn(stored)) : card;
            return true;
        },
        poster, links);
}
