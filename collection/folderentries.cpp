#include "collection/folderentries.h"

#include "card/nativepath.h"
#include "collection/frenchorder.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What a directory entry is, from readdir's type when it gives one. A link
// is never a folder here: it is read as a file.
bool isFolder(const QString &folder, const QString &name, unsigned char type)
{
    if (type != DT_UNKNOWN)
        return type == DT_DIR;
    struct stat info { };
    return ::lstat(nativePath(entryPath(folder, name)).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<std::vector<FolderEntry>> unsortedEntries(DIR *folder, const QString &path)
{
    if (folder == nullptr)
        return std::nullopt;
    std::vector<FolderEntry> entries;
    // errno tells the end of the folder from a failed read: cleared before
    // each read, as the look at an entry may set it.
    for (errno = 0; const dirent *entry = ::readdir(folder); errno = 0) {
        const QByteArrayView name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QString decoded = pathFromNative(name);
        entries.push_back(
            { decoded, isFolder(path, decoded, entry->d_type), name.toByteArray(), entry->d_type == DT_REG });
    }
    const bool complete = errno == 0;
    ::closedir(folder);
    return complete ? std::optional(std::move(entries)) : std::nullopt;
}

// Sorts entries by keys computed once a name: far fewer collations than
// comparing names pair by pair in a folder of thousands.
template <typename Key>
void sortByKeys(std::vector<FolderEntry> &entries, std::vector<std::pair<Key, qsizetype>> &keys)
{
    std::stable_sort(
        keys.begin(), keys.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<FolderEntry> sorted;
    sorted.reserve(entries.size());
    for (const auto &key : keys)
        sorted.push_back(std::move(entries[size_t(key.second)]));
    entries = std::move(sorted);
}

// Plain ASCII names, most folders' own, are sorted without the collator.
bool sortAscii(std::vector<FolderEntry> &entries)
{
    std::vector<std::pair<QByteArray, qsizetype>> keys;
    keys.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        std::optional<QByteArray> key = asciiFrenchKey(entries[i].name);
        if (!key)
            return false;
        keys.emplace_back(std::move(*key), qsizetype(i));
    }
    sortByKeys(entries, keys);
    return true;
}

void sortEntries(std::vector<FolderEntry> &entries)
{
    if (sortAscii(entries))
        return;
    const QCollator collator = frenchCollator();
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        keys.emplace_back(collator.sortKey(entries[i].name), qsizetype(i));
    sortByKeys(entries, keys);
}

}   // namespace

std::optional<std::vector<FolderEntry>> folderEntries(const QString &path)
{
    auto entries = unsortedEntries(::opendir(nativePath(path).constData()), path);
    if (entries)
        sortEntries(*entries);
    return entries;
}

std::optional<std::vector<FolderEntry>> folderEntriesAt(int folder, const QString &path)
{
    const int listed = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    DIR *stream = listed < 0 ? nullptr : ::fdopendir(listed);
    if (stream == nullptr && listed >= 0)
        ::close(listed);
    auto entries = unsortedEntries(stream, path);
    if (entries)
        sortEntries(*entries);
    return entries;
}

QString entryPath(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}
