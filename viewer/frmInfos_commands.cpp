#include "viewer/frmInfos.h"

#include "app/desktop.h"
#include "card/nativepath.h"
#include "viewer/frmViewLarger.h"
#include "viewer/viewerload.h"

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QUrl>

bool frmInfos::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == imgAffiche && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        imgAffiche_MouseUp(mouse->button(), mouse->globalPosition().toPoint());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmInfos::cmdPlay_Click()
{
    // The desktop's answer is not looked at: the viewer closes either way.
    desktop().openExternal(fileUrl(strDivXFile));
    close();
}

void frmInfos::cmdOK_Click()
{
    close();
}

void frmInfos::imgAffiche_MouseUp(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::LeftButton)
        mnuAfficheFull_Click();
    else
        mnuAffiche->popup(globalPos);
}

void frmInfos::mnuAfficheFull_Click()
{
    frmViewLarger::View(QStringLiteral("frmInfos"));
}

void frmInfos::mnuAfficheSave_Click()
{
    SavePosterAs(*this);
}
