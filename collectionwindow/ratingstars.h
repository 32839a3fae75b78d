#pragma once
// A rating from 1 to 10 as five stars with halves, and the seen mark: as
// texts for the list and screen readers, and drawn on posters.

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

// "★★★½" for 7; empty for none.
QString ratingStars(int rating);
// "Note : 3,5 sur 5", as a screen reader says it.
QString ratingWords(int rating);
// The seen mark of the list.
inline const QString kSeenMark = QStringLiteral("✓");

// Five stars side by side in box (their height its height), those of the
// rating filled with on, a half for an odd rating, the others with off.
void paintStars(QPainter &painter, const QRectF &box, int rating, const QColor &on, const QColor &off);
// A round seen mark filling box: a check in fill's contrast.
void paintSeenMark(QPainter &painter, const QRectF &box, const QColor &fill, const QColor &check);
