#include "app/cmdline.h"

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
