#include "app/texttable.h"
#include "viewer/viewerwindow.h"

void loadViewerCaptions()
{
    ViewerCaptions &c = viewerCaptions();
    c.annee = resText(2001);
    c.duree = resText(2002);
    c.typeA = resText(2003);
    c.realisateurA = resText(2004);
    c.acteursA = resText(2005);
    c.resumeA = resText(2006);
    c.afficheFull = resText(2011);
    c.afficheSave = resText(2012);
    c.play = resText(2021);
    c.ok = resText(2022);
    if (ViewerWindow::exists())
        ViewerWindow::instance().applyCaptions();
}
