// The card's file changed on disk by another program: what the editor says
// and does.
#include "editor/editorwindow.h"

#include "card/filepaths.h"
#include "desktop/messages.h"
#include "editor/actorlist.h"

#include <QApplication>

// An unchanged card is read again quietly, once no actor's name is being
// typed; a changed one is the user's to decide. A card removed is said
// once, and marked changed, so that it is saved again before the editor
// forgets it. A new mode of the same file only tells whether Save may write.
void EditorWindow::checkDisk()
{
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        m_cardWatch->postpone();   // the user is answering something else
        return;
    }
    const QString path = m_card.file().path;
    const std::optional<CardVersion> onDisk = m_card.versionOnDisk();
    const DiskChange change = m_card.diskChange(onDisk);
    if (change == DiskChange::Changed && !m_card.modified() && m_actorsBox->typing()) {
        m_cardWatch->postpone();   // looked at again once the name is entered or cleared
        return;
    }
    m_card.noticeDisk(onDisk);
    if (onDisk && isFileReadOnly(path) != m_card.file().readOnly) {
        m_card.setReadOnly(!m_card.file().readOnly);
        setModified(m_card.modified());   // Save follows
    }
    if (change == DiskChange::Removed) {
        m_card.fileRemoved();
        setModified(true);
        showCardRemoved(path);
    } else if (change == DiskChange::Changed && !m_card.modified()) {
        loadCard(path);
    } else if (change == DiskChange::Changed && settleDiskChange()) {
        cardSaved();
    }
}

// The card as the boxes show it, in place of another program's version of
// its file: true when written. Asked again when that program wrote once more
// while the user was asked.
bool EditorWindow::settleDiskChange()
{
    for (;;) {
        const QString path = m_card.file().path;
        const std::optional<CardVersion> onDisk = m_card.versionOnDisk();
        m_card.noticeDisk(onDisk);
        switch (askCardChanged(path)) {
        case MsgAnswer::KeepMine: {
            if (!titleGiven())
                return false;
            const SaveResult result = m_card.replace(collectCard(), onDisk);
            if (result.status != SaveStatus::Changed)
                return saveSucceeded(result);
            break;
        }
        case MsgAnswer::Reload:
            loadCard(path);
            return false;
        default:
            return false;
        }
    }
}
