#include "card/card.h"
#include "card/cardextension.h"
#include "card/cardrecord.h"
#include "card/cp1252.h"
#include "collection/cardindex.h"
#include "collection/cardmatch.h"
#include "collection/cardscan.h"
#include "collection/cataloguecsv.h"
#include "collection/cataloguehtml.h"
#include "collection/csvreader.h"
#include "collection/filesystemkind.h"
#include "collection/frenchorder.h"
#include "collection/keptfields.h"
#include "collection/movielibrary.h"
#include "support/testfiles.h"

#include <QBuffer>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A name of printable ASCII, mostly letters, digits and the blanks and
// marks of file names.
QString randomName(QRandomGenerator &random)
{
    static const QString kCommon = u"aAbBzZ0123456789 -_.()'"_s;
    QString name;
    const int length = int(random.bounded(1u, 9u));
    for (int i = 0; i < length; ++i)
        name += random.bounded(3u) == 0 ? QChar(char16_t(random.bounded(0x20u, 0x7fu)))
                                        : kCommon[random.bounded(quint32(kCommon.size()))];
    return name;
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

}   // namespace

class tst_Collection : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void scan_data();
    void scan();
    void readsAheadInOrder();
    void fileSystemKinds_data();
    void fileSystemKinds();
    void indexRules_data();
    void indexRules();
    void frenchOrder();
    void ordersAsCollator();
    void leavesOthersToCollator_data();
    void leavesOthersToCollator();
    void match_data();
    void match();
    void foldsEveryCharacterAsItsText();
    void foldsRecordBytesAsTheirText();
    void numberRanges_data();
    void numberRanges();
    void csvLines_data();
    void csvLines();
    void csvRows_data();
    void csvRows();
    void csvCells_data();
    void csvCells();
    void htmlEscapesEveryValue();
    void htmlEmbedsPicturesInBase64();
    void libraryNames_data();
    void libraryNames();
    void movieBesideTheCard();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

// Cards by their marker, whatever their names; files that are no card; a
// file that cannot be read, even by root (reading the process's memory at
// offset 0 fails); a link back to the top folder.
void tst_Collection::initTestCase()
{
    const QByteArray card = makeCard("Titre", {});
    for (const char *name :
        { "bravo.cfh", "Eau.cfh", "Élan.txt", "Fable 10.cfh", "Fable 2.cfh", "sub/Zoé" }) {
        QVERIFY(QDir(m_dir.path()).mkpath(u"sub"_s));
        QVERIFY(writeBytes(path(QString::fromUtf8(name)), card));
    }
    QVERIFY(writeBytes(path(u"notes.txt"_s), "@CNFCH"));
    QVERIFY(writeBytes(path(u"vide.cfh"_s), {}));
    QVERIFY(QFile::link(u"/proc/self/mem"_s, path(u"illisible.cfh"_s)));
    QVERIFY(QFile::link(m_dir.path(), path(u"sub/boucle"_s)));
}

void tst_Collection::scan_data()
{
    QTest::addColumn<QStringList>("places");
    QTest::addColumn<bool>("recursive");
    QTest::addColumn<QStringList>("cards");
    QTest::addColumn<QStringList>("problems");
    const QStringList top { u"bravo.cfh"_s, u"Eau.cfh"_s, u"Élan.txt"_s, u"Fable 2.cfh"_s,
        u"Fable 10.cfh"_s };
    // Problems, and each folder as the walk enters it ("+" and its path).
    const QStringList unreadable { u"+"_s, u"illisible.cfh 2"_s };
    QTest::newRow("folder") << QStringList { u""_s } << false << top << unreadable;
    QTest::newRow("folder and below, through a loop")
        << QStringList { u""_s } << true << top + QStringList { u"sub/Zoé"_s }
        << unreadable + QStringList { u"+sub"_s };
    QTest::newRow("files named, in their order")
        << QStringList { u"sub/Zoé"_s, u"notes.txt"_s, u"absent"_s, u"bravo.cfh"_s, u"vide.cfh"_s } << false
        << QStringList { u"sub/Zoé"_s, u"bravo.cfh"_s }
        << QStringList { u"notes.txt 3"_s, u"absent 1"_s, u"vide.cfh 3"_s };
}

