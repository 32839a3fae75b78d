#include "editor/opencard.h"

#include "app/common.h"
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
