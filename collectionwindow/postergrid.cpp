#include "collectionwindow/postergrid.h"

#include "collectionwindow/cardtablemodel.h"
#include "collectionwindow/posterdelegate.h"

PosterGrid::PosterGrid(QSize box, QWidget *parent) : QListView(parent)
{
    setViewMode(QListView::ListMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setMovement(QListView::Static);
    setSpacing(4);
    setItemDelegate(new PosterDelegate(box, this));
}

// A poster that comes, or a card's marks and texts that change, change no
// item's size: the items are drawn again, and the others are not laid out
// again, as QListView would do for any change.
void PosterGrid::dataChanged(
    const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles)
{
    if (roles == QList<int> { CardTableModel::PosterRole } || roles == CardTableModel::kCardRoles)
        QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
    else
        QListView::dataChanged(topLeft, bottomRight, roles);
}