void tst_Collection::scan()
{
    QFETCH(QStringList, places);
    QFETCH(bool, recursive);
    QFETCH(QStringList, cards);
    QFETCH(QStringList, problems);
    const QString root = m_dir.path() + u'/';
    for (QString &place : places)
        place = place.isEmpty() ? m_dir.path() : root + place;
    // On a share, many cards are read at once: the same cards and problems, in the same order.
    for (const FileSystemKind kind : { FileSystemKind::Local, FileSystemKind::Network }) {
        const FileSystemKindProbe probe([kind](const QString &) { return kind; });
        QStringList found, said;
        CardScan scan;
        scan.recursive = recursive;
        scan.onCard = [&](const ScannedCard &card) {
            found << card.path.mid(root.size());
            return card.head.status == CardReadStatus::Ok;
        };
        scan.onProblem = [&](const QString &path, CardReadStatus status) {
            said << path.mid(root.size()) + u' ' + QString::number(int(status));
        };
        scan.onFolder = [&](const QString &path) { said << u'+' + path.mid(root.size()); };
        QVERIFY(scanCards(places, scan));
        QCOMPARE(found, cards);
        QCOMPARE(said, problems);
    }
}

// A second thread reads a folder's next cards, or many read at once as on
// a share: they are still given in order, with the files that are no card
// passed over, and a scan stopped halfway stops.
void tst_Collection::readsAheadInOrder()
{
    QTemporaryDir dir;
    QStringList expected;
    for (int i = 0; i < 70; ++i) {
        const QString name = u"fiche %1%2"_s.arg(i, 2, 10, QChar(u'0')).arg(i % 3 ? u".cfh"_s : u".txt"_s);
        QVERIFY(writeBytes(dir.filePath(name), i % 3 ? makeCard("Titre", "XYZ") : QByteArray("notes")));
        if (i % 3)
            expected << name;
    }
    for (const int readers : { 0, 4 }) {
        for (const qsizetype stopAt : { expected.size() + 1, qsizetype(20) }) {
            QStringList found;
            CardScan scan;
            scan.readAhead = true;
            scan.readers = readers;
            scan.onCard = [&](const ScannedCard &card) {
                found << card.path.section(u'/', -1);
                return found.size() < stopAt;
            };
            QCOMPARE(scanCards({ dir.path() }, scan), stopAt > expected.size());
            QCOMPARE(found, expected.mid(0, stopAt));
        }
    }
}

// A share's file system, by statfs's magic number, is read with many
// requests in flight; a local disk with today's threads.
void tst_Collection::fileSystemKinds_data()
{
    QTest::addColumn<qulonglong>("type");
    QTest::addColumn<bool>("network");
    QTest::newRow("NFS") << 0x6969ull << true;
    QTest::newRow("CIFS, sign-extended") << 0xffffffffff534d42ull << true;
    QTest::newRow("SMB2") << 0xfe534d42ull << true;
    QTest::newRow("FUSE: sshfs") << 0x65735546ull << true;
    QTest::newRow("ext4") << 0xef53ull << false;
    QTest::newRow("tmpfs") << 0x01021994ull << false;
    QTest::newRow("btrfs") << 0x9123683eull << false;
}

void tst_Collection::fileSystemKinds()
{
    QFETCH(qulonglong, type);
    QFETCH(bool, network);
    const FileSystemKind kind = fileSystemKindOf((unsigned long)type);
    QCOMPARE(kind == FileSystemKind::Network, network);
    QCOMPARE(readersFor(kind) >= 32 && readersFor(kind) <= 64, network);
    QCOMPARE(readersFor(kind) == 0, !network);
}

// The index's rules, on a card with a poster and an extension: what a
// first run kept is taken while the listing shows the card unchanged, and
// nothing of an index that is damaged, planted or open to others; a next
// run makes it again where its folder is the user's own.
void tst_Collection::indexRules_data()
{
    QTest::addColumn<QString>("change");   // what happens between the two runs
    QTest::addColumn<bool>("taken");       // the second run takes the card from the index
    QTest::addColumn<bool>("rebuilt");     // a third run finds what the second kept
    QTest::newRow("fresh") << u"none"_s << true << true;
    QTest::newRow("rewritten, same size and time") << u"rewrite"_s << false << true;
    QTest::newRow("grown") << u"grow"_s << false << true;
    QTest::newRow("replaced by a copy of itself") << u"replace"_s << false << true;
    QTest::newRow("changed in the last minute") << u"unsettled"_s << false << false;
    QTest::newRow("index damaged") << u"damage"_s << false << true;
    QTest::newRow("index cut short") << u"truncate"_s << false << true;
    QTest::newRow("index a link") << u"link"_s << false << true;
    QTest::newRow("index readable by others") << u"open"_s << false << true;
    QTest::newRow("index of another folder") << u"other"_s << false << true;
    QTest::newRow("index folder open to others") << u"openfolder"_s << false << false;
}

