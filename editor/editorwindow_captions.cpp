#include "app/texts.h"
#include "editor/editorwindow.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

// The captions are the catalogue's; the controls are placed after their widths.
void EditorWindow::setCaptions()
{
    lblTitre->setText(textOf(Text::TitleCaption));
    lblAnnee->setText(textOf(Text::YearCaption));
    lblDuree1->setText(textOf(Text::RunningTimeCaption));
    lblRealisateur->setText(textOf(Text::DirectorCaption));
    lblType->setText(textOf(Text::GenreCaption));
    lblActeurs->setText(textOf(Text::ActorsCaption));
    lblResume->setText(textOf(Text::SummaryCaption));
    m_card.startNew(textOf(Text::NewCardName));
    mnuFile->setTitle(textOf(Text::FileMenu));
    mnuFileNew->setText(textOf(Text::NewItem));
    mnuFileOpen->setText(textOf(Text::OpenItem));
    mnuFileSave->setText(textOf(Text::SaveItem));
    mnuFileSaveAs->setText(textOf(Text::SaveAsItem));
    mnuFilePrev->setText(textOf(Text::PreviewItem));
    mnuFileSearch->setText(textOf(Text::SearchItem));
    mnuFileExit->setText(textOf(Text::QuitItem));
    mnuPopAffi->setTitle(textOf(Text::PosterMenu));
    fraAffiche->setTitle(textOf(Text::PosterMenu));
    mnuPopFull->setText(textOf(Text::FullViewItem));
    mnuPopModif->setText(textOf(Text::ChangePosterItem));
    mnuPopPaste->setText(textOf(Text::PastePosterItem));
    mnuPopRem->setText(textOf(Text::RemovePosterItem));
    mnuPopReset->setText(textOf(Text::ResetPosterItem));
    mnuAbout->setText(textOf(Text::AboutItem));
    cmdAffiMod->setText(textOf(Text::ChangePosterItem));
    cmdAffiSupp->setText(textOf(Text::RemovePosterItem));
    cmdActSupp->setToolTip(textOf(Text::DeleteActorTip));
    cmdActSupp->setAccessibleName(textOf(Text::DeleteActorTip));
    PlaceControls();
}
