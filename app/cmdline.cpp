#include "app/cmdline.h"

#include "app/buildconfig.h"
#include "app/common.h"
#include "app/texts.h"

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
    if (!arguments.isEmpty() && FileExists(arguments.first())) {
        const QString second = arguments.value(1);
        const bool isSwitch = second.startsWith(QLatin1Char('/'));
        return CommandLine { arguments.first(), isSwitch ? windowOf(second.mid(1)) : CardWindow::Viewer };
    }
    const QString joined = argumentString(arguments);
    if (joined.isEmpty())
        return std::nullopt;
    return splitCommandLine(joined);
}

std::optional<QString> informationText(const QStringList &arguments)
{
    if (arguments == QStringList { QStringLiteral("--help") })
        return textOf(Text::CommandLineHelp);
    if (arguments == QStringList { QStringLiteral("--version") }) {
        const QString version = QStringLiteral("%1.%2.%3")
                                    .arg(BuildConfig::VersionMajor)
                                    .arg(BuildConfig::VersionMinor)
                                    .arg(BuildConfig::VersionRevision);
        return textOf(Text::VersionNotice).arg(version);
    }
    return std::nullopt;
}
