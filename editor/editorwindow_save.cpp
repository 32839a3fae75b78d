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
    return saveSucceeded(writeWholeCard(path, CollectRecord(), lblAffiche)) ? path : QString();
}

// The dialog opens where the card is, on its name. A poster removed since
// the load is not carried into the copy.
QString EditorWindow::SaveCardAs()
{
    const QString path = ChooseCardFileName(fileNameOf(lblFile), QFileInfo(lblFile).absolutePath());
    if (path.isEmpty())
        return path;
    const CardRecord record = CollectRecord();
    const SaveResult result = blnAffiMod && lblAffiche.isEmpty()
        ? writeWholeCard(path, record, QString())
        : writeCardCopy(lblFile, path, record, lblAffiche);
    return saveSucceeded(result) ? path : QString();
}

bool EditorWindow::RewriteCard(const QString &cardPath)
{
    return saveSucceeded(writeWholeCard(cardPath, CollectRecord(), lblAffiche));
}

bool EditorWindow::RewriteRecord(const QString &cardPath)
{
    return saveSucceeded(rewriteRecord(cardPath, CollectRecord()));
}
