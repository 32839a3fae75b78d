#include "viewer/posterwindow.h"

#include "app/common.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMap>
#include <QMouseEvent>

namespace {

constexpr int kMargin = 25;   // twips around the picture

QMap<QString, std::function<QPixmap()>> &sources()
{
    static QMap<QString, std::function<QPixmap()>> map;
    return map;
}

PosterWindow *g_current = nullptr;

}   // namespace

void PosterWindow::setPosterSource(const QString &windowName, std::function<QPixmap()> source)
{
    sources().insert(windowName, std::move(source));
}

PosterWindow *PosterWindow::current()
{
    return g_current;
}

void PosterWindow::View(const QString &Sender)
{
    const auto source = sources().value(Sender);
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
    picViewLarger = new QLabel(this);
    picViewLarger->setObjectName(QStringLiteral("picViewLarger"));
    picViewLarger->setPixmap(picture);
    picViewLarger->resize(picture.size());
    picViewLarger->move(twipsToPx(kMargin), twipsToPx(kMargin));
    picViewLarger->installEventFilter(this);
    // The window is 50 twips larger than the picture, counted in twips.
    setFixedSize(twipsToPx(pxToTwips(picture.width()) + 2 * kMargin),
        twipsToPx(pxToTwips(picture.height()) + 2 * kMargin));
    setModal(true);
}

void PosterWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        Form_KeyPress(27);
}

bool PosterWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == picViewLarger && event->type() == QEvent::MouseButtonRelease
        && picViewLarger->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
        picViewLarger_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PosterWindow::Form_KeyPress(int KeyAscii)
{
    if (KeyAscii == 27)
        close();
}

void PosterWindow::picViewLarger_Click()
{
    close();
}
