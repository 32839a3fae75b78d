// The program itself, ended by signal or killed: no working folder outlives
// the run, at once after a signal, at the next start after a kill.
#include "support/testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <unistd.h>

using namespace Qt::StringLiterals;

class tst_Termination : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void signalRemovesTheFoldersAtOnce_data();
    void signalRemovesTheFoldersAtOnce();
    void nextStartRemovesWhatAKilledRunLeft();
    void latin1NamedCardOpens();

private:
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<QProcess> m_program;
    QString cache() const { return m_home->filePath(u"cache/cinefiche"_s); }
    QStringList cacheEntries() const
    {
        return QDir(cache()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    // The processes that hold the folders of the cache, by their locks.
    QList<qint64> lockHolders() const;
    // Starts the program and waits until it holds its reset folder, alone.
    void editCard();
    void start(const QStringList &arguments, const QString &program = QStringLiteral(CINEFICHE_EXE));
};

void tst_Termination::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QFile::copy(QStringLiteral(SAMPLES_DIR "/le-phare-des-brumes.cfh"), m_home->filePath(u"card.cfh"_s));
}

void tst_Termination::cleanup()
{
    if (m_program && m_program->state() != QProcess::NotRunning) {
        m_program->kill();
        m_program->waitForFinished();
    }
    m_program.reset();
}

void tst_Termination::start(const QStringList &arguments, const QString &program)
{
    m_program = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_CACHE_HOME"_s, m_home->filePath(u"cache"_s));
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    m_program->setProcessEnvironment(environment);
    m_program->setWorkingDirectory(m_home->path());
    m_program->start(program, arguments);
    QVERIFY(m_program->waitForStarted());
}

QList<qint64> tst_Termination::lockHolders() const
{
    QList<qint64> holders;
    for (const QString &lock : cacheEntries().filter(u".lock"_s))
        holders << readBytes(cache() + QLatin1Char('/') + lock).split('\n').first().toLongLong();
    return holders;
}

void tst_Termination::editCard()
{
    start({ m_home->filePath(u"card.cfh"_s), u"/m"_s });
    // Its lock comes before its folder: wait for both, and for no other.
    QTRY_VERIFY_WITH_TIMEOUT(
        lockHolders() == QList<qint64> { m_program->processId() } && cacheEntries().size() == 2, 10000);
}

void tst_Termination::signalRemovesTheFoldersAtOnce_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void tst_Termination::signalRemovesTheFoldersAtOnce()
{
    QFETCH(int, signal);
    editCard();
    ::kill(pid_t(m_program->processId()), signal);
    QVERIFY(m_program->waitForFinished(10000));
    QCOMPARE(m_program->exitStatus(), QProcess::CrashExit);   // ended by the signal, nothing saved
    QCOMPARE(cacheEntries(), QStringList());
}

void tst_Termination::nextStartRemovesWhatAKilledRunLeft()
{
    editCard();
    const QStringList left = cacheEntries();
    m_program->kill();   // SIGKILL: no chance to clean up
    QVERIFY(m_program->waitForFinished());
    QCOMPARE(cacheEntries(), left);

    editCard();                           // a second editor removes the first one's folder
    QCOMPARE(cacheEntries().size(), 2);   // its own reset folder and lock only
    m_program->terminate();
    QVERIFY(m_program->waitForFinished(10000));
    QCOMPARE(cacheEntries(), QStringList());
}

// A card named in Latin-1 on an old disk opens in the editor: its poster
// reaches the working folder. A shell gives the program the name's bytes.
void tst_Termination::latin1NamedCardOpens()
{
    const QByteArray card = QFile::encodeName(m_home->path()) + "/Am\xE9lie.cfh";
    QVERIFY(::rename(QFile::encodeName(m_home->filePath(u"card.cfh"_s)).constData(), card.constData()) == 0);
    start({ u"-c"_s, u"exec \"$0\" \"$(printf 'Am\\351lie.cfh')\" /m"_s, QStringLiteral(CINEFICHE_EXE) },
        u"/bin/sh"_s);
    const qint64 posterBytes
        = QFileInfo(QStringLiteral(SAMPLES_DIR "/le-phare-des-brumes.cfh")).size() - 1176;
    const auto posterExtracted = [&] {
        const QStringList folders = cacheEntries().filter(u".lock"_s).replaceInStrings(u".lock"_s, QString());
        return folders.size() == 1
            && QFileInfo(cache() + u'/' + folders.first() + u"/cfh_img.tmp"_s).size() == posterBytes;
    };
    QTRY_VERIFY_WITH_TIMEOUT(posterExtracted(), 10000);
    m_program->terminate();
    QVERIFY(m_program->waitForFinished(10000));
    QVERIFY(::unlink(card.constData()) == 0);
}

QTEST_GUILESS_MAIN(tst_Termination)
#include "tst_termination.moc"
