#include "card/cardsave.h"

#include "app/common.h"
#include "card/cardfile.h"
#include "card/workfolder.h"

#include <QFile>

namespace {

SaveResult failed(SaveStatus status, const QString &path)
{
    return { status, path };
}

// The copy's bytes: the new header, then either the new poster or what the
// source holds after its record.
bool writeCopy(const QString &sourceCard, const QString &folder, const CardRecord &record, bool newPoster)
{
    QFile info(folder + WorkFile::Info);
    if (!info.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    const QByteArray header = cardHeader(record);
    if (info.write(header) != header.size())
        return false;
    QFile rest(newPoster ? folder + WorkFile::Image : sourceCard);
    if (!rest.open(QIODevice::ReadOnly))
        return false;
    if (newPoster || rest.size() <= CardLayout::SeparatorOffset) {
        if (info.write(QByteArray(1, CardLayout::Separator)) != 1)
            return false;
    } else if (!rest.seek(CardLayout::SeparatorOffset)) {
        return false;
    }
    return copyRest(rest, info);
}

// The poster copied into the working folder. The user saves a card, not a
// working file: a working file that cannot be written is the card's failure.
SaveResult stagePoster(const QString &folder, const QString &posterPath, const QString &cardPath)
{
    if (folder.isEmpty())
        return failed(SaveStatus::WriteFailed, cardPath);
    if (posterPath.isEmpty())
        return {};
    SaveResult result = PreparePosterFile(folder, posterPath);
    if (result.status == SaveStatus::WriteFailed)
        result.failedPath = cardPath;
    return result;
}

}   // namespace

SaveResult PreparePosterFile(const QString &folder, const QString &posterPath)
{
    if (!FileExists(posterPath))
        return failed(SaveStatus::PosterMissing, posterPath);
    QFile in(posterPath);
    QFile out(folder + WorkFile::Image);
    if (!in.open(QIODevice::ReadOnly))
        return failed(SaveStatus::PosterMissing, posterPath);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) || !copyRest(in, out))
        return failed(SaveStatus::WriteFailed, out.fileName());
    return {};
}

SaveResult writeWholeCard(const QString &cardPath, const CardRecord &record, const QString &posterPath)
{
    if (!posterPath.isEmpty() && !FileExists(posterPath))
        return failed(SaveStatus::PosterMissing, posterPath);
    const QString folder = MakeWorkFolder(0);
    SaveResult result = stagePoster(folder, posterPath, cardPath);
    if (result.ok() && !WriteInfoFile(folder, record))
        result = failed(SaveStatus::WriteFailed, cardPath);
    if (result.ok() && !AssembleCardFile(folder, cardPath, !posterPath.isEmpty()))
        result = failed(SaveStatus::WriteFailed, cardPath);
    RemoveWorkFolder(folder);
    return result;
}

SaveResult writeCardCopy(
    const QString &sourceCard, const QString &cardPath, const CardRecord &record, const QString &posterPath)
{
    if (!FileExists(sourceCard))
        return failed(SaveStatus::SourceMissing, sourceCard);
    if (!posterPath.isEmpty() && !FileExists(posterPath))
        return failed(SaveStatus::PosterMissing, posterPath);
    const QString folder = MakeWorkFolder(0);
    SaveResult result = stagePoster(folder, posterPath, cardPath);
    if (result.ok()
        && (!writeCopy(sourceCard, folder, record, !posterPath.isEmpty())
            || !replaceFileWith(folder + WorkFile::Info, cardPath)))
        result = failed(SaveStatus::WriteFailed, cardPath);
    RemoveWorkFolder(folder);
    return result;
}

SaveResult rewriteRecord(const QString &cardPath, const CardRecord &record)
{
    if (!FileExists(cardPath))
        return failed(SaveStatus::SourceMissing, cardPath);
    if (!WriteRecordInPlace(cardPath, record))
        return failed(SaveStatus::WriteFailed, cardPath);
    return {};
}
