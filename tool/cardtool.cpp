#include "tool/cardtool.h"

#include "tool/tooltexts.h"

#include "card/nativepath.h"

#include <map>

namespace {

using Command = int (*)(const QStringList &, ToolIo &);

const std::map<QString, Command> &commands()
{
    static const std::map<QString, Command> table = {
        { QStringLiteral("show"), runShow },
        { QStringLiteral("find"), runFind },
        { QStringLiteral("catalogue"), runCatalogue },
        { QStringLiteral("poster"), runPoster },
        { QStringLiteral("thumbnail"), runThumbnail },
        { QStringLiteral("new"), runNew },
        { QStringLiteral("set"), runSet },
        { QStringLiteral("nfo"), runNfo },
        { QStringLiteral("from-nfo"), runFromNfo },
        { QStringLiteral("import"), runImport },
    };
    return table;
}

}   // namespace

void print(QIODevice &out, const QString &text)
{
    out.write(nativePath(text));   // UTF-8, and a file name's own bytes as they stand
}

void report(ToolIo &io, const QString &message)
{
    print(io.err, QStringLiteral("cinefiche-card : ") + message + QLatin1Char('\n'));
}

int runCardTool(const QStringList &args, ToolIo &io)
{
    const QString first = args.value(0);
    if (first == u"-h" || first == u"--help" || first == u"help") {
        print(io.out, ToolText::toolHelp());
        return ExitStatus::Done;
    }
    if (first == u"-v" || first == u"--version") {
        print(io.out, ToolText::version());
        return ExitStatus::Done;
    }
    if (args.isEmpty()) {
        report(io, ToolText::missingCommand());
        return ExitStatus::Usage;
    }
    const auto command = commands().find(first);
    if (command == commands().end()) {
        report(io, ToolText::unknownCommand(first));
        return ExitStatus::Usage;
    }
    return command->second(args.mid(1), io);
}
