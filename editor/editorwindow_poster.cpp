// What the poster panel tells of the poster, put into the card.
#include "editor/editorwindow.h"

#include "editor/posterpanel.h"

void EditorWindow::takePoster(const QString &path, const QString &pasteFolder)
{
    setModified(true);
    m_card.takePoster(path, pasteFolder);
}

// For a card with a file, the next save rewrites it without poster.
void EditorWindow::removePoster()
{
    m_card.removePoster();
    setModified(true);
}

void EditorWindow::resetPoster()
{
    const QString own = m_card.ownPoster();
    if (own.isEmpty())
        return;
    m_posterPanel->showPicture(own);
    m_card.takePoster(own);
    setModified(true);
}
