#include "editor/frmMain.h"

#include "app/common.h"
#include "app/desktop.h"
#include "app/messages.h"
#include "app/modRess.h"
#include "app/twips.h"
#include "card/workfolder.h"
#include "dialogs/filedialog.h"
#include "editor/editorlayout.h"
#include "poster/posterimage.h"
#include "viewer/frmViewLarger.h"

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

bool frmMain::Pic2Img(const QString &strImage)
{
    QPixmap picture;
    if (!strImage.isEmpty()) {
        const QImage image = decodePoster(strImage);
        if (image.isNull())
            return false;
        picture = QPixmap::fromImage(image);
    }
    // An empty picture is shown as no poster at all.
    qint16 height = 0;
    if (!picture.isNull()) {
        const auto scaled
            = scaledPosterHeight(Size { pxToTwips(picture.width()), pxToTwips(picture.height()) });
        if (!scaled)
            return false;
        height = *scaled;
    }
    const auto outer = editorOuterHeight(EditorLayout::ResumeBottom, EditorLayout::PosterTop + height);
    if (!outer)
        return false;
    picAffiche = picture;
    imgAffiche->setPixmap(picture);
    imgAffiche->resize(twipsToPx(kPosterWidth), twipsToPx(height));
    imgAffiche->show();
    setOuterHeight(*outer);
    return true;
}

bool frmMain::ResetPoster()
{
    if (lblReset.isEmpty())
        return false;
    const QString path = lblReset + WorkFile::Image;
    Pic2Img(path);
    lblAffiche = path;
    return true;
}

bool frmMain::takePosterFile(const QString &path)
{
    if (!Pic2Img(path)) {
        const bool tooLarge = checkPosterFile(path).problem == PosterFileCheck::TooManyPixels;
        tooLarge ? showImageTooLarge() : showWrongImage();
        return false;
    }
    ChangeEdit(true);
    if (lblFileName != strNouveau)
        blnAffiMod = true;
    lblAffiche = path;
    return true;
}

// The dialog opens again after a file that is no picture, until one is
// taken or the dialog is cancelled.
void frmMain::cmdAffiMod_Click()
{
    for (;;) {
        const QString path = ShowFileDialog(FileDialogKind::Open, strAfficheTitle, posterChoiceFilters(),
            kDocumentsFolder, this, FileDialogFlag::FileMustExist, QString());
        if (path.isEmpty() || takePosterFile(path))
            return;
    }
}

// A removed poster is gone from the card: nothing left to save or to show
// in full, and for a card with a file the next save rewrites it without one.
void frmMain::cmdAffiSupp_Click()
{
    imgAffiche->clear();
    imgAffiche->hide();
    picAffiche = QPixmap();
    lblAffiche.clear();
    if (lblFileName != strNouveau)
        blnAffiMod = true;
    setOuterHeight(EditorLayout::ResumeBottom + EditorLayout::HeightAllowance);
    imgAffiche->resize(imgAffiche->width(), 0);
    ChangeEdit(true);
}

void frmMain::mnuPopFull_Click()
{
    frmViewLarger::View(QStringLiteral("frmMain"));
}

void frmMain::mnuPopModif_Click()
{
    cmdAffiMod_Click();
}

void frmMain::mnuPopRem_Click()
{
    cmdAffiSupp_Click();
}

void frmMain::mnuPopReset_Click()
{
    if (!ResetPoster())
        return;
    ChangeEdit(true);
    if (lblFileName != strNouveau)
        blnAffiMod = true;
}

void frmMain::imgAffiche_MouseDown(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Button);
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    imgAfficheTag = QStringLiteral("True");
}

// A click is a press and a release over the poster; the edges count as over.
void frmMain::imgAffiche_MouseUp(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Shift);
    if (imgAfficheTag != QLatin1String("True"))
        return;
    imgAfficheTag = QStringLiteral("False");
    const double width = pxToTwips(imgAffiche->width());
    const double height = pxToTwips(imgAffiche->height());
    if (X < 0 || X > width || Y < 0 || Y > height)
        return;
    if (Button == 2) {
        mnuPopAffi->setDefaultAction(mnuPopFull);
        mnuPopAffi->popup(imgAffiche->mapToGlobal(QPoint(twipsToPx(int(X)), twipsToPx(int(Y)))), mnuPopFull);
    } else if (Button == 1) {
        mnuPopFull_Click();
    }
}

namespace {

int buttonNumber(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

}   // namespace

bool frmMain::imgAfficheMouse(QEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const int button = buttonNumber(mouse->button());
    const int shift = shiftBits(mouse->modifiers());
    const QPointF at = mouse->position() * kTwipsPerPixel;
    if (event->type() == QEvent::MouseButtonPress)
        imgAffiche_MouseDown(button, shift, at.x(), at.y());
    else
        imgAffiche_MouseUp(button, shift, at.x(), at.y());
    return true;
}
