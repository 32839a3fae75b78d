#pragma once
// The one place where a failure becomes the message the user sees: what
// went wrong, and with which file.

#include "card/cardfile.h"
#include "card/cardsave.h"
#include "desktop/desktop.h"

#include <QString>

// Why cardPath could not be read. folder is the working folder the read was
// given (empty when none could be made). Shows nothing for Ok.
void showCardReadFailure(CardReadStatus status, const QString &cardPath, const QString &folder);

// True when the save succeeded; otherwise shows why it failed, naming the file.
bool saveSucceeded(const SaveResult &result);

// The picture given as a poster is none the editor can show, or one of
// more pixels than a poster may have.
void showWrongImage();
void showImageTooLarge();

// The desktop opened nothing: no web page, no mail.
void showOpenFailed();

// Why no working folder could be made: a refused or unwritable cache folder.
void showWorkFolderFailure();

// The rule a number box keeps: the year's four digits, or the running
// time's one digit of hours and two of minutes.
enum class NumberRule { Year, RunningTime };
// What the box typed into must hold, after a character that broke its rule.
void showNotNumber(NumberRule rule);

// A card is saved, previewed or searched for under its title only.
void showTitleRequired();

// Whether to save the changes made to the card named cardName first:
// Yes, No, or Cancel (also when the box is closed).
MsgAnswer askSaveChanges(const QString &cardName);

// The card at cardPath was changed by another program since the editor
// loaded or saved it: KeepMine, Reload, or Cancel (also when the box is closed).
MsgAnswer askCardChanged(const QString &cardPath);

// The data after the poster of the card at cardPath cannot be read: the
// card is shown as its record holds it.
void showExtensionDamaged(const QString &cardPath);

// The card at cardPath was removed by another program.
void showCardRemoved(const QString &cardPath);

// Whether to move the card titled title to the trash: true for Yes.
bool askMoveToTrash(const QString &title);
// The card at cardPath could not be moved to the trash.
void showTrashFailed(const QString &cardPath);
// The folder a collection was asked to open is none, or cannot be read.
void showFolderUnreadable(const QString &folder);
// Whether to make a card beside each movie of folder that has its .nfo.
bool askImportLibrary(const QString &folder);
// What the import of a movie library said, one line a movie and a count at
// the end; started false: the card tool could not be run.
void showImportReport(const QStringList &lines, bool started);
// A change of the cards at cardPaths left them as they were.
void showCardsUnchanged(const QStringList &cardPaths);
// A catalogue is written as a web page or a CSV table, named so.
void showCatalogueKindRefused();

// "Impossible d'écrire le fichier", a carriage return and path.
void showWriteFailed(const QString &path);
QString writeFailedText(const QString &path);
