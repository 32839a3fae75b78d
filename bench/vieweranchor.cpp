// The viewer's anchor: the least a Qt program does to show a JPEG 129 pixels
// wide, the poster's width in the viewer. It decodes at that size only.
//
// Usage: vieweranchor IMAGE [PAINT_DELAY_MS]
// A delay holds back the first paint; the benchmark uses it to check that
// what it measures really is the first paint.

#include <QApplication>
#include <QEvent>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QThread>

namespace {

constexpr int kPosterWidth = 129;

// Sleeps once, before the first paint of the watched widget.
class PaintDelay : public QObject {
public:
    explicit PaintDelay(int ms) : m_ms(ms) { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_ms > 0) {
            QThread::msleep(m_ms);
            m_ms = 0;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    int m_ms;
};

}   // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QImageReader reader(QString::fromLocal8Bit(argv[1]));
    const QSize size = reader.size();
    if (size.isEmpty())
        return 1;
    reader.setScaledSize(QSize(kPosterWidth, size.height() * kPosterWidth / size.width()));

    QLabel label;
    label.setWindowTitle(QStringLiteral("Affiche"));
    label.setPixmap(QPixmap::fromImage(reader.read()));
    PaintDelay delay(argc > 2 ? atoi(argv[2]) : 0);
    label.installEventFilter(&delay);
    label.show();
    return QApplication::exec();
}
