#include "app/cmdline.h"

#include "app/buildconfig.h"
#include "app/common.h"
#include "app/texttable.h"

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
        line.option = pieces.at(1);
    return line;
}

std::optional<CommandLine> readCommandLine(const QStringList &arguments)
{
    if (!arguments.isEmpty() && FileExists(arguments.first())) {
        const QString second = arguments.value(1);
        const bool isSwitch = second == QLatin1String("/m") || second == QLatin1String("/p");
        return CommandLine { arguments.first(), isSwitch ? second.mid(1) : QString() };
    }
    const QString joined = argumentString(arguments);
    if (joined.isEmpty())
        return std::nullopt;
    return splitCommandLine(joined);
}

std::optional<Information> informationText(const QStringList &arguments)
{
    const QString help = QStringLiteral("--help"), version = QStringLiteral("--version");
    if (!arguments.contains(help) && !arguments.contains(version))
        return std::nullopt;
    if (arguments.size() > 1)
        return Information { resText(6003), 2 };
    if (arguments.first() == help)
        return Information { resText(6001) };
    const QString number = QStringLiteral("%1.%2.%3")
                               .arg(BuildConfig::VersionMajor)
                               .arg(BuildConfig::VersionMinor)
                               .arg(BuildConfig::VersionRevision);
    return Information { resText(6002).arg(number) };
}
