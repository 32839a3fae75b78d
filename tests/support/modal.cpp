#include "support/modal.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

constexpr int kPollMs = 10;
constexpr int kGuardMs = 5000;

// Closes its window and fails the test when the window is still open after
// a while; goes once the window is hidden.
class Guard : public QObject {
public:
    explicit Guard(QWidget *window) : QObject(window)
    {
        window->installEventFilter(this);
        m_timer.callOnTimeout(this, [this, window] {
            if (auto *dialog = qobject_cast<QDialog *>(window))
                dialog->reject();
            else
                window->close();
            QFAIL("a modal window was left open");
        });
        m_timer.start(kGuardMs);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Hide)
            deleteLater();
        return false;
    }

private:
    QTimer m_timer;
};

// Polls for the next modal window; it opens from within a call that the
// caller makes next, so the poll runs in that window's own event loop.
class ModalWatch : public QObject {
public:
    ModalWatch(std::function<void(QWidget *)> step, bool required)
        : m_step(std::move(step)), m_required(required)
    {
        m_waited.start();
        m_timer.callOnTimeout(this, &ModalWatch::poll);
        m_timer.start(kPollMs);
    }
    bool ran = false;

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            if (m_required && m_waited.elapsed() > kGuardMs) {
                deleteLater();
                QFAIL("no modal window opened");
            }
            return;
        }
        m_timer.stop();
        ran = true;
        new Guard(modal);
        m_step(modal);
        if (m_required)
            deleteLater();
    }

    std::function<void(QWidget *)> m_step;
    bool m_required;
    QTimer m_timer;
    QElapsedTimer m_waited;
};

}   // namespace

bool whileModal(const std::function<void()> &action, const std::function<void(QWidget *)> &step)
{
    ModalWatch watch(step, false);
    action();
    QCoreApplication::processEvents();
    return watch.ran;
}

void onNextModal(const std::function<void(QWidget *)> &step)
{
    new ModalWatch(step, true);
}
