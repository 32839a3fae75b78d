// Writing the card shown in the editor.
#include "editor/frmMain.h"

#include "app/common.h"
#include "app/desktop.h"
#include "app/messages.h"
#include "app/modRess.h"
#include "card/cardfields.h"
#include "card/cardfile.h"
#include "card/cardsave.h"
#include "dialogs/filedialog.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>

CardRecord frmMain::CollectRecord() const
{
    return makeRecord(txtTitre->text(), txtAnnee->text(), dureeHField(txtDuree1->text()), txtDuree2->text(),
        txtType->text(), txtRealisateur->text(), JoinActors(), resumeField(summary()));
}

QString frmMain::JoinActors() const
{
    return joinActorNames(actorNames());
}

QString frmMain::ChooseCardFileName(const QString &proposed, const QString &folder)
{
    return ShowFileDialog(FileDialogKind::Save, strSaveAsTitle, cardFilters(), kDocumentsFolder, this,
        FileDialogFlag::OverwritePrompt | FileDialogFlag::NoReadOnlyReturn, proposed, kCardExtension, folder);
}

QString frmMain::SaveNewCard()
{
    const QString path = ChooseCardFileName(txtTitre->text());
    if (path.isEmpty())
        return path;
    // The dialog asked before replacing: a link chosen there is replaced, not written through.
    return saveSucceeded(writeWholeCard(path, CollectRecord(), lblAffiche, LinkAtPath::Replace)) ? path
                                                                                                 : QString();
}

// The dialog opens where the card is, on its name. A poster removed since
// the load is not carried into the copy.
QString frmMain::SaveCardAs()
{
    const QString path = ChooseCardFileName(fileNameOf(lblFile), QFileInfo(lblFile).absolutePath());
    if (path.isEmpty())
        return path;
    const CardRecord record = CollectRecord();
    const SaveResult result = blnAffiMod && lblAffiche.isEmpty()
        ? writeWholeCard(path, record, QString(), LinkAtPath::Replace)
        : writeCardCopy(lblFile, path, record, lblAffiche, LinkAtPath::Replace);
    return saveSucceeded(result) ? path : QString();
}

bool frmMain::RewriteCard(const QString &cardPath)
{
    // The card opened through a link stays the card saved: the one the user sees.
    return saveSucceeded(writeWholeCard(cardPath, CollectRecord(), lblAffiche, LinkAtPath::Follow));
}

bool frmMain::RewriteRecord(const QString &cardPath)
{
    return saveSucceeded(rewriteRecord(cardPath, CollectRecord(), LinkAtPath::Follow));
}
