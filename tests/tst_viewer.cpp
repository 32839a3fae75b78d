#include "card/cardrecord.h"
#include "card/workfolder.h"
#include "layout/twips.h"
#include "support/modal.h"
#include "support/pictures.h"
#include "support/scripteddesktop.h"
#include "support/testfiles.h"
#include "support/windowparts.h"
#include "viewer/posterwindow.h"
#include "viewer/viewerfiles.h"
#include "viewer/viewerwindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

struct CardTexts {
    QString titre = u"Brazil"_s, annee = u"1985"_s, dureeH = u" 2"_s, dureeM = u"12"_s, type = u"Drame"_s,
            realisateur = u"Anne"_s, acteurs = u"Boris|Chloé|"_s, resume = u"Court."_s;
};

QByteArray recordOf(const CardTexts &t)
{
    return encodeRecord(
        makeRecord({ t.titre, t.annee, t.dureeH, t.dureeM, t.type, t.realisateur, t.acteurs, t.resume }));
}

// How the full view is asked for.
enum class Opener { Click, MenuItem, NoPicture };
enum class Failure { None, CardGone, DiskFull };

QStringList workFolders()
{
    return QDir(workBase().path).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
}

}   // namespace

class tst_Viewer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void labelTexts_data();
    void labelTexts();
    void posterLayout_data();
    void posterLayout();
    void longSummaryBesidePoster();
    void playOpensMovieAndCloses();
    void popupMenu();
    void fullView_data();
    void fullView();
    void savePoster_data();
    void savePoster();
    void closingViewerEndsProgram();

private:
    QString writeCard(const QString &name, const QByteArray &poster, const CardTexts &texts = {});
    ViewerWindow *open(const QByteArray &poster, const CardTexts &texts = {});
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_Viewer::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void tst_Viewer::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_Viewer::cleanup()
{
    ViewerWindow::discard();
    QVERIFY(workFolders().isEmpty());
    for (const QWidget *widget : QApplication::topLevelWidgets())
        QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));
}

QString tst_Viewer::writeCard(const QString &name, const QByteArray &poster, const CardTexts &texts)
{
    const QString path = m_dir->filePath(name);
    writeBytes(path, makeCard(recordOf(texts), poster));
    return path;
}

ViewerWindow *tst_Viewer::open(const QByteArray &poster, const CardTexts &texts)
{
    if (!ViewerWindow::showCard(writeCard(u"card.cfh"_s, poster, texts)))
        return nullptr;
    return &ViewerWindow::instance();
}

void tst_Viewer::labelTexts_data()
{
    QTest::addColumn<QString>("annee");
    QTest::addColumn<QString>("dureeH");
    QTest::addColumn<QString>("acteurs");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("runningTime");
    QTest::addColumn<QString>("actors");
    // The design's words and blanks, exactly.
    QTest::newRow("full card") << u"2004"_s << u" 1"_s << u"Anna|Boris|"_s << u"Année :  2004"_s
                               << u"Durée :  1h30"_s << u"Anna\nBoris"_s;
    QTest::newRow("empty fields") << u""_s << u""_s << u""_s << u"Année : "_s << u"Durée :   h30"_s << u""_s;
}

void tst_Viewer::labelTexts()
{
    QFETCH(QString, annee);
    QFETCH(QString, dureeH);
    QFETCH(QString, acteurs);
    CardTexts texts;
    texts.titre = u"  Titre  "_s;
    texts.annee = annee;
    texts.dureeH = dureeH;
    texts.dureeM = u"30"_s;
    texts.acteurs = acteurs;
    ViewerWindow *viewer = open({}, texts);
    QVERIFY(viewer);
    QTEST(child<QLabel>(viewer, "yearLabel")->text(), "year");
    QTEST(child<QLabel>(viewer, "runningTimeLabel")->text(), "runningTime");
    QTEST(child<QLabel>(viewer, "actorsLabel")->text(), "actors");
    QCOMPARE(child<QLabel>(viewer, "titleLabel")->text(), u"  Titre"_s);
    QCOMPARE(child<QLabel>(viewer, "summaryCaption")->text(), textOf(Text::ViewerSummary));
    QCOMPARE(child<QPushButton>(viewer, "playButton")->text(), textOf(Text::PlayButton));
    QCOMPARE(child<QPushButton>(viewer, "okButton")->text(), textOf(Text::ViewerOk));
    QCOMPARE(viewer->windowTitle(), u" Cinefiche"_s);
    // A second card in the same viewer shows its own year, not appended.
    QVERIFY(ViewerWindow::showCard(writeCard(u"second.cfh"_s, {})));
    QCOMPARE(child<QLabel>(viewer, "yearLabel")->text(), textOf(Text::ViewerYear) + u" 1985"_s);
}

