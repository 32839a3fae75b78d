#include "card/nativepath.h"
#include "card/workfolder.h"
#include "desktop/qtdesktop.h"
#include "poster/posterimage.h"
#include "process/cmdline.h"
#include "process/termination.h"
#include "program/startup.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QTranslator>

#include <cstdio>

namespace {

// Working folders of runs that were killed (and so could not remove them).
void cleanUpAfterKilledRuns()
{
    const WorkBase base = workBase();
    if (base.status == WorkBaseStatus::Ok)
        removeOrphanWorkFolders(base.path);
}

// "--help" and "--version" print before any window system is opened, so they
// work without a display, and so does their misuse. The exit status when the
// program is to end there.
std::optional<int> printInformation(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const std::optional<Information> information = informationText(arguments);
    if (!information)
        return std::nullopt;
    FILE *stream = information->status == 0 ? stdout : stderr;
    const bool written
        = std::fputs(information->text.toUtf8().constData(), stream) >= 0 && std::fflush(stream) == 0;
    return written ? information->status : 1;
}

}   // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = printInformation(argc, argv))
        return *status;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cinefiche"));
    QApplication::setDesktopFileName(QStringLiteral("cinefiche"));   // the launcher's entry, for the task bar
    QApplication::setWindowIcon(
        QIcon(QPixmap::fromImage(readPictureAs(QStringLiteral(":/cinefiche/cinefiche.png"), "png"))));

    // The interface is French, so the standard buttons are too, and sizes,
    // numbers and dates are French whatever LANG says.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    QtDesktop realDesktop;
    setDefaultDesktop(&realDesktop);
    removeWorkFoldersOnTermination();
    cleanUpAfterKilledRuns();

    // QApplication has taken its own options out of argv; what stays are file
    // names as the disk holds them, which arguments() would decode lossily.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << pathFromNative(argv[i]);
    const std::optional<int> status = startProgram(arguments);
    const int code = status ? *status : QApplication::exec();
    removeOwnWorkFolders();
    setDefaultDesktop(nullptr);
    return code;
}
