#include "about/aboutlinks.h"
#include "about/aboutwindow.h"
#include "process/buildconfig.h"
#include "support/modal.h"
#include "support/scripteddesktop.h"
#include "support/windowparts.h"
#include "texts/texts.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace {

// A window-text colour of the desktop that is not black, so a plain link
// (black) and a link never hovered (desktop colour) can be told apart.
const QColor kDesktopText(60, 70, 80);

QString lookOf(const QLabel *link)
{
    const QColor colour = link->palette().color(QPalette::WindowText);
    const bool underlined = link->font().underline();
    if (colour == QColor(0, 0, 255) && underlined)
        return u"highlighted"_s;
    if (colour == QColor(0, 0, 0) && !underlined)
        return u"plain"_s;
    if (colour == kDesktopText && !underlined)
        return u"desktop"_s;
    return colour.name() + (underlined ? u" underlined"_s : u""_s);
}

QWidget *control(const QString &name)
{
    return AboutWindow::instance().findChild<QWidget *>(name);
}

// Moves the mouse as the desktop would, over the named control or, for
// "background", over the strip between the two links.
void moveOver(const QString &place)
{
    AboutWindow &about = AboutWindow::instance();
    const QPoint at = place == u"background"_s
        ? QPoint(child<QLabel>(about, "webLink")->x() + 5, child<QLabel>(about, "databaseLink")->y() - 1)
        : control(place)->geometry().center();
    // No move reaches the window when the cursor is already there, so each
    // move starts from the icon, which ignores the mouse.
    QTest::mouseMove(about.windowHandle(), child<QLabel>(about, "iconPicture")->geometry().center());
    QTest::mouseMove(about.windowHandle(), at);
}

}   // namespace

class tst_About : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void composesVersionLine_data();
    void composesVersionLine();
    void encodesMailSubject_data();
    void encodesMailSubject();
    void fitsEveryControl();
    void followsMouseOverLinks_data();
    void followsMouseOverLinks();
    void opensAddresses_data();
    void opensAddresses();
    void hidesAndShowsAgain_data();
    void hidesAndShowsAgain();
    void showsModally();
};

void tst_About::initTestCase()
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::WindowText, kDesktopText);
    QApplication::setPalette(palette);
}

void tst_About::cleanup()
{
    AboutWindow::discard();
    for (QWidget *window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
}

void tst_About::composesVersionLine_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("mailTip");   // a pre-release asks for reports
    const QString bug = textOf(Text::PreReleaseMailTip);
    QTest::newRow("1.3 rev 3") << 1 << 3 << 3 << u"Cinefiche 1.3 (rev 3)"_s << QString();
    QTest::newRow("2.0, no revision") << 2 << 0 << 0 << u"Cinefiche 2.0"_s << QString();
    QTest::newRow("two-digit numbers") << 1 << 10 << 12 << u"Cinefiche 1.10 (rev 12)"_s << QString();
    QTest::newRow("pre-release 9 rev 2") << 0 << 9 << 2 << u"Cinefiche Bêta 9 (rev 2)"_s << bug;
}

// The captions are in place before the first show; the version only after.
void tst_About::composesVersionLine()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(QString, line);
    QFETCH(QString, mailTip);
    const VersionLine version = versionLine(major, minor, revision);
    QCOMPARE(version.text, line);
    QCOMPARE(version.preRelease, !mailTip.isEmpty());
    AboutWindow &about = AboutWindow::instance();
    QVERIFY(!about.isVisible());
    QCOMPARE(about.windowTitle(), textOf(Text::AboutTitle));
    QCOMPARE(child<QLabel>(about, "authorLabel")->text(), u"Corvin "_s + textOf(Text::AboutAuthor));
    QCOMPARE(child<QPushButton>(about, "mailButton")->text(), textOf(Text::MailButton));
    QCOMPARE(child<QPushButton>(about, "okButton")->text(), textOf(Text::AboutOk));
    about.setVersion({ major, minor, revision });
    about.show();
    QCOMPARE(child<QLabel>(about, "titleLabel")->text(), line);
    QCOMPARE(about.windowTitle(), textOf(Text::AboutTitle) + line);
    QCOMPARE(child<QPushButton>(about, "mailButton")->toolTip(), mailTip);
    about.hide();
}

