// Cards of every shape through the whole load of the windows. Files that
// are not what a card should be are refused or shown by the viewer and the
// editor, with their message, in little memory (which bytes are no card is
// the readers' own test, tst_cardfile). Cards generated at random, opened
// in the editor and saved again, are what the save rules say, and every
// byte they do not mean to change stays.
#include "card/cardrecord.h"
#include "card/cp1252.h"
#include "card/numerictext.h"
#include "editor/editorwindow.h"
#include "program/startup.h"
#include "support/pictures.h"
#include "support/scripteddesktop.h"
#include "support/testfiles.h"
#include "support/windowparts.h"
#include "viewer/viewerwindow.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
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

constexpr int kCards = 400;

// The generator of card bytes: each field a random mix of every
// Windows-1252 byte, words, line breaks and the values that matter.
class CardMaker {
public:
    explicit CardMaker(quint32 seed) : m_random(seed) { }

    QByteArray card()
    {
        QByteArray record
            = field(50) + year() + hours() + minutes() + field(50) + field(50) + actors() + summary();
        QByteArray bytes = "@CNFCH@" + record + char(pick({ '\xA9', '\xA9', 'Z' }));
        bytes += posterBytes(pick({ 0, 0, 1, 511, 512, 513, int(m_random.bounded(3000)) }));
        if (m_random.bounded(8) == 0)   // a short or truncated card from elsewhere
            bytes.truncate(7 + m_random.bounded(1169));
        return bytes;
    }

private:
    QRandomGenerator m_random;

    template <typename T> T pick(std::initializer_list<T> values)
    {
        return *(values.begin() + m_random.bounded(int(values.size())));
    }

    QByteArray anyBytes(int size)
    {
        QByteArray bytes(size, ' ');
        for (char &b : bytes)
            b = char(m_random.bounded(256));
        return bytes;
    }

    QByteArray words(int size, const QByteArray &separator)
    {
        QByteArray text;
        while (text.size() < size)
            text += QByteArray("Caf\xE9 cr\xE8me").left(1 + m_random.bounded(9)) + separator;
        return text.left(size);
    }

    QByteArray padded(const QByteArray &bytes, int width)
    {
        return bytes.left(width).leftJustified(width, ' ');
    }

    QByteArray field(int width)
    {
        switch (m_random.bounded(4)) {
        case 0:
            return padded({}, width);
        case 1:
            return anyBytes(width);   // full width, every byte
        case 2:
            return padded(anyBytes(m_random.bounded(width)), width);
        default:
            return padded(words(m_random.bounded(width), " "), width);
        }
    }

    QByteArray year()
    {
        return m_random.bounded(2) ? field(4) : pick<QByteArray>({ "1999", "19a4", "  12", "-7  " });
    }
    QByteArray hours()
    {
        return m_random.bounded(3) ? pick<QByteArray>({ "12", " 1", "01", "-1", "1 ", "  ", "ab", "9e" })
                                   : field(2);
    }
    QByteArray minutes()
    {
        return m_random.bounded(3) ? pick<QByteArray>({ "05", "5 ", "99", "  ", "x1" }) : field(2);
    }

    QByteArray actors()
    {
        if (m_random.bounded(4) == 0)
            return field(510);
        QByteArray joined;
        const int count = m_random.bounded(13);   // more than the editor takes from the keyboard
        for (int i = 0; i < count; ++i)
            joined += words(1 + m_random.bounded(50), " ").replace('|', '/') + '|';
        if (!joined.isEmpty() && m_random.bounded(3) == 0)
            joined.chop(1);   // the last name without its "|"
        return padded(joined, 510);
    }

    QByteArray summary()
    {
        if (m_random.bounded(3) == 0)
            return field(500);
        return padded(words(m_random.bounded(501), pick<QByteArray>({ "\r\n", "\r", "\n", " " })), 500);
    }
};

// The rules of a save, written from what they say rather than from the code.
QString numericRuleResult(QString text)
{
    while (!text.isEmpty() && !isNumericText(text))
        text.chop(1);
    return text;
}

std::optional<long long> wholeNumber(const QString &field)
{
    bool ok = false;
    const double value = field.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return std::llround(std::nearbyint(value));
}

QString hoursSaved(const QString &field)
{
    const auto hours = wholeNumber(field);
    if (!hours)
        return {};
    const QString shown = QString::number(*hours);
    return shown.size() == 1 ? QLatin1Char(' ') + shown : shown;
}

QString minutesSaved(const QString &field)
{
    const auto minutes = wholeNumber(field);
    return minutes ? u"%1"_s.arg(*minutes, 2, 10, QLatin1Char('0')) : QString();
}