void tst_Collection::indexRules()
{
    QFETCH(QString, change);
    QFETCH(bool, taken);
    QFETCH(bool, rebuilt);
    QTemporaryDir dir;
    const QString root = dir.filePath(u"films"_s), card = root + u"/a.cfh"_s;
    const QString cache = dir.filePath(u"cache/index"_s), other = dir.filePath(u"autres"_s);
    QVERIFY(QDir().mkpath(root) && QDir().mkpath(other));
    QByteArray record("Titre");
    record.append(QByteArray(kRecordWidth - record.size(), ' '));
    const CardExtension extension { valuesOf({ { Field::Titre, u"Titre ☃"_s } }) };
    const QByteArray bytes
        = makeCard(record, bitmapHeader(10, 20) + posterBytes(500)) + encodeExtension(extension, record);
    QVERIFY(writeBytes(card, bytes) && setModifiedTime(card, 1'000'000'000'000'000'000));
    const auto settle = change == u"unsettled"_s ? std::chrono::minutes(1) : std::chrono::minutes(0);
    const int folder = ::open(QFile::encodeName(root).constData(), O_RDONLY | O_DIRECTORY);
    const auto run = [&](const QString &place) {
        const auto index = CardIndex::load(place, true, cache, settle);
        const auto listed = listedFileAt(folder, "a.cfh", true);
        std::optional<CardHead> head = index->find("/a.cfh", *listed, RecordText::Decoded);
        const bool found = head.has_value();
        if (!head) {
            head = readCardHeadAt(folder, "a.cfh", PosterHeader::Read, RecordText::Decoded);
            index->keep("/a.cfh", *listed, *head);
        }
        index->save();
        return std::pair(found, *head);
    };
    const CardHead first = run(root).second;
    QCOMPARE(first.card.extension, extension);
    const QString indexFile = QDir(cache).entryInfoList(QDir::Files).value(0).filePath();
    QCOMPARE(indexFile.isEmpty(), change == u"unsettled"_s);
    if (change == u"rewrite"_s) {
        QByteArray changed = bytes;
        changed[7] = 'X';
        QVERIFY(writeBytes(card, changed) && setModifiedTime(card, 1'000'000'000'000'000'000));
    } else if (change == u"grow"_s) {
        QVERIFY(writeBytes(card, bytes + "!") && setModifiedTime(card, 1'000'000'000'000'000'000));
    } else if (change == u"replace"_s) {
        QVERIFY(writeBytes(card + u".new"_s, bytes)
            && setModifiedTime(card + u".new"_s, 1'000'000'000'000'000'000));
        QVERIFY(::rename(QFile::encodeName(card + u".new"_s).constData(), QFile::encodeName(card).constData())
            == 0);
    } else if (change == u"damage"_s || change == u"truncate"_s) {
        QByteArray saved = readBytes(indexFile);
        if (change == u"damage"_s)
            saved[saved.size() / 2] = char(saved[saved.size() / 2] ^ 1);
        QVERIFY(writeBytes(indexFile, change == u"damage"_s ? saved : saved.first(saved.size() - 10)));
        QVERIFY(QFile::setPermissions(indexFile, QFile::ReadOwner | QFile::WriteOwner));
    } else if (change == u"link"_s) {
        QVERIFY(QFile::rename(indexFile, dir.filePath(u"planted"_s)));
        QVERIFY(QFile::link(dir.filePath(u"planted"_s), indexFile));
    } else if (change == u"open"_s) {
        QVERIFY(::chmod(QFile::encodeName(indexFile).constData(), 0644) == 0);
    } else if (change == u"other"_s) {
        run(other);   // the same card kept in another folder's index, put in place of the first's
        QStringList files = QDir(cache).entryList(QDir::Files);
        files.removeOne(QFileInfo(indexFile).fileName());
        const QString otherFile = cache + u'/' + files.value(0);
        QVERIFY(files.size() == 1 && QFile::remove(indexFile) && QFile::rename(otherFile, indexFile));
    } else if (change == u"openfolder"_s) {
        QVERIFY(::chmod(QFile::encodeName(cache).constData(), 0755) == 0);
    }
    const auto [found, second] = run(root);
    QCOMPARE(found, taken);
    const CardHead read = readCardHeadAt(folder, "a.cfh", PosterHeader::Read, RecordText::Decoded);
    QCOMPARE(second.recordBytes, read.recordBytes);
    QCOMPARE(second.card.extension, read.card.extension);
    QCOMPARE(second.posterBytes, read.posterBytes);
    QCOMPARE(second.poster.size, QSize(10, 20));
    QCOMPARE(run(root).first, rebuilt);
    ::close(folder);
}

void tst_Collection::frenchOrder()
{
    QStringList titles { u"Fable"_s, u"élan"_s, u"Eau"_s, u"Été 10"_s, u"Été 9"_s, u"zèbre"_s, u"E"_s };
    sortFrench(titles);
    QCOMPARE(titles,
        (QStringList { u"E"_s, u"Eau"_s, u"élan"_s, u"Été 9"_s, u"Été 10"_s, u"Fable"_s, u"zèbre"_s }));
}

