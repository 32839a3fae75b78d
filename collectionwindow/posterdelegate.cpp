#include "collectionwindow/posterdelegate.h"

#include "collectionwindow/cardtablemodel.h"
#include "collectionwindow/ratingstars.h"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>

namespace {

constexpr int kMargin = 6;                 // around the poster and the texts, pixels
constexpr int kTitleLines = 2;             // a longer title ends with an ellipsis
constexpr int kExtraWidth = 3 * kMargin;   // the item is this much wider than a poster
constexpr qreal kMarkSize = 18;            // the seen mark's, pixels
constexpr qreal kStarSize = 13;

// The title's lines in width, the last one elided.
QStringList titleLines(const QString &title, const QFontMetrics &metrics, int width)
{
    QTextLayout layout(title);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() == kTitleLines - 1) {
            lines << metrics.elidedText(title.mid(line.textStart()).simplified(), Qt::ElideRight, width);
            break;
        }
        lines << title.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

}   // namespace

PosterDelegate::PosterDelegate(QSize box, QObject *parent) : QStyledItemDelegate(parent), m_box(box) { }

QSize PosterDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    const int lineHeight = option.fontMetrics.lineSpacing();
    return { m_box.width() + kExtraWidth, kMargin * 3 + m_box.height() + (kTitleLines + 1) * lineHeight };
}

void PosterDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    item.text.clear();
    item.icon = QIcon();
    const QWidget *view = option.widget;
    QStyle *style = view ? view->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &item, painter, view);

    const QImage poster = index.data(CardTableModel::PosterRole).value<QImage>();
    const QSizeF size = poster.deviceIndependentSize();
    const QRect room(option.rect.left() + (option.rect.width() - m_box.width()) / 2,
        option.rect.top() + kMargin, m_box.width(), m_box.height());
    // Posters stand on one line, whatever their heights.
    const QRectF target(room.left() + (room.width() - size.width()) / 2, room.bottom() + 1 - size.height(),
        size.width(), size.height());
    painter->drawImage(target, poster);
    paintMarks(painter, option, index, target);
    paintTexts(painter, option, index, room);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor = option.palette.color(QPalette::Base);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, view);
    }
}

// The seen mark at the poster's top right corner, the stars on a dark band
// at its foot: drawn on the picture, they read on any poster and any palette.
void PosterDelegate::paintMarks(QPainter *painter, const QStyleOptionViewItem &option,
    const QModelIndex &index, const QRectF &poster) const
{
    if (index.data(CardTableModel::SeenRole).toBool()) {
        const QRectF mark(poster.right() - kMarkSize - 2, poster.top() + 2, kMarkSize, kMarkSize);
        paintSeenMark(*painter, mark, option.palette.color(QPalette::Highlight),
            option.palette.color(QPalette::HighlightedText));
    }
    const int rating = index.data(CardTableModel::RatingRole).toInt();
    if (rating <= 0)
        return;
    const QRectF stars(
        poster.center().x() - 2.5 * kStarSize, poster.bottom() - kStarSize - 3, 5 * kStarSize, kStarSize);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(0, 0, 0, 150));
    painter->drawRoundedRect(stars.adjusted(-3, -2, 3, 2), 3, 3);
    painter->restore();
    paintStars(*painter, stars, rating, QColor(255, 196, 0), QColor(255, 255, 255, 110));
}

void PosterDelegate::paintTexts(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index, const QRect &room) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group
        = option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    const QColor text = option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    const int width = option.rect.width() - 2 * kMargin;
    const int lineHeight = option.fontMetrics.lineSpacing();
    QRect line(option.rect.left() + kMargin, room.bottom() + 1 + kMargin, width, lineHeight);
    painter->save();
    painter->setFont(option.font);
    painter->setPen(text);
    for (const QString &title : titleLines(index.data().toString(), option.fontMetrics, width)) {
        painter->drawText(line, Qt::AlignHCenter | Qt::AlignTop, title);
        line.translate(0, lineHeight);
    }
    QColor year = text;
    if (!selected)
        year = option.palette.color(group, QPalette::PlaceholderText);
    painter->setPen(year);
    painter->drawText(line, Qt::AlignHCenter | Qt::AlignTop, index.data(CardTableModel::YearRole).toString());
    painter->restore();
}
