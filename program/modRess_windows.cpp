#include "program/modRess_windows.h"

#include "about/frmAbout.h"
#include "app/modRess.h"
#include "editor/frmMain.h"
#include "viewer/frmInfos.h"

void LoadViewerTexts()
{
    loadViewerCaptions();
    assignTexts({ { &strSaveAfficheTitle, 4102 }, { &strWrongFile, 4104 } });
    LoadFilterTexts();
}

void LoadEditorTexts()
{
    loadEditorCaptions();
    assignTexts({ { &strNouveau, 1011 }, { &strFormatInvalide, 1101 }, { &strFormatAnnee, 1102 },
        { &strFormatDureeA, 1103 }, { &strFormatDureeB, 1104 }, { &strTitreRequis, 1105 },
        { &strWantSave, 1106 }, { &strOpenTitle, 1107 }, { &strAfficheTitle, 1108 }, { &strWrongImage, 1109 },
        { &strSearch, 1110 }, { &strImageTooLarge, 1111 } });
    loadAboutCaptions();
    assignTexts({ { &strBugToolTip, 3101 }, { &strError, 3102 } });
    assignTexts({ { &strSaveAfficheTitle, 4102 }, { &strSaveAsTitle, 4103 }, { &strWrongFile, 4104 } });
}

void LoadAllTexts()
{
    LoadEditorTexts();
    LoadFilterTexts();
    LoadViewerTexts();
}
