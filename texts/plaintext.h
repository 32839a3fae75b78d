#pragma once
// Texts shown as they stand where Qt would read them as markup.

#include <QString>

// A tool tip that shows text exactly as it stands. Qt takes a tool tip
// whose first line looks like HTML for rich text, and would lay out what a
// file name or a card holds: a picture 32,000 pixels square, say.
QString plainToolTip(const QString &text);

// A window caption that shows text as it stands: Qt takes "[*]" in a
// caption for the place of the modified mark, and drops it.
QString plainCaption(const QString &caption);
