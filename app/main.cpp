#include "app/cmdline.h"
#include "app/modMain.h"
#include "app/qtdesktop.h"
#include "app/termination.h"
#include "card/workfolder.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Working folders of runs that were killed (and so could not remove them).
void cleanUpAfterKilledRuns()
{
    const WorkBase base = workBase();
    if (base.status == WorkBaseStatus::Ok)
        removeOrphanWorkFolders(base.path);
}

}   // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cinefiche"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/cinefiche/cinefiche.png")));

    // The interface is French, so the standard buttons are too.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    QtDesktop realDesktop;
    setDefaultDesktop(&realDesktop);
    removeWorkFoldersOnTermination();
    cleanUpAfterKilledRuns();

    const std::optional<int> status = Main(argumentString(QApplication::arguments().mid(1)));
    const int code = status ? *status : QApplication::exec();
    removeOwnWorkFolders();
    setDefaultDesktop(nullptr);
    return code;
}