void tst_About::encodesMailSubject_data()
{
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QByteArray>("encoded");
    QTest::newRow("reference build") << u"Cinefiche 1.3 (rev 3)"_s
                                     << QByteArray("Cinefiche%201.3%20%28rev%203%29");
    QTest::newRow("query delimiters") << u"a&body=b#c?d+e%"_s << QByteArray("a%26body%3Db%23c%3Fd%2Be%25");
}

// The mail program must read the subject back exactly, and nothing in it
// may start another header.
void tst_About::encodesMailSubject()
{
    QFETCH(QString, subject);
    QFETCH(QByteArray, encoded);
    const QUrl mail = programmerMail(subject);
    QVERIFY(mail.isValid());
    QCOMPARE(mail.toEncoded(), "mailto:" + QByteArray(BuildConfig::ProgrammerMail) + "?subject=" + encoded);
    const QUrlQuery query(mail);
    QCOMPARE(query.queryItems().size(), 1);
    QCOMPARE(query.queryItemValue(u"subject"_s, QUrl::FullyDecoded), subject);
}

// Each control stands where it was drawn, takes the room its text needs and
// none covers another, whatever the desktop's font.
void tst_About::fitsEveryControl()
{
    AboutWindow &about = AboutWindow::instance();
    about.show();
    QCOMPARE(about.size(), QSize(350, 118));   // 5250 x 1770 twips
    QCOMPARE(child<QPushButton>(about, "okButton")->geometry(), QRect(248, 88, 84, 23));
    QCOMPARE(child<QLabel>(about, "databaseLink")->pos(), QPoint(64, 64));
    QCOMPARE(child<QLabel>(about, "aboutPicture")->geometry(), QRect(272, 16, 58, 37));
    const QList<QWidget *> controls = about.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(controls.size(), 8);
    for (int i = 0; i < controls.size(); ++i) {
        const QString name = controls[i]->objectName();
        QVERIFY2(about.rect().contains(controls[i]->geometry()), qPrintable(name));
        QVERIFY2(controls[i]->width() >= controls[i]->sizeHint().width(), qPrintable(name));
        for (int j = i + 1; j < controls.size(); ++j)
            QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                qPrintable(name + u" / "_s + controls[j]->objectName()));
    }
    about.hide();
}

void tst_About::followsMouseOverLinks_data()
{
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QString>("web");
    QTest::addColumn<QString>("cfhdb");
    QTest::newRow("never hovered") << QStringList() << u"desktop"_s << u"desktop"_s;
    QTest::newRow("over the web link") << QStringList { u"webLink"_s } << u"highlighted"_s << u"desktop"_s;
    QTest::newRow("web link, then background")
        << QStringList { u"webLink"_s, u"background"_s } << u"plain"_s << u"plain"_s;
    QTest::newRow("web link, then author line")
        << QStringList { u"webLink"_s, u"authorLabel"_s } << u"plain"_s << u"desktop"_s;
    QTest::newRow("author line leaves the database link as it is")
        << QStringList { u"databaseLink"_s, u"authorLabel"_s } << u"plain"_s << u"highlighted"_s;
    QTest::newRow("title and buttons change nothing")
        << QStringList { u"webLink"_s, u"titleLabel"_s, u"mailButton"_s, u"aboutPicture"_s }
        << u"highlighted"_s << u"desktop"_s;
}

