#pragma once
// A command working on a network share that stops answering would wait for
// it for ever: while it runs, the share is asked every few seconds how full
// it is (a question that reaches the server), and when no answer has come
// for kShareSilence the command ends with a French error.

#include "tool/cardtool.h"

#include <QStringList>

#include <chrono>

inline constexpr std::chrono::seconds kShareSilence { 10 };

// Watches the share that holds the paths named (any argument, or the
// current folder), on a thread of its own; nothing when none is on a share.
// The error goes to io's error stream.
void watchShares(const QStringList &arguments, ToolIo &io);
