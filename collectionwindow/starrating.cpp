#include "collectionwindow/starrating.h"

#include "collectionwindow/ratingstars.h"
#include "texts/texts.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr int kMostRating = 10;
constexpr int kMargin = 2;   // around the stars, pixels

// What the keys give: 1 to 9 that many half stars, 0 five stars,
// Backspace none; the arrows a half more or less. nullopt: no rating key.
std::optional<int> ratingOfKey(int key, int rating)
{
    if (key >= Qt::Key_1 && key <= Qt::Key_9)
        return key - Qt::Key_0;
    switch (key) {
    case Qt::Key_0:
        return kMostRating;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return 0;
    case Qt::Key_Right:
    case Qt::Key_Up:
        return std::min(rating + 1, kMostRating);
    case Qt::Key_Left:
    case Qt::Key_Down:
        return std::max(rating - 1, 0);
    default:
        return std::nullopt;
    }
}

}   // namespace

StarRating::StarRating(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setRating(0);
}

void StarRating::setRating(int rating)
{
    m_rating = std::clamp(rating, 0, kMostRating);
    setAccessibleName(m_rating > 0 ? ratingWords(m_rating) : textOf(Text::NoRatingEntry));
    update();
}

int StarRating::starSize() const
{
    return fontMetrics().height() + 4;
}

QSize StarRating::sizeHint() const
{
    return { 5 * starSize() + 2 * kMargin, starSize() + 2 * kMargin };
}

void StarRating::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRectF stars(kMargin, (height() - starSize()) / 2.0, 5 * starSize(), starSize());
    const QColor off = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Mid);
    paintStars(painter, stars, m_rating, isEnabled() ? QColor(255, 180, 0) : off, off);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

// A star's left half gives its half; a click on the rating shown takes it away.
void StarRating::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const qreal at = (event->position().x() - kMargin) / starSize();
    const int halves = std::clamp(int(std::floor(at * 2)) + 1, 1, kMostRating);
    choose(halves == m_rating ? 0 : halves);
}

void StarRating::keyPressEvent(QKeyEvent *event)
{
    const std::optional<int> rating = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)
        ? std::nullopt
        : ratingOfKey(event->key(), m_rating);
    if (!rating)
        return QWidget::keyPressEvent(event);
    choose(*rating);
}

void StarRating::choose(int rating)
{
    if (rating == m_rating)
        return;
    setRating(rating);
    emit ratingChosen(m_rating);
}
