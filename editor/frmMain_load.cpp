// Loading a card into the editor, and emptying the editor.
#include "editor/frmMain.h"

#include "app/common.h"
#include "app/messages.h"
#include "card/cardfields.h"
#include "card/cardfile.h"
#include "card/cardsave.h"
#include "card/workfolder.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>

bool frmMain::OpenInEditor(const QString &cardPath)
{
    // The file is read before anything is emptied, so a file that is no card
    // leaves the editor with the card it showed.
    const QString folder = MakeWorkFolder(0);
    const CardRead read = ReadCardFile(cardPath, folder);
    if (read.status != CardReadStatus::Ok) {
        RemoveWorkFolder(folder);
        showCardReadFailure(read.status, cardPath, folder);
        return false;
    }
    lblFile = cardPath;
    IsReadOnly = IsFileReadOnly(lblFile);
    lblFileName = fileNameOf(lblFile);
    ResetEditor(QString());
    FillEditor(read.record);
    KeepPosterCopy(folder);
    const QString poster = folder + WorkFile::Image;
    Pic2Img(FileExists(poster) ? poster : QString());
    RemoveWorkFolder(folder);
    mnuPopReset->setEnabled(true);
    ChangeEdit(false);
    return true;
}

void frmMain::ResetEditor(const QString &mode)
{
    RemoveWorkFolder(lblReset);
    if (mode == QLatin1String("End"))
        return;
    lblReset.clear();
    for (QLineEdit *box : { txtAnnee, txtDuree1, txtDuree2, txtRealisateur, txtTitre, txtType })
        box->clear();
    txtResume->clear();
    lblAffiche.clear();
    strImageFile.clear();
    emptyActors();
    Pic2Img(QString());
    ChangeEdit(false);
}

// Each step stands alone: a field that holds no number leaves its box empty.
void frmMain::FillEditor(const CardRecord &record)
{
    txtAnnee->setText(TrimRight(record.Annee));
    if (const auto hours = hoursText(record.DureeH))
        txtDuree1->setText(*hours);
    if (const auto minutes = minutesText(record.DureeM))
        txtDuree2->setText(*minutes);
    FillActorList(record.Acteurs);
    txtResume->setPlainText(summaryText(record.Resume));
    txtRealisateur->setText(TrimRight(record.Realisateur));
    txtType->setText(TrimRight(record.Type));
    txtTitre->setText(TrimRight(record.Titre));
}

void frmMain::FillActorList(const QString &acteurs)
{
    for (const QString &name : splitActorNames(acteurs))
        addActorName(name);
    clearActorEdit();   // the list takes its first name as the edit text otherwise
}

// The reset folder keeps the card's own poster while the card is edited.
void frmMain::KeepPosterCopy(const QString &folder)
{
    strImageFile.clear();
    if (FileExists(folder + WorkFile::Image)) {
        lblReset = MakeWorkFolder(1);
        if (!lblReset.isEmpty() && PreparePosterFile(lblReset, folder + WorkFile::Image).ok()) {
            strImageFile = lblReset + WorkFile::Image;
        } else {
            RemoveWorkFolder(lblReset);
            lblReset.clear();
        }
    }
    blnAffiMod = false;
}
