#pragma once
// The numbered table of the interface's French texts.

#include <QList>
#include <QString>

// The text numbered id, exactly as stored (trailing blanks included); empty
// for a number that is not in the table.
QString resText(int id);

// Every number of the table, in ascending order.
QList<int> resTextIds();