// Two names' keys compare as the collator compares the names.
void tst_Collection::ordersAsCollator()
{
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    const QCollator collator = frenchCollator();
    for (int round = 0; round < 3000; ++round) {
        const QString a = randomName(random), b = randomName(random);
        const auto keyA = asciiFrenchKey(a), keyB = asciiFrenchKey(b);
        if (!keyA || !keyB)
            continue;
        const int byKeys = sign(keyA->compare(*keyB));
        QVERIFY2(byKeys == sign(collator.compare(a, b)),
            qPrintable(u"seed %1: \"%2\" and \"%3\""_s.arg(seed).arg(a, b)));
    }
}

void tst_Collection::leavesOthersToCollator_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("accent") << u"Élan.cfh"_s;
    QTest::newRow("control character") << u"a\tb"_s;
    QTest::newRow("leading zero") << u"fiche-007.cfh"_s;
    QTest::newRow("number of 101 digits") << u"n"_s + QString(101, u'1');
}

void tst_Collection::leavesOthersToCollator()
{
    QFETCH(QString, name);
    QVERIFY(!asciiFrenchKey(name));
}

void tst_Collection::match_data()
{
    QTest::addColumn<CardQuery>("query");
    QTest::addColumn<bool>("inRecord");      // found on a card its record holds whole
    QTest::addColumn<bool>("inExtension");   // found on the same card with more in its extension
    const auto words = [](std::initializer_list<QString> list) { return CardQuery { .words = list }; };
    QTest::newRow("no condition") << CardQuery() << true << true;
    QTest::newRow("word without its accent") << words({ u"etienne"_s }) << true << true;
    QTest::newRow("word in capitals") << words({ u"BELMONDO"_s }) << true << true;
    QTest::newRow("ligature spelled out") << words({ u"coeur"_s }) << true << true;
    QTest::newRow("every word, each in its own field")
        << words({ u"cœur"_s, u"1962"_s, u"drame"_s }) << true << true;
    QTest::newRow("one word missing") << words({ u"cœur"_s, u"western"_s }) << false << false;
    QTest::newRow("word in the summary") << words({ u"marseille"_s }) << true << true;
    QTest::newRow("word across two fields") << words({ u"drame jean"_s }) << false << false;
    QTest::newRow("actor") << CardQuery { .acteur = u"roux"_s } << true << true;
    QTest::newRow("actor's name in the title only") << CardQuery { .acteur = u"cœur"_s } << false << false;
    QTest::newRow("director") << CardQuery { .realisateur = u"Étienne"_s } << true << true;
    QTest::newRow("title and type") << CardQuery { .titre = u"Cœur"_s, .type = u"DRAME"_s } << true << true;
    QTest::newRow("type elsewhere only") << CardQuery { .type = u"belmondo"_s } << false << false;
    QTest::newRow("year within") << CardQuery { .years = NumberRange { 1960, 1969 } } << true << true;
    QTest::newRow("year outside") << CardQuery { .years = NumberRange { 1970, 1979 } } << false << false;
    QTest::newRow("actor in his own script, no accent")
        << CardQuery { .acteur = u"рублев"_s } << false << true;
    QTest::newRow("the record's transliteration is not searched") << words({ u"rublev"_s }) << false << false;
    QTest::newRow("words in the original title, a tag, the saga and the notes")
        << words({ u"сердце"_s, u"REVOIR"_s, u"trilogie"_s, u"krakow"_s }) << false << true;
    QTest::newRow("saga") << CardQuery { .saga = u"marseille"_s } << false << true;
    QTest::newRow("a whole tag") << CardQuery { .etiquette = u"NOEL"_s } << false << true;
    QTest::newRow("part of a tag") << CardQuery { .etiquette = u"revoi"_s } << false << false;
    QTest::newRow("seen") << CardQuery { .vu = true } << false << true;
    QTest::newRow("not seen") << CardQuery { .vu = false } << true << false;
    QTest::newRow("rating within") << CardQuery { .note = NumberRange { 7, 8 } } << false << true;
    QTest::newRow("rating outside") << CardQuery { .note = NumberRange { 9, 10 } } << false << false;
    QTest::newRow("lent") << CardQuery { .prete = true } << false << true;
    QTest::newRow("copy") << CardQuery { .support = u"blu"_s } << false << true;
    QTest::newRow("half a character") << words({ QString(QChar(0xD800)) }) << false << false;
}

