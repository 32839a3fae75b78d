#include "viewer/viewerwindow.h"

#include "app/common.h"
#include "app/desktop.h"
#include "app/frames.h"
#include "app/texts.h"
#include "app/twipsgeometry.h"
#include "viewer/infoslayout.h"
#include "viewer/posterwindow.h"

#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

QPointer<ViewerWindow> ViewerWindow::s_instance;

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

ViewerWindow &ViewerWindow::instance()
{
    if (!s_instance)
        s_instance = new ViewerWindow;
    return *s_instance;
}

bool ViewerWindow::exists()
{
    return !s_instance.isNull();
}

void ViewerWindow::discard()
{
    delete s_instance.data();
}

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
    PosterWindow::setPosterSource(
        QStringLiteral("ViewerWindow"), [] { return exists() ? s_instance->fullPoster() : QPixmap(); });
}

QLabel *ViewerWindow::makeLabel(const char *name, const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// The initial grid, which PositionsLoad replaces once the card is loaded.
void ViewerWindow::buildControls()
{
    using namespace InfosLayout;
    lblTitre = makeLabel("lblTitre", QStringLiteral("lblTitre"));
    lblTitre->setFont(titleFont());
    lblTitre->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblTitre->setWordWrap(true);
    setGeometryTwips(lblTitre, TitleLeft, 0, TitleInitialWidth, TitleInitialHeight);
    buildRows();
    imgAffiche = makeLabel("imgAffiche", QString());
    imgAffiche->setScaledContents(true);
    imgAffiche->setCursor(Qt::PointingHandCursor);
    imgAffiche->installEventFilter(this);
    setGeometryTwips(imgAffiche, PosterLeft, kFirstTop, kPosterWidth, 2055);
    picAffiche = makeLabel("picAffiche", QString());
    setGeometryTwips(picAffiche, 5400, 720, 2415, 2535);
    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    setGeometryTwips(cmdOK, 3240, 2880, OkSize.width, OkSize.height);
    cmdPlay = new QPushButton(this);
    cmdPlay->setObjectName(QStringLiteral("cmdPlay"));
    setGeometryTwips(cmdPlay, 2040, 2880, PlaySize.width, PlaySize.height);
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
    const Initial labels[] = { { lblAnnee, "lblAnnee", CaptionLeft, kFirstTop, 600 },
        { lblDuree, "lblDuree", DureeLeft, kFirstTop, 525 },
        { lblTypeA, "lblTypeA", CaptionLeft, TypeInitialTop, 450 },
        { lblRealisateurA, "lblRealisateurA", CaptionLeft, RealisateurInitialTop, 885 },
        { lblActeursA, "lblActeursA", CaptionLeft, ActeursInitialTop, 675 },
        { lblResumeA, "lblResumeA", CaptionLeft, ResumeInitialTop, 720 },
        { lblType, "lblType", 600, TypeInitialTop, 420 },
        { lblRealisateur, "lblRealisateur", 1080, RealisateurInitialTop, 420 },
        { lblActeurs, "lblActeurs", 840, ActeursInitialTop, 420 },
        { lblResume, "lblResume", 840, ResumeInitialTop, 420 } };
    for (const Initial &initial : labels) {
        initial.label = makeLabel(initial.name, QStringLiteral("XXXX"));
        setGeometryTwips(initial.label, initial.left, initial.top, initial.width, 195);
    }
}

void ViewerWindow::buildMenu()
{
    mnuAffiche = new QMenu(this);
    mnuAffiche->setObjectName(QStringLiteral("mnuAffiche"));
    mnuAfficheFull = mnuAffiche->addAction(QString());
    mnuAfficheFull->setObjectName(QStringLiteral("mnuAfficheFull"));
    mnuAfficheSep1 = mnuAffiche->addSeparator();
    mnuAfficheSep1->setObjectName(QStringLiteral("mnuAfficheSep1"));
    mnuAfficheSave = mnuAffiche->addAction(QString());
    mnuAfficheSave->setObjectName(QStringLiteral("mnuAfficheSave"));
    mnuAffiche->setDefaultAction(mnuAfficheFull);
}

void ViewerWindow::setCaptions()
{
    lblAnnee->setText(textOf(Text::ViewerYear));
    lblDuree->setText(textOf(Text::ViewerRunningTime));
    lblTypeA->setText(textOf(Text::ViewerGenre));
    lblRealisateurA->setText(textOf(Text::ViewerDirector));
    lblActeursA->setText(textOf(Text::ViewerActors));
    lblResumeA->setText(textOf(Text::ViewerSummary));
    mnuAfficheFull->setText(textOf(Text::ViewerFullViewItem));
    mnuAfficheSave->setText(textOf(Text::ViewerSavePosterItem));
    cmdPlay->setText(textOf(Text::PlayButton));
    cmdOK->setText(textOf(Text::ViewerOk));
}

void ViewerWindow::connectHandlers()
{
    connect(cmdPlay, &QPushButton::clicked, this, &ViewerWindow::cmdPlay_Click);
    connect(cmdOK, &QPushButton::clicked, this, &ViewerWindow::cmdOK_Click);
    connect(mnuAfficheFull, &QAction::triggered, this, &ViewerWindow::mnuAfficheFull_Click);
    connect(mnuAfficheSave, &QAction::triggered, this, &ViewerWindow::mnuAfficheSave_Click);
}
