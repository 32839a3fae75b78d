#include "program/startup.h"

#include "card/filepaths.h"
#include "collectionwindow/collectionwindow.h"
#include "desktop/messages.h"
#include "editor/editorwindow.h"
#include "process/cmdline.h"
#include "viewer/viewerwindow.h"

namespace {

constexpr int kFailure = 1;

std::optional<int> startEditorOnNewCard()
{
    EditorWindow::instance().newCard();
    return std::nullopt;
}

// A card that cannot be read ends the program: there is no window yet.
std::optional<int> startEditorOnCard(const QString &path)
{
    if (EditorWindow::instance().openCard(path))
        return std::nullopt;
    EditorWindow::discard();
    return kFailure;
}

std::optional<int> startViewer(const QString &path, bool withPlay)
{
    if (!ViewerWindow::showCard(path, withPlay))
        return kFailure;
    return std::nullopt;
}

// The start for an existing card.
std::optional<int> startOnCard(const CommandLine &line)
{
    if (line.window == CardWindow::Editor)
        return startEditorOnCard(line.path);
    return startViewer(line.path, line.window != CardWindow::ViewerWithoutPlay);
}

// The collection window; a folder that cannot be opened ends the program.
std::optional<int> startCollection(const QString &folder)
{
    if (CollectionWindow::showFolder(folder))
        return std::nullopt;
    return kFailure;
}

}   // namespace

std::optional<int> startProgram(const QString &arguments)
{
    if (arguments.isEmpty())
        return startEditorOnNewCard();
    const CommandLine line = splitCommandLine(arguments);
    if (!fileExists(line.path)) {
        showCardReadFailure(CardReadStatus::Missing, line.path, QString());
        return kFailure;
    }
    return startOnCard(line);
}

std::optional<int> startProgram(const QStringList &arguments)
{
    if (const std::optional<QString> folder = collectionOption(arguments))
        return startCollection(*folder);
    const std::optional<CommandLine> line = readCommandLine(arguments);
    if (!line || !fileExists(line->path))
        return startProgram(argumentString(arguments));   // a new card, or the missing file's message
    return startOnCard(*line);
}
