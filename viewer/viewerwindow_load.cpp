// Reading a card into the viewer, and saving its poster.
#include "viewer/viewerwindow.h"

#include "app/common.h"
#include "app/messages.h"
#include "app/texts.h"
#include "card/cardfile.h"
#include "dialogs/filedialog.h"
#include "viewer/cardtexts.h"
#include "viewer/viewerfiles.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

const QString kPosterExtension = QStringLiteral("jpg");   // what a saved poster is named, whatever it holds

}   // namespace

bool ViewerWindow::showCard(const QString &cardPath, bool withPlay)
{
    if (!withPlay)
        instance().cmdPlay->setVisible(false);
    return load(cardPath, true);
}

bool ViewerWindow::showPreview(const QString &cardPath)
{
    return load(cardPath, false);
}

// The poster is drawn straight from the card, so the viewer needs no
// working copy of it.
bool ViewerWindow::load(const QString &cardPath, bool posterSavable)
{
    const CardHead head = readCardHead(cardPath);
    if (head.status != CardReadStatus::Ok) {
        if (exists() && !instance().isVisible())
            discard();
        showCardReadFailure(head.status, cardPath, QString());
        return false;
    }
    ViewerWindow &viewer = instance();
    viewer.m_cardPath = cardPath;
    viewer.FillViewer(head.record);
    viewer.strImageFile = head.posterBytes > 0 ? cardPath : QString();
    viewer.PositionsLoad();
    viewer.FindMovieFile(cardPath);
    viewer.mnuAfficheSave->setEnabled(posterSavable);
    viewer.showCentred();
    return true;
}

// A viewer already shown (a second preview) stays where the user put it.
void ViewerWindow::showCentred()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen && !isVisible())
        move(screen->availableGeometry().center() - rect().center());
    show();
}

void ViewerWindow::FillViewer(const CardRecord &record)
{
    const CardTexts texts = cardTexts(record, textOf(Text::ViewerYear), textOf(Text::ViewerRunningTime));
    lblAnnee->setText(texts.annee);
    lblDuree->setText(texts.duree);
    lblActeurs->setText(texts.acteurs);
    lblResume->setText(texts.resume);
    lblRealisateur->setText(texts.realisateur);
    lblType->setText(texts.type);
    lblTitre->setText(texts.titre);
}

void ViewerWindow::FindMovieFile(const QString &cardPath)
{
    // Emptied when there is none, so no earlier card's movie is ever played.
    strDivXFile = movieBesideCard(cardPath);
    if (strDivXFile.isEmpty())
        cmdPlay->setEnabled(false);
}

void ViewerWindow::SavePosterAs()
{
    const QString chosen
        = ShowFileDialog(FileDialogKind::Save, textOf(Text::SavePosterTitle), posterSaveFilters(),
            kDocumentsFolder, this, FileDialogFlag::OverwritePrompt | FileDialogFlag::NoReadOnlyReturn,
            lblTitre->text() + QLatin1Char('.') + kPosterExtension, kPosterExtension);
    if (!chosen.isEmpty())
        saveSucceeded(copyPoster(m_cardPath, chosen));
}
