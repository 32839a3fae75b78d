#pragma once
// What the About window shows and opens, computed without a window.

#include <QString>
#include <QUrl>

struct VersionLine {
    QString text;              // "Cinefiche 1.3 (rev 3)"
    bool preRelease = false;   // major 0: the mail button asks for bug reports
};

// The application title followed by its version: "major.minor", or
// "Bêta minor" when major is 0, then " (rev n)" unless the revision is 0.
VersionLine versionLine(int major, int minor, int revision);

// The addresses the About window shows as links.
QString webSiteAddress();
QString databaseHomeAddress();

// A new mail to the programmer with the subject given, encoded as a mailto
// address requires (blanks as %20, every reserved character escaped).
QUrl programmerMail(const QString &subject);
