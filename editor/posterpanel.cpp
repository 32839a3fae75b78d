#include "editor/posterpanel.h"

#include "card/workfolder.h"
#include "desktop/filedialog.h"
#include "desktop/messages.h"
#include "editor/editorlayout.h"
#include "editor/posterframe.h"
#include "layout/twips.h"
#include "layout/twipsgeometry.h"
#include "poster/posterimage.h"
#include "texts/texts.h"
#include "viewer/posterwindow.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>

namespace {

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QAction *menuItem(QMenu *menu, const char *name)
{
    QAction *item = menu->addAction(QString());
    item->setObjectName(QLatin1String(name));
    return item;
}

}   // namespace

// From the panel's left to the window's right edge; the poster stands
// 120 twips in from the frame.
PosterPanel::PosterPanel(QWidget *form) : QWidget(form)
{
    using namespace EditorLayout;
    createControls();
    buildMenu();
    setGeometryTwips(this, PanelLeft, 0, InnerWidth - PanelLeft, PosterTop + PosterInitialHeight);
    setGeometryTwips(m_frame, 0, 0, 2175, 855);
    setGeometryTwips(m_changeButton, 120, 240, 855, 495);
    setGeometryTwips(m_removeButton, 1200, 240, 855, 495);
    setGeometryTwips(m_posterLabel, PosterLeft - PanelLeft, PosterTop, kPosterWidth, PosterInitialHeight);
    connectHandlers();
}

void PosterPanel::createControls()
{
    m_frame = named(new PosterFrame(this), "posterFrame");
    m_changeButton = named(new QPushButton(m_frame), "changePosterButton");
    m_removeButton = named(new QPushButton(m_frame), "removePosterButton");
    m_posterLabel = named(new QLabel(this), "posterLabel");
    m_posterLabel->setScaledContents(true);
    m_posterLabel->setCursor(Qt::PointingHandCursor);
    m_posterLabel->setFocusPolicy(Qt::ClickFocus);   // Ctrl+V on the poster pastes one
    m_posterLabel->installEventFilter(this);
}

void PosterPanel::buildMenu()
{
    m_menu = named(new QMenu(this), "posterMenu");
    m_fullViewAction = menuItem(m_menu, "fullViewAction");
    m_menu->addSeparator()->setObjectName(QStringLiteral("posterSeparator"));
    m_changeAction = menuItem(m_menu, "changePosterAction");
    m_pasteAction = menuItem(m_menu, "pastePosterAction");
    m_pasteAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    // Ctrl+V pastes a poster only from the poster panel: the boxes paste text.
    m_pasteAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(m_pasteAction);
    m_removeAction = menuItem(m_menu, "removePosterAction");
    m_resetAction = menuItem(m_menu, "resetPosterAction");
}

void PosterPanel::setCaptions()
{
    m_menu->setTitle(textOf(Text::PosterMenu));
    m_frame->setTitle(textOf(Text::PosterMenu));
    m_fullViewAction->setText(textOf(Text::FullViewItem));
    m_changeAction->setText(textOf(Text::ChangePosterItem));
    m_pasteAction->setText(textOf(Text::PastePosterItem));
    m_removeAction->setText(textOf(Text::RemovePosterItem));
    m_resetAction->setText(textOf(Text::ResetPosterItem));
    m_changeButton->setText(textOf(Text::ChangePosterItem));
    m_removeButton->setText(textOf(Text::RemovePosterItem));
}

void PosterPanel::connectHandlers()
{
    connect(m_changeButton, &QPushButton::clicked, this, &PosterPanel::choose);
    connect(m_removeButton, &QPushButton::clicked, this, &PosterPanel::remove);
    connect(m_fullViewAction, &QAction::triggered, this, &PosterPanel::showFullView);
    connect(m_changeAction, &QAction::triggered, this, &PosterPanel::choose);
    connect(m_pasteAction, &QAction::triggered, this, &PosterPanel::paste);
    connect(m_removeAction, &QAction::triggered, this, &PosterPanel::remove);
    connect(m_resetAction, &QAction::triggered, this, &PosterPanel::resetAsked);
    connect(m_menu, &QMenu::aboutToShow, this, &PosterPanel::updatePasteItem);
    // Bold only as the poster's pop-up, not in the menu bar.
    connect(m_menu, &QMenu::aboutToHide, m_menu, [this] { m_menu->setDefaultAction(nullptr); });
    // Asked when the menu opens, not at start: asking the clipboard's owner takes time.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &PosterPanel::updatePasteItem);
}

void PosterPanel::setResettable(bool resettable)
{
    m_resetAction->setEnabled(resettable);
}

