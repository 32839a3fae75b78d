#include "about/frmAbout.h"
#include "app/modRess.h"
#include "app/texttable.h"

#include <QLabel>
#include <QPushButton>

// Writing the captions creates the window without showing it; its own load
// step composes the version line later, on the first show.
void loadAboutCaptions()
{
    frmAbout &about = frmAbout::instance();
    about.setWindowTitle(resText(3000));
    about.lblAuthor->setText(QStringLiteral("Corvin ") + resText(3001));
    about.cmdMail->setText(resText(3002));
    about.cmdOK->setText(resText(3003));
}
