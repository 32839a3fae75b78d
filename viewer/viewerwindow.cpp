#include "viewer/viewerwindow.h"

#include "desktop/desktop.h"
#include "layout/frames.h"
#include "layout/twips.h"
#include "layout/twipsgeometry.h"
#include "texts/texts.h"
#include "viewer/infoslayout.h"

#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace {

// The first row's top: under the title, before the title is measured.
constexpr int kFirstTop = InfosLayout::TitleInitialHeight + InfosLayout::TitleGap;

QFont titleFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(13.5);
    font.setBold(true);
    return font;
}

}   // namespace

ViewerWindow::ViewerWindow()
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("ViewerWindow"));
    setWindowTitle(QLatin1Char(' ') + kAppTitle);   // the leading blank is the window's own
    setAttribute(Qt::WA_DeleteOnClose);
    // Qt leaves tool windows out of the last-window count; the viewer
    // started on its own is the program's only window.
    setAttribute(Qt::WA_QuitOnClose, true);
    setFixedSize(twipsToPx(InfosLayout::InitialClientWidth), twipsToPx(InfosLayout::InitialClientHeight));
    buildControls();
    buildMenu();
    setCaptions();
    connectHandlers();
}

QLabel *ViewerWindow::makeLabel(const char *name, const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// The initial grid, which placeControls replaces once the card is loaded.
void ViewerWindow::buildControls()
{
    using namespace InfosLayout;
    m_titleLabel = makeLabel("titleLabel", QStringLiteral("titleLabel"));
    m_titleLabel->setFont(titleFont());
    m_titleLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_titleLabel->setWordWrap(true);
    setGeometryTwips(m_titleLabel, TitleLeft, 0, TitleInitialWidth, TitleInitialHeight);
    buildRows();
    m_posterLabel = makeLabel("posterLabel", QString());
    m_posterLabel->setScaledContents(true);
    m_posterLabel->setCursor(Qt::PointingHandCursor);
    m_posterLabel->installEventFilter(this);
    setGeometryTwips(m_posterLabel, PosterLeft, kFirstTop, kPosterWidth, 2055);
    m_posterPicture = makeLabel("posterPicture", QString());
    setGeometryTwips(m_posterPicture, 5400, 720, 2415, 2535);
    m_okButton = new QPushButton(this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    setGeometryTwips(m_okButton, 3240, 2880, OkSize.width, OkSize.height);
    m_playButton = new QPushButton(this);
    m_playButton->setObjectName(QStringLiteral("playButton"));
    setGeometryTwips(m_playButton, 2040, 2880, PlaySize.width, PlaySize.height);
}

// The captions and the value labels, one line high.
void ViewerWindow::buildRows()
{
    using namespace InfosLayout;
    struct Initial {
        QLabel *&label;
        const char *name;
        int left, top, width;
    };
    const Initial labels[] = { { m_yearLabel, "yearLabel", CaptionLeft, kFirstTop, 600 },
        { m_runningTimeLabel, "runningTimeLabel", RunningTimeLeft, kFirstTop, 525 },
        { m_genreCaption, "genreCaption", CaptionLeft, GenreInitialTop, 450 },
        { m_directorCaption, "directorCaption", CaptionLeft, DirectorInitialTop, 885 },
        { m_actorsCaption, "actorsCaption", CaptionLeft, ActorsInitialTop, 675 },
        { m_summaryCaption, "summaryCaption", CaptionLeft, SummaryInitialTop, 720 },
        { m_genreLabel, "genreLabel", 600, GenreInitialTop, 420 },
        { m_directorLabel, "directorLabel", 1080, DirectorInitialTop, 420 },
        { m_actorsLabel, "actorsLabel", 840, ActorsInitialTop, 420 },
        { m_summaryLabel, "summaryLabel", 840, SummaryInitialTop, 420 } };
    for (const Initial &initial : labels) {
        initial.label = makeLabel(initial.name, QStringLiteral("XXXX"));
        setGeometryTwips(initial.label, initial.left, initial.top, initial.width, 195);
    }
}

void ViewerWindow::buildMenu()
{
    m_posterMenu = new QMenu(this);
    m_posterMenu->setObjectName(QStringLiteral("posterMenu"));
    m_fullViewAction = m_posterMenu->addAction(QString());
    m_fullViewAction->setObjectName(QStringLiteral("fullViewAction"));
    m_posterMenuSeparator = m_posterMenu->addSeparator();
    m_posterMenuSeparator->setObjectName(QStringLiteral("posterMenuSeparator"));
    m_savePosterAction = m_posterMenu->addAction(QString());
    m_savePosterAction->setObjectName(QStringLiteral("savePosterAction"));
    m_posterMenu->setDefaultAction(m_fullViewAction);
}

void ViewerWindow::setCaptions()
{
    m_yearLabel->setText(textOf(Text::ViewerYear));
    m_runningTimeLabel->setText(textOf(Text::ViewerRunningTime));
    m_genreCaption->setText(textOf(Text::ViewerGenre));
    m_directorCaption->setText(textOf(Text::ViewerDirector));
    m_actorsCaption->setText(textOf(Text::ViewerActors));
    m_summaryCaption->setText(textOf(Text::ViewerSummary));
    m_fullViewAction->setText(textOf(Text::ViewerFullViewItem));
    m_savePosterAction->setText(textOf(Text::ViewerSavePosterItem));
    m_playButton->setText(textOf(Text::PlayButton));
    m_okButton->setText(textOf(Text::ViewerOk));
}

void ViewerWindow::connectHandlers()
{
    connect(m_playButton, &QPushButton::clicked, this, &ViewerWindow::playMovie);
    connect(m_okButton, &QPushButton::clicked, this, &ViewerWindow::close);
    connect(m_fullViewAction, &QAction::triggered, this, &ViewerWindow::showFullView);
    connect(m_savePosterAction, &QAction::triggered, this, &ViewerWindow::savePosterAs);
    connect(m_cardWatch, &CardWatch::touched, this, &ViewerWindow::showChangedCard);
}
