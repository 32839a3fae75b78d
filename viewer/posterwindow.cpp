#include "viewer/posterwindow.h"

#include "layout/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {

constexpr int kMargin = 25;   // twips around the picture

}   // namespace

void PosterWindow::show(const QPixmap &picture, QWidget *owner)
{
    if (picture.isNull())
        return;
    PosterWindow &view = instance();
    view.setParent(owner, view.windowFlags());
    view.setPicture(picture);
    view.exec();
    discard();
}

PosterWindow::PosterWindow() : QDialog(nullptr, Qt::FramelessWindowHint | Qt::Dialog)
{
    m_pictureLabel = new QLabel(this);
    m_pictureLabel->setObjectName(QStringLiteral("pictureLabel"));
    m_pictureLabel->move(twipsToPx(kMargin), twipsToPx(kMargin));
    m_pictureLabel->installEventFilter(this);
    setModal(true);
}

void PosterWindow::setPicture(const QPixmap &picture)
{
    m_pictureLabel->setPixmap(picture);
    m_pictureLabel->resize(picture.size());
    // The window is 50 twips larger than the picture, counted in twips.
    setFixedSize(twipsToPx(pxToTwips(picture.width()) + 2 * kMargin),
        twipsToPx(pxToTwips(picture.height()) + 2 * kMargin));
}

void PosterWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        close();
}

bool PosterWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pictureLabel && event->type() == QEvent::MouseButtonRelease
        && m_pictureLabel->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