// Each card is searched as find reads it and as a collection keeps it.
void tst_Collection::match()
{
    QFETCH(CardQuery, query);
    QFETCH(bool, inRecord);
    QFETCH(bool, inExtension);
    QList<CardEdit> edits { { Field::Titre, u"Le Cœur battant"_s }, { Field::Annee, u"1962"_s },
        { Field::Type, u"Drame policier"_s }, { Field::Realisateur, u"Étienne Valmont"_s },
        { .field = Field::Acteurs, .list = { u"Jean-Paul BELMONDO"_s, u"Clara Roux"_s } },
        { Field::Resume, u"Un soir à Marseille.\nFin."_s } };
    const QList<CardEdit> more {
        { .field = Field::Acteurs, .list = { u"Андрей Рублёв"_s }, .op = CardEdit::Op::Add },
        { Field::TitreOriginal, u"Сердце бьётся"_s }, { Field::Saga, u"Trilogie de Marseille"_s },
        { .field = Field::Etiquettes, .list = { u"à revoir"_s, u"Noël"_s } },
        { Field::Notes, u"Vu à Kraków"_s }, { Field::Vu, u"oui"_s }, { Field::Note, u"8"_s },
        { Field::PretA, u"Zoé"_s }, { Field::Support, u"Blu-ray"_s }
    };
    const CardMatcher matcher(query);
    for (const bool extended : { false, true }) {
        Card card;
        for (const CardEdit &edit : extended ? edits + more : edits)
            QVERIFY(!applyEdit(card, edit));
        QCOMPARE(card.extension.isEmpty(), !extended);
        const QByteArray record = encodeRecord(card.record);
        const CardValues &exact = card.extension.values;
        QCOMPARE(matcher.matches(record, exact), extended ? inExtension : inRecord);
        QCOMPARE(matcher.matches(KeptFields(record, exact).folded()), extended ? inExtension : inRecord);
    }
}

// A record's bytes are folded a byte at a time, never decoded: each gives
// what its character folds to, so that a search finds in them what it
// finds in their text.
void tst_Collection::foldsRecordBytesAsTheirText()
{
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    char folded[4 * 40];
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes(int(random.bounded(40)), ' ');
        for (char &byte : bytes)
            byte = char(random.bounded(4) ? random.bounded(0x80, 0x100) : random.bounded(0x20, 0x80));
        const std::string_view byBytes = foldedBytes(bytes, folded);
        QVERIFY2(QByteArrayView(byBytes.data(), qsizetype(byBytes.size()))
                == foldedText(trimRight(fromCp1252(bytes))).toUtf8(),
            qPrintable(u"seed %1: %2"_s.arg(seed).arg(QString::fromLatin1(bytes.toHex()))));
    }
}

// Texts are folded a character at a time from a table; every character of
// the basic plane folds as the whole text would: case, ligatures, accents.
void tst_Collection::foldsEveryCharacterAsItsText()
{
    const auto longWay = [](const QString &text) {
        QString folded = text.toCaseFolded().replace(u"œ"_s, u"oe"_s).replace(u"æ"_s, u"ae"_s);
        folded = folded.normalized(QString::NormalizationForm_D);
        folded.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
        return folded;
    };
    for (char32_t c = 0x80; c < 0x10000; ++c) {
        const QChar character = QChar(char16_t(c));
        if (character.isSurrogate())
            continue;
        const QString text = u"Œ"_s + character + u"e\u0301"_s;
        QByteArray utf8;
        appendFolded(utf8, text);
        QCOMPARE(foldedText(text), longWay(text));
        QCOMPARE(utf8, longWay(text).toUtf8());
    }
    QCOMPARE(foldedText(u"Élan d’ŒUVRE — 10 € Ÿ"_s), u"elan d’oeuvre — 10 € y"_s);
}

void tst_Collection::numberRanges_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<NumberRange>>("years");
    QTest::addColumn<std::optional<NumberRange>>("ratings");
    const std::optional<NumberRange> none;
    QTest::newRow("one year") << u"1995"_s << std::optional(NumberRange { 1995, 1995 }) << none;
    QTest::newRow("a span") << u"1990-1999"_s << std::optional(NumberRange { 1990, 1999 }) << none;
    QTest::newRow("backwards") << u"1999-1990"_s << none << none;
    QTest::newRow("open end") << u"1990-"_s << none << none;
    QTest::newRow("words") << u"années 90"_s << none << none;
    QTest::newRow("one rating") << u"07"_s << std::optional(NumberRange { 7, 7 })
                                << std::optional(NumberRange { 7, 7 });
    QTest::newRow("ratings") << u"8-10"_s << std::optional(NumberRange { 8, 10 })
                             << std::optional(NumberRange { 8, 10 });
    QTest::newRow("past the ratings") << u"0-5"_s << std::optional(NumberRange { 0, 5 }) << none;
}

void tst_Collection::numberRanges()
{
    QFETCH(QString, text);
    QTEST(yearRange(text), "years");
    QTEST(ratingRange(text), "ratings");
}

