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

// Polls for the next modal window (it opens from within the call the test
// makes next, so the poll runs in that window's own event loop), runs the
// step on it, then watches it: a window still open a while later is closed
// and the test fails.
class ModalWatch : public QObject {
public:
    ModalWatch(std::function<void(QWidget *)> step, bool required, QObject *parent = nullptr)
        : QObject(parent), m_step(std::move(step)), m_required(required)
    {
        m_clock.start();
        m_timer.callOnTimeout(this, &ModalWatch::poll);
        m_timer.start(kPollMs);
    }
    bool ran = false;

private:
    void poll()
    {
        if (ran && (!m_window || !m_window->isVisible()))
            return finish();
        if (m_clock.elapsed() > kGuardMs) {
            finish();
            if (!ran) {
                if (m_required)
                    QFAIL("no modal window opened");
                return;
            }
            if (auto *dialog = qobject_cast<QDialog *>(m_window.data()))
                dialog->reject();
            else
                m_window->close();
            QFAIL("a modal window was left open");
        }
        if (ran || !QApplication::activeModalWidget())
            return;
        ran = true;
        m_window = QApplication::activeModalWidget();
        m_clock.restart();
        m_step(m_window);
    }

    void finish()
    {
        m_timer.stop();
        if (m_required)
            deleteLater();
    }

    std::function<void(QWidget *)> m_step;
    bool m_required;
    QPointer<QWidget> m_window;
    QTimer m_timer;
    QElapsedTimer m_clock;
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
    // Owned by the application too, in case the test ends before it finishes.
    new ModalWatch(step, true, qApp);
}
