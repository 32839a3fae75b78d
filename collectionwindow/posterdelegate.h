#pragma once
// An item of the collection's grid: the poster, its title under it on two
// lines at most, then its year, in the colours of the desktop's palette;
// on the poster, the seen mark and the rating's stars.

#include <QStyledItemDelegate>

class PosterDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // box: the poster's room, device-independent pixels.
    PosterDelegate(QSize box, QObject *parent = nullptr);
    void paint(
        QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QSize m_box;
    void paintMarks(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index,
        const QRectF &poster) const;
    void paintTexts(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index,
        const QRect &room) const;
};
