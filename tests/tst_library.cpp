#include "nfo/nfoexport.h"
#include "nfo/nfoimport.h"
#include "nfo/nforeader.h"
#include "nfo/nfowriter.h"
#include "support/testfiles.h"
#include "support/toolrun.h"
#include "tool/tooltexts.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

// A movie library and the cards beside its movies: import from the
// sidecars that media centres read, export back to them, and changes over
// many cards at once.
class tst_Library : public QObject {
    Q_OBJECT
private slots:
    void init();
    void ownMark_data();
    void ownMark();
    void nfoElements_data();
    void nfoElements();
    void nfoBothWays();
    void setSyntax_data();
    void setSyntax();
    void importsALibrary();
    void exportsAndImportsBack();
    void exportKeepsOthersFiles_data();
    void exportKeepsOthersFiles();

private:
    TestCache m_cache;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }
};

namespace {

QByteArray samplePoster(const char *name)
{
    return readBytes(sample(name)).mid(1176);
}

QByteArray nfoOf(const QByteArray &inside)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<movie>" + inside + "</movie>\n";
}

QByteArray ownNfo()
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QList<NfoNote> notes;
    writeNfo(out, movieOfCard(valuesOf({ { Field::Titre, u"Titre"_s } }), notes), ToolText::nfoMark({}));
    return out.data();
}

QByteArray nfoBytes(const NfoMovie &movie)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    writeNfo(out, movie, ToolText::nfoMark({}));
    return out.data();
}

std::optional<Card> cardOfNfo(const QByteArray &nfo, QStringList &notes)
{
    QBuffer in;
    in.setData(nfo);
    in.open(QIODevice::ReadOnly);
    const NfoRead read = readNfo(in);
    if (read.status != NfoStatus::Ok)
        return std::nullopt;
    QList<NfoNote> found;
    const Card card = cardOfMovie(read.movie, found);
    for (const NfoNote &note : found)
        notes << ToolText::nfoNoteText(note);
    return card;
}

// The elements of a movie .nfo that a card carries, each as its texts in
// the file's order: a set or an actor by its name, an identifier with its
// type and, "*", whether it is the default.
QMap<QString, QStringList> carriedElements(const QByteArray &nfo)
{
    static const QStringList carried { u"title"_s, u"originaltitle"_s, u"sorttitle"_s, u"userrating"_s,
        u"plot"_s, u"runtime"_s, u"playcount"_s, u"lastplayed"_s, u"watched"_s, u"uniqueid"_s, u"genre"_s,
        u"country"_s, u"set"_s, u"tag"_s, u"director"_s, u"actor"_s, u"dateadded"_s };
    QMap<QString, QStringList> elements;
    QXmlStreamReader xml(nfo);
    xml.readNextStartElement();
    while (xml.readNextStartElement()) {
        const QString name = xml.name().toString();
        QString text;
        if (name == u"set" || name == u"actor") {
            while (xml.readNextStartElement())
                xml.name() == u"name" ? void(text = xml.readElementText()) : xml.skipCurrentElement();
        } else if (name == u"uniqueid") {
            const bool isDefault = xml.attributes().value(u"default"_s) == u"true";
            text = xml.attributes().value(u"type"_s).toString() + (isDefault ? u"*="_s : u"="_s)
                + xml.readElementText();
        } else {
            text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
        if (carried.contains(name))
            elements[name] << text;
    }
    return elements;
}

// Every file below folder with its bytes, links as their targets.
QMap<QString, QByteArray> filesBelow(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo file = it.nextFileInfo();
        files.insert(
            file.filePath(), file.isSymLink() ? file.symLinkTarget().toUtf8() : readBytes(file.filePath()));
    }
    return files;
}

bool makeFiles(const QString &folder, const QMap<QString, QByteArray> &files)
{
    for (auto file = files.cbegin(); file != files.cend(); ++file) {
        const QString path = folder + u'/' + file.key();
        if (!QDir().mkpath(QFileInfo(path).path()) || !writeBytes(path, file.value()))
            return false;
    }
    return true;
}

}   // namespace

