#include "desktop/desktop.h"

namespace {

class NoDesktop : public Desktop {
public:
    MsgAnswer msgBox(const MessageRequest &) override { return MsgAnswer::Cancel; }
    std::optional<QString> inputBox(const InputRequest &) override { return std::nullopt; }
    QString chooseFile(const FileRequest &) override { return {}; }
    bool openExternal(const QUrl &) override { return false; }
    QString documentsFolder() override { return {}; }
    bool moveToTrash(const QString &) override { return false; }
};

NoDesktop g_none;
Desktop *g_default = &g_none;
Desktop *g_desktop = nullptr;

}   // namespace

Desktop &desktop()
{
    return g_desktop ? *g_desktop : *g_default;
}

void setDesktop(Desktop *replacement)
{
    g_desktop = replacement;
}

void setDefaultDesktop(Desktop *real)
{
    g_default = real ? real : &g_none;
}

MsgAnswer showMessage(const QString &text, MsgIcon icon, MsgButtons buttons)
{
    MessageRequest request;
    request.text = text;
    request.icon = icon;
    request.buttons = buttons;
    return desktop().msgBox(request);
}
