// Files that are not what a card should be, through the whole load of the
// viewer and of the editor: each is refused or shown, with its message, in
// little memory, and nothing of it stays in the cache.
#include "app/modRess.h"
#include "editor/frmMain.h"
#include "program/modRess_windows.h"
#include "support/pictures.h"
#include "support/scripteddesktop.h"
#include "support/testfiles.h"
#include "viewer/frmInfos.h"
#include "viewer/viewerload.h"

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
    void initTestCase();
    void cleanup();
    void loads_data();
    void loads();

private:
    TestCache m_cache;
    QTemporaryDir m_dir;
    QString makeInput(const QString &kind);
};

void tst_Hostile::initTestCase()
{
    LoadStartupTexts();
    LoadAllTexts();
}

void tst_Hostile::cleanup()
{
    if (frmInfos::exists())
        frmInfos::discard();
    frmMain::instance().ResetEditor(u"End"_s);
    frmMain::discard();
    QVERIFY(m_cache.isEmpty());
    for (const QString &name :
        QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QString path = m_dir.filePath(name);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFileInfo(path).isDir() ? void(QDir(path).removeRecursively()) : void(QFile::remove(path));
    }
}

QString tst_Hostile::makeInput(const QString &kind)
{
    const QString path = m_dir.filePath(u"input.cfh"_s);
    const QByteArray record = QByteArray("Hostile").leftJustified(50, ' ');
    if (kind == QLatin1String("folder"))
        QDir().mkdir(path);
    else if (kind == QLatin1String("fifo"))
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
    else if (kind == QLatin1String("huge")) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(makeCard(record, {}));
        file.resize(kHugeCard);   // 500 MB of poster, without the disk space
    } else {
        QByteArray bytes;
        if (kind == QLatin1String("3 bytes"))
            bytes = "@CN";
        else if (kind == QLatin1String("marker in lower case"))
            bytes = makeCard(record, {}).replace("@CNFCH@", "@cnfch@");
        else if (kind == QLatin1String("marker only"))
            bytes = "@CNFCH@";
        else if (kind == QLatin1String("marker and 600 bytes"))
            bytes = "@CNFCH@" + randomBytes(600);
        else if (kind == QLatin1String("picture"))
            bytes = pictureBytes(40, 60);
        else if (kind == QLatin1String("random poster"))
            bytes = makeCard(record, randomBytes(5000));
        else if (kind == QLatin1String("60000 x 60000 poster"))
            bytes = makeCard(record, bitmapHeader(60000, 60000) + randomBytes(1000));
        else if (kind == QLatin1String("1 x 20000 poster"))
            bytes = makeCard(record, pictureBytes(1, 20000));
        else if (kind == QLatin1String("unreadable"))
            bytes = makeCard(record, {});
        writeBytes(path, bytes);
        if (kind == QLatin1String("unreadable"))
            QFile::setPermissions(path, QFile::WriteOwner);
    }
    return path;
}

void tst_Hostile::loads_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");   // empty: the card is shown
    const QString notCard = u"Fichier incorrect"_s;
    const QString missing = u"Fichier introuvable"_s;
    QTest::newRow("empty") << u""_s << notCard;
    QTest::newRow("3 bytes") << u"3 bytes"_s << notCard;
    QTest::newRow("marker in lower case") << u"marker in lower case"_s << notCard;
    QTest::newRow("marker only") << u"marker only"_s << QString();
    QTest::newRow("marker and 600 bytes") << u"marker and 600 bytes"_s << QString();
    QTest::newRow("picture renamed .cfh") << u"picture"_s << notCard;
    QTest::newRow("folder") << u"folder"_s << missing;
    QTest::newRow("FIFO") << u"fifo"_s << missing;
    QTest::newRow("unreadable file") << u"unreadable"_s << u"Impossible de lire le fichier\r{path}"_s;
    QTest::newRow("poster of random bytes") << u"random poster"_s << QString();
    QTest::newRow("poster announcing 60000 x 60000") << u"60000 x 60000 poster"_s << QString();
    QTest::newRow("poster of 1 x 20000") << u"1 x 20000 poster"_s << QString();
    QTest::newRow("card of 500 MB") << u"huge"_s << QString();
}

void tst_Hostile::loads()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    if (kind == QLatin1String("unreadable") && ::geteuid() == 0)
        QSKIP("nothing is unreadable to root");
    const QString card = makeInput(kind);
    message.replace(u"{path}"_s, card);
    const bool shown = message.isEmpty();
    ScriptedDesktop fake;
    fake.anyMessage = MsgAnswer::Ok;
    resetPeakMemory();
    const double before = peakMemoryMiB();

    QCOMPARE(OpenInViewer(card, 0), shown);
    if (shown) {
        if (!kind.startsWith(QLatin1String("marker")))
            QCOMPARE(frmInfos::instance().lblTitre->text(), u"Hostile"_s);
        QVERIFY(frmInfos::instance().picAffiche->pixmap().height() <= 20000);
    }
    frmMain &editor = frmMain::instance();
    QCOMPARE(editor.OpenInEditor(card), shown);
    QCOMPARE(editor.lblFile, shown ? card : QString());
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
