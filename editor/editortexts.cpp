#include "app/texttable.h"
#include "editor/editorwindow.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

void loadEditorCaptions()
{
    EditorWindow &editor = EditorWindow::instance();
    editor.lblTitre->setText(resText(1001));
    editor.lblAnnee->setText(resText(1002));
    editor.lblDuree1->setText(resText(1003));
    editor.lblRealisateur->setText(resText(1004));
    editor.lblType->setText(resText(1005));
    editor.lblActeurs->setText(resText(1006));
    editor.lblResume->setText(resText(1007));
    editor.lblFileName = resText(1008);
    editor.mnuFile->setTitle(resText(1010));
    editor.mnuFileNew->setText(resText(1011));
    editor.mnuFileOpen->setText(resText(1012));
    editor.mnuFileSave->setText(resText(1013));
    editor.mnuFileSaveAs->setText(resText(1014));
    editor.mnuFilePrev->setText(resText(1015));
    editor.mnuFileSearch->setText(resText(1017));
    editor.mnuFileExit->setText(resText(1016));
    editor.mnuPopAffi->setTitle(resText(1020));
    editor.fraAffiche->setTitle(resText(1020));
    editor.mnuPopFull->setText(resText(1021));
    editor.mnuPopModif->setText(resText(1022));
    editor.mnuPopPaste->setText(resText(1025));
    editor.mnuPopRem->setText(resText(1023));
    editor.mnuPopReset->setText(resText(1024));
    editor.mnuAbout->setText(resText(1030));
    editor.cmdAffiMod->setText(resText(1022));
    editor.cmdAffiSupp->setText(resText(1023));
    editor.cmdActSupp->setToolTip(resText(1009));
    editor.cmdActSupp->setAccessibleName(resText(1009));
    editor.PlaceControls();
}
