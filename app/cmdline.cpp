#include "process/cmdline.h"

#include "card/filepaths.h"
#include "process/buildconfig.h"
#include "texts/texts.h"

namespace {

// The switch as written, without its "/": exactly "m" or "p".
CardWindow windowOf(const QString &option)
{
    if (option == QLatin1String("m"))
        return CardWindow::Editor;
    if (option == QLatin1String("p"))
        return CardWindow::ViewerWithoutPlay;
    return CardWindow::Viewer;
}

}   // namespace

QString argumentString(const QStringList &arguments)
{
    return arguments.join(QLatin1Char(' '));
}

CommandLine splitCommandLine(const QString &argumentString)
{
    const QStringList pieces = argumentString.split(QStringLiteral(" /"));
    CommandLine line;
    line.path = pieces.first();
    line.path.remove(QLatin1Char('"'));
    if (pieces.size() > 1)
        line.window = windowOf(pieces.at(1));
    return line;
}

std::optional<CommandLine> readCommandLine(const QStringList &arguments)
{
    if (!arguments.isEmpty() && fileExists(arguments.first())) {
        const QString second = arguments.value(1);
        const bool isSwitch = second.startsWith(QLatin1Char('/'));
        return CommandLine { arguments.first(), isSwitch ? windowOf(second.mid(1)) : CardWindow::Viewer };
    }
    const QString joined = argumentString(arguments);
    if (joined.isEmpty())
        return std::nullopt;
    return splitCommandLine(joined);
}

std::optional<QString> collectionOption(const QStringList &arguments)
{
    const QString option = QStringLiteral("--collection");
    if (arguments.value(0) != option || fileExists(option))
        return std::nullopt;
    return argumentString(arguments.mid(1));
}

std::optional<Information> informationText(const QStringList &arguments)
{
    const QString help = QStringLiteral("--help"), version = QStringLiteral("--version");
    if (!arguments.contains(help) && !arguments.contains(version))
        return std::nullopt;
    if (arguments.size() > 1)
        return Information { textOf(Text::InformationMisuse), 2 };
    if (arguments.first() == help)
        return Information { textOf(Text::CommandLineHelp) };
    const QString number = QStringLiteral("%1.%2.%3")
                               .arg(BuildConfig::VersionMajor)
                               .arg(BuildConfig::VersionMinor)
                               .arg(BuildConfig::VersionRevision);
    return Information { textOf(Text::VersionNotice).arg(number) };
}
