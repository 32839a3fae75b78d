#include "editor/editorwindow.h"

#include "app/common.h"
#include "app/frames.h"
#include "app/twips.h"
#include "app/twipsgeometry.h"
#include "editor/editorlayout.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <cmath>

namespace {

// A caption whose width follows its text, at its left and top on the grid.
void placeCaption(QLabel *label, int left, int top)
{
    moveTwips(label, left, top);
    label->adjustSize();
}

QFont boldTitleFont(QFont font)
{
    font.setPointSizeF(13.5);
    font.setBold(true);
    return font;
}

}   // namespace

// The initial grid; PlaceControls then moves the year box and the
// running-time caption after the measured captions.
void EditorWindow::placeOnGrid()
{
    using namespace EditorLayout;
    placeCaption(lblTitre, CaptionLeft, 165);
    lblTitre->setFont(boldTitleFont(lblTitre->font()));
    lblTitre->adjustSize();
    setGeometryTwips(txtTitre, BoxLeft, 120, BoxWidth, 480);
    txtTitre->setFont(boldTitleFont(txtTitre->font()));
    placeCaption(lblAnnee, CaptionLeft, 675);
    setGeometryTwips(txtAnnee, 1320, 645, 495, 285);
    placeCaption(lblDuree1, 2160, 675);
    setGeometryTwips(txtDuree1, Duree1BoxLeft, 645, 255, 285);
    placeCaption(lblDuree2, 3525, 675);
    setGeometryTwips(txtDuree2, 3600, 645, 375, 285);
    placeCaption(lblType, CaptionLeft, 1050);
    setGeometryTwips(txtType, BoxLeft, 1005, BoxWidth, 285);
    placeCaption(lblRealisateur, CaptionLeft, 1410);
    setGeometryTwips(txtRealisateur, BoxLeft, 1365, BoxWidth, 285);
    placeCaption(lblActeurs, CaptionLeft, 1755);
    setGeometryTwips(cboActeurs, BoxLeft, 1725, 2415, 315);
    setGeometryTwips(cmdActSupp, 3600, 1725, 375, 315);
    placeCaption(lblResume, CaptionLeft, ResumeTop);
    setGeometryTwips(txtResume, BoxLeft, ResumeTop, BoxWidth, ResumeHeight);
    setGeometryTwips(fraAffiche, PanelLeft, 0, 2175, 855);
    setGeometryTwips(cmdAffiMod, 120, 240, 855, 495);
    setGeometryTwips(cmdAffiSupp, 1200, 240, 855, 495);
    setGeometryTwips(imgAffiche, PosterLeft, PosterTop, kPosterWidth, PosterInitialHeight);
}

void EditorWindow::chainTabOrder()
{
    const QList<QWidget *> order = { txtTitre, txtAnnee, txtDuree1, txtDuree2, txtType, txtRealisateur,
        cboActeurs, txtResume, cmdAffiMod, cmdAffiSupp, cmdActSupp };
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

// The captions of the left column must end before the boxes they name,
// whatever faces the desktop has: their font is made smaller until the
// widest one fits.
void EditorWindow::fitCaptionColumn()
{
    constexpr double kSmallestPoints = 6;
    const int room
        = twipsToPx(EditorLayout::BoxLeft - EditorLayout::CaptionLeft - EditorLayout::CaptionGap);   // pixels
    const QList<QLabel *> column = { lblType, lblRealisateur, lblActeurs, lblResume };
    QFont font = lblType->font();
    auto widest = [&] {
        const QFontMetrics metrics(font);
        int width = 0;
        for (const QLabel *label : column)
            width = std::max(width, metrics.horizontalAdvance(label->text()));
        return width;
    };
    while (widest() > room && font.pointSizeF() > kSmallestPoints)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    for (QLabel *label : column + QList<QLabel *> { lblAnnee, lblDuree1, lblDuree2 })
        label->setFont(font);
}

void EditorWindow::PlaceControls()
{
    fitCaptionColumn();
    for (QLabel *label :
        { lblTitre, lblAnnee, lblDuree1, lblDuree2, lblType, lblRealisateur, lblActeurs, lblResume })
        label->adjustSize();
    EditorCaptionMeasure measure;
    measure.titreBoxLeft = float(pxToTwips(txtTitre->x()));
    measure.anneeLeft = float(pxToTwips(lblAnnee->x()));
    measure.anneeWidth = float(pxToTwips(lblAnnee->width()));
    measure.duree1BoxLeft = float(pxToTwips(txtDuree1->x()));
    measure.duree1Width = float(pxToTwips(lblDuree1->width()));
    const auto places = placeEditorCaptions(measure);
    if (!places)
        return;
    lblDuree1->move(twipsToPx(int(std::nearbyint(places->duree1Left))), lblDuree1->y());
    txtAnnee->move(twipsToPx(places->anneeBoxLeft), txtAnnee->y());
}

// The outer height in twips counts a frame and one line of menu bar; the
// window gets the area under the menu bar and the real menu bar above it.
void EditorWindow::setOuterHeight(int twips)
{
    m_outerHeight = twips;
    const int inner = twips - Frame::WindowHeight - Frame::MenuBarHeight;
    setFixedSize(twipsToPx(EditorLayout::InnerWidth), twipsToPx(inner) + menuBar()->sizeHint().height());
}

void EditorWindow::showEvent(QShowEvent *event)
{
    setOuterHeight(m_outerHeight);   // the menu bar has its captions by now
    if (!m_centred) {
        m_centred = true;
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QMainWindow::showEvent(event);
}
