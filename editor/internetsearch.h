#pragma once
// Searching the card database for a movie in the user's web browser.

#include <QPoint>
#include <QString>
#include <QUrl>

// The keywords as the search page reads them: each blank becomes "+", every
// other character but letters, digits and "-._~" is percent-encoded (UTF-8),
// so "&", "#", "+" or "%" in a title cannot change the query.
QByteArray searchKeywords(const QString &answer);

// The database's search page for the keywords typed.
QUrl searchAddress(const QString &answer);

// Asks for keywords (title: the menu caption without its "&" marks; proposal:
// the title typed so far; the box 32 and 43 pixels right of and below
// editorCorner, the editor window's outer top-left corner in global pixels)
// and opens the search page. Cancel or an empty answer opens nothing; a
// failed open is reported with the About window's error text.
void searchInternet(const QString &menuCaption, const QString &proposal, QPoint editorCorner);
