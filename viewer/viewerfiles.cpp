#include "viewer/viewerfiles.h"

#include "card/cardfile.h"
#include "card/filepaths.h"
#include "card/nativepath.h"

#include <QFile>

#include <algorithm>

SaveResult copyPoster(const QString &cardPath, const QString &target)
{
    if (!fileExists(cardPath))
        return { SaveStatus::SourceMissing, cardPath };
    // The poster alone: an extension after it stays in the card.
    PosterDevice in(cardPath);
    if (!in.open(QIODevice::ReadOnly))
        return { SaveStatus::ReadFailed, cardPath };
    // The dialog asked before replacing: a link chosen there is replaced, not written through.
    const auto copy = [&](QIODevice &out) { return copyRest(in, out); };
    switch (replaceFile(target, copy, Durability::Written, LinkAtPath::Replace)) {
    case Transfer::Done:
        return {};
    case Transfer::ReadFailed:
        return { SaveStatus::ReadFailed, cardPath };
    case Transfer::NameTooLong:
        return { SaveStatus::NameTooLong, target };
    case Transfer::LinkRefused:
    case Transfer::WriteFailed:
        break;
    }
    return { SaveStatus::WriteFailed, target };
}
