#include "collectionwindow/ratingstars.h"

#include "texts/texts.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// A five-pointed star in a square of side size, its top-left corner at origin.
QPainterPath starPath(QPointF origin, qreal size)
{
    QPainterPath path;
    const QPointF centre = origin + QPointF(size / 2, size / 2 + size * 0.05);
    for (int point = 0; point < 10; ++point) {
        const qreal radius = (point % 2 ? 0.2 : 0.5) * size;
        const qreal angle = M_PI / 2 + point * M_PI / 5;
        const QPointF at = centre - QPointF(-std::cos(angle) * radius, std::sin(angle) * radius);
        point == 0 ? path.moveTo(at) : path.lineTo(at);
    }
    path.closeSubpath();
    return path;
}

}   // namespace

QString ratingStars(int rating)
{
    return QString(rating / 2, u'★') + (rating % 2 ? u"½"_s : QString());
}

QString ratingWords(int rating)
{
    return textOf(Text::RatingWords).arg(QLocale().toString(rating / 2.0, 'g', 2));
}

void paintStars(QPainter &painter, const QRectF &box, int rating, const QColor &on, const QColor &off)
{
    const qreal size = box.height();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int star = 0; star < 5; ++star) {
        const QPainterPath path = starPath(box.topLeft() + QPointF(star * size, 0), size);
        const int halves = std::clamp(rating - 2 * star, 0, 2);
        painter.fillPath(path, halves == 2 ? on : off);
        if (halves == 1) {
            painter.save();
            painter.setClipRect(QRectF(box.left() + star * size, box.top(), size / 2, size));
            painter.fillPath(path, on);
            painter.restore();
        }
    }
    painter.restore();
}

void paintSeenMark(QPainter &painter, const QRectF &box, const QColor &fill, const QColor &check)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawEllipse(box);
    QPen pen(check, box.width() / 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    const qreal w = box.width();
    const QPointF points[] = { box.topLeft() + QPointF(0.27 * w, 0.52 * w),
        box.topLeft() + QPointF(0.44 * w, 0.68 * w), box.topLeft() + QPointF(0.74 * w, 0.36 * w) };
    painter.drawPolyline(points, 3);
    painter.restore();
}
