// Files that are not what a card should be, through the whole load of the
// viewer and of the editor: each is refused or shown, with its message, in
// little memory, and nothing of it stays in the cache. Which bytes are no
// card is the readers' own test (tst_cardfile).
#include "editor/editorwindow.h"
#include "support/pictures.h"
#include "support/scripteddesktop.h"
#include "support/testfiles.h"
#include "support/windowparts.h"
#include "viewer/viewerwindow.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray randomBytes(int size)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator random(7);
    for (char &b : bytes)
        b = char(random.bounded(256));
    return bytes;
}

constexpr qint64 kHugeCard = 500LL * 1024 * 1024;
constexpr double kMemoryLimitMiB = 100;

}   // namespace

class tst_Hostile : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void loads_data();
    void loads();

private:
    TestCache m_cache;
    QTemporaryDir m_dir;
    QString makeInput(const QString &kind, const QByteArray &bytes);
};

void tst_Hostile::cleanup()
{
    if (ViewerWindow::exists())
        ViewerWindow::discard();
    EditorWindow::instance().removeWorkFolders();
    EditorWindow::discard();
    QVERIFY(m_cache.isEmpty());
    for (const QString &name :
        QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QString path = m_dir.filePath(name);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFileInfo(path).isDir() ? void(QDir(path).removeRecursively()) : void(QFile::remove(path));
    }
}

// The input named by kind, or a file of bytes when kind names none.
QString tst_Hostile::makeInput(const QString &kind, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(u"input.cfh"_s);
    if (kind == u"folder")
        QDir().mkdir(path);
    else if (kind == u"fifo")
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
    else
        writeBytes(path, bytes);
    if (kind == u"huge")
        QFile::resize(path, kHugeCard);   // 500 MB of poster, without the disk space
    if (kind == u"unreadable")
        QFile::setPermissions(path, QFile::WriteOwner);
    return path;
}

void tst_Hostile::loads_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");   // empty: the card is shown
    const QString notCard = u"Fichier incorrect"_s;
    const QString missing = u"Fichier introuvable"_s;
    const QByteArray record = QByteArray("Hostile").leftJustified(50, ' ');
    const QByteArray card = makeCard(record, {});
    QTest::newRow("marker only") << u"marker"_s << QByteArray("@CNFCH@") << QString();
    QTest::newRow("marker and 600 bytes") << u"marker"_s << "@CNFCH@" + randomBytes(600) << QString();
    QTest::newRow("picture renamed .cfh") << QString() << pictureBytes(40, 60) << notCard;
    QTest::newRow("folder") << u"folder"_s << QByteArray() << missing;
    QTest::newRow("FIFO") << u"fifo"_s << QByteArray() << missing;
    QTest::newRow("unreadable file") << u"unreadable"_s << card << u"Impossible de lire le fichier\r{path}"_s;
    QTest::newRow("poster of random bytes") << QString() << makeCard(record, randomBytes(5000)) << QString();
    QTest::newRow("poster announcing 60000 x 60000")
        << QString() << makeCard(record, bitmapHeader(60000, 60000) + randomBytes(1000)) << QString();
    QTest::newRow("poster of 1 x 20000")
        << QString() << makeCard(record, pictureBytes(1, 20000)) << QString();
    QTest::newRow("card of 500 MB") << u"huge"_s << card << QString();
}

void tst_Hostile::loads()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    if (kind == u"unreadable" && ::geteuid() == 0)
        QSKIP("nothing is unreadable to root");
    const QString card = makeInput(kind, bytes);
    message.replace(u"{path}"_s, card);
    const bool shown = message.isEmpty();
    ScriptedDesktop fake;
    fake.anyMessage = MsgAnswer::Ok;
    resetPeakMemory();
    const double before = peakMemoryMiB();

    QCOMPARE(ViewerWindow::showCard(card), shown);
    if (shown) {
        if (kind != u"marker")
            QCOMPARE(child<QLabel>(ViewerWindow::instance(), "titleLabel")->text(), u"Hostile"_s);
        QVERIFY(child<QLabel>(ViewerWindow::instance(), "posterPicture")->pixmap().height() <= 20000);
    }
    EditorWindow &editor = EditorWindow::instance();
    QCOMPARE(editor.loadCard(card), shown);
    QCOMPARE(editor.card().file().path, shown ? card : QString());
    QList<MessageRequest> failures;   // a random year shows its format messages too
    for (const MessageRequest &request : std::as_const(fake.messages)) {
        if (request.icon == MsgIcon::Critical)
            failures << request;
    }
    QCOMPARE(failures.size(), shown ? 0 : 2);
    if (!shown)
        QCOMPARE(failures.last().text, message);
    QVERIFY2(
        peakMemoryMiB() - before < kMemoryLimitMiB, qPrintable(QString::number(peakMemoryMiB() - before)));
}

QTEST_MAIN(tst_Hostile)
#include "tst_hostile.moc"
