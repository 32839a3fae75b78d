#include "card/cardfile.h"
#include "card/nativepath.h"
#include "support/testfiles.h"
#include "support/toolrun.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// Cards as they travel: downloaded beside planted links, written by a run
// that gets killed, named in Latin-1 on an old disk.
class tst_SharedCards : public QObject {
    Q_OBJECT
private slots:
    void init();
    void linksAtOutputs_data();
    void linksAtOutputs();
    void nfoPosterLinks_data();
    void nfoPosterLinks();
    void killedRunsLeaveNothing_data();
    void killedRunsLeaveNothing();
    void latin1Names();
    void nameTooLong();

private:
    TestCache m_cache;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QStringList filesInDir() const;
};

namespace {

const QByteArray kBait = "the user's own file\n";

// The file of path made count bytes long, the rest a hole: copying it takes
// long, and its bytes take no room on the disk.
bool stretch(const QString &path, qint64 count)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.resize(count);
}

// Whether process pid holds a file of folder that has no name.
bool writesNamelessFile(qint64 pid, const QString &folder)
{
    QDirIterator fds(u"/proc/%1/fd"_s.arg(pid), QDir::System | QDir::Files);
    while (fds.hasNext()) {
        const QString target = QFile::symLinkTarget(fds.next());
        if (target.startsWith(folder) && target.endsWith(u"(deleted)"_s))
            return true;
    }
    return false;
}

}   // namespace

void tst_SharedCards::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QFile::copy(sample("la-longue-traversee"), path(u"card.cfh"_s)));
    QVERIFY(writeBytes(path(u"movie.nfo"_s), "<movie><title>Film</title></movie>"));
}