QString actorsSaved(const QString &field)
{
    const QString trimmed = trimRight(field);
    return trimmed.isEmpty() || trimmed.endsWith(QLatin1Char('|')) ? trimmed : trimmed + QLatin1Char('|');
}

QString summarySaved(const QString &field)
{
    QString text = trimRight(field);
    text.replace(u"\r\n"_s, u"\n"_s).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QString crlf = QString(text).replace(QLatin1Char('\n'), u"\r\n"_s);
    return crlf.size() <= 500 ? crlf : text;
}

QByteArray savedCard(const QByteArray &old)
{
    const QString fields = fromCp1252(old.mid(7, 1168).leftJustified(1168, ' '));
    const auto at = [&](int offset, int width) { return fields.mid(offset, width); };
    const QString record = at(0, 50) + fixedWidth(numericRuleResult(trimRight(at(50, 4))), 4)
        + fixedWidth(hoursSaved(at(54, 2)), 2) + fixedWidth(minutesSaved(at(56, 2)), 2) + at(58, 50)
        + at(108, 50) + fixedWidth(actorsSaved(at(158, 510)), 510)
        + fixedWidth(summarySaved(at(668, 500)), 500);
    const QByteArray tail = old.size() > 1175 ? old.mid(1175) : QByteArray("\xA9");
    return "@CNFCH@" + toCp1252(record) + tail;
}

// A blank typed at the end of the summary and taken back: the card is
// marked changed, and holds what it held. A full summary refuses the blank
// itself.
void takeBackAChange(EditorWindow &editor)
{
    auto *summary = child<QPlainTextEdit>(editor, "summaryEdit");
    const QString before = summary->toPlainText();
    summary->moveCursor(QTextCursor::End);
    QTest::keyClick(summary, Qt::Key_Space);
    if (summary->toPlainText() != before)
        QTest::keyClick(summary, Qt::Key_Backspace);
}

}   // namespace

class tst_AnyCard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void loads_data();
    void loads();
    void openAndSaveKeepsTheCard();

private:
    TestCache m_cache;
    // Each save waits for the disk; memory-backed files keep the run short.
    QTemporaryDir m_dir { QFileInfo(u"/dev/shm"_s).isWritable()
            ? u"/dev/shm/tst_anycard-XXXXXX"_s
            : QDir::tempPath() + u"/tst_anycard-XXXXXX"_s };
    QString makeInput(const QString &kind, const QByteArray &bytes);
};

void tst_AnyCard::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

void tst_AnyCard::openAndSaveKeepsTheCard()
{
    const quint32 seed = QRandomGenerator::global()->generate();
    ScriptedDesktop fake;
    fake.anyMessage = MsgAnswer::Ok;   // the year's format messages while a card loads
    QCOMPARE(startProgram(QString()), std::nullopt);
    EditorWindow &editor = EditorWindow::instance();
    CardMaker maker(seed);
    const QString card = m_dir.filePath(u"card.cfh"_s);
    const QString copy = m_dir.filePath(u"copy.cfh"_s);
    for (int i = 0; i < kCards; ++i) {
        const QByteArray old = maker.card();
        const QString where = u"seed %1, card %2"_s.arg(seed).arg(i);
        QVERIFY2(writeBytes(card, old), qPrintable(where));
        QVERIFY2(editor.openCard(card), qPrintable(where));
        const bool titled = !child<QLineEdit>(editor, "titleEdit")->text().isEmpty();
        const QByteArray expected = titled ? savedCard(old) : old;
        takeBackAChange(editor);
        if (i % 2 == 0) {
            child<QAction>(editor, "saveAction")->trigger();
            QVERIFY2(readBytes(card) == expected, qPrintable(where));
        } else if (titled) {
            fake.answerFile(copy);
            child<QAction>(editor, "saveAsAction")->trigger();
            QVERIFY2(readBytes(copy) == expected, qPrintable(where));
            QVERIFY2(readBytes(card) == old, qPrintable(where));
        }
    }
    qInfo("%d cards opened and saved, seed %u", kCards, seed);
}

void tst_AnyCard::cleanup()
{
    if (ViewerWindow::exists())
        ViewerWindow::discard();
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
QString tst_AnyCard::makeInput(const QString &kind, const QByteArray &bytes)
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

void tst_AnyCard::loads_data()
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

void tst_AnyCard::loads()
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
    QCOMPARE(editor.openCard(card), shown);
    QCOMPARE(editor.windowTitle().contains(u"[input.cfh]"_s), shown);
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

QTEST_MAIN(tst_AnyCard)
#include "tst_anycard.moc"
