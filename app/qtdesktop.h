#pragma once
// The real desktop: Qt's message box, input box and file dialog, and the
// desktop's handlers for files and addresses.

#include "desktop/desktop.h"

class QtDesktop : public Desktop {
public:
    MsgAnswer msgBox(const MessageRequest &request) override;
    std::optional<QString> inputBox(const InputRequest &request) override;
    QString chooseFile(const FileRequest &request) override;
    bool openExternal(const QUrl &url) override;
    QString documentsFolder() override;
    bool moveToTrash(const QString &path) override;
};

// The text handed to Qt for one filter: the label as it stands, then the
// patterns Qt matches ("*.*" means every file, as on the reference desktop).
QString qtNameFilter(const FileFilter &filter);
