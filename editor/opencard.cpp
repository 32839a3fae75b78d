#include "editor/opencard.h"

#include "app/common.h"
#include "card/workfolder.h"

void OpenCard::startNew(const QString &name)
{
    m_file = CardFile { QString(), name, false };   // a card without a file is never read-only
}

void OpenCard::loaded(const QString &path, bool readOnly)
{
    m_file = CardFile { path, fileNameOf(path), readOnly };
}

void OpenCard::saved()
{
    m_modified = false;
    m_posterChanged = false;
}

void OpenCard::savedAs(const QString &path)
{
    m_file = CardFile { path, fileNameOf(path), false };
    saved();
}

void OpenCard::keepPoster(const QString &folder)
{
    m_resetFolder = folder;
    m_posterChanged = false;
}

void OpenCard::forgetPoster()
{
    m_resetFolder.clear();
    m_posterToSave.clear();
}

QString OpenCard::ownPoster() const
{
    return m_resetFolder.isEmpty() ? QString() : m_resetFolder + WorkFile::Image;
}

void OpenCard::takePoster(const QString &path)
{
    m_posterToSave = path;
    markPosterChanged();
}

void OpenCard::removePoster()
{
    m_posterToSave.clear();
    markPosterChanged();
}

// A new card has nothing on disk to differ from: its first save writes it whole.
void OpenCard::markPosterChanged()
{
    if (hasFile())
        m_posterChanged = true;
}

QString OpenCard::posterForPreview() const
{
    if (!m_posterToSave.isEmpty())
        return m_posterToSave;
    return m_posterChanged ? QString() : ownPoster();
}