void tst_Collection::csvLines_data()
{
    QTest::addColumn<CatalogueCard>("card");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QByteArray>("line");
    const CatalogueCard plain { u"a.cfh"_s,
        valuesOf({ { Field::Titre, u"Élan"_s }, { Field::Annee, u"1962"_s }, { Field::Heures, u"1"_s },
                     { Field::Minutes, u"05"_s } },
            { u"Anne"_s, u"Paul"_s }),
        QByteArray("jpeg") };
    QTest::newRow("plain, numbers as stored")
        << plain << QChar(u',') << QByteArray("a.cfh,Élan,1962,1,05,,,Anne | Paul,,jpeg,");
    CatalogueCard hostile { u"b,c.cfh"_s,
        valuesOf({ { Field::Titre, u"Le \"Cercle\", rouge"_s }, { Field::Resume, u"Un\nDeux"_s } }), {} };
    QTest::newRow("separator, quotes, line break")
        << hostile << QChar(u',')
        << QByteArray("\"b,c.cfh\",\"Le \"\"Cercle\"\", rouge\",,,,,,,\"Un\r\nDeux\",,");
    QTest::newRow("semicolons") << hostile << QChar(u';')
                                << QByteArray("b,c.cfh;\"Le \"\"Cercle\"\", rouge\";;;;;;;\"Un\r\nDeux\";;");
    hostile.values.text(Field::Type) = u"a;b"_s;
    QTest::newRow("semicolon in a value") << hostile << QChar(u';') << QByteArray("\"a;b\"");
    const CatalogueCard formula { u"-f.cfh"_s,
        valuesOf({ { Field::Titre, u"=HYPERLINK(\"http://evil\",\"x\")"_s } }), {} };
    CatalogueCard own { u"d.cfh"_s, valuesOf({ { Field::Titre, u"T"_s } }), {} };
    own.values.text(Field::Vu) = kFlagSet;
    own.values.list(Field::VuLe) = QStringList { u"2024-01-01"_s, u"2025-03-05"_s };
    own.values.text(Field::Note) = u"7"_s;
    own.values.list(Field::Etiquettes) = QStringList { u"a"_s, u"b"_s };
    own.values.text(Field::Tmdb) = u"935"_s;
    own.values.text(Field::Notes) = u"Un\nDeux"_s;
    QTest::newRow("the fields beyond the record, after the poster")
        << own << QChar(u',')
        << QByteArray(
               "d.cfh,T,,,,,,,,,,,,,oui,2024-01-01 | 2025-03-05,,7,a | b,,,,,,935,,\"Un\r\nDeux\",\r\n");
    QTest::newRow("a formula, guarded then quoted")
        << formula << QChar(u',') << QByteArray("'-f.cfh,\"'=HYPERLINK(\"\"http://evil\"\",\"\"x\"\")\",");
}

void tst_Collection::csvCells_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("cell");
    QTest::newRow("=") << u"=HYPERLINK(\"http://evil\",\"x\")"_s << u"'=HYPERLINK(\"http://evil\",\"x\")"_s;
    QTest::newRow("+") << u"+cmd|' /C calc'!A0"_s << u"'+cmd|' /C calc'!A0"_s;
    QTest::newRow("-, a sum") << u"-2+3"_s << u"'-2+3"_s;
    QTest::newRow("-, a plain negative number too") << u"-2"_s << u"'-2"_s;
    QTest::newRow("@") << u"@SUM(1+1)"_s << u"'@SUM(1+1)"_s;
    QTest::newRow("tab") << u"\tx"_s << u"'\tx"_s;
    QTest::newRow("carriage return") << u"\r\nx"_s << u"'\r\nx"_s;
    QTest::newRow("already looks guarded") << u"''=x"_s << u"'''=x"_s;
    QTest::newRow("an apostrophe before a word") << u"'Round Midnight"_s << u"'Round Midnight"_s;
    QTest::newRow("a sign further on") << u"a=b-c"_s << u"a=b-c"_s;
    QTest::newRow("empty") << QString() << QString();
}

// No cell of ours runs as a formula in a spreadsheet, and each reads back exactly.
void tst_Collection::csvCells()
{
    QFETCH(QString, value);
    QFETCH(QString, cell);
    QCOMPARE(guardedCell(value), cell);
    QCOMPARE(unguardedCell(cell), value);
}

// The header, then each card on a line of its own as RFC 4180 has it.
void tst_Collection::csvLines()
{
    QFETCH(CatalogueCard, card);
    QFETCH(QChar, separator);
    QFETCH(QByteArray, line);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    CsvCatalogue csv(out, separator);
    QVERIFY(csv.add(card));
    const QByteArray header = catalogueColumns().join(separator).toUtf8() + "\r\n";
    QVERIFY(separator != u','
        || header.startsWith("fichier,titre,annee,heures,minutes,type,realisateur,acteurs,resume,affiche,"));
    QVERIFY(out.data().startsWith(header));
    QVERIFY2(out.data().mid(header.size()).contains(line), out.data().constData());
}

