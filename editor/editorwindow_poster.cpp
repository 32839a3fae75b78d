#include "editor/editorwindow.h"

#include "app/common.h"
#include "app/desktop.h"
#include "app/messages.h"
#include "app/texts.h"
#include "app/twips.h"
#include "card/workfolder.h"
#include "dialogs/filedialog.h"
#include "editor/editorlayout.h"
#include "poster/posterimage.h"
#include "viewer/posterwindow.h"

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

bool EditorWindow::Pic2Img(const QString &strImage)
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

bool EditorWindow::ResetPoster()
{
    const QString path = m_card.ownPoster();
    if (path.isEmpty())
        return false;
    Pic2Img(path);
    m_card.takePoster(path);
    return true;
}

bool EditorWindow::takePosterFile(const QString &path)
{
    if (!Pic2Img(path)) {
        showWrongImage();
        return false;
    }
    ChangeEdit(true);
    m_card.takePoster(path);
    return true;
}

// The dialog opens again after a file that is no picture, until one is
// taken or the dialog is cancelled.
void EditorWindow::cmdAffiMod_Click()
{
    for (;;) {
        const QString path = ShowFileDialog(FileDialogKind::Open, textOf(Text::PosterChoiceTitle),
            posterChoiceFilters(), kDocumentsFolder, this, FileDialogFlag::FileMustExist, QString());
        if (path.isEmpty() || takePosterFile(path))
            return;
    }
}

// A removed poster is gone from the card: nothing left to save or to show
// in full, and for a card with a file the next save rewrites it without one.
void EditorWindow::cmdAffiSupp_Click()
{
    imgAffiche->clear();
    imgAffiche->hide();
    picAffiche = QPixmap();
    m_card.removePoster();
    setOuterHeight(EditorLayout::ResumeBottom + EditorLayout::HeightAllowance);
    imgAffiche->resize(imgAffiche->width(), 0);
    ChangeEdit(true);
}

void EditorWindow::mnuPopFull_Click()
{
    PosterWindow::View(QStringLiteral("EditorWindow"));
}

void EditorWindow::mnuPopModif_Click()
{
    cmdAffiMod_Click();
}

void EditorWindow::mnuPopRem_Click()
{
    cmdAffiSupp_Click();
}

void EditorWindow::mnuPopReset_Click()
{
    if (ResetPoster())
        ChangeEdit(true);
}

void EditorWindow::imgAffiche_MouseDown(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Button);
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    m_posterPressed = true;
}

// A click is a press and a release over the poster; the edges count as over.
void EditorWindow::imgAffiche_MouseUp(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Shift);
    if (!m_posterPressed)
        return;
    m_posterPressed = false;
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

bool EditorWindow::imgAfficheMouse(QEvent *event)
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
