#pragma once
// The one routine through which every file is chosen.

#include "app/desktop.h"

#include <QList>
#include <QString>

// The special folder number of the user's documents folder.
constexpr int kDocumentsFolder = 5;

// Replaces each of / \ : * ? < > | and the double quote by "_"; changes name
// in place and returns it.
QString CleanFileName(QString &name);

// The path of the special folder (only the documents folder is known),
// ending in "/"; empty when it cannot be found.
QString GetSpecialFolderPath(int folderNumber);

// The extension of a path's file name: the text after its last "." when
// that text is three characters long and holds no blank ("Dr. No" has
// none); empty otherwise. A dot in a folder name does not count.
QString extensionOf(const QString &path);

// The name proposed in the dialog: cleaned, with ".cfh" appended unless it
// has an extension; at most 254 characters.
QString proposedFileName(const QString &defaultName);

// The path with "." and extension appended, unless it has an extension.
QString withExtension(const QString &path, const QString &extension);

// Shows the open (kind 1) or save (kind 2) dialog, starting in startFolder
// when that is a folder, else in the special folder; returns the chosen full
// path without blanks around it, or empty when cancelled or for any other
// kind. A save dialog given an extension returns the name with it
// (withExtension), confirmed as the name replaced.
QString ShowFileDialog(int kind, const QString &title, const QList<FileFilter> &filters, int folderNumber,
    QObject *owner, quint32 options, const QString &defaultName, const QString &extension = {},
    const QString &startFolder = {});

// The filter pairs of the dialogs, from the loaded filter texts.
QList<FileFilter> cardFilters();           // open a card, save a card under a new name
QList<FileFilter> posterChoiceFilters();   // choose a poster
QList<FileFilter> posterSaveFilters();     // save the viewer's poster
