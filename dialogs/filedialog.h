#pragma once
// The one routine through which every file is chosen.

#include "desktop/desktop.h"

#include <QList>
#include <QString>

// The special folder number of the user's documents folder.
constexpr int kDocumentsFolder = 5;

// Replaces each of / \ : * ? < > | and the double quote by "_"; changes name
// in place and returns it.
QString cleanFileName(QString &name);

// The path of the special folder (only the documents folder is known),
// ending in "/"; empty when it cannot be found.
QString specialFolderPath(int folderNumber);

// The name proposed in the dialog: cleaned, with ".cfh" appended unless it
// has an extension; at most 254 characters.
QString proposedFileName(const QString &defaultName);

// Shows the open or save dialog, starting in startFolder
// when that is a folder, else in the special folder; returns the chosen full
// path without blanks around it, or empty when cancelled or for any other
// kind. A save dialog given an extension returns the name with it
// (withExtension), confirmed as the name replaced.
QString showFileDialog(FileDialogKind kind, const QString &title, const QList<FileFilter> &filters,
    int folderNumber, QObject *owner, quint32 options, const QString &defaultName,
    const QString &extension = {}, const QString &startFolder = {});

// The filter pairs of the dialogs, from the loaded filter texts.
QList<FileFilter> cardFilters();           // open a card, save a card under a new name
QList<FileFilter> posterChoiceFilters();   // choose a poster
QList<FileFilter> posterSaveFilters();     // save the viewer's poster
