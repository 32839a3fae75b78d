#include "program/startup.h"

#include "app/cmdline.h"
#include "app/common.h"
#include "app/messages.h"
#include "editor/editorwindow.h"
#include "viewer/viewerload.h"
#include "viewer/viewerwindow.h"

#include <QAction>
#include <QPushButton>

namespace {

constexpr int kFailure = 1;

std::optional<int> startEditorOnNewCard()
{
    EditorWindow &editor = EditorWindow::instance();
    editor.ChangeEdit(false);
    editor.mnuPopReset->setEnabled(false);   // a new card has no poster of its own
    editor.show();
    return std::nullopt;
}

// A card that cannot be read ends the program: there is no window yet.
std::optional<int> startEditorOnCard(const QString &path)
{
    EditorWindow &editor = EditorWindow::instance();
    editor.ChangeEdit(false);
    editor.mnuPopReset->setEnabled(false);
    editor.lblFile = path;
    if (!editor.OpenInEditor(editor.lblFile)) {
        EditorWindow::discard();
        return kFailure;
    }
    editor.show();
    return std::nullopt;
}

std::optional<int> startViewer(const QString &path, bool hidePlay)
{
    if (hidePlay)
        ViewerWindow::instance().cmdPlay->setVisible(false);
    if (!OpenInViewer(path, 0))
        return kFailure;
    return std::nullopt;
}

// The start for an existing card.
std::optional<int> startOnCard(const CommandLine &line)
{
    if (line.option == QLatin1String("m"))
        return startEditorOnCard(line.path);
    return startViewer(line.path, line.option == QLatin1String("p"));
}

}   // namespace

std::optional<int> startProgram(const QString &arguments)
{
    if (arguments.isEmpty())
        return startEditorOnNewCard();
    const CommandLine line = splitCommandLine(arguments);
    if (!FileExists(line.path)) {
        showCardReadFailure(CardReadStatus::Missing, line.path, QString());
        return kFailure;
    }
    return startOnCard(line);
}

std::optional<int> startProgram(const QStringList &arguments)
{
    const std::optional<CommandLine> line = readCommandLine(arguments);
    if (!line || !FileExists(line->path))
        return startProgram(argumentString(arguments));   // a new card, or the missing file's message
    return startOnCard(*line);
}
