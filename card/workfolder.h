#pragma once
// Short-lived working folders, one per load, save or preview, in the
// per-user cache folder of the program. Each folder is held by a lock file
// beside it while its program runs, so that the folders of a program that
// was killed can be told from those of one still running.

#include <QDateTime>
#include <QString>

namespace WorkFile {
inline const QString Info = QStringLiteral("/cfh_inf.tmp");      // card being assembled
inline const QString Image = QStringLiteral("/cfh_img.tmp");     // one poster, byte for byte
inline const QString Preview = QStringLiteral("/Preview.cfh");   // complete card for the viewer
inline const QString Pasted = QStringLiteral("/cfh_pst.jpg");    // a pasted picture, the editor's poster
}   // namespace WorkFile

// "$" and the date and time numbers in upper-case hexadecimal: kind 0 puts
// the date first, kind 1 the time first ($5D6A2A33DC4 and $33DC45D6A2A on
// 6 December 2026 at 21:24:20).
QString workFolderName(int kind, const QDateTime &now);

enum class WorkBaseStatus {
    Ok,
    Unsafe,        // another user owns it, or others may write to it
    Unavailable,   // it cannot be made
};

struct WorkBase {
    WorkBaseStatus status = WorkBaseStatus::Ok;
    QString path;
};

// The folder under which working folders are made, created with mode 0700
// when missing. It is used only when it belongs to the user and no one else
// may write to it: anyone who could would read the posters and swap folders.
WorkBase workBase();

// Creates a working folder of kind 0 or 1 (mode 0700) in base and returns
// its path, without a final "/". A name already taken gets a counter suffix
// ("-2", "-3", ...). Empty when no folder could be made.
QString makeWorkFolder(int kind, const QString &base, const QDateTime &now);
QString makeWorkFolder(int kind);   // in workBase(), now; empty when the base is refused

// Deletes the working files of folder, then the folder itself when it
// is empty, and lets its lock go; ignores every error. An empty text
// removes nothing.
void removeWorkFolder(const QString &folder);

// Removes every working folder this program still holds (an end by signal).
void removeOwnWorkFolders();

// Removes the working folders in base that no running program holds: those
// left by a program that was killed.
void removeOrphanWorkFolders(const QString &base);
