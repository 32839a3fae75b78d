// The File menu's document commands and the close request.
#include "editor/editorwindow.h"

#include "card/cardsave.h"
#include "card/filepaths.h"
#include "card/workfolder.h"
#include "desktop/desktop.h"
#include "desktop/filedialog.h"
#include "desktop/messages.h"
#include "desktop/singlewindow.h"
#include "editor/actorlist.h"
#include "editor/posterpanel.h"
#include "texts/texts.h"
#include "viewer/viewerwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLineEdit>

void EditorWindow::newCard()
{
    setModified(false);
    m_posterPanel->setResettable(false);   // a new card has no poster of its own
    show();
}

bool EditorWindow::openCard(const QString &path)
{
    setModified(false);
    m_posterPanel->setResettable(false);
    if (!loadCard(path))
        return false;
    show();
    return true;
}

bool EditorWindow::editCard(const QString &path)
{
    if (!savePromptAllows() || !openCard(path))
        return false;
    raise();
    activateWindow();
    return true;
}

bool EditorWindow::newCardIn(const QString &folder)
{
    if (!startNewCard())
        return false;
    m_newCardFolder = folder;
    show();
    raise();
    activateWindow();
    return true;
}

bool EditorWindow::startNewCard()
{
    if (!savePromptAllows())
        return false;
    m_card.removeWorkFolders();
    m_card.startNew(textOf(Text::NewCardName));
    emptyEditor();
    m_cardWatch->watch(QString());
    m_posterPanel->setResettable(false);
    setModified(false);
    return true;
}

void EditorWindow::openChosenCard()
{
    if (!savePromptAllows())
        return;
    const QString path = showFileDialog(FileDialogKind::Open, textOf(Text::OpenTitle), cardFilters(),
        kDocumentsFolder, this, FileDialogFlag::FileMustExist, QString());
    if (!path.isEmpty())
        loadCard(path);
}

// True when the card was written. A refused, cancelled or failed save keeps
// the card's name, its modified mark and its poster mark.
// Save of a card with a file writes over it only while it is the file the
// editor loaded or saved; the user decides what becomes of another
// program's change.
bool EditorWindow::save()
{
    if (!titleGiven())
        return false;
    bool saved = false;
    if (m_card.hasFile()) {
        const SaveResult result = m_card.save(collectCard());
        saved = result.status == SaveStatus::Changed ? settleDiskChange() : saveSucceeded(result);
    } else {
        const QString path = chooseCardPath(m_titleEdit->text(), m_newCardFolder);
        saved = !path.isEmpty() && saveSucceeded(m_card.saveAs(path, collectCard()));
    }
    if (saved)
        cardSaved();
    m_actorsBox->deselect();
    return saved;
}

// The dialog opens where the card is, on its name.
void EditorWindow::saveAs()
{
    if (!titleGiven())
        return;
    const QString &source = m_card.file().path;
    const QString path = chooseCardPath(fileNameOf(source), QFileInfo(source).absolutePath());
    if (!path.isEmpty() && saveSucceeded(m_card.saveAs(path, collectCard())))
        cardSaved();
    m_actorsBox->deselect();
}

// What every successful save leaves: the card is its file, unmodified.
void EditorWindow::cardSaved()
{
    setModified(false);
    m_posterPanel->setResettable(true);
    m_cardWatch->watch(m_card.file().path);
}

// The card as it would be saved, shown in the viewer without its save item.
void EditorWindow::preview()
{
    if (!titleGiven())
        return;
    const QString folder = makeWorkFolder(1);
    const QString preview = folder + WorkFile::Preview;
    if (folder.isEmpty())
        showWorkFolderFailure();
    else if (saveSucceeded(writeWholeCard(preview, collectCard(), m_card.posterShown())))
        ViewerWindow::showPreview(preview);
    removeWorkFolder(folder);
}

bool EditorWindow::titleGiven()
{
    if (!m_titleEdit->text().isEmpty())
        return true;
    showTitleRequired();
    m_titleEdit->setFocus();
    return false;
}

// Asks about unsaved changes. True when the command may go on: No, or Yes
// and nothing is left unsaved.
bool EditorWindow::savePromptAllows()
{
    if (!m_card.modified())
        return true;
    switch (askSaveChanges(m_card.file().name)) {
    case MsgAnswer::Yes:
        // A card another program changed meanwhile may be reloaded instead:
        // nothing is left unsaved then either.
        save();
        return !m_card.modified();
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
    const bool closing = confirmClose();
    m_closing = false;
    if (closing)
        event->accept();
    else
        event->ignore();
}

// False when the user cancelled: the window stays. Otherwise the card's
// working folders go, and the other windows close with the editor, but
// for the collection the editor was opened from.
bool EditorWindow::confirmClose()
{
    if (!savePromptAllows())
        return false;
    m_card.removeWorkFolders();
    m_cardWatch->watch(QString());
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible() && !window->property(kOutlivesEditor).toBool())
            window->close();
    }
    return true;
}