void tst_About::followsMouseOverLinks()
{
    QFETCH(QStringList, path);
    QFETCH(QString, web);
    QFETCH(QString, cfhdb);
    AboutWindow &about = AboutWindow::instance();
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    for (const QString &place : path)
        moveOver(place);
    QCOMPARE(lookOf(child<QLabel>(about, "webLink")), web);
    QCOMPARE(lookOf(child<QLabel>(about, "databaseLink")), cfhdb);
    QCOMPARE(child<QLabel>(about, "titleLabel")->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    about.hide();
}

void tst_About::opensAddresses_data()
{
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QList<int>>("keys");   // from OK, instead of the click
    QTest::addColumn<bool>("openWorks");
    QTest::addColumn<QUrl>("address");
    const QUrl web(QString::fromUtf8(BuildConfig::WebSite));
    const QUrl home(QString::fromUtf8(BuildConfig::DatabaseHome));
    const QUrl mail
        = programmerMail(u"Cinefiche %1.%2"_s.arg(BuildConfig::VersionMajor).arg(BuildConfig::VersionMinor));
    const QList<int> click;
    QTest::newRow("web link") << u"webLink"_s << click << true << web;
    QTest::newRow("database link fails") << u"databaseLink"_s << click << false << home;
    QTest::newRow("mail fails") << u"mailButton"_s << click << false << mail;
    QTest::newRow("Tab to the web link, Enter")
        << u"webLink"_s << QList<int> { Qt::Key_Tab, Qt::Key_Return } << true << web;
    QTest::newRow("Tab twice to the database link, Space")
        << u"databaseLink"_s << QList<int> { Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space } << true << home;
}

void tst_About::opensAddresses()
{
    QFETCH(QString, clicked);
    QFETCH(QList<int>, keys);
    QFETCH(bool, openWorks);
    QFETCH(QUrl, address);
    ScriptedDesktop fake;
    fake.answerOpen(openWorks);
    if (!openWorks)
        fake.answerMsg(MsgAnswer::Ok);
    AboutWindow &about = AboutWindow::instance();
    about.show();
    QVERIFY(QTest::qWaitForWindowActive(&about));

    if (keys.isEmpty())
        QTest::mouseClick(control(clicked), Qt::LeftButton);
    for (int key : keys)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    if (!keys.isEmpty())
        QCOMPARE(QApplication::focusWidget(), control(clicked));

    QCOMPARE(fake.opened, QList<QUrl> { address });
    QCOMPARE(fake.messages.size(), openWorks ? 0 : 1);
    if (!openWorks)   // the message itself: tst_search
        QCOMPARE(fake.messages[0].text, textOf(Text::BugReportLine));
    QVERIFY(about.isVisible());
    QVERIFY(fake.allAnswered());
    about.hide();
}

void tst_About::hidesAndShowsAgain_data()
{
    QTest::addColumn<int>("key");   // 0: a click on OK
    QTest::newRow("click on OK") << 0;
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void tst_About::hidesAndShowsAgain()
{
    QFETCH(int, key);
    ScriptedDesktop fake;
    AboutWindow &about = AboutWindow::instance();
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    moveOver(u"webLink"_s);
    if (key)
        QTest::keyClick(&about, Qt::Key(key));
    else
        QTest::mouseClick(child<QPushButton>(about, "okButton"), Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QVERIFY(fake.opened.isEmpty());

    // A later version would show if the window were composed again.
    about.setVersion({ 2, 0, 0 });
    about.show();
    QCOMPARE(&AboutWindow::instance(), &about);
    const QString built = u"Cinefiche %1.%2"_s.arg(BuildConfig::VersionMajor).arg(BuildConfig::VersionMinor);
    QCOMPARE(child<QLabel>(about, "titleLabel")->text(), built);
    QCOMPARE(about.windowTitle(), textOf(Text::AboutTitle) + built);
    QCOMPARE(lookOf(child<QLabel>(about, "webLink")), u"highlighted"_s);
    about.hide();
    QVERIFY(fake.allAnswered());
}

// What the editor's About command calls: it returns once the window is
// gone. It stands in the middle of the screen, not over the window asking.
void tst_About::showsModally()
{
    QWidget editor;
    editor.setGeometry(10, 40, 200, 100);
    editor.show();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    QWidget *shown = nullptr;
    QPoint centre;
    QVERIFY(whileModal(AboutWindow::showModal, [&shown, &centre](QWidget *modal) {
        shown = modal;
        centre = modal->frameGeometry().center();
        QTest::keyClick(modal, Qt::Key_Escape);
    }));
    QCOMPARE(shown, &AboutWindow::instance());
    QVERIFY(!AboutWindow::instance().isVisible());
    const QPoint screenCentre = editor.screen()->availableGeometry().center();
    QVERIFY2((centre - screenCentre).manhattanLength() <= 20,   // the frame the desktop adds aside
        qPrintable(u"%1,%2"_s.arg(centre.x()).arg(centre.y())));
    editor.hide();
}

QTEST_MAIN(tst_About)
#include "tst_about.moc"
