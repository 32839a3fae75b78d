#pragma once
// The order of names and titles as a French reader expects it: accents after
// their letter and before the next ("Élan" between "E" and "F"), case second,
// numbers by value ("Film 2" before "Film 10").

#include <QCollator>
#include <QStringList>

#include <optional>

// A collator of that order. Not to be shared between threads: each takes its own.
QCollator frenchCollator();

// A key whose bytes compare as the name does in that order, for a name of
// printable ASCII whose numbers have no leading zero (most file names);
// nullopt for any other, which needs the collator.
std::optional<QByteArray> asciiFrenchKey(QStringView name);

// Sorts texts in that order; equal texts keep their order.
void sortFrench(QStringList &texts);

// A title as a French reader looks for it on a shelf: without its leading
// article, French or English ("Le Samouraï" under S, "L'Armée des ombres"
// under A, "The Kid" under K), whatever its case. "À" is no article; a
// title that is only an article stays whole.
QStringView titleWithoutArticle(QStringView title);
