#include "viewer/viewerwindow.h"

#include "card/nativepath.h"
#include "desktop/desktop.h"
#include "viewer/posterwindow.h"

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QUrl>

bool ViewerWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_posterLabel && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        onPosterClick(mouse->button(), mouse->globalPosition().toPoint());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ViewerWindow::playMovie()
{
    // The desktop's answer is not looked at: the viewer closes either way.
    desktop().openExternal(fileUrl(m_moviePath));
    close();
}

void ViewerWindow::onPosterClick(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::LeftButton)
        showFullView();
    else
        m_posterMenu->popup(globalPos);
}

void ViewerWindow::showFullView()
{
    PosterWindow::show(fullPoster(), this);
}
