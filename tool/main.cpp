#include "tool/cardtool.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The card writer's working folders go where the program's own go.
    QCoreApplication::setApplicationName(QStringLiteral("cinefiche"));

    // The command-line parser's own messages in French, like the rest.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);

    // Unbuffered, so that a failed write (a full disk, a closed pipe) shows at once.
    QFile in, out, err;
    in.open(0, QIODevice::ReadOnly);
    out.open(1, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(2, QIODevice::WriteOnly | QIODevice::Unbuffered);
    ToolIo io { in, out, err };
    return runCardTool(QCoreApplication::arguments().mid(1), io);
}
