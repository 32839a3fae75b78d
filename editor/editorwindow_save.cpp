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

CardRecord EditorWindow::CollectRecord() const
{
    return makeRecord(txtTitre->text(), txtAnnee->text(), dureeHField(txtDuree1->text()), txtDuree2->text(),
        txtType->text(), txtRealisateur->text(), JoinActors(), resumeField(summary()));
}

QString EditorWindow::JoinActors() const
{
    return joinActorNames(actorNames());
}

QString EditorWindow::ChooseCardFileName(const QString &proposed, const QString &folder)
{
    return ShowFileDialog(FileDialogKind::Save, textOf(Text::SaveCardAsTitle), cardFilters(),
        kDocumentsFolder, this, FileDialogFlag::OverwritePrompt | FileDialogFlag::NoReadOnlyReturn, proposed,
        kCardExtension, folder);
}

QString EditorWindow::SaveNewCard()
{
    const QString path = ChooseCardFileName(txtTitre->text());
    if (path.isEmpty())
        return path;
    return saveSucceeded(writeWholeCard(path, CollectRecord(), m_card.posterToSave())) ? path : QString();
}

// The dialog opens where the card is, on its name. A poster removed since
// the load is not carried into the copy.
QString EditorWindow::SaveCardAs()
{
    const QString &source = m_card.file().path;
    const QString path = ChooseCardFileName(fileNameOf(source), QFileInfo(source).absolutePath());
    if (path.isEmpty())
        return path;
    const CardRecord record = CollectRecord();
    const SaveResult result = m_card.posterChanged() && m_card.posterToSave().isEmpty()
        ? writeWholeCard(path, record, QString())
        : writeCardCopy(source, path, record, m_card.posterToSave());
    return saveSucceeded(result) ? path : QString();
}

bool EditorWindow::RewriteCard(const QString &cardPath)
{
    return saveSucceeded(writeWholeCard(cardPath, CollectRecord(), m_card.posterToSave()));
}

bool EditorWindow::RewriteRecord(const QString &cardPath)
{
    return saveSucceeded(rewriteRecord(cardPath, CollectRecord()));
}
