#pragma once
// A viewing history (an export of the services people log their viewings
// on) matched to the cards of a collection: by IMDb identifier, else by
// title and year, and what each card it finds gains from it.

#include "card/card.h"

#include <QList>
#include <QString>
#include <QStringList>

// One movie of a history: one row of an export, or the rows of one movie merged.
struct HistoryEntry {
    QString title {};
    QString originalTitle {};
    int year = 0;      // 0: none given
    QString imdb {};   // "tt" and digits, or empty
    bool seen = false;
    int rating = 0;                    // 1 to 10; 0: none
    QString ratedOn {};                // when the rating was given, to keep the latest of several
    QStringList viewings {};           // dates, YYYY-MM-DD
    QStringList rewatches {};          // those of viewings the export calls re-watches
    QString viewingWhenNoneKnown {};   // a date taken as a viewing only when no other is known (IMDb's Date
                                       // Rated)
    QStringList tags {};
    QString file {};   // where it comes from, for the user
    qint64 line = 0;
};

// A card as the matcher knows it: how it is found, and what it holds of a history.
struct HistoryCard {
    QString path {};
    QString title {};
    QString originalTitle {};
    int year = 0;
    QString imdb {};
    bool seen = false;
    QStringList viewings {};
    int plays = 0;   // vu_fois; 0: not given
    int rating = 0;
    QStringList tags {};
};
HistoryCard historyCard(const QString &path, const CardValues &values);

// A title folded for matching: case, accents, punctuation, blanks and a
// leading article (le, la, les, l', un, une, des, the, a, an) left out.
// "L'Armée des ombres" and "armee des ombres" fold alike.
QString foldedTitle(const QString &title);

// Whether two entries are the same movie: the same IMDb identifier, or,
// without two different ones, a title in common and the same year.
bool sameMovie(const HistoryEntry &a, const HistoryEntry &b);
// The entries of one movie as one: every viewing, re-watch and tag, the
// latest rating, the first identifier and titles.
HistoryEntry mergedEntries(const QList<HistoryEntry> &entries);

struct HistoryGains {
    QList<CardEdit> edits {};   // none: the card is up to date
    int keptRating = 0;         // the export's rating, when the card keeps another (no replacing)
    int cardRating = 0;         // with keptRating: the card's own
};
// What card gains from movie: seen, the viewings it lacks (the fallback date
// when neither knows one), a count of plays when the first viewing known is
// a re-watch, the rating when it has none (or replacing), the tags it lacks,
// the IMDb identifier when it has none.
HistoryGains historyGains(const HistoryCard &card, const HistoryEntry &movie, bool replace);

struct HistoryMatch {
    enum class Outcome { Changed, UpToDate, Ambiguous, NotFound };
    Outcome outcome = Outcome::NotFound;
    HistoryEntry movie {};           // the rows of the movie merged; Ambiguous for one card: the first movie
    QStringList cards {};            // the card found; Ambiguous: every card in question
    QList<HistoryEntry> others {};   // Ambiguous for one card: the other movies that found it
    HistoryGains gains {};           // Changed: what the card gains; UpToDate: perhaps a rating kept
};

// Matches entries to cards: first by IMDb identifier where both have one,
// else by a title or original title that folds alike with years at most one
// apart (a card with another identifier is another movie). A movie that finds
// two cards, and a card that two movies find, are ambiguous and gain nothing.
// One match a movie (or a card, when ambiguous), in the entries' order.
QList<HistoryMatch> matchHistory(
    const QList<HistoryEntry> &entries, const QList<HistoryCard> &cards, bool replace);