void tst_Viewer::posterLayout_data()
{
    QTest::addColumn<QByteArray>("poster");
    QTest::addColumn<int>("height");   // twips, at 1935 wide; 0: the window without poster
    QTest::newRow("3870 x 4500") << pictureBytes(258, 300) << 2250;
    QTest::newRow("no poster") << QByteArray() << 0;
    QTest::newRow("bytes that are no picture") << posterBytes(3000) << 0;
}

void tst_Viewer::posterLayout()
{
    QFETCH(QByteArray, poster);
    QFETCH(int, height);
    ViewerWindow *viewer = open(poster);
    QVERIFY(viewer);
    QCOMPARE(child<QLabel>(viewer, "posterLabel")->isVisibleTo(viewer), height > 0);
    for (const QPushButton *button :
        { child<QPushButton>(viewer, "okButton"), child<QPushButton>(viewer, "playButton") })
        QVERIFY(viewer->rect().contains(button->geometry()));
    if (height == 0) {
        QCOMPARE(!viewer->hasPosterBytes(), poster.isEmpty());
        QCOMPARE(viewer->width(), twipsToPx(3420 - 90));
        QCOMPARE(child<QPushButton>(viewer, "okButton")->x(), twipsToPx(1905));
        QCOMPARE(child<QPushButton>(viewer, "playButton")->x(), twipsToPx(705));
        return;
    }
    const QLabel *posterLabel = child<QLabel>(viewer, "posterLabel");
    const QLabel *picture = child<QLabel>(viewer, "posterPicture");
    QCOMPARE(posterLabel->geometry(),
        QRect(twipsToPx(3120), child<QLabel>(viewer, "yearLabel")->y(), twipsToPx(1935), twipsToPx(height)));
    QVERIFY(picture->x() >= viewer->width());
    for (const QLabel *label : viewer->findChildren<QLabel *>()) {
        if (label != posterLabel && label != picture && label != child<QLabel>(viewer, "titleLabel"))
            QVERIFY2(!label->geometry().intersects(posterLabel->geometry()), qPrintable(label->objectName()));
    }
}

void tst_Viewer::longSummaryBesidePoster()
{
    CardTexts texts;
    texts.resume = u"Une longue histoire de famille. "_s.repeated(15);
    ViewerWindow *viewer = open(pictureBytes(86, 120), texts);
    QVERIFY(viewer);
    const QRect summary = child<QLabel>(viewer, "summaryLabel")->geometry();
    const QRect poster = child<QLabel>(viewer, "posterLabel")->geometry();
    QVERIFY(child<QLabel>(viewer, "summaryLabel")->wordWrap());
    QVERIFY(summary.right() < poster.x());
    QVERIFY(summary.bottom() > poster.bottom());
    QVERIFY(summary.bottom() < child<QPushButton>(viewer, "okButton")->y());
}

void tst_Viewer::playOpensMovieAndCloses()
{
    ScriptedDesktop fake;
    ViewerWindow *viewer = open({});
    QVERIFY(viewer);
    QVERIFY(!child<QPushButton>(viewer, "playButton")->isEnabled());   // no movie beside the card
    fake.answerOpen(false);                                            // a player that fails changes nothing
    writeBytes(m_dir->filePath(u"card.avi"_s), "movie");
    QCOMPARE(open({}), viewer);
    QVERIFY(child<QPushButton>(viewer, "playButton")->isEnabled());
    QTest::mouseClick(child<QPushButton>(viewer, "playButton"), Qt::LeftButton);
    QCOMPARE(fake.opened, QList<QUrl> { QUrl::fromLocalFile(m_dir->filePath(u"card.avi"_s)) });
    QTRY_VERIFY(!ViewerWindow::exists());
    QVERIFY(fake.allAnswered());
}

