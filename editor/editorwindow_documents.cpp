// The File menu's document commands and the close request.
#include "editor/editorwindow.h"

#include "app/common.h"
#include "app/desktop.h"
#include "app/messages.h"
#include "app/texts.h"
#include "card/cardsave.h"
#include "card/workfolder.h"
#include "dialogs/filedialog.h"
#include "viewer/viewerwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>

void EditorWindow::newCard()
{
    ChangeEdit(false);
    mnuPopReset->setEnabled(false);   // a new card has no poster of its own
    show();
}

bool EditorWindow::openCard(const QString &path)
{
    ChangeEdit(false);
    mnuPopReset->setEnabled(false);
    if (!OpenInEditor(path))
        return false;
    show();
    return true;
}

void EditorWindow::mnuFileNew_Click()
{
    if (!savePromptAllows())
        return;
    emptyEditor();
    m_card.startNew(textOf(Text::NewCardName));
    mnuPopReset->setEnabled(false);
    ChangeEdit(false);
}

void EditorWindow::mnuFileOpen_Click()
{
    if (!savePromptAllows())
        return;
    const QString path = ShowFileDialog(FileDialogKind::Open, textOf(Text::OpenTitle), cardFilters(),
        kDocumentsFolder, this, FileDialogFlag::FileMustExist, QString());
    if (!path.isEmpty())
        OpenInEditor(path);
}

// A card dropped on the editor: Open without its dialog.
void EditorWindow::openDroppedCard(const QString &path)
{
    if (savePromptAllows())
        OpenInEditor(path);
}

void EditorWindow::mnuFileSave_Click()
{
    Save();
}

// True when the card was written. A refused, cancelled or failed save keeps
// the card's name, its modified mark and its poster mark.
bool EditorWindow::Save()
{
    if (!titleGiven())
        return false;
    bool saved = false;
    if (m_card.hasFile()) {
        const QString &path = m_card.file().path;
        saved = m_card.posterChanged() ? RewriteCard(path) : RewriteRecord(path);
    } else {
        const QString path = SaveNewCard();
        saved = !path.isEmpty();
        if (saved)
            m_card.savedAs(path);
    }
    if (saved)
        cardSaved();
    deselectActors();
    return saved;
}

void EditorWindow::mnuFileSaveAs_Click()
{
    if (!titleGiven())
        return;
    const QString path = SaveCardAs();
    if (!path.isEmpty()) {
        m_card.savedAs(path);
        cardSaved();
    }
    deselectActors();
}

// What every successful save leaves: the card is its file, unmodified.
void EditorWindow::cardSaved()
{
    m_card.saved();
    ChangeEdit(false);
    mnuPopReset->setEnabled(true);
}

void EditorWindow::mnuFilePrev_Click()
{
    if (titleGiven())
        PreviewCard();
}

void EditorWindow::mnuFileExit_Click()
{
    close();
}

// The card as it would be saved, shown in the viewer without its save item.
void EditorWindow::PreviewCard()
{
    const QString folder = MakeWorkFolder(1);
    const QString preview = folder + WorkFile::Preview;
    if (folder.isEmpty())
        showWorkFolderFailure();
    else if (saveSucceeded(writeWholeCard(preview, CollectRecord(), posterForPreview())))
        ViewerWindow::showPreview(preview);
    RemoveWorkFolder(folder);
}

// The preview falls back on the card's own poster unless it was removed.
QString EditorWindow::posterForPreview() const
{
    return m_card.posterForPreview();
}

bool EditorWindow::titleGiven()
{
    if (!txtTitre->text().isEmpty())
        return true;
    showTitleRequired();
    txtTitre->setFocus();
    return false;
}

// Asks about unsaved changes. True when the command may go on: No, or Yes
// and the card was really saved.
bool EditorWindow::savePromptAllows()
{
    if (!m_card.modified())
        return true;
    switch (askSaveChanges(m_card.file().name)) {
    case MsgAnswer::Yes:
        return Save();
    case MsgAnswer::No:
        return true;
    default:
        return false;
    }
}

void EditorWindow::closeEvent(QCloseEvent *event)
{
    if (m_closing) {   // a close request is already running; it decides
        event->ignore();
        return;
    }
    m_closing = true;
    bool Cancel = false;
    Form_QueryUnload(Cancel);
    m_closing = false;
    if (Cancel)
        event->ignore();
    else
        event->accept();
}

void EditorWindow::Form_QueryUnload(bool &Cancel)
{
    if (!savePromptAllows()) {
        Cancel = true;
        return;
    }
    removeWorkFolders();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible())
            window->close();
    }
}
