#pragma once
// The order of names and titles as a French reader expects it: accents after
// their letter and before the next ("Élan" between "E" and "F"), case second,
// numbers by value ("Film 2" before "Film 10").

#include <QCollator>
#include <QStringList>

// A collator of that order. Not to be shared between threads: each takes its own.
QCollator frenchCollator();

// Sorts texts in that order; equal texts keep their order.
void sortFrench(QStringList &texts);
