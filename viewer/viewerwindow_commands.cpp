#include "viewer/viewerwindow.h"

#include "app/desktop.h"
#include "viewer/posterwindow.h"

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QUrl>

bool ViewerWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == imgAffiche && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        imgAffiche_MouseUp(mouse->button(), mouse->globalPosition().toPoint());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ViewerWindow::cmdPlay_Click()
{
    // The desktop's answer is not looked at: the viewer closes either way.
    desktop().openExternal(QUrl::fromLocalFile(strDivXFile));
    close();
}

void ViewerWindow::cmdOK_Click()
{
    close();
}

void ViewerWindow::imgAffiche_MouseUp(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::LeftButton)
        mnuAfficheFull_Click();
    else
        mnuAffiche->popup(globalPos);
}

void ViewerWindow::mnuAfficheFull_Click()
{
    PosterWindow::View(QStringLiteral("ViewerWindow"));
}

void ViewerWindow::mnuAfficheSave_Click()
{
    SavePosterAs();
}
