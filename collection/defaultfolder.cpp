#include "collection/defaultfolder.h"

#include <QFileInfo>

QString collectionFolder(
    const QString &asked, const QString &lastOpened, const QString &movies, const QString &home)
{
    if (!asked.isEmpty())
        return asked;
    for (const QString &folder : { lastOpened, movies }) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return home;
}
