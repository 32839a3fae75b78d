// The card tool's picture helper: the same commands, with QtGui, for those
// that decode posters. cinefiche-card runs it for thumbnail and catalogue.

#include "tool/cardtool.h"

#include <QCoreApplication>

#include <cstring>

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "thumbnail") == 0)
        limitThumbnailWork();
    // Qt's picture readers are plugins, found through the application.
    QCoreApplication app(argc, argv);
    return runToolMain(argc, argv);
}
