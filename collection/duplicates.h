#pragma once
// Which cards describe the same movie: those of one IMDb or TMDb
// identifier; else those of one title or original title (case and accents
// ignored) whose years are at most one apart. Two cards whose identifiers of
// one kind differ are two movies, and so are a movie and its remake of the
// same title, years apart.

#include "card/cardvalues.h"

#include <QByteArray>

#include <vector>

struct MovieIdentity {
    qint64 imdb = 0, tmdb = 0;         // the identifiers' numbers; 0: none
    QByteArray title, originalTitle;   // folded (foldedText), in UTF-8; empty: none
    int year = 0;                      // 0: unknown, which matches no year
};

// A card's identity, from its values.
MovieIdentity movieIdentity(const CardValues &values);
// The number of an IMDb identifier, "tt0103639", or of TMDb's; 0 for none.
qint64 identifierNumber(const QString &identifier);

// The groups of movies that are one: each two or more indexes into movies,
// increasing, the groups in the order of their first. Bounded work for any
// input: a card is compared with at most a few dozen others of its title.
std::vector<std::vector<int>> duplicateGroups(const std::vector<MovieIdentity> &movies);

// The fields whose values differ between two cards, in the field table's order.
QList<Field> differingFields(const CardValues &a, const CardValues &b);
