// The picture commands of cinefiche-card: run by the picture helper, so that
// the tool itself links no QtGui and starts as fast as QtCore allows.

#include "card/nativepath.h"
#include "tool/cardtool.h"
#include "tool/picturestream.h"
#include "tool/tooltexts.h"

#include <QProcess>

#include <unistd.h>

#include <algorithm>
#include <vector>

namespace {

// Beside the tool in its build folder; installed, in the libexec folder
// (CINEFICHE_PICTURES_FROM_BIN: its path from the tool's folder).
QString helperPath()
{
    char self[4096];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self);
    const QString program = pathFromNative(QByteArrayView(self, std::max<ssize_t>(length, 0)));
    const QString folder = program.left(program.lastIndexOf(QLatin1Char('/')) + 1);
    const QString beside = folder + QStringLiteral("cinefiche-card-pictures");
    return ::access(nativePath(beside).constData(), X_OK) == 0
        ? beside
        : folder + QStringLiteral(CINEFICHE_PICTURES_FROM_BIN);
}

// Replaces this process with the helper running command args; returns
// only when the helper cannot be run.
int runHelper(const QString &command, const QStringList &args, ToolIo &io)
{
    const QString helper = helperPath();
    QList<QByteArray> bytes { nativePath(helper), nativePath(command) };
    for (const QString &arg : args)
        bytes << nativePath(arg);
    std::vector<char *> argv;
    for (QByteArray &arg : bytes)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    report(io, say(Say::HelperMissing, helper));
    return ExitStatus::FileFailed;
}

}   // namespace

int runThumbnail(const QStringList &args, ToolIo &io)
{
    return runHelper(QStringLiteral("thumbnail"), args, io);
}

std::optional<std::vector<QByteArray>> madeCataloguePictures(const QStringList &cardPaths, ToolIo &io)
{
    const QString path = helperPath();
    QProcess helper;
    helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    helper.start(path, { QString::fromLatin1(kPicturesCommand) });
    if (!helper.waitForStarted(-1)) {
        report(io, say(Say::HelperMissing, path));
        return std::nullopt;
    }
    helper.write(framedPaths(cardPaths));
    helper.closeWriteChannel();
    helper.waitForFinished(-1);
    if (helper.exitStatus() != QProcess::NormalExit || helper.exitCode() != 0) {
        report(io, say(Say::HelperFailed, path));
        return std::nullopt;
    }
    return picturesOfStream(helper.readAllStandardOutput(), cardPaths.size());
}
