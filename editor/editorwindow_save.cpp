// Writing the card shown in the editor.
#include "editor/editorwindow.h"

#include "app/common.h"
#include "app/desktop.h"
#include "app/messages.h"
#include "app/texts.h"
#include "card/cardfields.h"
#include "card/cardfile.h"
#include "card/cardsave.h"
#include "dialogs/filedialog.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>

CardRecord EditorWindow::collectRecord() const
{
    return makeRecord({ m_titleEdit->text(), m_yearEdit->text(), dureeHField(m_hoursEdit->text()),
        m_minutesEdit->text(), m_genreEdit->text(), m_directorEdit->text(), joinActorNames(actorNames()),
        resumeField(summary()) });
}

QString EditorWindow::chooseCardPath(const QString &proposed, const QString &folder)
{
    return ShowFileDialog(FileDialogKind::Save, textOf(Text::SaveCardAsTitle), cardFilters(),
        kDocumentsFolder, this, FileDialogFlag::OverwritePrompt | FileDialogFlag::NoReadOnlyReturn, proposed,
        kCardExtension, folder);
}

bool EditorWindow::saveNewCard()
{
    const QString path = chooseCardPath(m_titleEdit->text(), m_newCardFolder);
    // The dialog asked before replacing: a link chosen there is replaced, not written through.
    return !path.isEmpty()
        && savedAs(path, writeWholeCard(path, collectRecord(), m_card.posterToSave(), LinkAtPath::Replace));
}

// The dialog opens where the card is, on its name. A poster removed since
// the load is not carried into the copy.
bool EditorWindow::writeCopy()
{
    const QString &source = m_card.file().path;
    const QString path = chooseCardPath(fileNameOf(source), QFileInfo(source).absolutePath());
    if (path.isEmpty())
        return false;
    const CardRecord record = collectRecord();
    return savedAs(path,
        m_card.posterChanged() && m_card.posterToSave().isEmpty()
            ? writeWholeCard(path, record, QString(), LinkAtPath::Replace)
            : writeCardCopy(source, path, record, m_card.posterToSave(), LinkAtPath::Replace));
}

bool EditorWindow::savedAs(const QString &path, const SaveResult &result)
{
    if (!saveSucceeded(result))
        return false;
    m_card.savedAs(path, result.written);
    return true;
}

// Save of a card with a file writes over it only while it is the file the
// editor loaded or saved; the user decides what becomes of another
// program's change. A file removed since is written anew.
bool EditorWindow::saveOverFile()
{
    const CardFile &file = m_card.file();
    SaveResult result = file.version ? replaceIfUnchanged(file.path, *file.version, collectRecord(),
                            m_card.posterToWrite(), LinkAtPath::Follow)
                                     : writeShownCard(std::nullopt);
    if (result.status == SaveStatus::SourceMissing && result.failedPath == file.path) {
        m_card.fileRemoved();
        result = writeShownCard(std::nullopt);
    }
    if (result.status == SaveStatus::Changed)
        return settleDiskChange();
    return savedOver(result);
}

// The card as the user sees it, in place of the file onDisk (nullopt: none
// there) that they chose to replace: Changed when another program wrote
// again since. The card opened through a link stays the card saved.
SaveResult EditorWindow::writeShownCard(const std::optional<CardVersion> &onDisk)
{
    const QString &path = m_card.file().path;
    const PosterChoice poster = m_card.posterShownToWrite();
    if (onDisk)
        return replaceIfUnchanged(path, *onDisk, collectRecord(), poster, LinkAtPath::Follow);
    if (cardFingerprint(path))
        return { SaveStatus::Changed, path };
    return writeWholeCard(path, collectRecord(), poster.path, LinkAtPath::Follow);
}

bool EditorWindow::savedOver(const SaveResult &result)
{
    if (!saveSucceeded(result))
        return false;
    m_card.saved(result.written);
    return true;
}