void tst_Collection::csvRows_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("rows");   // each: its line, its cells joined with "|", "!" when broken
    QTest::newRow("commas, CR LF, no final break")
        << "a,b\r\n1,2\r\n3,4"_ba << QStringList { u"1:a|b"_s, u"2:1|2"_s, u"3:3|4"_s };
    QTest::newRow("BOM, semicolons, CR LF as the catalogue writes them")
        << "\xEF\xBB\xBFtitre;annee\r\n\"Un;deux\";1962\r\n"_ba
        << QStringList { u"1:titre|annee"_s, u"2:Un;deux|1962"_s };
    QTest::newRow("tabs") << "a\tb,c\td\n1\t2\n"_ba << QStringList { u"1:a|b,c|d"_s, u"2:1|2"_s };
    QTest::newRow("quoted line breaks and doubled quotes, lines counted")
        << "a,b\n\"x\r\ny\",\"le \"\"mot\"\"\"\n1,2\n"_ba
        << QStringList { u"1:a|b"_s, u"2:x\r\ny|le \"mot\""_s, u"4:1|2"_s };
    QTest::newRow("blank rows passed over, lone CR")
        << "a,b\r\r\n,\n1,2\r"_ba << QStringList { u"1:a|b"_s, u"4:1|2"_s };
    QTest::newRow("sep= line names the separator") << "sep=;\na,b;c\n"_ba << QStringList { u"2:a,b|c"_s };
    QTest::newRow("a quote inside a cell is kept")
        << "a,b\n5\" disque,2\n"_ba << QStringList { u"1:a|b"_s, u"2:5\" disque|2"_s };
    QTest::newRow("text after a closing quote breaks the row, not the next")
        << "a,b\n\"x\"y,2\n3,4\n"_ba << QStringList { u"1:a|b"_s, u"2!"_s, u"3:3|4"_s };
    QTest::newRow("a quote that never closes breaks the last row")
        << "a,b\n1,\"2\n3,4\n"_ba << QStringList { u"1:a|b"_s, u"2!"_s };
    QTest::newRow("Windows-1252, as a French spreadsheet saves")
        << "titre;annee\r\n\xC9lan \x96 \x80;1962\r\n"_ba
        << QStringList { u"1:titre|annee"_s, u"2:Élan – €|1962"_s };
    QTest::newRow("too many cells") << "a\n"_ba + QByteArray(1200, ',') + "\n"_ba
                                    << QStringList { u"1:a"_s, u"2!"_s };
}

// Each row as a spreadsheet saved it, with the line it starts on.
void tst_Collection::csvRows()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, rows);
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    CsvReader reader(in);
    QStringList read;
    while (const auto row = reader.next())
        read << QString::number(row->line) + (row->broken ? u"!"_s : u':' + row->cells.join(u'|'));
    QCOMPARE(read, rows);
}

// A card's texts are text, wherever they land: element, attribute, sort key.
void tst_Collection::htmlEscapesEveryValue()
{
    const QString hostile = u"<script>alert('%2')</script>\"&"_s;
    CardValues values
        = valuesOf({ { Field::Titre, hostile }, { Field::Annee, hostile }, { Field::Heures, u"1"_s },
                       { Field::Type, hostile }, { Field::Realisateur, hostile }, { Field::Resume, hostile },
                       { Field::Note, hostile } },
            { hostile, hostile });
    values.list(Field::Etiquettes) = QStringList { hostile };
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    HtmlCatalogue html(out);
    const QByteArray onePixel("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\0\x01\0\0\0\x01", 24);   // its header
    QVERIFY(html.add({ hostile, values, {} }, onePixel + QByteArray(16, '\0')));
    QVERIFY(html.add({ u"b.cfh"_s, valuesOf({ { Field::Titre, u"Sans affiche"_s } }), {} }, {}));
    QVERIFY(html.finish());
    const QString page = QString::fromUtf8(out.data());
    QCOMPARE(page.count(u"<script"_s), 1);   // the page's own
    QCOMPARE(page.count(u"&lt;script&gt;alert(&#39;%2&#39;)&lt;/script&gt;&quot;&amp;"_s),
        11);   // 9 cells, the actors twice, the alt text
    QCOMPARE(page.count(u"<img "_s), 1);
    QCOMPARE(page.count(u"<tr>"_s), 3);
    QVERIFY(page.contains(u"default-src 'none'"_s));
    QVERIFY(page.endsWith(u"</html>\n"_s));
}

// Every length of picture, whatever its last bytes, reads back as it was.
void tst_Collection::htmlEmbedsPicturesInBase64()
{
    const QByteArray onePixel("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\0\x01\0\0\0\x01", 24);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    HtmlCatalogue html(out);
    QList<QByteArray> pictures;
    for (int extra = 0; extra < 14; ++extra) {
        QByteArray picture = onePixel + QByteArray(16, '\0');
        for (int i = 0; i < extra; ++i)
            picture += char(QRandomGenerator::global()->bounded(256));
        pictures << picture;
        QVERIFY(html.add({ u"a.cfh"_s, valuesOf({ { Field::Titre, u"A"_s } }), {} }, picture));
    }
    QVERIFY(html.finish());
    for (const QByteArray &picture : pictures)
        QVERIFY(out.data().contains(";base64," + picture.toBase64() + '"'));
}

