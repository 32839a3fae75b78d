#pragma once
// What the commands share: parsing their arguments, saying why they fail,
// and the files they take or write beside cards.

#include "card/card.h"
#include "card/cardfile.h"
#include "tool/cardaccess.h"
#include "tool/cardtool.h"

#include <QCommandLineParser>
#include <optional>

// Parses the command's arguments (after its name) with -h/--help added and
// checks there are minArgs to maxArgs positional ones (maxArgs < 0: no
// limit). nullopt to go on; otherwise the status to end with, help printed
// or wrong usage said.
std::optional<int> parseCommand(QCommandLineParser &parser, const QString &command, const QStringList &args,
    ToolIo &io, qsizetype minArgs, qsizetype maxArgs);

// Says problem about the use of command; returns ExitStatus::Usage.
int usageError(ToolIo &io, const QString &command, const QString &problem);
// Says why the card at path could not be read; returns ExitStatus::FileFailed.
int cardFailed(ToolIo &io, const QString &path, CardReadStatus status);
// Says why a save failed; returns ExitStatus::FileFailed.
struct SaveResult;
int saveFailed(ToolIo &io, const SaveResult &result);

// "FIELD=VALUE" as an edit, "FIELD+=VALUE" and "FIELD-=VALUE" adding to or
// removing from a list; acteurs takes names separated by "|" (a final "|"
// allowed), another list items separated by commas. nullopt, said on err,
// when it is no such text.
std::optional<CardEdit> parseEdit(ToolIo &io, const QString &command, const QString &argument);
// Stores every edit into card, a loan to someone new dated today unless
// they give pret_le; false, said on err, at the first that breaks its
// field's rule or when the title ends up empty.
bool applyEdits(ToolIo &io, Card &card, const QList<CardEdit> &edits);

// The poster of card opened for reading; false, said on err, when there is none.
bool openPoster(ToolIo &io, const QString &card, PosterDevice &poster);

// Why path cannot be a card's poster (no picture this program reads,
// announces too many pixels, missing), from its header; nullopt when it can.
std::optional<QString> posterProblem(const QString &path);
// The words for a check's problem, the picture named path.
std::optional<QString> pictureProblem(const QString &path, const PosterFileCheck &check);

// False, said on err, when path holds a card: a poster, a thumbnail or an
// NFO never replaces one.
bool mayReplace(ToolIo &io, const QString &path);

// Whether something stands at path (its bytes as given), links followed.
bool anythingAt(const QString &path);
// Why the file at path cannot be read: nothing there, something that is no
// regular file (a FIFO, a folder), or a file that does not open.
QString unreadableFile(const QString &path);
// Whether path names a folder, links followed.
bool isFolder(const QString &path);

// What --force asks of a link at an output's path: to replace it.
LinkAtPath linksFor(bool force);

// Writes what remains of in to path (or to io.out for "-"), replacing path
// only once complete and never through a link at path unless links says
// so; false, said on err, on failure.
bool writeOutput(ToolIo &io, QIODevice &in, const QString &path, LinkAtPath links);

// NAME-poster.EXT beside the NFO NAME.nfo.
QString posterBesideNfo(const QString &nfoPath, const QString &extension);
