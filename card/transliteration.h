#pragma once
// What a reader of the record alone sees of a text Windows-1252 cannot hold.

#include <QString>

// text with each run of characters that have no Windows-1252 byte written
// in Latin letters by ICU's "Any-Latin; Latin-ASCII" ("Kieślowski" gives
// "Kieslowski", "Андрей" "Andrej"), the others kept as they are. A
// character still without a byte after it is left out: never a "?".
QString windows1252Form(const QString &text);
