#pragma once
// Running cinefiche-card in the test's own process, or as a program, on the
// sample cards; SAMPLES_DIR and CARDTOOL_PROGRAM are the test's definitions.

#include "tool/cardtool.h"

#include <QBuffer>
#include <QProcess>

inline QString sample(const char *name)
{
    return QStringLiteral(SAMPLES_DIR "/") + QString::fromLatin1(name) + QStringLiteral(".cfh");
}

// The arguments with every "@" put before the folder's path.
inline QStringList inFolder(const QStringList &args, const QString &folder)
{
    QStringList placed;
    for (const QString &arg : args)
        placed << (arg.startsWith(u'@') ? folder + u'/' + arg.mid(1) : arg);
    return placed;
}

struct Run {
    int status = 0;
    QByteArray out, err;
};

inline Run run(const QStringList &args, const QByteArray &input = {})
{
    QBuffer in, out, err;
    in.setData(input);
    in.open(QIODevice::ReadOnly);
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    ToolStream inStream(in), outStream(out), errStream(err);
    ToolIo io { inStream, outStream, errStream };
    const int status = runCardTool(args, io);
    return { status, out.data(), err.data() };
}

inline Run finished(QProcess &process)
{
    process.waitForFinished();
    return { process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError() };
}

// The real program, as a shell runs it.
inline Run program(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(CARDTOOL_PROGRAM), args);
    return finished(process);
}
