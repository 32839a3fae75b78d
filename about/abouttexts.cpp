#include "about/aboutwindow.h"
#include "app/texttable.h"

AboutCaptions &aboutCaptions()
{
    static AboutCaptions captions;
    return captions;
}

// The window takes the captions when it is first built, on its first show:
// building it at start-up would only slow the start down. Its own load step
// composes the version line then.
void loadAboutCaptions()
{
    AboutCaptions &c = aboutCaptions();
    c.title = resText(3000);
    c.author = QStringLiteral("Corvin ") + resText(3001);
    c.mail = resText(3002);
    c.ok = resText(3003);
    if (AboutWindow::exists())
        AboutWindow::instance().applyCaptions();
}
