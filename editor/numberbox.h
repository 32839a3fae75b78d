#pragma once
// A line box that holds a number or nothing: a character that makes its
// text no number is said (showNotNumber) and taken back, one character per
// message, until what remains is empty or a number.

#include "desktop/messages.h"

class QLineEdit;

void keepNumeric(QLineEdit *box, NumberRule rule);
