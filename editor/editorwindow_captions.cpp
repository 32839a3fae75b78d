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
    m_titleCaption->setText(textOf(Text::TitleCaption));
    m_yearCaption->setText(textOf(Text::YearCaption));
    m_runningTimeCaption->setText(textOf(Text::RunningTimeCaption));
    m_directorCaption->setText(textOf(Text::DirectorCaption));
    m_genreCaption->setText(textOf(Text::GenreCaption));
    m_actorsCaption->setText(textOf(Text::ActorsCaption));
    m_summaryCaption->setText(textOf(Text::SummaryCaption));
    m_card.startNew(textOf(Text::NewCardName));
    m_fileMenu->setTitle(textOf(Text::FileMenu));
    m_newAction->setText(textOf(Text::NewItem));
    m_openAction->setText(textOf(Text::OpenItem));
    m_saveAction->setText(textOf(Text::SaveItem));
    m_saveAsAction->setText(textOf(Text::SaveAsItem));
    m_previewAction->setText(textOf(Text::PreviewItem));
    m_searchAction->setText(textOf(Text::SearchItem));
    m_quitAction->setText(textOf(Text::QuitItem));
    m_posterMenu->setTitle(textOf(Text::PosterMenu));
    m_posterFrame->setTitle(textOf(Text::PosterMenu));
    m_fullViewAction->setText(textOf(Text::FullViewItem));
    m_changePosterAction->setText(textOf(Text::ChangePosterItem));
    m_pastePosterAction->setText(textOf(Text::PastePosterItem));
    m_removePosterAction->setText(textOf(Text::RemovePosterItem));
    m_resetPosterAction->setText(textOf(Text::ResetPosterItem));
    m_aboutAction->setText(textOf(Text::AboutItem));
    m_changePosterButton->setText(textOf(Text::ChangePosterItem));
    m_removePosterButton->setText(textOf(Text::RemovePosterItem));
    m_deleteActorButton->setToolTip(textOf(Text::DeleteActorTip));
    m_deleteActorButton->setAccessibleName(textOf(Text::DeleteActorTip));
    placeControls();
}