void tst_Library::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void tst_Library::ownMark_data()
{
    QTest::addColumn<QByteArray>("nfo");
    QTest::addColumn<bool>("own");
    const QByteArray own = ownNfo();
    QByteArray rewritten = own;
    rewritten.remove(own.indexOf("<!--"), own.indexOf("-->") + 3 - own.indexOf("<!--"));
    QTest::newRow("written by nfo") << own << true;
    QTest::newRow("rewritten by a media manager, the comment dropped") << rewritten << false;
    QTest::newRow("a media manager's") << readBytes(QFINDTESTDATA("data/media-manager.nfo")) << false;
    QTest::newRow("release notes") << QByteArray("  ** GROUPE **\n  Film.....: x\n") << false;
    QTest::newRow("the mark inside the root") << nfoOf("<!-- cinefiche-card -->") << false;
    QTest::newRow("the mark after another comment")
        << QByteArray("<?xml version=\"1.0\"?>\n<!-- scraped -->\n<!-- cinefiche-card -->\n<movie/>")
        << false;
}

// The mark that lets an export replace its own .nfo and no other program's.
void tst_Library::ownMark()
{
    QFETCH(QByteArray, nfo);
    QBuffer in(&nfo);
    in.open(QIODevice::ReadOnly);
    QTEST(readOwnMark(in).has_value(), "own");
}

void tst_Library::nfoElements_data()
{
    QTest::addColumn<QByteArray>("inside");    // of <movie>, after a title
    QTest::addColumn<QStringList>("values");   // "key=value", a list's items joined with "|"
    QTest::addColumn<QString>("said");         // the notes, one a line
    QTest::newRow("the older set, its name alone; 0, no rating of the user's")
        << QByteArray("<set> Saga </set><userrating>0</userrating>")
        << QStringList { u"saga=Saga"_s, u"note="_s } << QString();
    QTest::newRow("seen, said by the older flag alone")
        << QByteArray("<watched>true</watched>") << QStringList { u"vu=oui"_s, u"vu_fois="_s } << QString();
    QTest::newRow("more plays than viewings known")
        << QByteArray("<playcount>4</playcount><lastplayed>2023-05-04 21:13:09</lastplayed>")
        << QStringList { u"vu=oui"_s, u"vu_le=2023-05-04 21:13:09"_s, u"vu_fois=4"_s } << QString();
    QTest::newRow("played once: the viewing says it")
        << QByteArray("<playcount>1</playcount><lastplayed>2023-05-04</lastplayed><watched>true</watched>")
        << QStringList { u"vu=oui"_s, u"vu_le=2023-05-04"_s, u"vu_fois="_s } << QString();
    QTest::newRow("marked not seen since the last viewing")
        << QByteArray("<playcount>0</playcount><lastplayed>2023-05-04</lastplayed><watched>true</watched>")
        << QStringList { u"vu="_s, u"vu_le="_s }
        << u"vu_le : « 2023-05-04 » laissé de côté, le .nfo dit le film pas vu"_s;
    QTest::newRow("TMDb's identifier the default")
        << QByteArray(R"(<uniqueid type="imdb">tt0133093</uniqueid>)"
                      R"(<uniqueid type="TMDB" default="true"> 603 </uniqueid>)")
        << QStringList { u"imdb=tt0133093"_s, u"tmdb=603"_s, u"tmdb_principal=oui"_s } << QString();
    QTest::newRow("an older file's id, and identifiers of other kinds")
        << QByteArray(R"(<id>tt0133093</id><uniqueid type="home">film-7</uniqueid>)"
                      R"(<uniqueid type="tvdb" default="true">81189</uniqueid>)")
        << QStringList { u"imdb=tt0133093"_s, u"tmdb_principal="_s }
        << u"uniqueid : « film-7 » (home) et 1 autre laissés de côté, une fiche ne garde que ceux d'IMDb et de TMDb"_s;
    QTest::newRow("two directors") << QByteArray(
        "<director>Joel Coen</director><director>Ethan Coen</director>")
                                   << QStringList { u"realisateur=Joel Coen, Ethan Coen"_s } << QString();
    QTest::newRow("a control character, an actor's name with the bar")
        << QByteArray("<originaltitle>A&#x85;B</originaltitle><actor><name>A|B</name></actor>"
                      "<actor><name>C</name></actor>")
        << QStringList { u"titre_original=A?B"_s, u"acteurs=C"_s }
        << u"acteurs : le nom « A|B » contient « | », qui sépare les noms ; laissé de côté\n"
           u"titre_original : caractère de commande remplacé par « ? » : U+0085"_s;
}

