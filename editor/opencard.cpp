#include "editor/opencard.h"

#include "card/cardversion.h"
#include "card/filepaths.h"
#include "card/workfolder.h"

void OpenCard::startNew(const QString &name)
{
    m_file = CardFile { QString(), name, false };   // a card without a file is never read-only
    m_content = Card {};
}

void OpenCard::loaded(const QString &path, bool readOnly, const CardVersion &version)
{
    m_file = CardFile { path, fileNameOf(path), readOnly, version };
}

void OpenCard::saved(const CardVersion &written)
{
    m_file.version = written;
    m_file.noticed.reset();
    m_modified = false;
    m_posterChanged = false;
}

void OpenCard::savedAs(const QString &path, const CardVersion &written)
{
    m_file = CardFile { path, fileNameOf(path), false };
    saved(written);
}

DiskChange OpenCard::diskChange(const std::optional<CardVersion> &onDisk) const
{
    if (!hasFile() || onDisk == m_file.version || (onDisk && onDisk == m_file.noticed))
        return DiskChange::None;
    return onDisk ? DiskChange::Changed : DiskChange::Removed;
}

void OpenCard::noticeDisk(const std::optional<CardVersion> &onDisk)
{
    m_file.noticed = onDisk;
    // The bytes were found the same once the time settled: from now on, any
    // write moves the time, and the fingerprint alone tells.
    const auto &known = m_file.version;
    if (onDisk && known && onDisk->fingerprint.settled && !onDisk->digest.isEmpty()
        && !known->digest.isEmpty() && *onDisk == *known)
        m_file.version = CardVersion { onDisk->fingerprint, {} };
}

void OpenCard::keepPoster(const QString &folder)
{
    m_resetFolder = folder;
    m_posterChanged = false;
    m_posterRemoved = false;
}

void OpenCard::forgetPoster()
{
    m_resetFolder.clear();
    m_posterToSave.clear();
    m_posterRemoved = false;
}

QString OpenCard::ownPoster() const
{
    return m_resetFolder.isEmpty() ? QString() : m_resetFolder + WorkFile::Image;
}

void OpenCard::takePoster(const QString &path)
{
    m_posterToSave = path;
    m_posterRemoved = false;
    markPosterChanged();
}

void OpenCard::removePoster()
{
    m_posterToSave.clear();
    m_posterRemoved = true;
    markPosterChanged();
}

// A new card has nothing on disk to differ from: its first save writes it whole.
void OpenCard::markPosterChanged()
{
    if (hasFile())
        m_posterChanged = true;
}

QString OpenCard::posterShown() const
{
    if (!m_posterToSave.isEmpty())
        return m_posterToSave;
    return m_posterRemoved ? QString() : ownPoster();
}

PosterChoice OpenCard::posterToWrite() const
{
    return m_posterChanged ? posterShownToWrite() : PosterChoice {};
}

PosterChoice OpenCard::posterShownToWrite() const
{
    const QString poster = posterShown();
    if (poster.isEmpty())
        return { PosterChoice::Kind::Remove };
    return { PosterChoice::Kind::Replace, poster };
}

CardRead OpenCard::load(const QString &path, const QString &folder)
{
    const CardRead read = readCardFile(path, folder);
    if (read.status != CardReadStatus::Ok)
        return read;
    removeWorkFolders();
    loaded(path, isFileReadOnly(path), read.version);
    m_content = read.card;
    // A card without poster needs no reset folder.
    const bool hasPoster = fileExists(folder + WorkFile::Image);
    if (!hasPoster)
        removeWorkFolder(folder);
    keepPoster(hasPoster ? folder : QString());
    return read;
}

SaveResult OpenCard::save(const Card &card)
{
    SaveResult result = m_file.version
        ? replaceIfUnchanged(m_file.path, *m_file.version, card, posterToWrite(), LinkAtPath::Follow)
        : writeShown(card, std::nullopt);
    if (result.status == SaveStatus::SourceMissing && result.failedPath == m_file.path) {
        fileRemoved();
        result = writeShown(card, std::nullopt);
    }
    return savedIfWritten(result, card);
}

// The dialog asked before replacing: a link chosen there is replaced, not
// written through. A poster removed since the load is not carried into a copy,
// and one saved into the card is copied from it: its picture may be gone.
SaveResult OpenCard::saveAs(const QString &path, const Card &card)
{
    const QString taken = !hasFile() || m_posterChanged ? m_posterToSave : QString();
    const SaveResult result = !hasFile() || (m_posterChanged && m_posterToSave.isEmpty())
        ? writeWholeCard(path, card, taken, LinkAtPath::Replace)
        : writeCardCopy(m_file.path, path, card, taken, LinkAtPath::Replace);
    if (result.ok()) {
        m_content = card;
        savedAs(path, result.written);
    }
    return result;
}

SaveResult OpenCard::replace(const Card &card, const std::optional<CardVersion> &onDisk)
{
    return savedIfWritten(writeShown(card, onDisk), card);
}

// The card opened through a link stays the card saved.
SaveResult OpenCard::writeShown(const Card &card, const std::optional<CardVersion> &onDisk) const
{
    const PosterChoice poster = posterShownToWrite();
    if (onDisk)
        return replaceIfUnchanged(m_file.path, *onDisk, card, poster, LinkAtPath::Follow);
    if (cardFingerprint(m_file.path))
        return { SaveStatus::Changed, m_file.path };
    return writeWholeCard(m_file.path, card, poster.path, LinkAtPath::Follow);
}

SaveResult OpenCard::savedIfWritten(const SaveResult &result, const Card &card)
{
    if (result.ok()) {
        m_content = card;
        saved(result.written);
    }
    return result;
}

std::optional<CardVersion> OpenCard::versionOnDisk() const
{
    return cardVersion(m_file.path, m_file.version);
}

void OpenCard::takePoster(const QString &path, const QString &pasteFolder)
{
    if (!pasteFolder.isEmpty()) {
        removeWorkFolder(m_pasteFolder);   // its picture is no longer the poster
        m_pasteFolder = pasteFolder;
    }
    takePoster(path);
}

void OpenCard::removeWorkFolders()
{
    removeWorkFolder(m_resetFolder);
    removeWorkFolder(m_pasteFolder);
    m_pasteFolder.clear();
    forgetPoster();
}
