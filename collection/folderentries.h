#pragma once
// A folder's entries as a collection walks them: without "." and "..", a
// link never taken for a folder (links to folders are not followed, so a
// loop is harmless), in French order of names.

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

struct FolderEntry {
    QString name;           // the name as the disk holds it (see nativePath)
    bool folder = false;    // a folder itself, not a link to one
    QByteArray native {};   // the name's own bytes
    bool regular = false;   // a regular file itself, as the listing says

    bool hidden() const { return name.startsWith(QLatin1Char('.')); }
};

// The entries of the folder at path in French order of their names;
// nullopt when it cannot be read to its end.
std::optional<std::vector<FolderEntry>> folderEntries(const QString &path);
// The same, of the folder open at the descriptor folder (which stays open).
std::optional<std::vector<FolderEntry>> folderEntriesAt(int folder, const QString &path);

// path + "/" + name, without doubling a final "/".
QString entryPath(const QString &folder, const QString &name);
