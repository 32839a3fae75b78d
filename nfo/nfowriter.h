#pragma once
// Writing a movie .nfo as media centres read it.

#include "nfo/nfomovie.h"

#include <QIODevice>

// Writes movie in UTF-8, in the order media centres write their own, each
// empty element left out but the title; the comment mark (nfo/nfomark.h)
// comes first. False when out fails.
bool writeNfo(QIODevice &out, const NfoMovie &movie, const QString &mark);