QStringList tst_SharedCards::filesInDir() const
{
    return QDir(m_dir->path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// A link planted at each output path: refused (named in French) and nothing
// written; with --force the link itself is replaced, what it names untouched.
void tst_SharedCards::linksAtOutputs_data()
{
    QTest::addColumn<QStringList>("args");   // "@name": a file of the test's folder
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("said");
    const QString refused = u"est un lien symbolique : il n'est pas suivi ; --force le remplace"_s;
    const QString exists = u"existe déjà : --force pour le remplacer"_s;
    QTest::newRow("poster") << QStringList { u"poster"_s, u"@card.cfh"_s, u"@out.jpg"_s } << u"out.jpg"_s
                            << refused;
    QTest::newRow("thumbnail") << QStringList { u"thumbnail"_s, u"@card.cfh"_s, u"@out.png"_s }
                               << u"out.png"_s << refused;
    QTest::newRow("nfo") << QStringList { u"nfo"_s, u"@card.cfh"_s } << u"card.nfo"_s << refused;
    QTest::newRow("nfo's poster") << QStringList { u"nfo"_s, u"@card.cfh"_s } << u"card-poster.jpg"_s
                                  << refused;
    QTest::newRow("new") << QStringList { u"new"_s, u"titre=X"_s, u"@out.cfh"_s } << u"out.cfh"_s << exists;
    QTest::newRow("from-nfo") << QStringList { u"from-nfo"_s, u"@movie.nfo"_s, u"@out.cfh"_s } << u"out.cfh"_s
                              << exists;
    QTest::newRow("set, the card a link")
        << QStringList { u"set"_s, u"@linked.cfh"_s, u"titre=X"_s } << u"linked.cfh"_s << refused;
}

void tst_SharedCards::linksAtOutputs()
{
    QFETCH(QStringList, args);
    QFETCH(QString, link);
    QFETCH(QString, said);
    const QString bait = path(u"bait"_s);
    const bool card = link == u"linked.cfh";   // set needs a card behind the link
    const QByteArray baitBytes = card ? readBytes(path(u"card.cfh"_s)) : kBait;
    QVERIFY(writeBytes(bait, baitBytes));
    QVERIFY(QFile::link(bait, path(link)));
    const QStringList placed = inFolder(args, m_dir->path());
    const Run refused = run(placed);
    QCOMPARE(refused.status, 1);
    QVERIFY2(QString::fromUtf8(refused.err).contains(path(link) + u' ' + said)
            || QString::fromUtf8(refused.err).contains(u"/"_s + link + u' ' + said),
        refused.err.constData());
    QVERIFY(QFileInfo(path(link)).isSymLink());
    QCOMPARE(readBytes(bait), baitBytes);

    const Run forced = run(QStringList { placed[0], u"--force"_s } + placed.mid(1));
    QVERIFY2(forced.status == 0, forced.err.constData());
    QVERIFY(!QFileInfo(path(link)).isSymLink());
    QVERIFY(QFileInfo(path(link)).size() > 0);
    QCOMPARE(readBytes(bait), baitBytes);
}

// The poster beside a downloaded NFO is taken, unless it is a link that
// reaches out of the NFO's folder into the user's own files.
void tst_SharedCards::nfoPosterLinks_data()
{
    QTest::addColumn<QString>("picture");   // where the link points, from the NFO's folder
    QTest::addColumn<bool>("taken");
    QTest::newRow("link out of the folder") << u"../mine.jpg"_s << false;
    QTest::newRow("link within the folder") << u"kept.jpg"_s << true;
}

void tst_SharedCards::nfoPosterLinks()
{
    QFETCH(QString, picture);
    QFETCH(bool, taken);
    QVERIFY(QDir(m_dir->path()).mkdir(u"download"_s));
    QVERIFY(run({ u"poster"_s, path(u"card.cfh"_s), path(u"mine.jpg"_s) }).status == 0);
    QVERIFY(QFile::copy(path(u"mine.jpg"_s), path(u"download/kept.jpg"_s)));
    QVERIFY(QFile::copy(path(u"movie.nfo"_s), path(u"download/movie.nfo"_s)));
    QVERIFY(QFile::link(picture, path(u"download/movie-poster.jpg"_s)));
    const Run imported = run({ u"from-nfo"_s, path(u"download/movie.nfo"_s), path(u"new.cfh"_s) });
    QCOMPARE(imported.status, 0);
    QCOMPARE(readCardHead(path(u"new.cfh"_s)).posterBytes > 0, taken);
    QCOMPARE(imported.err.contains("hors du dossier du .nfo, affiche laissée de côté"), !taken);
}

// The real program killed while it writes a large output: no file of it is
// left in the folder, complete or not.
void tst_SharedCards::killedRunsLeaveNothing_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("poster") << QStringList { u"poster"_s, u"@huge.cfh"_s, u"@out.jpg"_s };
    QTest::newRow("new card") << QStringList { u"new"_s, u"titre=X"_s, u"--poster"_s, u"@huge.jpg"_s,
        u"@out.cfh"_s };
    QTest::newRow("set poster") << QStringList { u"set"_s, u"@card.cfh"_s, u"--poster"_s, u"@huge.jpg"_s };
}

void tst_SharedCards::killedRunsLeaveNothing()
{
    QFETCH(QStringList, args);
    constexpr qint64 kHuge = 8LL << 30;
    QVERIFY(run({ u"poster"_s, path(u"card.cfh"_s), path(u"huge.jpg"_s) }).status == 0);
    QVERIFY(stretch(path(u"huge.jpg"_s), kHuge));
    QVERIFY(QFile::copy(path(u"card.cfh"_s), path(u"huge.cfh"_s)));
    QVERIFY(stretch(path(u"huge.cfh"_s), kHuge));
    const QStringList before = filesInDir();
    const QByteArray card = readBytes(path(u"card.cfh"_s));
    QProcess tool;
    tool.start(QStringLiteral(CARDTOOL_PROGRAM), inFolder(args, m_dir->path()));
    QVERIFY(tool.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(writesNamelessFile(tool.processId(), m_dir->path()), 10000);
    ::kill(pid_t(tool.processId()), SIGKILL);
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitStatus(), QProcess::CrashExit);
    QCOMPARE(filesInDir(), before);
    QCOMPARE(readBytes(path(u"card.cfh"_s)), card);
}

// A Latin-1 name from argv to the files beside it, and a value in UTF-8,
// through the real program: a shell gives it the name's own bytes.
void tst_SharedCards::latin1Names()
{
    const QByteArray name = "Am\xE9lie";
    const QString card = pathFromNative(QFile::encodeName(m_dir->path()) + '/' + name + ".cfh");
    QVERIFY(QFile::copy(path(u"card.cfh"_s), path(u"ascii.cfh"_s)));
    QVERIFY(::rename(nativePath(path(u"ascii.cfh"_s)).constData(), nativePath(card).constData()) == 0);
    QProcess shell;
    shell.setWorkingDirectory(m_dir->path());
    shell.start(u"/bin/sh"_s,
        { u"-c"_s,
            u"n=$(printf 'Am\\351lie'); \"$0\" set \"$n.cfh\" titre=Amélie && \"$0\" nfo \"$n.cfh\" && "
            u"\"$0\" thumbnail \"$n.cfh\" \"$n.png\" && \"$0\" show \"$n.cfh\""_s,
            QStringLiteral(CARDTOOL_PROGRAM) });
    const Run shown = finished(shell);
    QVERIFY2(shown.status == 0, shown.err.constData());
    QVERIFY(shown.out.startsWith("Fichier     : " + name + ".cfh\nTitre       : Amélie\n"));
    // Qt's own removal of the folder would not find these names: they go here.
    for (const char *beside : { ".cfh", ".nfo", "-poster.jpg", ".png" })
        QVERIFY2(::unlink(QFile::encodeName(m_dir->path()) + '/' + name + beside) == 0, beside);
}

// A name longer than the system allows is no missing file.
void tst_SharedCards::nameTooLong()
{
    const QString name = path(QString(300, u'a') + u".cfh"_s);
    const QStringList commands[] = { { u"show"_s, name }, { u"set"_s, name, u"titre=X"_s },
        { u"new"_s, u"titre=X"_s, name }, { u"poster"_s, path(u"card.cfh"_s), name } };
    for (const QStringList &args : commands) {
        const Run refused = run(args);
        QCOMPARE(refused.status, 1);
        QVERIFY2(refused.err.endsWith(" : chemin trop long pour le système\n"), refused.err.constData());
    }
}

QTEST_GUILESS_MAIN(tst_SharedCards)
#include "tst_sharedcards.moc"
