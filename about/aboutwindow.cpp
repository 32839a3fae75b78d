#include "about/aboutwindow.h"

#include "layout/frames.h"
#include "layout/twips.h"
#include "layout/twipsgeometry.h"
#include "process/buildconfig.h"
#include "texts/texts.h"

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

// The title is the catalogue's until the first show composes the version line.
void AboutWindow::setCaptions()
{
    setWindowTitle(textOf(Text::AboutTitle));
    m_authorLabel->setText(QStringLiteral("Corvin ") + textOf(Text::AboutAuthor));
    m_mailButton->setText(textOf(Text::MailButton));
    m_okButton->setText(textOf(Text::AboutOk));
}

// Modal to the window asking, for the time it is shown only: the About box
// outlives any one editor. It stands in the middle of that window's screen.
void AboutWindow::showModal()
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
    m_iconPicture = makePicture(this, QStringLiteral("iconPicture"),
        icon.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_aboutPicture
        = makePicture(this, QStringLiteral("aboutPicture"), QPixmap(QStringLiteral(":/cinefiche/about.png")));
    m_titleLabel = makeLabel(this, QStringLiteral("titleLabel"));
    QPalette black = m_titleLabel->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    m_titleLabel->setPalette(black);
    m_authorLabel = makeLabel(this, QStringLiteral("authorLabel"));
    m_webLink = makeLabel(this, QStringLiteral("webLink"), webSiteAddress());
    m_databaseLink = makeLabel(this, QStringLiteral("databaseLink"), databaseHomeAddress());
    for (QLabel *link : { m_webLink, m_databaseLink, m_authorLabel }) {
        link->setMouseTracking(true);   // these three react to the mouse passing over them
        link->installEventFilter(this);
    }
    m_webLink->setCursor(Qt::PointingHandCursor);
    m_databaseLink->setCursor(Qt::PointingHandCursor);
    m_webLink->setFocusPolicy(Qt::TabFocus);   // Tab reaches the links, Enter or Space opens them
    m_databaseLink->setFocusPolicy(Qt::TabFocus);
    m_mailButton = new QPushButton(this);
    m_mailButton->setObjectName(QStringLiteral("mailButton"));
    m_mailButton->setCursor(Qt::PointingHandCursor);
    m_okButton = new QPushButton(this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
}

// Positions in twips; the pictures and the links take their own size.
void AboutWindow::placeControls()
{
    moveTwips(m_iconPicture, 240, 240);
    setGeometryTwips(m_titleLabel, 960, 240, 3045, 240);
    setGeometryTwips(m_authorLabel, 960, 480, 3045, 240);
    moveTwips(m_webLink, 960, 720);
    m_webLink->adjustSize();
    moveTwips(m_databaseLink, 960, 960);
    m_databaseLink->adjustSize();
    moveTwips(m_aboutPicture, 4080, 240);
    setGeometryTwips(m_mailButton, 240, 1320, kMailWidth, 345);
    setGeometryTwips(m_okButton, 3720, 1320, 1260, 345);
}

void AboutWindow::connectHandlers()
{
    connect(m_mailButton, &QPushButton::clicked, this, &AboutWindow::mailProgrammer);
    // OK only hides: the window and its texts stay for the next show.
    connect(m_okButton, &QPushButton::clicked, this, &AboutWindow::accept);
    QWidget::setTabOrder(m_webLink, m_databaseLink);
    QWidget::setTabOrder(m_databaseLink, m_mailButton);
    QWidget::setTabOrder(m_mailButton, m_okButton);
}

void AboutWindow::showEvent(QShowEvent *event)
{
    if (!m_loaded) {
        m_loaded = true;
        composeTitle();
    }
    fitMailButton();
    m_okButton->setFocus();   // Enter is OK until Tab moves on
    QDialog::showEvent(event);
}

// The desktop's font may be wider than the one the window was drawn for:
// the mail button then grows to its text, towards OK but never onto it.
void AboutWindow::fitMailButton()
{
    constexpr int kGap = 4;   // pixels kept before OK
    const int room = m_okButton->x() - kGap - m_mailButton->x();
    const int wanted = qMax(twipsToPx(kMailWidth), m_mailButton->sizeHint().width());
    m_mailButton->resize(qMin(wanted, room), m_mailButton->height());
}

// Composes the title line and the window title, once for the whole run.
void AboutWindow::composeTitle()
{
    const VersionLine line = versionLine(m_version.major, m_version.minor, m_version.revision);
    if (line.preRelease)
        m_mailButton->setToolTip(textOf(Text::PreReleaseMailTip));
    m_titleLabel->setText(line.text);
    setWindowTitle(textOf(Text::AboutTitle) + m_titleLabel->text());
}
