#include "tool/tooltexts.h"

#include "process/buildconfig.h"

#include <map>

QString ToolText::version()
{
    return say(
        Say::Version, BuildConfig::VersionMajor, BuildConfig::VersionMinor, BuildConfig::VersionRevision);
}

QString ToolText::commandHelp(const QString &command)
{
    static const std::map<QString, Say> helps = {
        { QStringLiteral("show"), Say::HelpShow },
        { QStringLiteral("find"), Say::HelpFind },
        { QStringLiteral("doublons"), Say::HelpDoublons },
        { QStringLiteral("catalogue"), Say::HelpCatalogue },
        { QStringLiteral("poster"), Say::HelpPoster },
        { QStringLiteral("thumbnail"), Say::HelpThumbnail },
        { QStringLiteral("new"), Say::HelpNew },
        { QStringLiteral("set"), Say::HelpSet },
        { QStringLiteral("nfo"), Say::HelpNfo },
        { QStringLiteral("from-nfo"), Say::HelpFromNfo },
        { QStringLiteral("import"), Say::HelpImport },
        { QStringLiteral("history"), Say::HelpHistory },
    };
    const auto help = helps.find(command);
    return help == helps.end() ? QString() : say(help->second);
}
