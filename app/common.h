#pragma once
// Small routines shared by every part of the program; those the card layer
// needs itself live beneath it, in card/basics.

#include "card/basics.h"

#include <QString>
#include <QtGlobal>
#include <optional>

// The larger of two signed 16-bit integers.
qint16 MaxInt(qint16 a, qint16 b);

// Nearest integer, halves to even; nullopt when the result leaves the
// signed 16-bit range (or the value is not a number).
std::optional<qint16> toInt16(double value);

// Screen sizes are computed in twips; Qt takes device-independent pixels.
constexpr int kTwipsPerPixel = 15;
int twipsToPx(int twips);
int pxToTwips(int px);

// The text after the last "/" of a path (the whole text when it has none).
QString fileNameOf(const QString &path);

// The extension of a path's file name: the text after its last "." when
// that text is three characters long and holds no blank ("Dr. No" has
// none); empty otherwise. A dot in a folder name does not count.
QString extensionOf(const QString &path);

// The path with "." and extension appended, unless it has an extension.
QString withExtension(const QString &path, const QString &extension);

// A tool tip that shows text exactly as it stands. Qt takes a tool tip
// whose first line looks like HTML for rich text, and would lay out what a
// file name or a card holds: a picture 32,000 pixels square, say.
QString plainToolTip(const QString &text);

// A window caption that shows text as it stands: Qt takes "[*]" in a
// caption for the place of the modified mark, and drops it.
QString plainCaption(const QString &caption);

// The property, true, of a window that stays open when the editor closes
// the others as it closes: the collection the editor was opened from.
inline constexpr char kOutlivesEditor[] = "outlivesEditor";
