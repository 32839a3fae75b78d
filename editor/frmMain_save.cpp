// Writing the card shown in the editor.
#include "editor/frmMain.h"

#include "app/desktop.h"
#include "app/modMain.h"
#include "app/modRess.h"
#include "card/cardfields.h"
#include "card/cardsave.h"
#include "dialogs/filedialog.h"

#include <QLineEdit>
#include <QPlainTextEdit>

// A failed save says what went wrong and with which file; the card stays.
bool frmMain::reported(const SaveResult &result)
{
    switch (result.status) {
    case SaveStatus::Ok:
        return true;
    case SaveStatus::PosterMissing:
    case SaveStatus::SourceMissing:
        showMessage(strFileNotFound + QLatin1Char('\r') + result.failedPath, MsgIcon::Critical);
        return false;
    case SaveStatus::WriteFailed:
        showWriteFailed(result.failedPath);
        return false;
    }
    return false;
}

CardRecord frmMain::CollectRecord() const
{
    return makeRecord(txtTitre->text(), txtAnnee->text(), dureeHField(txtDuree1->text()), txtDuree2->text(),
        txtType->text(), txtRealisateur->text(), JoinActors(), txtResume->toPlainText());
}

QString frmMain::JoinActors() const
{
    return joinActorNames(actorNames());
}

QString frmMain::ChooseCardFileName(const QString &proposed)
{
    const QString path = ShowFileDialog(int(FileDialogKind::Save), strSaveAsTitle, cardFilters(),
        kDocumentsFolder, this, FileDialogFlag::OverwritePrompt | FileDialogFlag::NoReadOnlyReturn, proposed,
        QStringLiteral("cfh"));
    return path.isEmpty() ? path : withExtension(path, QStringLiteral("cfh"));
}

QString frmMain::SaveNewCard()
{
    const QString path = ChooseCardFileName(txtTitre->text());
    if (path.isEmpty())
        return path;
    return reported(writeWholeCard(path, CollectRecord(), lblAffiche)) ? path : QString();
}

// A poster removed since the load is not carried into the copy.
QString frmMain::SaveCardAs()
{
    const QString path = ChooseCardFileName(lblFile);
    if (path.isEmpty())
        return path;
    const CardRecord record = CollectRecord();
    const SaveResult result = blnAffiMod && lblAffiche.isEmpty()
        ? writeWholeCard(path, record, QString())
        : writeCardCopy(lblFile, path, record, lblAffiche);
    return reported(result) ? path : QString();
}

bool frmMain::RewriteCard(const QString &cardPath)
{
    return reported(writeWholeCard(cardPath, CollectRecord(), lblAffiche));
}

bool frmMain::RewriteRecord(const QString &cardPath)
{
    return reported(rewriteRecord(cardPath, CollectRecord()));
}