// Each element into its field, what a card cannot take said; the card
// written back as an .nfo and read again is the same.
void tst_Library::nfoElements()
{
    QFETCH(QByteArray, inside);
    QFETCH(QStringList, values);
    QStringList notes;
    const auto card = cardOfNfo(nfoOf("<title>Titre</title>" + inside), notes);
    QVERIFY(card);
    const CardValues shown = cardValues(*card);
    for (const QString &value : values) {
        const Field field = *fieldNamed(value.section(u'=', 0, 0));
        const QString given = value.section(u'=', 1);
        QCOMPARE(holdsList(field) ? shown.list(field).join(u'|') : shown.text(field), given);
    }
    QTEST(notes.join(u"\n"_s), "said");
    QList<NfoNote> exported;
    QStringList again;
    QVERIFY(cardOfNfo(nfoBytes(movieOfCard(shown, exported)), again) == card);
    QVERIFY(exported.isEmpty() && again.isEmpty());
}

// A media centre's .nfo with every element a card carries goes through
// from-nfo, then nfo: each element comes back with its value.
void tst_Library::nfoBothWays()
{
    const QString nfo = QFINDTESTDATA("data/media-manager.nfo");
    const QString card = path(u"film.cfh"_s), back = path(u"film.nfo"_s);
    const Run imported = run({ u"from-nfo"_s, nfo, card });
    QCOMPARE(imported.status, 0);
    QCOMPARE(imported.err, QByteArray());
    // The record: the year of <premiered>, 128 minutes, names in Windows-1252 letters.
    const QByteArray record = readBytes(card).mid(7, 1168);
    QCOMPARE(record.mid(50, 8), QByteArray("2019 208"));
    QVERIFY(record.contains("|Zbigniew Lukaszewicz|"));
    QCOMPARE(run({ u"nfo"_s, card, back }).status, 0);
    const QMap<QString, QStringList> given = carriedElements(readBytes(nfo));
    QCOMPARE(given.size(), 17);
    QCOMPARE(given[u"actor"_s].size(), 40);
    const QMap<QString, QStringList> written = carriedElements(readBytes(back));
    for (auto element = given.cbegin(); element != given.cend(); ++element)
        QCOMPARE(written[element.key()], element.value());
}

