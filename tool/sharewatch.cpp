#include "tool/sharewatch.h"

#include "card/nativepath.h"
#include "collection/filesystemkind.h"
#include "tool/tooltexts.h"

#include <QDir>

#include <sys/vfs.h>
#include <unistd.h>

#include <atomic>
#include <thread>

namespace {

constexpr std::chrono::seconds kAskEvery { 2 };

using Clock = std::chrono::steady_clock;

// Asks the share on a thread of its own, which a silent share may hold:
// the watch itself never waits on it.
void askShare(const QByteArray &mountPoint, std::atomic<Clock::rep> &answered)
{
    std::thread([mountPoint, &answered] {
        struct statfs facts { };
        ::statfs(mountPoint.constData(), &facts);   // an error is an answer too
        answered = Clock::now().time_since_epoch().count();
    }).detach();
}

// message: the error's bytes, made before the watch starts, so that it
// shares nothing with the command's own streams.
[[noreturn]] void watch(const QString &share, const QByteArray &message)
{
    static std::atomic<Clock::rep> answered = Clock::now().time_since_epoch().count();
    const QByteArray native = nativePath(share);
    Clock::time_point asked = Clock::now();
    askShare(native, answered);
    for (;;) {
        std::this_thread::sleep_for(kAskEvery / 4);
        const Clock::time_point last { Clock::duration(answered.load()) };
        if (last >= asked) {   // answered since asked: ask again in a while
            if (Clock::now() - asked >= kAskEvery) {
                asked = Clock::now();
                askShare(native, answered);
            }
            continue;
        }
        if (Clock::now() - asked >= kShareSilence) {
            // What the command found and still holds is not written: it
            // may be halfway through a line, and the command failed.
            (void)!::write(STDERR_FILENO, message.constData(), size_t(message.size()));
            ::_exit(ExitStatus::FileFailed);
        }
    }
}

}   // namespace

void watchShares(const QStringList &arguments, ToolIo &io)
{
    const MountTable mounts = MountTable::ofThisProcess();
    std::optional<QString> share = mounts.networkMountOf(QDir::currentPath());
    for (const QString &argument : arguments) {
        if (!share && !argument.startsWith(u'-'))
            share = mounts.networkMountOf(argument);
    }
    if (!share)
        return;
    const QString line
        = QStringLiteral("cinefiche-card : ") + say(Say::ShareSilent, *share, int(kShareSilence.count()));
    const QByteArray message = nativePath(
        escapedText(line, io.err.isTerminal() ? Escapes::Controls : Escapes::LineBreaks) + QLatin1Char('\n'));
    std::thread(watch, *share, message).detach();
}
