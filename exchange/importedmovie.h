#pragma once
// A movie that another catalogue or a spreadsheet gives, as the card it
// makes: each value put in through applyEdit, whole, and what the card's
// rules refuse kept aside to be said.

#include "card/card.h"
#include "card/cardsave.h"
#include "card/fieldrules.h"

#include <QSet>
#include <QString>
#include <QStringList>

struct ImportedMovie {
    qint64 line = 0;   // where it begins in its file
    Card card {};
    PosterChoice poster { PosterChoice::Kind::Remove };
    QList<FieldProblem> refused {};   // values the card's rules refused, left out
    bool datedBySource = false;       // the file says when it was added, if ever: no date of today
    // A poster the file names but the card does not get, and why.
    enum class PosterLeft { None, Missing, OutOfFolder, NotPicture };
    PosterLeft posterLeft = PosterLeft::None;
    QString posterName {};

    QString title() const { return cardValues(card).text(Field::Titre); }
    // Sets field to text, or adds items to a list; nothing for a blank value.
    void set(Field field, const QString &text);
    void add(Field field, const QStringList &items);
};

// A running time as people write it ("142", "142 min", "2h22", "2 h 22 min",
// "2:22") as minutes; -1 when it is none of those.
int minutesOf(const QString &text);
// Sets heures and minutes from a number of minutes.
void setRunningTime(ImportedMovie &movie, int minutes);

// The file names of the cards one import writes in a folder: the title as
// a file name (each of / \ : * ? < > | " and control characters made "_",
// a leading "." too, so that no card is hidden, cut to what a name holds),
// then ".cfh"; a name this import gave already takes " (year)", then a
// number.
class CardNames {
public:
    QString nameFor(const QString &title, const QString &year);

private:
    QSet<QString> m_given;
};

// Writes the card at cardPath anew from card and poster (none when
// empty). A card standing there is replaced under its lock, as one change
// against other writers, and keeps the date it was added unless card has
// one; a new card is dated today unless card is. links says what becomes of
// a link at cardPath. A new card does not wait for the disk: the files it
// is made from (an NFO and its poster, a table) stay.
SaveResult writeImportedCard(
    const QString &cardPath, const Card &card, const QString &poster, LinkAtPath links);
// The same with a poster of any kind (Remove: none); AsGiven writes the
// card's date of addition as it stands, blank too (a table that has the column).
enum class Dating { WhenUndated, AsGiven };
SaveResult writeImportedCard(const QString &cardPath, const Card &card, const PosterChoice &poster,
    LinkAtPath links, Dating dating = Dating::WhenUndated);
