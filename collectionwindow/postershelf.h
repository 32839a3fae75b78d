#pragma once
// The posters a collection window shows, read off the interface's thread
// from the freedesktop thumbnail cache (made there when missing), scaled
// to the screen's pixels. Only the last few hundred are held, so memory
// stays flat however many cards there are.

#include <QCache>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QStringList>
#include <QThreadPool>

class PosterShelf : public QObject {
    Q_OBJECT
public:
    // Posters fit in box, device-independent pixels, drawn at ratio pixels each.
    explicit PosterShelf(QSize box, QObject *parent = nullptr);
    ~PosterShelf() override;

    QSize box() const { return m_box; }
    // A new ratio (another screen, another scale) drops the posters held.
    void setPixelRatio(qreal ratio);

    // The card's poster; null while it is read (it is asked for then, the
    // latest asked first) and when it has none that decodes.
    QImage poster(const QString &cardPath);
    // The card changed: its poster is read again when next asked for.
    void forget(const QString &cardPath);
    int heldCount() const { return int(m_held.count()); }
    // Whether posters asked for are still to come.
    bool busy() const { return !m_reading.isEmpty() || !m_wanted.isEmpty(); }

signals:
    // A poster asked for is ready: the card's item is to be drawn again.
    void arrived(const QString &cardPath);
    // The last poster asked for came.
    void idle();

private:
    void readNext();
    void take(const QString &cardPath, const QImage &poster, qreal ratio);

    QSize m_box;
    qreal m_ratio = 1;
    QCache<QString, QImage> m_held;   // costs in KiB
    QSet<QString> m_none;             // read, and no poster to show
    QStringList m_wanted;             // latest last; the oldest are dropped
    QSet<QString> m_reading;
    QThreadPool m_pool;
};
