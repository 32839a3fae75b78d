#pragma once
// The details beside the collection: the card chosen, its poster and exact
// texts, and what its user keeps of it (seen, rating, tags, saga, loan,
// copy, notes), each changed at once; with several cards chosen, the fields
// that are set for all of them.

#include "card/card.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QCompleter;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class StarRating;

class CardPane : public QWidget {
    Q_OBJECT
public:
    explicit CardPane(QWidget *parent = nullptr);

    // One card: its values as read, its poster (null: none).
    void showCard(const Card &card, const QImage &poster);
    // Several cards: count of them, whether all are seen, and the rating
    // they share (0: none or not the same).
    void showMany(int count, bool allSeen, int sharedRating);
    void showNothing();
    // The tags and sagas the collection holds, offered as one types.
    void setCompletions(const QStringList &tags, const QStringList &sagas);
    // A change of many cards under way: done of total, with Cancel; the
    // pane's controls wait for its end.
    void showProgress(qsizetype done, qsizetype total);
    void hideProgress();
    void setChanging(bool changing);
    // Whether the user is typing into one of its texts, which a new look
    // at the card would lose.
    bool isTyping() const;

signals:
    // Edits to make to the cards shown.
    void editsChosen(const QList<CardEdit> &edits);
    // An address to open (the movie's page on IMDb or TMDb).
    void addressChosen(const QUrl &address);
    void cancelChosen();

private:
    enum class Shown { Nothing, One, Many };
    Shown m_shown = Shown::Nothing;
    CardValues m_values;   // of the one card shown
    QLabel *m_posterLabel, *m_titleLabel, *m_aboutLabel, *m_countLabel;
    QCheckBox *m_seenBox;
    QLabel *m_viewingsLabel;
    QPushButton *m_seenTodayButton;
    StarRating *m_stars;
    QLabel *m_tagsLabel;
    QLineEdit *m_tagEdit;
    QPushButton *m_addTagButton, *m_removeTagButton;
    QLineEdit *m_sagaEdit, *m_originalTitleEdit, *m_lentToEdit, *m_supportEdit, *m_placeEdit;
    QLabel *m_lentSinceLabel, *m_identifiersLabel;
    QPlainTextEdit *m_notesEdit;
    QCompleter *m_tagCompleter, *m_sagaCompleter;
    QProgressBar *m_progressBar;
    QPushButton *m_cancelButton;
    QFormLayout *m_form;
    QPointer<QWidget> m_typedInto;   // the field that had the keyboard as many cards began to change

    void buildControls();
    void layOut();
    void setCaptions();
    void connectHandlers();
    void showOnlyFor(Shown shown);
    void showTexts(const QImage &poster);
    void showMine();
    bool eventFilter(QObject *watched, QEvent *event) override;

    // What the user did
    void chooseSeen(bool seen);
    void chooseSeenToday();
    void chooseRating(int rating);
    void chooseTag(CardEdit::Op op);
    void chooseText(Field field, QLineEdit *edit);
    void chooseLoan();
    void chooseNotes();
    void choose(const QList<CardEdit> &edits);
};
