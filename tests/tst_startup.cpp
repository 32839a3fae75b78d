#include "card/filepaths.h"
#include "editor/editorwindow.h"
#include "process/buildconfig.h"
#include "process/cmdline.h"
#include "program/startup.h"
#include "support/scripteddesktop.h"
#include "support/testfiles.h"
#include "support/windowparts.h"
#include "texts/texts.h"
#include "viewer/viewerwindow.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The window a command line opens.
enum class Opened { Nothing, Viewer, Editor };

class tst_Startup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void split_data();
    void split();
    void arguments();
    void desktopArguments_data();
    void desktopArguments();
    void collectionArguments_data();
    void collectionArguments();
    void information_data();
    void information();
    void opensOrRefusesTheCard_data();
    void opensOrRefusesTheCard();

private:
    TestCache m_cache;
    QTemporaryDir m_films;
    QString m_card;
    QString m_quoted;        // a name holding double quotes
    QString m_blankFolder;   // in a folder whose name ends in a blank
    QString m_picture;
};

void tst_Startup::initTestCase()
{
    m_card = m_films.filePath(u"my card.cfh"_s);
    QVERIFY(writeBytes(m_card, makeCard("Brazil", posterBytes(700))));
    m_quoted = m_films.filePath(u"Le \"Grand\" film.cfh"_s);
    QVERIFY(writeBytes(m_quoted, makeCard("Le grand film", posterBytes(10))));
    QVERIFY(QDir(m_films.path()).mkpath(u"Films /Drames"_s));
    m_blankFolder = m_films.filePath(u"Films /Drames/drame.cfh"_s);
    QVERIFY(writeBytes(m_blankFolder, makeCard("Drame", posterBytes(10))));
    m_picture = m_films.filePath(u"picture.jpg"_s);
    QVERIFY(writeBytes(m_picture, QByteArray("\xFF\xD8\xFF\xE0 not a card at all, a picture")));
}

void tst_Startup::split_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("path");
    QTest::addColumn<CardWindow>("window");
    QTest::newRow("quoted path") << u"\"/films/my card.cfh\""_s << u"/films/my card.cfh"_s
                                 << CardWindow::Viewer;
    QTest::newRow("editor switch") << u"/films/a.cfh /m"_s << u"/films/a.cfh"_s << CardWindow::Editor;
    QTest::newRow("viewer without play")
        << u"/films/a.cfh /p"_s << u"/films/a.cfh"_s << CardWindow::ViewerWithoutPlay;
    QTest::newRow("capital M") << u"/films/a.cfh /M"_s << u"/films/a.cfh"_s << CardWindow::Viewer;
    QTest::newRow("switch with a blank") << u"/films/a.cfh /m "_s << u"/films/a.cfh"_s << CardWindow::Viewer;
    QTest::newRow("m then p: the second piece counts")
        << u"/films/a.cfh /m /p"_s << u"/films/a.cfh"_s << CardWindow::Editor;
    QTest::newRow("slash m alone") << u"/m"_s << u"/m"_s << CardWindow::Viewer;
    QTest::newRow("path holding a blank and a slash")
        << u"/films/AC /DC.cfh"_s << u"/films/AC"_s << CardWindow::Viewer;
    QTest::newRow("quotes anywhere") << u"/fi\"lms/a\".cfh\" /m"_s << u"/films/a.cfh"_s << CardWindow::Editor;
}

void tst_Startup::split()
{
    QFETCH(QString, arguments);
    QFETCH(QString, path);
    QFETCH(CardWindow, window);
    const CommandLine line = splitCommandLine(arguments);
    QCOMPARE(line.path, path);
    QCOMPARE(line.window, window);
}

void tst_Startup::arguments()
{
    QCOMPARE(argumentString({ u"/films/my card.cfh"_s, u"/m"_s }), u"/films/my card.cfh /m"_s);
    QCOMPARE(argumentString({}), QString());
}

// The desktop gives the arguments split; a first one naming an existing file
// is taken as it stands, anything else goes through the string grammar.
void tst_Startup::desktopArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("card");
    QTest::addColumn<QString>("path");
    QTest::addColumn<CardWindow>("window");
    QTest::newRow("name holding quotes")
        << QStringList { m_quoted } << true << m_quoted << CardWindow::Viewer;
    QTest::newRow("folder ending in a blank, editor")
        << QStringList { m_blankFolder, "/m" } << true << m_blankFolder << CardWindow::Editor;
    QTest::newRow("viewer without play, third ignored")
        << QStringList { m_quoted, "/p", "/m" } << true << m_quoted << CardWindow::ViewerWithoutPlay;
    QTest::newRow("not a switch") << QStringList { m_quoted, "m" } << true << m_quoted << CardWindow::Viewer;
    QTest::newRow("quoted path: string grammar")
        << QStringList { '"' + m_card + '"' } << true << m_card << CardWindow::Viewer;
    QTest::newRow("switch inside one argument")
        << QStringList { m_card + " /m" } << true << m_card << CardWindow::Editor;
    QTest::newRow("missing card, switch apart")
        << QStringList { "/no/such.cfh", "/m" } << true << u"/no/such.cfh"_s << CardWindow::Editor;
    QTest::newRow("one empty argument: new card")
        << QStringList { "" } << false << u""_s << CardWindow::Viewer;
}

void tst_Startup::desktopArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, card);
    QFETCH(QString, path);
    QFETCH(CardWindow, window);
    const std::optional<CommandLine> line = readCommandLine(arguments);
    QCOMPARE(line.has_value(), card);
    if (line) {
        QCOMPARE(line->path, path);
        QCOMPARE(line->window, window);
    }
}