void tst_Viewer::popupMenu()
{
    ViewerWindow *viewer = open(pictureBytes(40, 60));
    QVERIFY(viewer);
    QTest::mouseRelease(child<QLabel>(viewer, "posterLabel"), Qt::RightButton);
    QTRY_VERIFY(child<QMenu>(viewer, "posterMenu")->isVisible());
    const QList<QAction *> items = child<QMenu>(viewer, "posterMenu")->actions();
    QCOMPARE(items.size(), 3);
    QCOMPARE(items.at(0), child<QAction>(viewer, "fullViewAction"));
    QCOMPARE(items.at(0)->text(), textOf(Text::ViewerFullViewItem));
    QVERIFY(items.at(1)->isSeparator());
    QCOMPARE(items.at(2)->text(), textOf(Text::ViewerSavePosterItem));
    QCOMPARE(child<QMenu>(viewer, "posterMenu")->defaultAction(), child<QAction>(viewer, "fullViewAction"));
    child<QMenu>(viewer, "posterMenu")->close();
}

// The full view opens from a click on the poster or its menu item, and
// closes on Esc or a click on its picture.
void tst_Viewer::fullView_data()
{
    QTest::addColumn<Opener>("opener");
    QTest::addColumn<int>("closeKey");   // 0: a click on the picture
    QTest::addColumn<bool>("opens");
    QTest::newRow("left click, then Esc") << Opener::Click << int(Qt::Key_Escape) << true;
    QTest::newRow("the menu item, then a click") << Opener::MenuItem << 0 << true;
    // It returns at once: no empty window to trap the user.
    QTest::newRow("no picture to show") << Opener::NoPicture << 0 << false;
}

void tst_Viewer::fullView()
{
    QFETCH(Opener, opener);
    QFETCH(int, closeKey);
    ViewerWindow *viewer = open(pictureBytes(300, 450));   // 4500 x 6750 twips
    QVERIFY(viewer);
    QSize window, shown;
    QPoint at;
    bool closedByItself = false;
    const auto openIt = [&] {
        if (opener == Opener::Click)
            QTest::mouseClick(child<QLabel>(viewer, "posterLabel"), Qt::LeftButton);
        else if (opener == Opener::MenuItem)
            child<QAction>(viewer, "fullViewAction")->trigger();
        else
            PosterWindow::show(QPixmap(), viewer);
    };
    QTEST(whileModal(openIt,
              [&](QWidget *modal) {
                  PosterWindow *view = &PosterWindow::instance();
                  QCOMPARE(modal, view);
                  window = view->size();
                  shown = child<QLabel>(view, "pictureLabel")->pixmap().size();
                  at = child<QLabel>(view, "pictureLabel")->pos();
                  if (closeKey)
                      QTest::keyClick(view, Qt::Key(closeKey));
                  else
                      QTest::mouseClick(child<QLabel>(view, "pictureLabel"), Qt::LeftButton);
                  closedByItself = !view->isVisible();
              }),
        "opens");
    QVERIFY(!PosterWindow::exists());
    QVERIFY(!child<QMenu>(viewer, "posterMenu")->isVisible());
    if (window.isEmpty())
        return;
    QVERIFY(closedByItself);
    QCOMPARE(window, QSize(twipsToPx(4550), twipsToPx(6800)));
    QCOMPARE(shown, QSize(300, 450));
    QCOMPARE(at, QPoint(twipsToPx(25), twipsToPx(25)));
}

