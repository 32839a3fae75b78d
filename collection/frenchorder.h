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