// "--collection" first opens the collection; a file of that name stays a card.
void tst_Startup::collectionArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("fileNamedSo");   // a file "--collection" in the current folder
    QTest::addColumn<bool>("collection");
    QTest::addColumn<QString>("folder");
    const QStringList option { "--collection" };
    QTest::newRow("no folder: the last one") << option << false << true << QString();
    QTest::newRow("words joined") << (option + QStringList { "/films/Mes", "films" }) << false << true
                                  << u"/films/Mes films"_s;
    QTest::newRow("not first") << QStringList { m_card, "--collection" } << false << false << QString();
    QTest::newRow("a card named so") << option << true << false << QString();
}

void tst_Startup::collectionArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, fileNamedSo);
    QFETCH(bool, collection);
    QTemporaryDir here;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(here.path());
    if (fileNamedSo)
        QVERIFY(QFile(u"--collection"_s).open(QIODevice::WriteOnly));
    const std::optional<QString> folder = collectionOption(arguments);
    QDir::setCurrent(previous);
    QCOMPARE(folder.has_value(), collection);
    if (folder)
        QTEST(*folder, "folder");
}

void tst_Startup::information_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("start");   // empty: no information, the program starts
    QTest::addColumn<int>("status");
    const QString version = u"cinefiche %1.%2.%3\n"_s.arg(BuildConfig::VersionMajor)
                                .arg(BuildConfig::VersionMinor)
                                .arg(BuildConfig::VersionRevision);
    const QString misuse = textOf(Text::InformationMisuse);
    QTest::newRow("help") << QStringList { "--help" } << textOf(Text::CommandLineHelp) << 0;
    QTest::newRow("version") << QStringList { "--version" } << version << 0;
    QTest::newRow("a card") << QStringList { m_card } << u""_s << 0;
    QTest::newRow("help after a card") << QStringList { m_card, "--help" } << misuse << 2;
    QTest::newRow("help and version") << QStringList { "--help", "--version" } << misuse << 2;
}

void tst_Startup::information()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, start);
    const std::optional<Information> information = informationText(arguments);
    QCOMPARE(information.has_value(), !start.isEmpty());
    if (information) {
        QVERIFY2(information->text.startsWith(start), qPrintable(information->text));
        QVERIFY(information->text.endsWith(QLatin1Char('\n')));
        QTEST(information->status, "status");
    }
}

// A card opens in the window its switch names; a missing card or a file that
// is no card is said, and the program ends with status 1. How the arguments
// split is readCommandLine's, above.
void tst_Startup::opensOrRefusesTheCard_data()
{
    QTest::addColumn<QStringList>("arguments");   // {card}: a card, {picture}: a picture
    QTest::addColumn<Opened>("window");
    QTest::addColumn<bool>("play");
    QTest::addColumn<QString>("message");
    const QString missing = textOf(Text::FileNotFound), notCard = textOf(Text::WrongFile);
    const auto row
        = [](const char *name, const QStringList &arguments, Opened window, bool play,
              const QString &message) { QTest::newRow(name) << arguments << window << play << message; };
    row("viewer", { u"\"{card}\""_s }, Opened::Viewer, true, {});
    row("viewer without play", { u"\"{card}\" /p"_s }, Opened::Viewer, false, {});
    row("editor in a folder ending in a blank", { m_blankFolder, u"/m"_s }, Opened::Editor, false, {});
    row("no such card", { u"/no/such.cfh"_s }, Opened::Nothing, false, missing);
    row("no such card, editor switch", { u"/no/such.cfh /m"_s }, Opened::Nothing, false, missing);
    row("not a card, viewer", { u"{picture}"_s }, Opened::Nothing, false, notCard);
    row("not a card, editor", { u"{picture} /m"_s }, Opened::Nothing, false, notCard);
}

void tst_Startup::opensOrRefusesTheCard()
{
    QFETCH(QStringList, arguments);
    QFETCH(Opened, window);
    QFETCH(QString, message);
    ScriptedDesktop fake;
    if (!message.isEmpty())
        fake.answerMsg(MsgAnswer::Ok);
    arguments.replaceInStrings(u"{card}"_s, m_card).replaceInStrings(u"{picture}"_s, m_picture);
    QCOMPARE(startProgram(arguments), window == Opened::Nothing ? std::optional<int>(1) : std::nullopt);
    QCOMPARE(EditorWindow::exists(), window == Opened::Editor);
    QCOMPARE(ViewerWindow::exists(), window == Opened::Viewer);
    if (EditorWindow::exists()) {
        QCOMPARE(
            EditorWindow::instance().windowTitle(), u"Cinefiche ["_s + fileNameOf(arguments.first()) + u']');
        EditorWindow::instance().close();   // removes the editor's reset folder
    }
    if (ViewerWindow::exists()) {
        QVERIFY(ViewerWindow::instance().isVisible());
        QTEST(child<QPushButton>(ViewerWindow::instance(), "playButton")->isVisible(), "play");
        QVERIFY(child<QAction>(ViewerWindow::instance(), "savePosterAction")->isEnabled());
    }
    EditorWindow::discard();
    ViewerWindow::discard();
    QCOMPARE(fake.messages.size(), message.isEmpty() ? 0 : 1);
    for (const MessageRequest &request : std::as_const(fake.messages)) {
        QCOMPARE(request.text, message);
        QCOMPARE(request.icon, MsgIcon::Critical);
        QCOMPARE(request.buttons, MsgButtons::Ok);
        QCOMPARE(request.title, u"Cinefiche"_s);
    }
    QVERIFY(m_cache.isEmpty());
    QVERIFY(fake.allAnswered());
}

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