bool PosterPanel::showPicture(const QString &path)
{
    QPixmap picture;
    if (!path.isEmpty()) {
        const QImage image = decodePoster(path);
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
    using namespace EditorLayout;
    const auto outer = editorOuterHeight(SummaryBottom, PosterTop + height);
    if (!outer)
        return false;
    m_picture = picture;
    m_posterLabel->setPixmap(picture);
    m_posterLabel->resize(twipsToPx(kPosterWidth), twipsToPx(height));
    m_posterLabel->show();
    fitToPoster();
    emit outerHeightNeeded(*outer);
    return true;
}

// The panel reaches down to the poster's bottom edge, so that the poster
// gets its mouse events.
void PosterPanel::fitToPoster()
{
    resize(width(), std::max(m_frame->geometry().bottom(), m_posterLabel->geometry().bottom()) + 1);
}

bool PosterPanel::takeFile(const QString &path, const QString &pasteFolder)
{
    if (!showPicture(path)) {
        const bool tooLarge = checkPosterFile(path).problem == PosterFileCheck::TooManyPixels;
        tooLarge ? showImageTooLarge() : showWrongImage();
        return false;
    }
    emit taken(path, pasteFolder);
    return true;
}

// The JPEG is kept until the card is emptied or other pixels are taken.
void PosterPanel::takePixels(const QImage &pixels)
{
    if (pixels.isNull()) {
        showWrongImage();
        return;
    }
    const QString folder = makeWorkFolder(1);
    if (folder.isEmpty()) {
        showWorkFolderFailure();
        return;
    }
    const QString file = folder + WorkFile::Pasted;
    if (!writePastedPoster(pixels, file)) {
        removeWorkFolder(folder);
        showWriteFailed(file);
    } else if (!takeFile(file, folder)) {
        removeWorkFolder(folder);
    }
}

void PosterPanel::take(const PosterSource &source, const QImage &pixels)
{
    if (source.kind == PosterSourceKind::PictureFile)
        takeFile(source.path);
    else if (source.kind == PosterSourceKind::Pixels)
        takePixels(pixels);
}

// The dialog opens again after a file that is no picture, until one is
// taken or the dialog is cancelled.
void PosterPanel::choose()
{
    for (;;) {
        const QString path = showFileDialog(FileDialogKind::Open, textOf(Text::PosterChoiceTitle),
            posterChoiceFilters(), kDocumentsFolder, window(), FileDialogFlag::FileMustExist, QString());
        if (path.isEmpty() || takeFile(path))
            return;
    }
}

// A copied file is taken as that file, copied pixels as pixels.
void PosterPanel::paste()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return;
    const PosterSource source = posterSource(*data);
    take(source, source.kind == PosterSourceKind::Pixels ? posterPixels(*data) : QImage());
}

void PosterPanel::updatePasteItem()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    m_pasteAction->setEnabled(data && holdsPoster(*data));
}

// A removed poster is gone from the card: nothing left to show in full.
void PosterPanel::remove()
{
    m_posterLabel->clear();
    m_posterLabel->hide();
    m_picture = QPixmap();
    emit outerHeightNeeded(EditorLayout::SummaryBottom + EditorLayout::HeightAllowance);
    m_posterLabel->resize(m_posterLabel->width(), 0);
    fitToPoster();
    emit removed();
}

void PosterPanel::showFullView()
{
    PosterWindow::show(m_picture, window());
}

bool PosterPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_posterLabel)
        return onPosterMouse(event);
    return QWidget::eventFilter(watched, event);
}

// A click is a press and a release over the poster; the edges count as over.
// True when the event is the poster's.
bool PosterPanel::onPosterMouse(const QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        m_pressed = true;
        return true;
    }
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto *mouse = static_cast<const QMouseEvent *>(event);
    if (m_pressed) {
        m_pressed = false;
        clickPoster(mouse->button(), mouse->position() * kTwipsPerPixel);
    }
    return true;
}

// at: where the button came up, in twips from the poster's corner.
void PosterPanel::clickPoster(Qt::MouseButton button, QPointF at)
{
    const double width = pxToTwips(m_posterLabel->width());
    const double height = pxToTwips(m_posterLabel->height());
    if (at.x() < 0 || at.x() > width || at.y() < 0 || at.y() > height)
        return;
    if (button == Qt::RightButton) {
        const QPoint corner(twipsToPx(int(at.x())), twipsToPx(int(at.y())));
        m_menu->setDefaultAction(m_fullViewAction);
        m_menu->popup(m_posterLabel->mapToGlobal(corner), m_fullViewAction);
    } else if (button == Qt::LeftButton) {
        showFullView();
    }
}
