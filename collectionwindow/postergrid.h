#pragma once
// The collection's grid: a wrapped list of items of one size, each a
// poster drawn by PosterDelegate, laid out in a blink however many.

#include <QListView>

class PosterGrid : public QListView {
    Q_OBJECT
public:
    // box: the poster's room, device-independent pixels.
    explicit PosterGrid(QSize box, QWidget *parent = nullptr);

protected:
    void dataChanged(
        const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles) override;
};
