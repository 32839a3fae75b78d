#include "card/cardsave.h"

#include "card/basics.h"
#include "card/cardfile.h"

#include <QFile>

namespace {

SaveResult failed(SaveStatus status, const QString &path)
{
    return { status, path };
}

// The result of a transfer from source (read) to destination (written).
SaveResult transferred(Transfer transfer, const QString &source, const QString &destination)
{
    switch (transfer) {
    case Transfer::Done:
        return {};
    case Transfer::ReadFailed:
        return failed(SaveStatus::ReadFailed, source);
    case Transfer::WriteFailed:
        break;
    }
    return failed(SaveStatus::WriteFailed, destination);
}

}   // namespace

SaveResult writeWholeCard(const QString &cardPath, const CardRecord &record, const QString &posterPath)
{
    QFile poster(posterPath);
    if (!posterPath.isEmpty()) {
        if (!FileExists(posterPath))
            return failed(SaveStatus::PosterMissing, posterPath);
        if (!poster.open(QIODevice::ReadOnly))
            return failed(SaveStatus::ReadFailed, posterPath);
    }
    QIODevice *bytes = poster.isOpen() ? &poster : nullptr;
    return transferred(replaceFile(cardPath, [&](QIODevice &out) { return writeCard(out, record, bytes); }),
        posterPath, cardPath);
}

SaveResult writeCardCopy(
    const QString &sourceCard, const QString &cardPath, const CardRecord &record, const QString &posterPath)
{
    if (!posterPath.isEmpty())
        return writeWholeCard(cardPath, record, posterPath);
    if (!FileExists(sourceCard))
        return failed(SaveStatus::SourceMissing, sourceCard);
    QFile in(sourceCard);
    if (!in.open(QIODevice::ReadOnly))
        return failed(SaveStatus::ReadFailed, sourceCard);
    // A card that ends at or before its separator has no poster to carry over.
    char separator = CardLayout::Separator;
    QIODevice *poster = nullptr;
    if (in.size() > CardLayout::SeparatorOffset) {
        if (!in.seek(CardLayout::SeparatorOffset) || !in.getChar(&separator))
            return failed(SaveStatus::ReadFailed, sourceCard);
        poster = &in;
    }
    return transferred(
        replaceFile(cardPath, [&](QIODevice &out) { return writeCard(out, record, poster, separator); }),
        sourceCard, cardPath);
}

SaveResult rewriteRecord(const QString &cardPath, const CardRecord &record)
{
    return writeCardCopy(cardPath, cardPath, record, QString());
}
