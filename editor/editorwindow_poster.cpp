#include "editor/editorwindow.h"

#include "app/common.h"
#include "app/desktop.h"
#include "app/messages.h"
#include "app/texts.h"
#include "app/twips.h"
#include "card/workfolder.h"
#include "dialogs/filedialog.h"
#include "editor/editorlayout.h"
#include "poster/posterimage.h"
#include "viewer/posterwindow.h"

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

bool EditorWindow::showPoster(const QString &path)
{
    QPixmap picture;
    if (!path.isEmpty()) {
        const QImage image = decodePoster(path);
        if (image.isNull())
            return false;
        picture = QPixmap::fromImage(image);
    }
    // An empty picture is shown as no poster at all.
    qint16 height = 0;
    if (!picture.isNull()) {
        const auto scaled
            = scaledPosterHeight(Size { pxToTwips(picture.width()), pxToTwips(picture.height()) });
        if (!scaled)
            return false;
        height = *scaled;
    }
    const auto outer = editorOuterHeight(EditorLayout::ResumeBottom, EditorLayout::PosterTop + height);
    if (!outer)
        return false;
    m_poster = picture;
    m_posterLabel->setPixmap(picture);
    m_posterLabel->resize(twipsToPx(kPosterWidth), twipsToPx(height));
    m_posterLabel->show();
    setOuterHeight(*outer);
    return true;
}

bool EditorWindow::restoreOwnPoster()
{
    const QString path = m_card.ownPoster();
    if (path.isEmpty())
        return false;
    showPoster(path);
    m_card.takePoster(path);
    return true;
}

bool EditorWindow::takePosterFile(const QString &path, const QString &pasteFolder)
{
    if (!showPoster(path)) {
        const bool tooLarge = checkPosterFile(path).problem == PosterFileCheck::TooManyPixels;
        tooLarge ? showImageTooLarge() : showWrongImage();
        return false;
    }
    setModified(true);
    m_card.takePoster(path, pasteFolder);
    return true;
}

// The dialog opens again after a file that is no picture, until one is
// taken or the dialog is cancelled.
void EditorWindow::choosePoster()
{
    for (;;) {
        const QString path = ShowFileDialog(FileDialogKind::Open, textOf(Text::PosterChoiceTitle),
            posterChoiceFilters(), kDocumentsFolder, this, FileDialogFlag::FileMustExist, QString());
        if (path.isEmpty() || takePosterFile(path))
            return;
    }
}

// A removed poster is gone from the card: nothing left to save or to show
// in full, and for a card with a file the next save rewrites it without one.
void EditorWindow::removePoster()
{
    m_posterLabel->clear();
    m_posterLabel->hide();
    m_poster = QPixmap();
    m_card.removePoster();
    setOuterHeight(EditorLayout::ResumeBottom + EditorLayout::HeightAllowance);
    m_posterLabel->resize(m_posterLabel->width(), 0);
    setModified(true);
}

void EditorWindow::showFullView()
{
    PosterWindow::show(m_poster, this);
}

void EditorWindow::resetPoster()
{
    if (restoreOwnPoster())
        setModified(true);
}

// A click is a press and a release over the poster; the edges count as over.
// True when the event is the poster's.
bool EditorWindow::onPosterMouse(const QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        m_posterPressed = true;
        return true;
    }
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto *mouse = static_cast<const QMouseEvent *>(event);
    if (m_posterPressed) {
        m_posterPressed = false;
        clickPoster(mouse->button(), mouse->position() * kTwipsPerPixel);
    }
    return true;
}

// at: where the button came up, in twips from the poster's corner.
void EditorWindow::clickPoster(Qt::MouseButton button, QPointF at)
{
    const double width = pxToTwips(m_posterLabel->width());
    const double height = pxToTwips(m_posterLabel->height());
    if (at.x() < 0 || at.x() > width || at.y() < 0 || at.y() > height)
        return;
    if (button == Qt::RightButton) {
        const QPoint corner(twipsToPx(int(at.x())), twipsToPx(int(at.y())));
        m_posterMenu->setDefaultAction(m_fullViewAction);
        m_posterMenu->popup(m_posterLabel->mapToGlobal(corner), m_fullViewAction);
    } else if (button == Qt::LeftButton) {
        showFullView();
    }
}
