#pragma once
// Five stars with halves: a card's rating, or that given to many. The mouse
// chooses a star or its left half (the rating shown again: none); the keys 1
// to 9 give as many half stars, 0 five stars, Backspace none, the arrows a
// half more or less.

#include <QWidget>

class StarRating : public QWidget {
    Q_OBJECT
public:
    explicit StarRating(QWidget *parent = nullptr);
    int rating() const { return m_rating; }   // 1 to 10; 0: none
    // Shows rating, without saying it was chosen.
    void setRating(int rating);
    QSize sizeHint() const override;

signals:
    // The user chose a rating; 0: none.
    void ratingChosen(int rating);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_rating = 0;
    void choose(int rating);
    int starSize() const;
};
