#include "card/nativepath.h"
#include "tool/cardtool.h"
#include "tool/sharewatch.h"
#include "tool/tooltexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

void installQtTexts()
{
    static bool installed = false;
    if (std::exchange(installed, true))
        return;
    // A translator needs an application, which the tool makes only now.
    static int argc = 1;
    static char name[] = "cinefiche-card";
    static char *argv[] = { name, nullptr };
    if (QCoreApplication::instance() == nullptr)
        new QCoreApplication(argc, argv);
    auto *texts = new QTranslator(QCoreApplication::instance());
    if (texts->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(texts);
}

int runToolMain(int argc, char *argv[])
{
    // No QCoreApplication, nor any other QObject: its locale, event loop and
    // thread data would be read and made for nothing on every call.
    // A command reads card after card, each into memory it frees at once:
    // kept rather than handed back, the pages are not faulted in again.
    // Fixing one setting stops glibc from raising the mapping threshold as
    // blocks are freed, so it is raised here too: a poster of a few
    // megabytes is not mapped and unmapped for each card.
    constexpr int kMiB = 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, 32 * kMiB);
    mallopt(M_TRIM_THRESHOLD, 64 * kMiB);
    mallopt(M_TOP_PAD, kMiB);

    // Results are written in large blocks; a write that fails (a full disk)
    // still shows, at the last one, in the message and the exit status.
    constexpr qsizetype kBlockBytes = 64 * 1024;
    ToolStream in(STDIN_FILENO, QIODevice::ReadOnly, 0);
    ToolStream out(STDOUT_FILENO, QIODevice::WriteOnly, kBlockBytes);
    ToolStream err(STDERR_FILENO, QIODevice::WriteOnly, 0);
    ToolIo io { in, out, err };
    // File names as the disk holds them: arguments() would lose a byte that is not UTF-8.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << pathFromNative(argv[i]);
    watchShares(arguments, io);
    int status = runCardTool(arguments, io);
    if (!out.flush()) {
        report(io, say(Say::OutputFailed));
        status = std::max<int>(status, ExitStatus::FileFailed);
    }
    return status;
}
