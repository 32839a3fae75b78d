#include "about/aboutwindow.h"

#include "app/buildconfig.h"
#include "app/common.h"
#include "app/frames.h"
#include "app/texts.h"
#include "app/twipsgeometry.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int kClientWidth = 5250;   // twips
constexpr int kClientHeight = 1770;
constexpr int kIconSize = 32;      // pixels
constexpr int kMailWidth = 3015;   // twips, the narrowest the mail button gets

AboutWindow *g_instance = nullptr;

QLabel *makePicture(QWidget *parent, const QString &name, const QPixmap &picture)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(picture);
    label->resize(picture.size());   // a picture box sizes itself to its picture
    return label;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text = {})
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}   // namespace

AboutWindow &AboutWindow::instance()
{
    if (!g_instance)
        g_instance = new AboutWindow;
    return *g_instance;
}

bool AboutWindow::exists()
{
    return g_instance != nullptr;
}

void AboutWindow::discard()
{
    delete g_instance;
    g_instance = nullptr;
}

// The title is the catalogue's until the first show composes the version line.
void AboutWindow::setCaptions()
{
    setWindowTitle(textOf(Text::AboutTitle));
    lblAuthor->setText(QStringLiteral("Corvin ") + textOf(Text::AboutAuthor));
    cmdMail->setText(textOf(Text::MailButton));
    cmdOK->setText(textOf(Text::AboutOk));
}

// Modal to the window asking, for the time it is shown only: the About box
// outlives any one editor. It stands in the middle of that window's screen.
void AboutWindow::ShowModal()
{
    AboutWindow &about = instance();
    QWidget *owner = QApplication::activeWindow();
    if (owner && owner != &about)
        about.setParent(owner, about.windowFlags());
    about.centreOnScreen(owner ? owner->screen() : QGuiApplication::primaryScreen());
    about.exec();
    about.setParent(nullptr, about.windowFlags());
}

// Before the first show the desktop has drawn no frame yet: the frame the
// layout reserves stands in for it.
void AboutWindow::centreOnScreen(const QScreen *screen)
{
    if (!screen)
        return;
    QSize outer = frameGeometry().size();
    if (outer == size())
        outer += QSize(twipsToPx(Frame::WindowWidth), twipsToPx(Frame::WindowHeight));
    QRect frame(QPoint(), outer);
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

AboutWindow::AboutWindow()
    : QDialog(nullptr,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::MSWindowsFixedSizeDialogHint),
      m_version { BuildConfig::VersionMajor, BuildConfig::VersionMinor, BuildConfig::VersionRevision }
{
    setObjectName(QStringLiteral("AboutWindow"));
    setModal(true);
    setFixedSize(twipsToPx(kClientWidth), twipsToPx(kClientHeight));
    setMouseTracking(true);
    createControls();
    placeControls();
    setCaptions();
    connectHandlers();
}

void AboutWindow::createControls()
{
    const QPixmap icon(QStringLiteral(":/cinefiche/cinefiche.png"));
    picIcon = makePicture(this, QStringLiteral("picIcon"),
        icon.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    Picture1
        = makePicture(this, QStringLiteral("Picture1"), QPixmap(QStringLiteral(":/cinefiche/about.png")));
    lblTitle = makeLabel(this, QStringLiteral("lblTitle"));
    QPalette black = lblTitle->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    lblTitle->setPalette(black);
    lblAuthor = makeLabel(this, QStringLiteral("lblAuthor"));
    lblWeb = makeLabel(this, QStringLiteral("lblWeb"), webSiteAddress());
    lblcfhdb = makeLabel(this, QStringLiteral("lblcfhdb"), databaseHomeAddress());
    for (QLabel *link : { lblWeb, lblcfhdb, lblAuthor }) {
        link->setMouseTracking(true);   // these three react to the mouse passing over them
        link->installEventFilter(this);
    }
    lblWeb->setCursor(Qt::PointingHandCursor);
    lblcfhdb->setCursor(Qt::PointingHandCursor);
    lblWeb->setFocusPolicy(Qt::TabFocus);   // Tab reaches the links, Enter or Space opens them
    lblcfhdb->setFocusPolicy(Qt::TabFocus);
    cmdMail = new QPushButton(this);
    cmdMail->setObjectName(QStringLiteral("cmdMail"));
    cmdMail->setCursor(Qt::PointingHandCursor);
    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
}

// Positions in twips; the pictures and the links take their own size.
void AboutWindow::placeControls()
{
    moveTwips(picIcon, 240, 240);
    setGeometryTwips(lblTitle, 960, 240, 3045, 240);
    setGeometryTwips(lblAuthor, 960, 480, 3045, 240);
    moveTwips(lblWeb, 960, 720);
    lblWeb->adjustSize();
    moveTwips(lblcfhdb, 960, 960);
    lblcfhdb->adjustSize();
    moveTwips(Picture1, 4080, 240);
    setGeometryTwips(cmdMail, 240, 1320, kMailWidth, 345);
    setGeometryTwips(cmdOK, 3720, 1320, 1260, 345);
}

void AboutWindow::connectHandlers()
{
    connect(cmdMail, &QPushButton::clicked, this, &AboutWindow::cmdMail_Click);
    connect(cmdOK, &QPushButton::clicked, this, &AboutWindow::cmdOK_Click);
    QWidget::setTabOrder(lblWeb, lblcfhdb);
    QWidget::setTabOrder(lblcfhdb, cmdMail);
    QWidget::setTabOrder(cmdMail, cmdOK);
}

void AboutWindow::showEvent(QShowEvent *event)
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    fitMailButton();
    cmdOK->setFocus();   // Enter is OK until Tab moves on
    QDialog::showEvent(event);
}

// The desktop's font may be wider than the one the window was drawn for:
// the mail button then grows to its text, towards OK but never onto it.
void AboutWindow::fitMailButton()
{
    constexpr int kGap = 4;   // pixels kept before OK
    const int room = cmdOK->x() - kGap - cmdMail->x();
    const int wanted = qMax(twipsToPx(kMailWidth), cmdMail->sizeHint().width());
    cmdMail->resize(qMin(wanted, room), cmdMail->height());
}

// Composes the title line and the window title, once for the whole run.
void AboutWindow::Form_Load()
{
    const VersionLine line = versionLine(m_version.major, m_version.minor, m_version.revision);
    if (line.preRelease)
        cmdMail->setToolTip(textOf(Text::MailButtonTip));
    lblTitle->setText(line.text);
    setWindowTitle(textOf(Text::AboutTitle) + lblTitle->text());
}

void AboutWindow::cmdOK_Click()
{
    accept();   // hides; the window and its texts stay for the next show
}
