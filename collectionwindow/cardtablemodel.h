#pragma once
// The cards a collection window shows, as its grid and its list read
// them: one row a card shown, one column a field.

#include "collection/cardcollection.h"

#include <QAbstractTableModel>
#include <QImage>

#include <functional>
#include <vector>

class PosterShelf;

// How many characters a column of the list mostly holds: its width.
int typicalCharacters(CardColumn column);

class CardTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role {
        PosterRole = Qt::UserRole + 1,   // QImage: the poster, or the card icon's pixels
        YearRole,                        // QString: the year; among duplicates, the folder too
        SeenRole,                        // bool
        RatingRole,                      // int: 1 to 10, 0 for none
    };

    CardTableModel(CardCollection &collection, PosterShelf &posters, QObject *parent = nullptr);
    // The roles of a card's texts and marks, which leave its item's size as it is.
    static const QList<int> kCardRoles;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    const CollectionCard &card(int row) const;
    // The row of the card at path; -1 when it is not shown.
    int rowOf(const QString &cardPath) const;
    // Runs change on the collection; the rows selected and current stay so
    // while their cards are still shown.
    void update(const std::function<void()> &change);
    // Puts cards read anew in place: when each stays where it was, only
    // their rows are drawn again, else the rows are placed anew as update does.
    void replaceCards(std::vector<CollectionCard> cards);

private:
    QString underPoster(const CollectionCard &card) const;
    void redrawPoster(const QString &cardPath);
    void mapRows();

    CardCollection &m_collection;
    PosterShelf &m_posters;
    QImage m_cardPicture;           // a card without a poster
    std::vector<int> m_rowOfCard;   // -1: not shown
};
