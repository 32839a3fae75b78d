#pragma once
// Running cinefiche-card in the test's own process, or as a program.

#include "tool/cardtool.h"

#include <QBuffer>
#include <QProcess>

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
    ToolIo io { in, out, err };
    const int status = runCardTool(args, io);
    return { status, out.data(), err.data() };
}

inline Run finished(QProcess &process)
{
    process.waitForFinished();
    return { process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError() };
}