// The poster's bytes, whatever their number, replace the chosen file (the
// extension rule itself is the file dialog's); a cancel, a card gone since
// it was opened or a full disk leaves the folder as it was.
void tst_Viewer::savePoster_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("chosen");   // empty: cancelled
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("written");   // the file then holding the poster
    QTest::addColumn<QString>("message");   // about {card} or {chosen}
    for (int size : { 1, 511, 512, 513, 1024, 100000 })
        QTest::addRow("poster of %d bytes", size)
            << size << u"affiche.jpg"_s << Failure::None << u"affiche.jpg"_s << QString();
    QTest::newRow("no extension: a JPEG's")
        << 700 << u"brazil"_s << Failure::None << u"brazil.jpg"_s << QString();
    QTest::newRow("cancelled") << 700 << QString() << Failure::None << QString() << QString();
    QTest::newRow("card gone") << 10 << u"affiche.jpg"_s << Failure::CardGone << QString()
                               << saidAbout(Text::FileNotFound, u"{card}"_s);
    QTest::newRow("disk full") << 5000 << u"affiche.jpg"_s << Failure::DiskFull << QString()
                               << saidAbout(Text::WriteFailed, u"{chosen}"_s);
}

void tst_Viewer::savePoster()
{
    QFETCH(int, size);
    QFETCH(QString, chosen);
    QFETCH(Failure, failure);
    QFETCH(QString, written);
    QFETCH(QString, message);
    ScriptedDesktop fake;
    const QString existing = m_dir->filePath(u"affiche.jpg"_s);
    writeBytes(existing, QByteArray(200000, 'x'));   // replaced whole, or kept
    fake.answerFile(chosen.isEmpty() ? QString() : m_dir->filePath(chosen));
    if (!message.isEmpty())
        fake.answerMsg(MsgAnswer::Ok);
    CardTexts texts;
    texts.titre = u"AC/DC: Live"_s;
    ViewerWindow *viewer = open(posterBytes(size), texts);
    QVERIFY(viewer);
    if (failure == Failure::CardGone)
        QFile::remove(viewer->cardPath());
    {
        std::optional<FileSizeLimit> diskFull;
        if (failure == Failure::DiskFull)
            diskFull.emplace(2000);
        child<QAction>(viewer, "savePosterAction")->trigger();
    }
    const FileRequest &request = fake.files.at(0);
    QCOMPARE(request.kind, FileDialogKind::Save);
    QCOMPARE(request.title, textOf(Text::SavePosterTitle));
    QCOMPARE(request.proposedName, u"AC_DC_ Live.jpg"_s);
    QCOMPARE(request.options, 0x8006u);
    QCOMPARE(request.owner, viewer);
    QCOMPARE(request.filters.at(0).label, textOf(Text::FilterJpeg));
    QCOMPARE(fake.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        message.replace(u"{card}"_s, viewer->cardPath()).replace(u"{chosen}"_s, m_dir->filePath(chosen));
        QCOMPARE(fake.messages.at(0).text, message);
        QCOMPARE(fake.messages.at(0).icon, MsgIcon::Critical);
    }
    QStringList files { u"affiche.jpg"_s };
    if (failure != Failure::CardGone)
        files << u"card.cfh"_s;
    if (!written.isEmpty() && !files.contains(written))
        files << written;
    files.sort();
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), files);   // no other file, none left half-written
    QCOMPARE(readBytes(existing), written == u"affiche.jpg" ? posterBytes(size) : QByteArray(200000, 'x'));
    if (!written.isEmpty())
        QCOMPARE(readBytes(m_dir->filePath(written)), posterBytes(size));
    QVERIFY(viewer->isVisible());
    QVERIFY(fake.allAnswered());
}

// Last: it runs the event loop, which the viewer ends by closing.
void tst_Viewer::closingViewerEndsProgram()
{
    ViewerWindow *viewer = open({});
    QVERIFY(viewer);
    QTimer::singleShot(0, child<QPushButton>(viewer, "okButton"),
        [viewer] { child<QPushButton>(viewer, "okButton")->click(); });
    QTimer::singleShot(3000, qApp, [] { QCoreApplication::exit(2); });
    QCOMPARE(QApplication::exec(), 0);
    QTRY_VERIFY(!ViewerWindow::exists());
}

QTEST_MAIN(tst_Viewer)
#include "tst_viewer.moc"