void tst_Library::setSyntax_data()
{
    QTest::addColumn<QStringList>("args");   // "@name": a file of the test's folder, "@": the folder
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("changed");
    const QString edit = u"titre=Nouveau"_s;
    const QStringList top { u"a.cfh"_s, u"annee=1990"_s, u"c.cfh"_s };
    QTest::newRow("a card, then its edits")
        << QStringList { u"@a.cfh"_s, edit } << 0 << QStringList { u"a.cfh"_s };
    QTest::newRow("edits, then cards after --") << QStringList { edit, u"--"_s, u"@a.cfh"_s, u"@c.cfh"_s }
                                                << 0 << QStringList { u"a.cfh"_s, u"c.cfh"_s };
    QTest::newRow("a card named with = after --")
        << QStringList { edit, u"--"_s, u"@annee=1990"_s } << 0 << QStringList { u"annee=1990"_s };
    QTest::newRow("a card named with = first")
        << QStringList { u"@annee=1990"_s, edit } << 0 << QStringList { u"annee=1990"_s };
    QTest::newRow("a folder: its own cards") << QStringList { edit, u"--"_s, u"@"_s } << 0 << top;
    QTest::newRow("a folder with -r: the cards below too")
        << QStringList { u"-r"_s, edit, u"--"_s, u"@"_s } << 0 << top + QStringList { u"sous/b.cfh"_s };
    QTest::newRow("a card that fails: the others are done") << QStringList { edit, u"--"_s, u"@a.cfh"_s,
        u"@notes.txt"_s, u"@absente=1"_s, u"@c.cfh"_s } << 1 << QStringList { u"a.cfh"_s, u"c.cfh"_s };
    QTest::newRow("edits, then cards, without --") << QStringList { edit, u"@a.cfh"_s } << 2 << QStringList();
    QTest::newRow("no card after --") << QStringList { edit, u"--"_s } << 2 << QStringList();
    QTest::newRow("a value no card holds: none touched")
        << QStringList { u"annee=19x0"_s, u"--"_s, u"@a.cfh"_s, u"@c.cfh"_s } << 2 << QStringList();
}

// Which arguments are cards and which are edits, whatever a card's name holds.
void tst_Library::setSyntax()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QStringList, changed);
    const QStringList cards { u"a.cfh"_s, u"annee=1990"_s, u"c.cfh"_s, u"sous/b.cfh"_s };
    const QByteArray old = makeCard("Ancien", posterBytes(600));
    QVERIFY(QDir(m_dir->path()).mkdir(u"sous"_s));
    for (const QString &card : cards)
        QVERIFY(writeBytes(path(card), old));
    QVERIFY(writeBytes(path(u"notes.txt"_s), "pas une fiche"));
    const Run done = run(QStringList { u"set"_s } + inFolder(args, m_dir->path()));
    QVERIFY2(done.status == status, done.err.constData());
    QByteArray changedBytes = old;
    changedBytes.replace(7, 50, QByteArray("Nouveau").leftJustified(50));
    for (const QString &card : cards)
        QCOMPARE(readBytes(path(card)), changed.contains(card) ? changedBytes : old);
}

