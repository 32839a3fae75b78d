#pragma once
// cinefiche-card: cards for scripts, file managers and media centres. Each
// command is a plain function over three streams, so tests run it in-process.

#include "tool/toolstream.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The exit statuses, as the man page documents them.
namespace ExitStatus {
constexpr int Done = 0;
constexpr int FileFailed = 1;   // a card (or another file) could not be read or written
constexpr int Usage = 2;        // wrong command line, or a value a card cannot hold
}   // namespace ExitStatus

struct ToolIo {
    ToolStream &in;    // standard input: "new --json -"
    ToolStream &out;   // results: text, JSON, poster bytes of "poster CARD -"
    ToolStream &err;   // French messages, one line each
};

// The tool's main: its streams, its French texts, then runCardTool over
// argv's arguments.
int runToolMain(int argc, char *argv[]);

// Qt's own messages (the command-line parser's) in French, like the rest:
// loaded when one is first shown, so that a command that runs well never
// reads them.
void installQtTexts();

// Runs the command line args (without the program's name); returns the
// exit status.
int runCardTool(const QStringList &args, ToolIo &io);

// One message line on io.err, after the program's name.
void report(ToolIo &io, const QString &message);
// text as it stands: the tool's own words, or a format (JSON, NFO) that escapes its values.
void print(ToolStream &out, const QString &text);
// line and its line break: a line break inside it never splits it, and on
// a terminal no control character of a name or a card reaches it raw.
void printLine(ToolStream &out, const QString &line);

int runShow(const QStringList &args, ToolIo &io);
int runFind(const QStringList &args, ToolIo &io);
int runDoublons(const QStringList &args, ToolIo &io);
int runPoster(const QStringList &args, ToolIo &io);
int runCatalogue(const QStringList &args, ToolIo &io);
// The command that decodes pictures: in cinefiche-card it runs the picture
// helper, which links QtGui, so that every other command starts without it.
int runThumbnail(const QStringList &args, ToolIo &io);
// The catalogue's pictures of cards the cache lacks, in their order (empty:
// none), made from their posters: in cinefiche-card by the picture helper.
// nullopt when they could not be made, which is said on io.err.
std::optional<std::vector<QByteArray>> madeCataloguePictures(const QStringList &cardPaths, ToolIo &io);
// Bounds the CPU time and address space of this process, for a thumbnail.
void limitThumbnailWork();
int runNew(const QStringList &args, ToolIo &io);
int runSet(const QStringList &args, ToolIo &io);
int runNfo(const QStringList &args, ToolIo &io);
int runFromNfo(const QStringList &args, ToolIo &io);
int runImport(const QStringList &args, ToolIo &io);
int runHistory(const QStringList &args, ToolIo &io);
