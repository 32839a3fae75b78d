// Cards and pictures dropped on the editor.
#include "editor/editorwindow.h"

#include "editor/actorlist.h"
#include "editor/editorlayout.h"
#include "editor/posterpanel.h"
#include "editor/summaryedit.h"
#include "layout/twips.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>

// The boxes take dropped text themselves; a card dropped on them is the
// editor's.
void EditorWindow::acceptDropsOnBoxes()
{
    setAcceptDrops(true);
    for (QWidget *box :
        std::initializer_list<QWidget *> { m_titleEdit, m_yearEdit, m_hoursEdit, m_minutesEdit, m_genreEdit,
            m_directorEdit, m_actorsBox->lineEdit(), m_summaryEdit, m_summaryEdit->viewport() })
        box->installEventFilter(this);
}

bool EditorWindow::event(QEvent *event)
{
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove
        && event->type() != QEvent::Drop)
        return QMainWindow::event(event);
    dragOver(this, event);
    return true;
}

bool EditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove
        || event->type() == QEvent::Drop)
        return dragOver(static_cast<QWidget *>(watched), event);
    return QMainWindow::eventFilter(watched, event);
}

// A card is opened wherever it is dropped, a picture is taken over the
// poster panel; anything else is left to the control under the mouse. True
// when the editor took the event.
bool EditorWindow::dragOver(QWidget *target, QEvent *event)
{
    auto *drag = static_cast<QDropEvent *>(event);
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::Drop)
        m_dragged = posterSource(*drag->mimeData());   // looked at once: each look asks the source
    const QPoint at = centralWidget()->mapFromGlobal(target->mapToGlobal(drag->position().toPoint()));
    const bool onPanel = at.x() >= twipsToPx(EditorLayout::PanelLeft);
    const bool card = m_dragged.kind == PosterSourceKind::Card;
    const bool picture
        = m_dragged.kind == PosterSourceKind::PictureFile || m_dragged.kind == PosterSourceKind::Pixels;
    // The window lets a picture in anywhere, or it would not hear it reach the panel.
    const bool entering = event->type() == QEvent::DragEnter && target == this;
    if (!card && !(picture && (onPanel || entering))) {
        drag->ignore();
        return false;
    }
    drag->setDropAction(Qt::CopyAction);   // never a move: the file stays where it was
    drag->accept();
    if (event->type() == QEvent::Drop) {
        // The drop ends first; the prompts and messages come after it.
        const QImage pixels
            = m_dragged.kind == PosterSourceKind::Pixels ? posterPixels(*drag->mimeData()) : QImage();
        QTimer::singleShot(0, this, [this, source = m_dragged, pixels] { takeDropped(source, pixels); });
    }
    return true;
}

void EditorWindow::takeDropped(const PosterSource &source, const QImage &pixels)
{
    // A card is opened as Open opens one, without its dialog.
    if (source.kind != PosterSourceKind::Card)
        m_posterPanel->take(source, pixels);
    else if (savePromptAllows())
        loadCard(source.path);
}