// A library as media managers lay it out, through the real program: a dry
// run writes nothing, a run writes the right cards, a second run changes
// nothing; each reports the same count.
void tst_Library::importsALibrary()
{
    const QByteArray poster = samplePoster("le-phare-des-brumes");
    const QByteArray other = samplePoster("la-longue-traversee");
    const QByteArray existing = makeCard("Déjà là", {});
    QVERIFY(makeFiles(m_dir->path(),
        { { u"Films/Cartographe (2019)/Cartographe.mkv"_s, "film" },
            { u"Films/Cartographe (2019)/Cartographe.nfo"_s,
                readBytes(QFINDTESTDATA("data/media-manager.nfo")) },
            { u"Films/Cartographe (2019)/Cartographe-poster.jpg"_s, poster },
            { u"Films/Seul/Seul.AVI"_s, "film" }, { u"Films/Seul/Seul-trailer.mkv"_s, "annonce" },
            { u"Films/Seul/movie.nfo"_s, nfoOf("<title>Seul</title><year>1985</year>") },
            { u"Films/Seul/poster.jpg"_s, other }, { u"Films/Seul/folder.jpg"_s, poster },
            { u"Films/Vrac/Un.mp4"_s, "film" }, { u"Films/Vrac/Un.nfo"_s, nfoOf("<title>Un</title>") },
            { u"Films/Vrac/Deux.mkv"_s, "film" },
            { u"Films/Vrac/movie.nfo"_s, nfoOf("<title>Mauvais</title>") },
            { u"Films/Vrac/poster.jpg"_s, poster }, { u"Films/Vrac/Cassé.mkv"_s, "film" },
            { u"Films/Vrac/Cassé.nfo"_s, "<movie>\n<title>A</title>\n<plot>x</movie>" },
            { u"Films/Vrac/Sans titre.webm"_s, "film" },
            { u"Films/Vrac/Sans titre.nfo"_s, nfoOf("<year>1999</year>") },
            { u"Films/Vrac/Existant.mkv"_s, "film" },
            { u"Films/Vrac/Existant.nfo"_s, nfoOf("<title>E</title>") },
            { u"Films/Vrac/Existant.cfh"_s, existing }, { u"Films/Vrac/Deux\nlignes.mkv"_s, "film" },
            { u"Films/Vrac/Deux\nlignes.nfo"_s, nfoOf("<title>D</title>") } }));
    QVERIFY(QFile::link(path(u"Films"_s), path(u"Films/Vrac/boucle"_s)));
    const QString films = path(u"Films"_s);
    const QMap<QString, QByteArray> before = filesBelow(films);

    const Run tried = program({ u"import"_s, u"-n"_s, films });
    QCOMPARE(tried.status, 1);
    QVERIFY(tried.out.endsWith(
        "import, essai sans rien écrire : 4 fiches à écrire, 1 gardée, 2 en échec ; 1 film sans .nfo\n"));
    QCOMPARE(filesBelow(films), before);

    const Run imported = program({ u"import"_s, films });
    QCOMPARE(imported.status, 1);
    const QString base = films + u'/';
    // A name's line break does not split its line, even in a pipe.
    const QString twoLines = base + u"Vrac/Deux\\nlignes.cfh : fiche écrite d'après Deux\\nlignes.nfo\n"_s;
    QVERIFY(imported.out.contains(twoLines.toUtf8()));
    QCOMPARE(QString::fromUtf8(imported.out).remove(twoLines),
        base
            + u"Cartographe (2019)/Cartographe.cfh : fiche écrite d'après Cartographe.nfo, affiche Cartographe-poster.jpg\n"_s
            + base + u"Seul/Seul.cfh : fiche écrite d'après movie.nfo, affiche poster.jpg\n"_s + base
            + u"Vrac/Existant.cfh : la fiche existe, elle est gardée\n"_s + base
            + u"Vrac/Un.cfh : fiche écrite d'après Un.nfo\n"_s
            + u"import : 4 fiches écrites, 1 gardée, 2 en échec ; 1 film sans .nfo\n"_s);
    const QString err = QString::fromUtf8(imported.err);
    QVERIFY2(err.contains(base + u"Vrac/Cassé.nfo, ligne 3 : XML illisible"_s), imported.err.constData());
    QVERIFY(err.contains(base + u"Vrac/Sans titre.nfo : le film n'a pas de titre"_s));
    QVERIFY(!err.contains("Cartographe"));
    QVERIFY(readBytes(base + u"Cartographe (2019)/Cartographe.cfh"_s).mid(1176).startsWith(poster));
    QCOMPARE(readBytes(base + u"Cartographe (2019)/Cartographe.cfh"_s).mid(7, 25),
        QByteArray("La Cartographe des brumes"));
    // Each card as a reader of the record sees it, then dated in the data after the poster.
    const QByteArray seul = makeCard(QByteArray("Seul").leftJustified(50) + "1985", other);
    QVERIFY(readBytes(base + u"Seul/Seul.cfh"_s).startsWith(seul));
    QVERIFY(readBytes(base + u"Vrac/Un.cfh"_s).startsWith(makeCard("Un", {})));
    const QByteArray today = QDate::currentDate().toString(Qt::ISODate).toUtf8();
    QVERIFY(
        run({ u"show"_s, u"--json"_s, base + u"Vrac/Un.cfh"_s }).out.contains("\"ajoutee_le\": \"" + today));
    QCOMPARE(readBytes(base + u"Vrac/Existant.cfh"_s), existing);
    QCOMPARE(filesBelow(films).size(), before.size() + 4);

    const QMap<QString, QByteArray> after = filesBelow(films);
    const Run again = program({ u"import"_s, films });
    QCOMPARE(again.status, 1);
    QVERIFY(again.out.endsWith("import : 0 fiche écrite, 5 gardées, 2 en échec ; 1 film sans .nfo\n"));
    QCOMPARE(filesBelow(films), after);
}

