#pragma once
// The one seam through which the program reaches everything modal or outside
// itself. The program runs on the Qt implementation; tests install a
// scripted one that records each request and answers it.

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QUrl>

#include <optional>

// The application's title: the caption of its messages and the start of its
// window titles.
inline const QString kAppTitle = QStringLiteral("Cinefiche");

enum class MsgIcon { None, Information, Question, Critical };
// KeepMineReloadCancel: a card another program changed; the user keeps
// their version, takes the file's, or does nothing.
// YesNo: a step that cannot be undone from the program; No is the default.
enum class MsgButtons { Ok, YesNo, YesNoCancel, KeepMineReloadCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel, KeepMine, Reload };   // Cancel also when the box is closed

struct MessageRequest {
    QString text;   // lines separated by a carriage return
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    QString title = kAppTitle;
};

struct InputRequest {
    QString prompt;
    QString title = kAppTitle;
    QString proposal;
    std::optional<QPoint> position;   // top-left corner, global pixels
};

enum class FileDialogKind { Open = 1, Save = 2 };

struct FileFilter {
    QString label;     // shown as it stands
    QString pattern;   // wildcards separated by ";", matched whatever the case
};

// Dialog flags: open dialogs ask for an existing file; save dialogs confirm
// replacing a file and refuse a read-only target.
namespace FileDialogFlag {
constexpr quint32 HideReadOnly = 0x4;
constexpr quint32 OverwritePrompt = 0x2;
constexpr quint32 NoReadOnlyReturn = 0x8000;
constexpr quint32 FileMustExist = 0x1000;
}   // namespace FileDialogFlag

struct FileRequest {
    FileDialogKind kind = FileDialogKind::Open;
    QString title;
    QList<FileFilter> filters;   // the first one is selected
    QString folder;              // start folder, may be empty
    QString proposedName;        // may be empty
    // Save dialogs: appended to a chosen name without a three-character
    // extension, before replacing a file is confirmed. Empty: none.
    QString extension;
    quint32 options = 0;
    QObject *owner = nullptr;   // the window the dialog is modal to
    // When given, set to the index in filters of the one selected as the
    // file was chosen: several kinds of file may share an extension.
    int *chosenFilter = nullptr;
};

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual MsgAnswer msgBox(const MessageRequest &request) = 0;
    // nullopt when the user cancels
    virtual std::optional<QString> inputBox(const InputRequest &request) = 0;
    // the chosen full path; empty when cancelled
    virtual QString chooseFile(const FileRequest &request) = 0;
    // a file, a web page or a mail address, opened by the desktop; false on failure
    virtual bool openExternal(const QUrl &url) = 0;
    // the user's documents folder, empty when unknown
    virtual QString documentsFolder() = 0;
    // moves the file to the desktop's trash, from which the user may take it
    // back; false on failure
    virtual bool moveToTrash(const QString &path) = 0;
};

// The desktop in use. The program makes the Qt implementation the default
// at start; setDesktop replaces it (tests), setDesktop(nullptr) restores it.
// Without a default, every dialog is cancelled and nothing opens.
Desktop &desktop();
void setDesktop(Desktop *replacement);
void setDefaultDesktop(Desktop *real);

// The shape of message most of the program shows.
MsgAnswer showMessage(const QString &text, MsgIcon icon, MsgButtons buttons = MsgButtons::Ok);