void tst_Collection::libraryNames_data()
{
    QTest::addColumn<QStringList>("files");    // a folder's entries; a final "/" for a folder
    QTest::addColumn<QStringList>("movies");   // "movie : nfo : posters"
    QTest::newRow("NAME.nfo beside NAME.mkv") << QStringList { u"Alien.mkv"_s, u"Alien.nfo"_s,
        u"Alien-poster.jpg"_s } << QStringList { u"Alien.mkv : Alien.nfo : Alien-poster.jpg"_s };
    QTest::newRow("a folder of one movie: movie.nfo, poster, then folder")
        << QStringList { u"Brazil (1985).mkv"_s, u"folder.png"_s, u"movie.nfo"_s, u"poster.jpg"_s }
        << QStringList { u"Brazil (1985).mkv : movie.nfo : poster.jpg,folder.png"_s };
    QTest::newRow("NAME.nfo before movie.nfo, NAME-poster before poster") << QStringList {
        u"A.avi"_s, u"A.nfo"_s, u"A-poster.png"_s, u"movie.nfo"_s, u"poster.gif"_s, u"A-poster.jpg"_s
    } << QStringList { u"A.avi : A.nfo : A-poster.jpg,A-poster.png,poster.gif"_s };
    QTest::newRow("several movies: movie.nfo and poster belong to none")
        << QStringList { u"A.mkv"_s, u"A.nfo"_s, u"B.mp4"_s, u"movie.nfo"_s, u"poster.jpg"_s }
        << QStringList { u"A.mkv : A.nfo : "_s, u"B.mp4 :  : "_s };
    QTest::newRow("extensions in capitals") << QStringList { u"C.MKV"_s, u"C.NFO"_s, u"C-poster.JPG"_s }
                                            << QStringList { u"C.MKV : C.NFO : C-poster.JPG"_s };
    QTest::newRow("one movie in two containers: the one the viewer plays") << QStringList { u"E.webm"_s,
        u"E.mkv"_s, u"movie.nfo"_s } << QStringList { u"E.mkv : movie.nfo : "_s };
    QTest::newRow("a trailer, a mixed-case extension and a folder are no movies")
        << QStringList { u"F-trailer.mkv"_s, u"F.mkv"_s, u"G.Avi"_s, u"H.mkv/"_s, u"movie.nfo"_s }
        << QStringList { u"F.mkv : movie.nfo : "_s };
    QTest::newRow("sidecars without a movie")
        << QStringList { u"tvshow.nfo"_s, u"I.nfo"_s, u"I-poster.jpg"_s } << QStringList();
}

// Which sidecar and which poster go with which movie, by their names alone.
void tst_Collection::libraryNames()
{
    QFETCH(QStringList, files);
    QStringList found;
    std::vector<FolderEntry> entries;
    for (const QString &file : files)
        entries.push_back({ file.endsWith(u'/') ? file.chopped(1) : file, file.endsWith(u'/') });
    for (const LibraryMovie &movie : moviesOfFolder(u"/films"_s, entries)) {
        found << movie.movie + u" : "_s + movie.nfo + u" : "_s + movie.posters.join(u',');
        QCOMPARE(movie.card(), u"/films/"_s + movie.name + u".cfh"_s);
    }
    QTEST(found, "movies");
}

// With every container beside the card, removing the one found each time
// gives the order the README promises, capitals after lower case; another
// name's movie, subtitles and a part-downloaded file are never found.
void tst_Collection::movieBesideTheCard()
{
    const QStringList order
        = { "avi", "divx", "mkv", "MKV", "mp4", "m4v", "webm", "mov", "ogv", "mpg", "mpeg", "wmv" };
    QVERIFY(QDir().mkpath(path(u"movies"_s)));
    for (const QString &name : order + QStringList { u"srt"_s, u"mkv.part"_s })
        QVERIFY(writeBytes(path(u"movies/card."_s + name), "movie"));
    QVERIFY(writeBytes(path(u"movies/other.mkv"_s), "movie"));
    const QString card = path(u"movies/card.cfh"_s);
    QStringList found;
    for (QString movie = movieBesideCard(card); !movie.isEmpty(); movie = movieBesideCard(card)) {
        found << QFileInfo(movie).fileName().mid(5);
        QVERIFY(QFile::remove(movie));
    }
    QCOMPARE(found, order);
}

QTEST_GUILESS_MAIN(tst_Collection)
#include "tst_collection.moc"
