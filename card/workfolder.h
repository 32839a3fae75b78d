#pragma once
// Short-lived working folders, one per load, save or preview, in the
// per-user cache folder of the program.

#include <QDateTime>
#include <QString>

namespace WorkFile {
inline const QString Info = QStringLiteral("/cfh_inf.tmp");      // card being assembled
inline const QString Image = QStringLiteral("/cfh_img.tmp");     // one poster, byte for byte
inline const QString Preview = QStringLiteral("/Preview.cfh");   // complete card for the viewer
}   // namespace WorkFile

// "$" and the date and time numbers in upper-case hexadecimal: kind 0 puts
// the date first, kind 1 the time first ($5D6A2A33DC4 and $33DC45D6A2A on
// 6 December 2026 at 21:24:20).
QString workFolderName(int kind, const QDateTime &now);

// The folder under which working folders are made (created with mode 0700
// when missing); empty when it cannot be made.
QString workBaseFolder();

// Creates a working folder of kind 0 or 1 in base and returns its path,
// without a final "/". A name already taken gets a counter suffix ("-2",
// "-3", ...). Empty when no folder could be made.
QString MakeWorkFolder(int kind, const QString &base, const QDateTime &now);
QString MakeWorkFolder(int kind);

// Deletes the three working files of folder, then the folder itself when it
// is empty; ignores every error. An empty text removes nothing.
void RemoveWorkFolder(const QString &folder);
