#include "tool/cardtool.h"

#include "tool/tooltexts.h"

#include "card/nativepath.h"

#include <algorithm>

namespace {

struct Command {
    QStringView name;
    int (*run)(const QStringList &args, ToolIo &io);
};

// A table, not a map: nothing to build before the one command runs.
constexpr Command kCommands[] = {
    { u"show", runShow },
    { u"find", runFind },
    { u"doublons", runDoublons },
    { u"catalogue", runCatalogue },
    { u"poster", runPoster },
    { u"thumbnail", runThumbnail },
    { u"new", runNew },
    { u"set", runSet },
    { u"nfo", runNfo },
    { u"from-nfo", runFromNfo },
    { u"import", runImport },
    { u"history", runHistory },
};

}   // namespace

void print(ToolStream &out, const QString &text)
{
    out.write(nativePath(text));   // UTF-8, and a file name's own bytes as they stand
}

void printLine(ToolStream &out, const QString &line)
{
    print(out,
        escapedText(line, out.isTerminal() ? Escapes::Controls : Escapes::LineBreaks) + QLatin1Char('\n'));
}

void report(ToolIo &io, const QString &message)
{
    printLine(io.err, QStringLiteral("cinefiche-card : ") + message);
}

int runCardTool(const QStringList &args, ToolIo &io)
{
    const QString first = args.value(0);
    if (first == u"-h" || first == u"--help" || first == u"help") {
        print(io.out, say(Say::ToolHelp));
        return ExitStatus::Done;
    }
    if (first == u"-v" || first == u"--version") {
        print(io.out, ToolText::version());
        return ExitStatus::Done;
    }
    if (args.isEmpty()) {
        report(io, say(Say::MissingCommand));
        return ExitStatus::Usage;
    }
    const auto command = std::find_if(
        std::begin(kCommands), std::end(kCommands), [&](const Command &c) { return c.name == first; });
    if (command == std::end(kCommands)) {
        report(io, say(Say::UnknownCommand, first));
        return ExitStatus::Usage;
    }
    return command->run(args.mid(1), io);
}
