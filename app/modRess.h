#pragma once
// The interface texts as the program uses them: copied once at start-up from
// the text table into text variables and window captions, by start mode.
// A text that the start mode does not load stays empty for the whole run.

#include <QString>

#include <initializer_list>
#include <utility>

// Module texts
extern QString strFileNotFound;       // 4101
extern QString strSaveAfficheTitle;   // 4102
extern QString strSaveAsTitle;        // 4103
extern QString strWrongFile;          // 4104
extern QString strWriteFailed;        // 4105
extern QString strReadFailed;         // 4106
extern QString strUnsafeFolder;       // 4107
extern QString strFilterAll;          // 5100
extern QString strFilterCard;         // 5101
extern QString strFilterImages;       // 5102
extern QString strFilterJpeg;         // 5103
extern QString strFilterBitmap;       // 5104
extern QString strFilterGif;          // 5105

// The editor's texts
extern QString strNouveau;          // 1011
extern QString strFormatInvalide;   // 1101
extern QString strFormatAnnee;      // 1102
extern QString strFormatDureeA;     // 1103
extern QString strFormatDureeB;     // 1104
extern QString strTitreRequis;      // 1105
extern QString strWantSave;         // 1106
extern QString strOpenTitle;        // 1107
extern QString strAfficheTitle;     // 1108
extern QString strWrongImage;       // 1109
extern QString strImageTooLarge;    // 1111
extern QString strSearch;           // 1110

// The About window's texts
extern QString strBugToolTip;   // 3101
extern QString strError;        // 3102, also the internet search's failure message

// The texts every start mode loads, and the file dialogs' filters. The
// loaders of each start mode, which fill the windows' captions too, are
// start-up's (program/modRess_windows.h).
void LoadStartupTexts();
void LoadFilterTexts();

// Sets each variable to the text of its number.
void assignTexts(std::initializer_list<std::pair<QString *, int>> targets);

// Empties every text variable, as before start-up (tests).
void clearTexts();
