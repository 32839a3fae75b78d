#include "editor/editorwindow.h"
#include "editor/posterpanel.h"
#include "texts/texts.h"

#include <QAction>
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
    m_posterPanel->setCaptions();
    m_aboutAction->setText(textOf(Text::AboutItem));
    m_deleteActorButton->setToolTip(textOf(Text::DeleteActorTip));
    m_deleteActorButton->setAccessibleName(textOf(Text::DeleteActorTip));
    placeControls();
}
