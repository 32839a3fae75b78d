#include "app/cmdline.h"
#include "app/modMain.h"
#include "app/modRess.h"
#include "support/scripteddesktop.h"
#include "viewer/frmInfos.h"
#include "support/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class tst_Startup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { clearTexts(); }
    void split_data();
    void split();
    void arguments();
    void missingCard_data();
    void missingCard();
    void notACard_data();
    void notACard();
    void validCard();

private:
    QTemporaryDir m_cache;
    QTemporaryDir m_films;
    QString m_card;
    QString m_picture;
    bool noWorkingFolderLeft() const;
};

void tst_Startup::initTestCase()
{
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache.path()));
    m_card = m_films.filePath(QStringLiteral("my card.cfh"));
    QVERIFY(writeBytes(m_card, makeCard("Brazil", posterBytes(700))));
    m_picture = m_films.filePath(QStringLiteral("picture.jpg"));
    QVERIFY(writeBytes(m_picture, QByteArray("\xFF\xD8\xFF\xE0 not a card at all, a picture")));
}

bool tst_Startup::noWorkingFolderLeft() const
{
    return QDir(m_cache.filePath(QStringLiteral("tst_startup"))).isEmpty();
}

void tst_Startup::split_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("option");
    QTest::newRow("quoted path") << "\"/films/my card.cfh\""
                                 << "/films/my card.cfh"
                                 << "";
    QTest::newRow("editor switch") << "/films/a.cfh /m"
                                   << "/films/a.cfh"
                                   << "m";
    QTest::newRow("viewer without play") << "/films/a.cfh /p"
                                         << "/films/a.cfh"
                                         << "p";
    QTest::newRow("capital M") << "/films/a.cfh /M"
                               << "/films/a.cfh"
                               << "M";
    QTest::newRow("switch with a blank") << "/films/a.cfh /m "
                                         << "/films/a.cfh"
                                         << "m ";
    QTest::newRow("m then p: the second piece counts") << "/films/a.cfh /m /p"
                                                       << "/films/a.cfh"
                                                       << "m";
    QTest::newRow("slash m alone") << "/m"
                                   << "/m"
                                   << "";
    QTest::newRow("path holding a blank and a slash") << "/films/AC /DC.cfh"
                                                      << "/films/AC"
                                                      << "DC.cfh";
    QTest::newRow("quotes anywhere") << "/fi\"lms/a\".cfh\" /m"
                                     << "/films/a.cfh"
                                     << "m";
}

void tst_Startup::split()
{
    QFETCH(QString, arguments);
    QFETCH(QString, path);
    QFETCH(QString, option);
    const CommandLine line = splitCommandLine(arguments);
    QCOMPARE(line.path, path);
    QCOMPARE(line.option, option);
}

void tst_Startup::arguments()
{
    QCOMPARE(argumentString({ QStringLiteral("/films/my card.cfh"), QStringLiteral("/m") }),
        QStringLiteral("/films/my card.cfh /m"));
    QCOMPARE(argumentString({}), QString());
}

void tst_Startup::missingCard_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::newRow("no such card") << "/no/such.cfh";
    QTest::newRow("with the editor switch") << "/no/such.cfh /m";
    QTest::newRow("slash m alone") << "/m";
}

void tst_Startup::missingCard()
{
    QFETCH(QString, arguments);
    ScriptedDesktop fake;
    fake.answerMsg(MsgAnswer::Ok);
    QCOMPARE(Main(arguments), std::optional<int>(1));
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].text, QStringLiteral("Fichier introuvable"));
    QCOMPARE(fake.messages[0].icon, MsgIcon::Critical);
    QCOMPARE(fake.messages[0].buttons, MsgButtons::Ok);
    QCOMPARE(fake.messages[0].title, QStringLiteral("Cinefiche"));
    QVERIFY(strWrongFile.isEmpty());   // nothing more is loaded
    QVERIFY(fake.allAnswered());
}

void tst_Startup::notACard_data()
{
    QTest::addColumn<QString>("option");
    QTest::newRow("viewer") << "";
    QTest::newRow("viewer without play") << " /p";
    QTest::newRow("editor") << " /m";
}

void tst_Startup::notACard()
{
    QFETCH(QString, option);
    ScriptedDesktop fake;
    fake.answerMsg(MsgAnswer::Ok);
    QCOMPARE(Main(m_picture + option), std::optional<int>(1));
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].text, QStringLiteral("Fichier incorrect"));
    QCOMPARE(fake.messages[0].icon, MsgIcon::Critical);
    QVERIFY(noWorkingFolderLeft());
    QVERIFY(fake.allAnswered());
}

void tst_Startup::validCard()
{
    ScriptedDesktop fake;
    QVERIFY(!Main(QLatin1Char('"') + m_card + QLatin1Char('"')));   // the viewer is open
    QVERIFY(frmInfos::exists());
    frmInfos::discard();
    QVERIFY(fake.messages.isEmpty());
    QVERIFY(noWorkingFolderLeft());
}

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