// Cards exported beside their movies come back byte for byte through
// import; a media manager's .nfo standing there is kept, and said.
void tst_Library::exportsAndImportsBack()
{
    const QStringList names { u"le-phare-des-brumes"_s, u"la-longue-traversee"_s, u"sans-affiche"_s };
    for (const QString &name : names) {
        QVERIFY(QFile::copy(sample(name.toLatin1().constData()), path(name + u".cfh"_s)));
        QVERIFY(writeBytes(path(name + u".mkv"_s), "film"));
    }
    const QByteArray theirs = readBytes(QFINDTESTDATA("data/media-manager.nfo"));
    QVERIFY(QFile::copy(sample("sans-affiche"), path(u"autre.cfh"_s)));
    QVERIFY(writeBytes(path(u"autre.mkv"_s), "film"));
    QVERIFY(writeBytes(path(u"autre.nfo"_s), theirs));
    QVERIFY(QFile::copy(sample("sans-affiche"), path(u"sans-film.cfh"_s)));
    // A copy beside a card plays the same movie, but names no sidecar.
    QVERIFY(QFile::copy(sample("sans-affiche"), path(u"le-phare-des-brumes.old"_s)));

    const Run exported = program({ u"nfo"_s, u"-r"_s, m_dir->path() });
    QCOMPARE(exported.status, 0);
    QCOMPARE(exported.out, QByteArray("nfo : 3 .nfo écrits, 1 gardé, 0 en échec\n"));
    QCOMPARE(QString::fromUtf8(exported.err),
        u"cinefiche-card : "_s + path(u"autre.nfo"_s)
            + u" : ce .nfo ne vient pas de Cinefiche, il est gardé ; --force le remplace\n"_s);
    QCOMPARE(readBytes(path(u"autre.nfo"_s)), theirs);
    QVERIFY(!QFile::exists(path(u"sans-film.nfo"_s)));
    QVERIFY(QFile::exists(path(u"le-phare-des-brumes-poster.jpg"_s)));

    QMap<QString, QByteArray> cards;
    for (const QString &name : names)
        cards.insert(name, readBytes(path(name + u".cfh"_s)));
    const Run imported = program({ u"import"_s, u"--force"_s, m_dir->path() });
    QCOMPARE(imported.status, 0);
    QCOMPARE(imported.err, QByteArray());   // nothing left out, of the other's .nfo either
    for (const QString &name : names)
        QCOMPARE(readBytes(path(name + u".cfh"_s)), cards[name]);
}

