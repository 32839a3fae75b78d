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
    return makeRecord(m_titleEdit->text(), m_yearEdit->text(), dureeHField(m_hoursEdit->text()),
        m_minutesEdit->text(), m_genreEdit->text(), m_directorEdit->text(), joinActorNames(actorNames()),
        resumeField(summary()));
}

QString EditorWindow::chooseCardPath(const QString &proposed, const QString &folder)
{
    return ShowFileDialog(FileDialogKind::Save, textOf(Text::SaveCardAsTitle), cardFilters(),
        kDocumentsFolder, this, FileDialogFlag::OverwritePrompt | FileDialogFlag::NoReadOnlyReturn, proposed,
        kCardExtension, folder);
}

QString EditorWindow::saveNewCard()
{
    const QString path = chooseCardPath(m_titleEdit->text());
    if (path.isEmpty())
        return path;
    // The dialog asked before replacing: a link chosen there is replaced, not written through.
    const SaveResult result
        = writeWholeCard(path, collectRecord(), m_card.posterToSave(), LinkAtPath::Replace);
    return saveSucceeded(result) ? path : QString();
}

// The dialog opens where the card is, on its name. A poster removed since
// the load is not carried into the copy.
QString EditorWindow::writeCopy()
{
    const QString &source = m_card.file().path;
    const QString path = chooseCardPath(fileNameOf(source), QFileInfo(source).absolutePath());
    if (path.isEmpty())
        return path;
    const CardRecord record = collectRecord();
    const SaveResult result = m_card.posterChanged() && m_card.posterToSave().isEmpty()
        ? writeWholeCard(path, record, QString(), LinkAtPath::Replace)
        : writeCardCopy(source, path, record, m_card.posterToSave(), LinkAtPath::Replace);
    return saveSucceeded(result) ? path : QString();
}

bool EditorWindow::rewriteWhole(const QString &cardPath)
{
    // The card opened through a link stays the card saved: the one the user sees.
    return saveSucceeded(
        writeWholeCard(cardPath, collectRecord(), m_card.posterToSave(), LinkAtPath::Follow));
}

bool EditorWindow::rewriteFields(const QString &cardPath)
{
    return saveSucceeded(rewriteRecord(cardPath, collectRecord(), LinkAtPath::Follow));
}
