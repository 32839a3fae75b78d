#include "editor/editorwindow.h"

#include "editor/editorlayout.h"
#include "editor/summaryedit.h"
#include "layout/frames.h"
#include "layout/twips.h"
#include "layout/twipsgeometry.h"

#include "editor/actorlist.h"
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
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

// The initial grid; placeControls then moves the year box and the
// running-time caption after the measured captions.
void EditorWindow::placeOnGrid()
{
    using namespace EditorLayout;
    placeCaption(m_titleCaption, CaptionLeft, 165);
    m_titleCaption->setFont(boldTitleFont(m_titleCaption->font()));
    m_titleCaption->adjustSize();
    setGeometryTwips(m_titleEdit, BoxLeft, 120, BoxWidth, 480);
    m_titleEdit->setFont(boldTitleFont(m_titleEdit->font()));
    placeCaption(m_yearCaption, CaptionLeft, 675);
    setGeometryTwips(m_yearEdit, 1320, 645, 495, 285);
    placeCaption(m_runningTimeCaption, 2160, 675);
    setGeometryTwips(m_hoursEdit, HoursBoxLeft, 645, 255, 285);
    placeCaption(m_timeColon, 3525, 675);
    setGeometryTwips(m_minutesEdit, 3600, 645, 375, 285);
    placeCaption(m_genreCaption, CaptionLeft, 1050);
    setGeometryTwips(m_genreEdit, BoxLeft, 1005, BoxWidth, 285);
    placeCaption(m_directorCaption, CaptionLeft, 1410);
    setGeometryTwips(m_directorEdit, BoxLeft, 1365, BoxWidth, 285);
    placeCaption(m_actorsCaption, CaptionLeft, 1755);
    setGeometryTwips(m_actorsBox, BoxLeft, 1725, 2415, 315);
    setGeometryTwips(m_deleteActorButton, 3600, 1725, 375, 315);
    placeCaption(m_summaryCaption, CaptionLeft, SummaryTop);
    setGeometryTwips(m_summaryEdit, BoxLeft, SummaryTop, BoxWidth, SummaryHeight);
}

// The captions of the left column must end before the boxes they name,
// whatever faces the desktop has: their font is made smaller until the
// widest one fits.
void EditorWindow::fitCaptionColumn()
{
    constexpr double kSmallestPoints = 6;
    const int room
        = twipsToPx(EditorLayout::BoxLeft - EditorLayout::CaptionLeft - EditorLayout::CaptionGap);   // pixels
    const QList<QLabel *> column = { m_genreCaption, m_directorCaption, m_actorsCaption, m_summaryCaption };
    QFont font = m_genreCaption->font();
    auto widest = [&] {
        const QFontMetrics metrics(font);
        int width = 0;
        for (const QLabel *label : column)
            width = std::max(width, metrics.horizontalAdvance(label->text()));
        return width;
    };
    while (widest() > room && font.pointSizeF() > kSmallestPoints)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    for (QLabel *label : column + QList<QLabel *> { m_yearCaption, m_runningTimeCaption, m_timeColon })
        label->setFont(font);
}

void EditorWindow::placeControls()
{
    fitCaptionColumn();
    for (QLabel *label : { m_titleCaption, m_yearCaption, m_runningTimeCaption, m_timeColon, m_genreCaption,
             m_directorCaption, m_actorsCaption, m_summaryCaption })
        label->adjustSize();
    EditorCaptionMeasure measure;
    measure.titleBoxLeft = float(pxToTwips(m_titleEdit->x()));
    measure.yearCaptionLeft = float(pxToTwips(m_yearCaption->x()));
    measure.yearCaptionWidth = float(pxToTwips(m_yearCaption->width()));
    measure.hoursBoxLeft = float(pxToTwips(m_hoursEdit->x()));
    measure.runningTimeCaptionWidth = float(pxToTwips(m_runningTimeCaption->width()));
    const auto places = placeEditorCaptions(measure);
    if (!places)
        return;
    m_runningTimeCaption->move(
        twipsToPx(int(std::nearbyint(places->runningTimeCaptionLeft))), m_runningTimeCaption->y());
    m_yearEdit->move(twipsToPx(places->yearBoxLeft), m_yearEdit->y());
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