void tst_Library::exportKeepsOthersFiles_data()
{
    QTest::addColumn<bool>("exportedBefore");   // an export ran first: its files stand there
    QTest::addColumn<bool>("newPoster");        // then the card's poster became a PNG
    // Then these, of the user or a media manager; "*NAME" holds a copy of the card's poster.
    QTest::addColumn<QStringList>("othersFiles");
    QTest::addColumn<bool>("force");
    // The folder's files but the movie and its card; "+NAME" the export's (our mark, the card's poster).
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("said");
    const QString nfo = u"Film.nfo"_s, jpg = u"Film-poster.jpg"_s, movieNfo = u"movie.nfo"_s,
                  library = u"poster.jpg"_s, ours = u"+"_s;
    const QString posterKept = u" : cette affiche ne vient pas de Cinefiche, elle est gardée"_s;
    const QString nfoKept = u" : ce .nfo ne vient pas de Cinefiche, il est gardé"_s;
    const auto row = [](const char *name, bool before, bool newPoster, const QStringList &others, bool force,
                         QStringList after, const QString &said) {
        after.sort();
        QTest::newRow(name) << before << newPoster << others << force << after << said;
    };
    row("nothing there", false, false, {}, false, { ours + jpg, ours + nfo }, {});
    row("the user's poster", false, false, { jpg }, false, { jpg, ours + nfo }, jpg + posterKept);
    row("the user's poster, forced", false, false, { jpg }, true, { ours + jpg, ours + nfo }, {});
    row("a media manager's movie.nfo and poster.jpg", false, false, { movieNfo, library }, false,
        { library, movieNfo }, movieNfo + nfoKept);
    row("a media manager's movie.nfo, forced: replaced under its name", false, false, { movieNfo, library },
        true, { ours + jpg, library, ours + movieNfo }, {});
    row("the card's poster.jpg, forced: stays beside ours", false, false, { movieNfo, u"*"_s + library },
        true, { ours + jpg, ours + library, ours + movieNfo }, {});
    row("another's NAME.NFO", false, false, { u"Film.NFO"_s }, false, { u"Film.NFO"_s },
        u"Film.NFO"_s + nfoKept);
    row("movie.nfo in a folder of two movies: not this movie's", false, false, { u"Autre.mkv"_s, movieNfo },
        false, { u"Autre.mkv"_s, ours + jpg, ours + nfo, movieNfo }, {});
    row("ours", true, false, {}, false, { ours + jpg, ours + nfo }, {});
    row("ours, the card's poster a PNG since: the JPEG goes", true, true, {}, false,
        { ours + nfo, ours + u"Film-poster.png"_s }, {});
    row("ours, then the user's poster in its place", true, false, { jpg }, false, { jpg, ours + nfo },
        jpg + posterKept);
    row("ours, then the user's poster.jpg: ours stays as it was", true, true, { library }, false,
        { jpg, ours + nfo, library }, library + posterKept);
}

// An export replaces what it wrote, under its own name, and nothing of the
// user's or of a media manager's without --force.
void tst_Library::exportKeepsOthersFiles()
{
    QFETCH(bool, exportedBefore);
    QFETCH(bool, newPoster);
    QFETCH(QStringList, othersFiles);
    QFETCH(bool, force);
    QFETCH(QString, said);
    const QString card = path(u"Film.cfh"_s);
    QVERIFY(QFile::copy(sample("le-phare-des-brumes"), card));
    QVERIFY(writeBytes(path(u"Film.mkv"_s), "film"));
    QStringList args { u"nfo"_s, u"-r"_s, m_dir->path() };
    if (exportedBefore)
        QCOMPARE(run(args).status, 0);
    if (newPoster) {
        QCOMPARE(run({ u"thumbnail"_s, u"-s"_s, u"30"_s, card, path(u"new.png"_s) }).status, 0);
        QCOMPARE(run({ u"set"_s, card, u"--poster"_s, path(u"new.png"_s) }).status, 0);
        QVERIFY(QFile::remove(path(u"new.png"_s)));
    }
    const QByteArray poster = readBytes(card).mid(1176);
    const QByteArray theirs = readBytes(QFINDTESTDATA("data/media-manager.nfo"));
    for (const QString &name : othersFiles) {
        const bool copy = name.startsWith(u'*');
        const QByteArray bytes = copy                      ? poster
            : name.endsWith(u"nfo"_s, Qt::CaseInsensitive) ? theirs
                                                           : "affiche";
        QVERIFY(writeBytes(path(name.mid(copy)), bytes));
    }

    const Run exported = run(force ? args << u"--force"_s : args);
    QCOMPARE(exported.status, 0);
    QVERIFY2(said.isEmpty() ? exported.err.isEmpty() : exported.err.contains(said.toUtf8()),
        exported.err.constData());
    QStringList after;
    for (const QString &name : QDir(m_dir->path()).entryList(QDir::Files)) {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const bool ours = name.endsWith(u"nfo"_s, Qt::CaseInsensitive) ? readOwnMark(file).has_value()
                                                                       : file.readAll() == poster;
        if (name != u"Film.mkv" && name != u"Film.cfh")
            after << (ours ? u"+"_s : QString()) + name;
    }
    after.sort();
    QTEST(after, "after");
}

QTEST_GUILESS_MAIN(tst_Library)
#include "tst_library.moc"
