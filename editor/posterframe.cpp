#include "editor/posterframe.h"

#include <QPainter>

void PosterFrame::paintEvent(QPaintEvent *)
{
    constexpr int kLineTop = 6, kCaptionLeft = 7, kCaptionPadding = 4;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, kLineTop + 0.5, -0.5, -0.5), 2, 2);
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(QString(title()).remove(QLatin1Char('&')));
    const QRect caption(
        kCaptionLeft, kLineTop - metrics.height() / 2, width + 2 * kCaptionPadding, metrics.height());
    painter.fillRect(caption, palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, title());
}
