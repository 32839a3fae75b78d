// Reading a card into the viewer, and saving its poster.
#include "viewer/viewerwindow.h"

#include "card/cardfile.h"
#include "collection/movielibrary.h"
#include "desktop/filedialog.h"
#include "desktop/messages.h"
#include "texts/texts.h"
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
        instance().m_playButton->setVisible(false);
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
    viewer.showHead(cardPath, head);
    viewer.m_savePosterAction->setEnabled(posterSavable);
    // A preview's card is the editor's working file, gone at once: only the
    // user's own card is followed on disk.
    viewer.m_cardWatch->watch(posterSavable ? cardPath : QString());
    viewer.showCentred();
    if (head.extension == ExtensionStatus::Damaged)
        showExtensionDamaged(cardPath);
    return true;
}

void ViewerWindow::showHead(const QString &cardPath, const CardHead &head)
{
    m_cardPath = cardPath;
    m_shownFile = head.fingerprint;
    showTexts(head.card);
    m_posterCard = head.posterBytes > 0 ? cardPath : QString();
    placeControls();
    findMovie(cardPath);
}

// A card removed, or caught half written, leaves the card shown as it was:
// the viewer has nothing to lose, and a program that writes a card anew
// often removes the old one first. One read a moment after its last write
// may have been rewritten since without a sign: it is shown anew.
void ViewerWindow::showChangedCard()
{
    const CardHead head = readCardHead(m_cardPath);
    if (head.status == CardReadStatus::Ok && (head.fingerprint != m_shownFile || !m_shownFile.settled))
        showHead(m_cardPath, head);
}

// A viewer already shown (a second preview) stays where the user put it.
void ViewerWindow::showCentred()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen && !isVisible())
        move(screen->availableGeometry().center() - rect().center());
    show();
}

void ViewerWindow::showTexts(const Card &card)
{
    const CardTexts texts = cardTexts(card, textOf(Text::ViewerYear), textOf(Text::ViewerRunningTime));
    m_yearLabel->setText(texts.annee);
    m_runningTimeLabel->setText(texts.duree);
    m_actorsLabel->setText(texts.acteurs);
    m_summaryLabel->setText(texts.resume);
    m_directorLabel->setText(texts.realisateur);
    m_genreLabel->setText(texts.type);
    m_titleLabel->setText(texts.titre);
}

void ViewerWindow::findMovie(const QString &cardPath)
{
    // Emptied when there is none, so no earlier card's movie is ever played.
    m_moviePath = movieBesideCard(cardPath);
    m_playButton->setEnabled(!m_moviePath.isEmpty());
}

void ViewerWindow::savePosterAs()
{
    const QString chosen
        = showFileDialog(FileDialogKind::Save, textOf(Text::SavePosterTitle), posterSaveFilters(),
            kDocumentsFolder, this, FileDialogFlag::OverwritePrompt | FileDialogFlag::NoReadOnlyReturn,
            m_titleLabel->text() + QLatin1Char('.') + kPosterExtension, kPosterExtension);
    if (!chosen.isEmpty())
        saveSucceeded(copyPoster(m_cardPath, chosen));
}
