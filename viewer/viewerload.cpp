#include "viewer/viewerload.h"

#include "app/common.h"
#include "app/messages.h"
#include "app/texts.h"
#include "card/cardfile.h"
#include "dialogs/filedialog.h"
#include "viewer/cardtexts.h"
#include "viewer/viewerfiles.h"
#include "viewer/viewerwindow.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int kPreviewMode = 1;
const QString kPosterExtension = QStringLiteral("jpg");   // what a saved poster is named, whatever it holds

// A viewer already shown (a second preview) stays where the user put it.
void showCentred(ViewerWindow &viewer)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen && !viewer.isVisible())
        viewer.move(screen->availableGeometry().center() - viewer.rect().center());
    viewer.show();
}

}   // namespace

// The poster is drawn straight from the card, so the viewer needs no
// working copy of it.
bool OpenInViewer(const QString &cardPath, int mode)
{
    const CardHead head = readCardHead(cardPath);
    if (head.status != CardReadStatus::Ok) {
        if (ViewerWindow::exists() && !ViewerWindow::instance().isVisible())
            ViewerWindow::discard();
        showCardReadFailure(head.status, cardPath, QString());
        return false;
    }
    ViewerWindow &viewer = ViewerWindow::instance();
    viewer.cardPath = cardPath;
    FillViewer(viewer, head.record);
    SetViewerPoster(viewer, head.posterBytes > 0 ? cardPath : QString());
    viewer.PositionsLoad();
    FindMovieFile(viewer, cardPath);
    viewer.mnuAfficheSave->setEnabled(mode != kPreviewMode);
    showCentred(viewer);
    return true;
}

void FillViewer(ViewerWindow &viewer, const CardRecord &record)
{
    const CardTexts texts = cardTexts(record, textOf(Text::ViewerYear), textOf(Text::ViewerRunningTime));
    viewer.lblAnnee->setText(texts.annee);
    viewer.lblDuree->setText(texts.duree);
    viewer.lblActeurs->setText(texts.acteurs);
    viewer.lblResume->setText(texts.resume);
    viewer.lblRealisateur->setText(texts.realisateur);
    viewer.lblType->setText(texts.type);
    viewer.lblTitre->setText(texts.titre);
}

void SetViewerPoster(ViewerWindow &viewer, const QString &posterCard)
{
    viewer.strImageFile = posterCard;
}

void FindMovieFile(ViewerWindow &viewer, const QString &cardPath)
{
    // Emptied when there is none, so no earlier card's movie is ever played.
    viewer.strDivXFile = movieBesideCard(cardPath);
    if (viewer.strDivXFile.isEmpty())
        viewer.cmdPlay->setEnabled(false);
}

void SavePosterAs(ViewerWindow &viewer)
{
    const QString chosen
        = ShowFileDialog(FileDialogKind::Save, textOf(Text::SavePosterTitle), posterSaveFilters(),
            kDocumentsFolder, &viewer, FileDialogFlag::OverwritePrompt | FileDialogFlag::NoReadOnlyReturn,
            viewer.lblTitre->text() + QLatin1Char('.') + kPosterExtension, kPosterExtension);
    if (!chosen.isEmpty())
        saveSucceeded(copyPoster(viewer.cardPath, chosen));
}
