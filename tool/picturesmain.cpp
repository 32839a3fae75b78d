// The card tool's picture helper: the same commands, with QtGui, for those
// that decode posters. cinefiche-card runs it for a thumbnail, and runs its
// own pictures command for the catalogue's pictures its cache lacks.

#include "tool/cardtool.h"
#include "tool/picturestream.h"

#include <QCoreApplication>
#include <QFile>

#include <cstring>

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "thumbnail") == 0)
        limitThumbnailWork();
    // Qt's picture readers are plugins, found through the application.
    QCoreApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], kPicturesCommand) == 0) {
        QFile in, out;
        if (!in.open(stdin, QIODevice::ReadOnly) || !out.open(stdout, QIODevice::WriteOnly))
            return ExitStatus::FileFailed;
        return writeCataloguePictures(pathsOfStream(in.readAll()), out);
    }
    return runToolMain(argc, argv);
}
