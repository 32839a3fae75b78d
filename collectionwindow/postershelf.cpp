#include "collectionwindow/postershelf.h"

#include "poster/thumbnailcache.h"

#include <QBuffer>
#include <QImageReader>
#include <QThread>

#include <sys/resource.h>
#include <unistd.h>

namespace {

// About a hundred and fifty posters at twice the pixels of a plain screen.
constexpr int kHeldKiB = 24 * 1024;
// Posters asked for and not yet being read: a screenful or two. Those of
// items scrolled past are dropped, and asked for again if they come back.
constexpr qsizetype kMostWanted = 96;
// The posters' threads' nice value: a busy machine still makes them, later.
constexpr int kPosterNice = 10;
// Posters being read a thread: the pool always has the next at hand while
// the interface's thread draws the last ones, and the latest asked still
// go first.
constexpr int kReadingPerThread = 4;

// The card's thumbnail at most box, in pixels: the normal one when it fills
// the box, a quarter of the large one's pixels to decode. A thumbnail is no
// larger than a large one: anything else in the cache is not decoded.
QImage readPoster(const QString &cardPath, QSize box, qreal ratio)
{
    QByteArray png = cardThumbnail(cardPath, std::max(box.width(), box.height()));
    QBuffer buffer(&png);
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    if (size.isEmpty() || size.width() > kLargeThumbnail || size.height() > kLargeThumbnail)
        return {};
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (image.width() > box.width() || image.height() > box.height())
        image = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    return image;
}

// A poster is read, or made with an empty cache, at a lower priority than
// the interface's thread: making them takes both cores, and the window must
// answer meanwhile. (Linux gives each thread its own nice value.)
void yieldToInterface()
{
    ::setpriority(PRIO_PROCESS, id_t(::gettid()), kPosterNice);
}

}   // namespace

PosterShelf::PosterShelf(QSize box, QObject *parent) : QObject(parent), m_box(box), m_held(kHeldKiB)
{
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

PosterShelf::~PosterShelf()
{
    m_pool.clear();
    m_pool.waitForDone();
}

void PosterShelf::setPixelRatio(qreal ratio)
{
    if (qFuzzyCompare(ratio, m_ratio))
        return;
    m_ratio = ratio;
    m_held.clear();
    m_none.clear();
}

QImage PosterShelf::poster(const QString &cardPath)
{
    if (const QImage *held = m_held.object(cardPath))
        return *held;
    if (m_none.contains(cardPath) || m_reading.contains(cardPath))
        return {};
    m_wanted.removeOne(cardPath);
    m_wanted << cardPath;
    if (m_wanted.size() > kMostWanted)
        m_wanted.removeFirst();
    readNext();
    return {};
}

void PosterShelf::forget(const QString &cardPath)
{
    m_held.remove(cardPath);
    m_none.remove(cardPath);
}

// The latest asked first: what the user looks at now.
void PosterShelf::readNext()
{
    while (!m_wanted.isEmpty() && m_reading.size() < kReadingPerThread * m_pool.maxThreadCount()) {
        const QString path = m_wanted.takeLast();
        m_reading.insert(path);
        const QSize pixels = (QSizeF(m_box) * m_ratio).toSize();
        const qreal ratio = m_ratio;
        m_pool.start([this, path, pixels, ratio] {
            yieldToInterface();
            const QImage poster = readPoster(path, pixels, ratio);
            QMetaObject::invokeMethod(
                this, [this, path, poster, ratio] { take(path, poster, ratio); }, Qt::QueuedConnection);
        });
    }
}

void PosterShelf::take(const QString &cardPath, const QImage &poster, qreal ratio)
{
    m_reading.remove(cardPath);
    if (qFuzzyCompare(ratio, m_ratio)) {
        if (poster.isNull())
            m_none.insert(cardPath);
        else
            m_held.insert(cardPath, new QImage(poster), int(poster.sizeInBytes() / 1024) + 1);
        emit arrived(cardPath);
    }
    readNext();
    if (!busy())
        emit idle();
}
