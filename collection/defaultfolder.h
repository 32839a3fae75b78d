#pragma once
// Which folder a collection opens on when none is named.

#include <QString>

// asked when given; else the last folder opened while it is still a folder;
// else the movies folder when there is one; else home.
QString collectionFolder(
    const QString &asked, const QString &lastOpened, const QString &movies, const QString &home);
