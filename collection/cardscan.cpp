#include "collection/cardscan.h"

#include "card/nativepath.h"
#include "collection/folderentries.h"

#include <sys/stat.h>

namespace {

class Walk {
public:
    explicit Walk(const CardScan &scan) : m_scan(scan) { }

    // A place named by the user: a folder, even through a link, or a file.
    bool place(const QString &path)
    {
        struct stat info { };
        if (::stat(nativePath(path).constData(), &info) == 0 && S_ISDIR(info.st_mode))
            return folder(path);
        return file(path, true);
    }

private:
    const CardScan &m_scan;

    void problem(const QString &path, CardReadStatus status) const
    {
        if (m_scan.onProblem)
            m_scan.onProblem(path, status);
    }

    bool file(const QString &path, bool named) const
    {
        ScannedCard card { path, readCardHead(path, m_scan.poster, m_scan.text) };
        const CardReadStatus status = card.head.status;
        if (status == CardReadStatus::Ok)
            return m_scan.onCard(card);
        if (named || (status != CardReadStatus::Missing && status != CardReadStatus::NotCard))
            problem(path, status);
        return true;
    }

    bool folder(const QString &path)
    {
        const auto entries = folderEntries(path);
        if (!entries) {
            problem(path, CardReadStatus::Unreadable);
            return true;
        }
        for (const FolderEntry &entry : *entries) {
            const bool going = !entry.folder ? file(entryPath(path, entry.name), false)
                : m_scan.recursive           ? folder(entryPath(path, entry.name))
                                             : true;
            if (!going)
                return false;
        }
        return true;
    }
};

}   // namespace

bool scanCards(const QStringList &places, const CardScan &scan)
{
    Walk walk(scan);
    for (const QString &place : places) {
        if (!walk.place(place))
            return false;
    }
    return true;
}
