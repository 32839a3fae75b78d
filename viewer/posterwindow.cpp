#include "viewer/posterwindow.h"

#include "app/common.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMap>
#include <QMouseEvent>

namespace {

constexpr int kMargin = 25;   // twips around the picture

QMap<PosterOwner, std::function<QPixmap()>> &sources()
{
    static QMap<PosterOwner, std::function<QPixmap()>> map;
    return map;
}

PosterWindow *g_current = nullptr;

}   // namespace

void PosterWindow::setPosterSource(PosterOwner owner, std::function<QPixmap()> source)
{
    sources().insert(owner, std::move(source));
}

PosterWindow *PosterWindow::current()
{
    return g_current;
}

void PosterWindow::showPosterOf(PosterOwner owner)
{
    const auto source = sources().value(owner);
    const QPixmap picture = source ? source() : QPixmap();
    if (picture.isNull())
        return;   // an empty borderless window would only look like a frozen program
    PosterWindow view(picture, QApplication::activeWindow());
    g_current = &view;
    view.exec();
    g_current = nullptr;
}

PosterWindow::PosterWindow(const QPixmap &picture, QWidget *owner)
    : QDialog(owner, Qt::FramelessWindowHint | Qt::Dialog)
{
    m_pictureLabel = new QLabel(this);
    m_pictureLabel->setObjectName(QStringLiteral("pictureLabel"));
    m_pictureLabel->setPixmap(picture);
    m_pictureLabel->resize(picture.size());
    m_pictureLabel->move(twipsToPx(kMargin), twipsToPx(kMargin));
    m_pictureLabel->installEventFilter(this);
    // The window is 50 twips larger than the picture, counted in twips.
    setFixedSize(twipsToPx(pxToTwips(picture.width()) + 2 * kMargin),
        twipsToPx(pxToTwips(picture.height()) + 2 * kMargin));
    setModal(true);
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
