#include "card/nativepath.h"
#include "tool/cardtool.h"
#include "tool/tooltexts.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <algorithm>

int runToolMain(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The card writer's working folders go where the program's own go.
    QCoreApplication::setApplicationName(QStringLiteral("cinefiche"));

    // The command-line parser's own messages in French, like the rest.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);

    // Results are written in large blocks; a write that fails (a full disk)
    // still shows, at the last one, in the message and the exit status.
    QFile in, out, err;
    in.open(0, QIODevice::ReadOnly);
    out.open(1, QIODevice::WriteOnly);
    err.open(2, QIODevice::WriteOnly | QIODevice::Unbuffered);
    ToolIo io { in, out, err };
    // File names as the disk holds them: arguments() would lose a byte that is not UTF-8.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << pathFromNative(argv[i]);
    int status = runCardTool(arguments, io);
    if (!out.flush() || out.error() != QFileDevice::NoError) {
        report(io, ToolText::outputFailed());
        status = std::max<int>(status, ExitStatus::FileFailed);
    }
    return status;
}
