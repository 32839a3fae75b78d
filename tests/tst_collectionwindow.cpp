#include "card/card.h"
#include "card/cardfile.h"
#include "card/filepaths.h"
#include "collectionwindow/cardtablemodel.h"
#include "collectionwindow/collectionwindow.h"
#include "collectionwindow/starrating.h"
#include "editor/editorwindow.h"
#include "support/pictures.h"
#include "support/scripteddesktop.h"
#include "support/testfiles.h"
#include "support/windowparts.h"
#include "viewer/viewerwindow.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

// A card as the program writes it: a text its record cannot hold goes into its extension.
QByteArray cardBytes(const QString &titre, const QString &annee, const QString &type,
    const QString &realisateur = {}, QByteArray poster = {}, const QList<CardEdit> &mine = {})
{
    Card card;
    const std::pair<Field, QString> texts[]
        = { { Field::Titre, titre }, { Field::Annee, annee }, { Field::Heures, u"1"_s },
              { Field::Minutes, u"30"_s }, { Field::Type, type }, { Field::Realisateur, realisateur } };
    for (const auto &[field, text] : texts)
        applyEdit(card, { field, text });
    for (const CardEdit &edit : mine)
        applyEdit(card, edit);
    QBuffer bytes, posterBytes(&poster);
    bytes.open(QIODevice::WriteOnly);
    posterBytes.open(QIODevice::ReadOnly);
    writeCard(bytes, card, &posterBytes);
    return bytes.data();
}

CardValues valuesOf(const QString &path)
{
    return cardValues(readCardHead(path).card);
}

}   // namespace

class tst_CollectionWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void showsEveryCardBelowTheFolder();
    void showsCardTextsAsTheyStand();
    void refusesAFolderItCannotRead();
    void searchesAsOneTypes();
    void sortsTheListAndRemembersIt();
    void narrowsByGenre();
    void showsAndHidesColumns();
    void changesCardsFromThePane();
    void comparesTwoCards();
    void showsACardAndComesBack();
    void editsACardAndSeesTheChange();
    void newCardSavesInTheCollection();
    void followsCardsChangedOnDisk();
    void opensTheMovieAndTheFolder();
    void trashesAfterAsking_data();
    void trashesAfterAsking();
    void exportsTheCardsShown();
    void chartsTheCardsShown();
    void saysWhatToDoWithoutCards();
    void placesPostersOffTheInterfaceThread();

private:
    std::unique_ptr<TestCache> m_cache;
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedDesktop> m_fake;
    CollectionWindow *m_window = nullptr;
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QStringList titlesShown() const;
    QAbstractItemView *grid() const { return child<QListView>(m_window, "gridView"); }
    void open();
    void select(const QString &titre);
};

void tst_CollectionWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));   // as the program sets it
    m_cache = std::make_unique<TestCache>();                          // the thumbnails, the test's own
    m_config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
}

// Cards at the top and below, a file that is no card, a link back to the top.
void tst_CollectionWindow::init()
{
    QSettings(u"cinefiche"_s, u"collection"_s).clear();   // each test starts from the first view and order
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_dir->path()).mkpath(u"classiques/muets"_s));
    QVERIFY(writeBytes(path(u"eau.cfh"_s), cardBytes(u"Eau"_s, u"1999"_s, u"Drame"_s, u"Étienne Roux"_s)));
    QVERIFY(writeBytes(path(u"classiques/fable.cfh"_s),
        cardBytes(u"Fable"_s, u"1950"_s, u"Comédie"_s, u"Krzysztof Kieślowski"_s)));
    QVERIFY(writeBytes(path(u"classiques/muets/elan"_s), cardBytes(u"Élan"_s, u"1925"_s, u"Drame"_s)));
    QVERIFY(writeBytes(path(u"notes.cfh"_s), "notes"));
    QVERIFY(QFile::link(m_dir->path(), path(u"classiques/boucle"_s)));
    m_fake = std::make_unique<ScriptedDesktop>();
}

void tst_CollectionWindow::cleanup()
{
    EditorWindow::discard();
    if (ViewerWindow::exists())
        ViewerWindow::discard();
    CollectionWindow::discard();
    QVERIFY(m_fake->allAnswered());
    m_fake.reset();
}

void tst_CollectionWindow::open()
{
    QVERIFY(CollectionWindow::showFolder(m_dir->path()));
    m_window = &CollectionWindow::instance();
    QTRY_VERIFY(!m_window->reading());
}

QStringList tst_CollectionWindow::titlesShown() const
{
    QStringList titles;
    const QAbstractItemModel *model = grid()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        titles << model->index(row, 0).data().toString();
    return titles;
}

void tst_CollectionWindow::select(const QString &titre)
{
    const QModelIndexList found
        = grid()->model()->match(grid()->model()->index(0, 0), Qt::DisplayRole, titre);
    QVERIFY(!found.isEmpty());
    grid()->setCurrentIndex(found.first());
}

void tst_CollectionWindow::showsEveryCardBelowTheFolder()
{
    open();
    QCOMPARE(titlesShown(), (QStringList { u"Eau"_s, u"Élan"_s, u"Fable"_s }));
    QCOMPARE(child<QLabel>(m_window, "countLabel")->text(), u"3 fiches"_s);
    const QModelIndex elan = grid()->model()->index(1, 0);
    QCOMPARE(elan.data(Qt::AccessibleTextRole).toString(), u"Élan (1925)"_s);
    QCOMPARE(grid()->model()->index(1, int(kFolderColumn)).data().toString(), u"classiques/muets"_s);
    QCOMPARE(grid()->model()->index(1, int(columnOf(Field::Heures))).data().toString(), u"1:30"_s);
    // A text the record holds in Latin letters alone is shown as typed, in the list and the side list.
    QCOMPARE(grid()->model()->index(2, int(columnOf(Field::Realisateur))).data().toString(),
        u"Krzysztof Kieślowski"_s);
    auto *facets = child<QTreeWidget>(m_window, "facetTree");
    QTRY_COMPARE(facets->findItems(u"Krzysztof Kieślowski (1)"_s, Qt::MatchRecursive).size(), 1);
    QVERIFY(m_window->windowTitle().endsWith(u" – Collection de fiches"_s));
}

// A name and a title that look like HTML, and Qt's modified mark "[*]" in
// captions, are shown as they stand wherever a window shows them: as HTML,
// the tool tip laid out a picture 32,000 pixels square and took gigabytes.
void tst_CollectionWindow::showsCardTextsAsTheyStand()
{
    const QString tag = u"<img src=a width=32000 height=32000>"_s;
    const QString folder = path(u"<b>Films [*]"_s);
    const QString card = folder + u'/' + tag + tag + tag + u"[*].cfh"_s;
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(writeBytes(card, cardBytes(tag, u"1999"_s, {})));
    QVERIFY(CollectionWindow::showFolder(folder));
    m_window = &CollectionWindow::instance();
    QTRY_VERIFY(!m_window->reading());
    QCOMPARE(shownText(grid()->model()->index(0, 0).data(Qt::ToolTipRole).toString()), card);
    QCOMPARE(m_window->windowHandle()->title(), fileNameOf(folder) + u" – Collection de fiches"_s);
    QVERIFY(ViewerWindow::showCard(card, false));
    const auto *title = child<QLabel>(ViewerWindow::instance(), "titleLabel");
    QCOMPARE(shownText(title->text(), title->textFormat()), tag);
    ViewerWindow::instance().close();
    EditorWindow &editor = EditorWindow::instance();
    QVERIFY(editor.openCard(card));
    editor.show();
    QCOMPARE(editor.windowHandle()->title(), u"Cinefiche ["_s + fileNameOf(card) + u']');
}

void tst_CollectionWindow::refusesAFolderItCannotRead()
{
    m_fake->answerMsg(MsgAnswer::Ok);
    QVERIFY(!CollectionWindow::showFolder(path(u"eau.cfh"_s)));
    QCOMPARE(m_fake->messages.first().text, u"Impossible d'ouvrir le dossier\r"_s + path(u"eau.cfh"_s));
    QVERIFY(!CollectionWindow::exists() || !CollectionWindow::instance().isVisible());
}

// Ctrl+F goes to the search, each letter narrows, Escape shows every card again.
void tst_CollectionWindow::searchesAsOneTypes()
{
    open();
    grid()->setFocus();
    auto *search = child<QLineEdit>(m_window, "searchEdit");
    QTest::keyClick(m_window, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(search->hasFocus());
    QTest::keyClicks(search, u"xDRAME etien"_s);
    // Delete is the search box's, not the trash's, while it has the keyboard.
    QTest::keyClick(search, Qt::Key_Home);
    QTest::keyClick(search, Qt::Key_Delete);
    QCOMPARE(titlesShown(), QStringList { u"Eau"_s });
    QCOMPARE(child<QLabel>(m_window, "countLabel")->text(), u"1 sur 3 fiches"_s);
    QTest::keyClick(search, Qt::Key_Escape);
    QCOMPARE(search->text(), QString());
    QCOMPARE(titlesShown().size(), 3);
}

void tst_CollectionWindow::sortsTheListAndRemembersIt()
{
    open();
    QVERIFY(QSettings(u"cinefiche"_s, u"collection"_s).allKeys().isEmpty());   // nothing written to open
    child<QAction>(m_window, "listAction")->trigger();
    auto *list = child<QTreeView>(m_window, "listView");
    QVERIFY(list->isVisible());
    list->sortByColumn(int(columnOf(Field::Annee)), Qt::AscendingOrder);
    QCOMPARE(titlesShown(), (QStringList { u"Élan"_s, u"Fable"_s, u"Eau"_s }));
    // The grid is ordered from the menu, descending too; both are remembered, with the window's size
    // and, as it closes, its folder.
    child<QAction>(m_window, "descendingAction")->trigger();
    QCOMPARE(titlesShown(), (QStringList { u"Eau"_s, u"Fable"_s, u"Élan"_s }));
    m_window->resize(640, 480);
    m_window->close();
    QCOMPARE(QSettings(u"cinefiche"_s, u"collection"_s).value(u"folder"_s).toString(),
        QFileInfo(m_dir->path()).canonicalFilePath());
    CollectionWindow::discard();
    open();
    QCOMPARE(m_window->size(), QSize(640, 480));
    QCOMPARE(m_window->view(), CollectionView::List);
    QCOMPARE(titlesShown(), (QStringList { u"Eau"_s, u"Fable"_s, u"Élan"_s }));
    QVERIFY(child<QAction>(m_window, "descendingAction")->isChecked());
    child<QAction>(m_window, "gridAction")->trigger();
}

void tst_CollectionWindow::narrowsByGenre()
{
    open();
    auto *facets = child<QTreeWidget>(m_window, "facetTree");
    QTRY_COMPARE(facets->findItems(u"Drame (2)"_s, Qt::MatchRecursive).size(), 1);
    const QList<QTreeWidgetItem *> drame = facets->findItems(u"Drame (2)"_s, Qt::MatchRecursive);
    facets->setCurrentItem(drame.first());
    QCOMPARE(titlesShown(), (QStringList { u"Eau"_s, u"Élan"_s }));
    // An entry of another group narrows further; "À voir" holds every card no one saw.
    facets->findItems(u"Années 1990 (1)"_s, Qt::MatchRecursive).first()->setSelected(true);
    QCOMPARE(titlesShown(), QStringList { u"Eau"_s });
    facets->findItems(u"À voir (3)"_s, Qt::MatchRecursive).first()->setSelected(true);
    QCOMPARE(titlesShown(), QStringList { u"Eau"_s });
    facets->setCurrentItem(facets->topLevelItem(0));
    QCOMPARE(titlesShown().size(), 3);
}

// The list's header menu shows and hides its columns, the title's apart;
// what it shows is remembered.
void tst_CollectionWindow::showsAndHidesColumns()
{
    open();
    child<QAction>(m_window, "listAction")->trigger();
    QHeaderView *header = child<QTreeView>(m_window, "listView")->header();
    const int saga = int(columnOf(Field::Saga)), folder = int(kFolderColumn);
    QVERIFY(header->isSectionHidden(saga) && !header->isSectionHidden(folder));
    QVERIFY(!child<QAction>(m_window, "column_titre")->isEnabled());
    child<QAction>(m_window, "column_saga")->trigger();
    child<QAction>(m_window, "column_dossier")->trigger();
    QVERIFY(!header->isSectionHidden(saga) && header->isSectionHidden(folder));
    CollectionWindow::discard();
    open();
    header = child<QTreeView>(m_window, "listView")->header();
    QVERIFY(!header->isSectionHidden(saga) && header->isSectionHidden(folder));
}

// The pane's changes show at once and go to each card's file; a card whose
// change fails is named and shown as it is on disk; many cards at once,
// each whole or not at all.
void tst_CollectionWindow::changesCardsFromThePane()
{
    // A card whose extension cannot be read: no change writes over it.
    QByteArray damaged = cardBytes(u"Fable"_s, u"1950"_s, u"Comédie"_s, {}, {}, { { Field::Note, u"4"_s } });
    damaged[damaged.size() - ExtensionLayout::TrailerSize - 3] = 'X';
    const QString fable = path(u"classiques/fable.cfh"_s), eau = path(u"eau.cfh"_s);
    QVERIFY(writeBytes(fable, damaged));
    open();
    select(u"Eau"_s);
    auto *seen = child<QCheckBox>(m_window, "seenBox");
    QTRY_VERIFY(seen->isVisible());
    seen->click();
    QVERIFY(grid()->currentIndex().data(CardTableModel::SeenRole).toBool());   // before the disk
    auto *stars = child<StarRating>(m_window, "stars");
    QTest::keyClick(stars, Qt::Key_7);
    QCOMPARE(stars->accessibleName(), u"Note : 3,5 sur 5"_s);
    auto *lentTo = child<QLineEdit>(m_window, "lentToEdit");
    QTest::keyClicks(lentTo, u"Paul"_s);
    QTest::keyClick(lentTo, Qt::Key_Return);
    QTRY_COMPARE(valuesOf(eau).text(Field::PretA), u"Paul"_s);
    QCOMPARE(valuesOf(eau).text(Field::Vu), kFlagSet);
    QCOMPARE(valuesOf(eau).text(Field::Note), u"7"_s);
    auto *facets = child<QTreeWidget>(m_window, "facetTree");
    QTRY_COMPARE(facets->findItems(u"Prêtées (1)"_s, Qt::MatchExactly).size(), 1);

    // Alone, the damaged card's change is said and undone on screen.
    m_fake->answerMsg(MsgAnswer::Ok);
    select(u"Fable"_s);
    QTRY_VERIFY(!seen->isChecked());
    seen->click();
    QTRY_COMPARE(m_fake->messages.size(), 1);
    QTRY_VERIFY(!seen->isChecked());
    QVERIFY(!grid()->currentIndex().data(CardTableModel::SeenRole).toBool());

    // Every card chosen gets the tag, but the damaged one, which is named.
    m_fake->answerMsg(MsgAnswer::Ok);
    grid()->selectAll();
    QTRY_COMPARE(child<QLabel>(m_window, "chosenLabel")->text(), u"3 fiches choisies"_s);
    child<QLineEdit>(m_window, "tagEdit")->setText(u"à revoir"_s);
    child<QPushButton>(m_window, "addTagButton")->click();
    QTRY_COMPARE(m_fake->messages.size(), 2);
    QCOMPARE(m_fake->messages.last().text, u"Ces fiches n'ont pas été changées :\r"_s + fable);
    QCOMPARE(readBytes(fable), damaged);
    QTRY_COMPARE(facets->findItems(u"à revoir (2)"_s, Qt::MatchRecursive).size(), 1);
    // Space: not all were seen, so all are, but the damaged one.
    m_fake->answerMsg(MsgAnswer::Ok);
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_Space);
    QTRY_COMPARE(m_fake->messages.size(), 3);
    QTRY_COMPARE(valuesOf(path(u"classiques/muets/elan"_s)).text(Field::Vu), kFlagSet);
}

// Two cards chosen, as duplicates are, are compared field by field.
void tst_CollectionWindow::comparesTwoCards()
{
    open();
    auto *compare = child<QAction>(m_window, "compareAction");
    select(u"Eau"_s);
    QVERIFY(!compare->isEnabled());
    grid()->selectionModel()->select(grid()->model()->index(1, 0), QItemSelectionModel::Select);
    QVERIFY(compare->isEnabled());
    m_fake->answerMsg(MsgAnswer::Ok);
    compare->trigger();
    const QStringList lines = m_fake->messages.first().text.split(u'\r');
    QCOMPARE(lines.mid(3),
        (QStringList {
            u"Titre : Eau | Élan"_s, u"Année : 1999 | 1925"_s, u"Réalisateur : Étienne Roux | "_s }));
}

// Enter shows the card; closing the viewer leaves the program running, on
// the collection.
void tst_CollectionWindow::showsACardAndComesBack()
{
    open();
    select(u"Fable"_s);
    QTest::keyClick(grid(), Qt::Key_Return);
    QVERIFY(ViewerWindow::exists() && ViewerWindow::instance().isVisible());
    QCOMPARE(ViewerWindow::instance().cardPath(), path(u"classiques/fable.cfh"_s));
    QTimer::singleShot(0, qApp, [] { child<QPushButton>(ViewerWindow::instance(), "okButton")->click(); });
    QTimer::singleShot(500, qApp, [] { QCoreApplication::exit(2); });
    QCOMPARE(QApplication::exec(), 2);
    QVERIFY(!ViewerWindow::exists());
    QVERIFY(m_window->isVisible());
}

// F2 opens the card in the editor; its save shows in the collection, and
// closing the editor leaves the collection open.
void tst_CollectionWindow::editsACardAndSeesTheChange()
{
    open();
    select(u"Eau"_s);
    QTest::keyClick(grid(), Qt::Key_F2);
    EditorWindow &editor = EditorWindow::instance();
    QVERIFY(editor.isVisible());
    auto *title = child<QLineEdit>(editor, "titleEdit");
    QCOMPARE(title->text(), u"Eau"_s);
    title->setText(u"Eau vive"_s);
    child<QAction>(editor, "saveAction")->trigger();
    QTRY_COMPARE(titlesShown(), (QStringList { u"Eau vive"_s, u"Élan"_s, u"Fable"_s }));
    QCOMPARE(grid()->currentIndex().data().toString(), u"Eau vive"_s);
    editor.close();
    QVERIFY(m_window->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), grid());
}

void tst_CollectionWindow::newCardSavesInTheCollection()
{
    open();
    child<QAction>(m_window, "newCardAction")->trigger();
    EditorWindow &editor = EditorWindow::instance();
    QVERIFY(editor.isVisible());
    child<QLineEdit>(editor, "titleEdit")->setText(u"Zèbre"_s);
    m_fake->answerFile(path(u"zebre.cfh"_s));
    child<QAction>(editor, "saveAction")->trigger();
    QCOMPARE(m_fake->files.first().folder, m_dir->path() + u'/');
    QTRY_COMPARE(titlesShown().size(), 4);
}

// Another program removes a card and adds one in a new folder: a search
// under way keeps its text and the card picked.
void tst_CollectionWindow::followsCardsChangedOnDisk()
{
    open();
    auto *search = child<QLineEdit>(m_window, "searchEdit");
    QTest::keyClicks(search, u"e"_s);
    select(u"Fable"_s);
    QVERIFY(QFile::remove(path(u"eau.cfh"_s)));
    QVERIFY(QDir(m_dir->path()).mkpath(u"nouveaux"_s));
    QVERIFY(writeBytes(path(u"nouveaux/ete.cfh"_s), cardBytes(u"Été"_s, u"2001"_s, u"Western"_s)));
    QTRY_COMPARE(titlesShown(), (QStringList { u"Élan"_s, u"Été"_s, u"Fable"_s }));
    QCOMPARE(search->text(), u"e"_s);
    QCOMPARE(grid()->currentIndex().data().toString(), u"Fable"_s);
    QCOMPARE(grid()->selectionModel()->selectedIndexes().size(), 1);
    QVERIFY(writeBytes(path(u"nouveaux/ete.cfh"_s), cardBytes(u"Étés"_s, u"2001"_s, u"Western"_s)));
    QTRY_COMPARE(titlesShown(), (QStringList { u"Élan"_s, u"Étés"_s, u"Fable"_s }));
}

// "Lire le film" only for a card with a movie beside it.
void tst_CollectionWindow::opensTheMovieAndTheFolder()
{
    QVERIFY(writeBytes(path(u"classiques/fable.mkv"_s), {}));
    open();
    auto *play = child<QAction>(m_window, "playMovieAction");
    select(u"Eau"_s);
    QVERIFY(!play->isEnabled());
    select(u"Fable"_s);
    QVERIFY(play->isEnabled());
    m_fake->answerOpen(true);
    m_fake->answerOpen(true);
    play->trigger();
    child<QAction>(m_window, "openFolderAction")->trigger();
    QCOMPARE(m_fake->opened,
        (QList<QUrl> { QUrl::fromLocalFile(path(u"classiques/fable.mkv"_s)),
            QUrl::fromLocalFile(path(u"classiques"_s)) }));
}

void tst_CollectionWindow::trashesAfterAsking_data()
{
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<QStringList>("log");
    QTest::newRow("yes") << MsgAnswer::Yes << QStringList { u"msg"_s, u"trash"_s };
    QTest::newRow("no") << MsgAnswer::No << QStringList { u"msg"_s };
}

void tst_CollectionWindow::trashesAfterAsking()
{
    QFETCH(MsgAnswer, answer);
    open();
    select(u"Fable"_s);
    m_fake->answerMsg(answer);
    if (answer == MsgAnswer::Yes)
        m_fake->answerTrash(true);
    // Delete in the side list is no question; in the grid it is.
    auto *facets = child<QTreeWidget>(m_window, "facetTree");
    facets->setFocus();
    QTest::keyClick(facets, Qt::Key_Delete);
    QVERIFY(m_fake->log.isEmpty());
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_Delete);
    QTEST(m_fake->log, "log");
    QCOMPARE(m_fake->messages.first().text, u"Mettre la fiche « Fable » à la corbeille ?"_s);
    QCOMPARE(m_fake->messages.first().buttons, MsgButtons::YesNo);
    if (answer == MsgAnswer::Yes)
        QCOMPARE(m_fake->trashed, QStringList { path(u"classiques/fable.cfh"_s) });
}

// The catalogue holds the cards shown, in their order, as the card tool
// writes it; a web page, their posters.
void tst_CollectionWindow::exportsTheCardsShown()
{
    QVERIFY(
        writeBytes(path(u"eau.cfh"_s), cardBytes(u"Eau"_s, u"1999"_s, u"Drame"_s, {}, pictureBytes(40, 60))));
    open();
    QTest::keyClicks(child<QLineEdit>(m_window, "searchEdit"), u"drame"_s);
    auto *exportAction = child<QAction>(m_window, "exportAction");
    const auto exportTo = [&](const QString &name) {
        m_fake->answerFile(path(name));
        exportAction->trigger();
    };
    exportTo(u"catalogue.csv"_s);
    QTRY_VERIFY(exportAction->isEnabled());
    const QList<QByteArray> lines = readBytes(path(u"catalogue.csv"_s)).split('\n');
    QCOMPARE(lines.size(), 4);   // the header, two cards, the end of the last line
    QVERIFY(lines[1].contains("Eau") && lines[2].contains("\xC3\x89lan"));
    exportTo(u"catalogue.html"_s);
    QTRY_VERIFY(exportAction->isEnabled());
    const QByteArray page = readBytes(path(u"catalogue.html"_s));
    QCOMPARE(page.count("<tr><td class=\"affiche\">"), 2);
    QCOMPARE(page.count("data:image/"), 1);
}

// The statistics follow the search; their picture is a PNG.
void tst_CollectionWindow::chartsTheCardsShown()
{
    QVERIFY(writeBytes(
        path(u"eau.cfh"_s), cardBytes(u"Eau"_s, u"1999"_s, u"Drame"_s, {}, {}, { { Field::Vu, u"oui"_s } })));
    open();
    child<QAction>(m_window, "statsAction")->trigger();
    auto *times = child<QLabel>(m_window, "timeLabel");
    QCOMPARE(times->text(), u"3 fiches : 4,5 h en tout, dont 1,5 h vues"_s);
    child<QLineEdit>(m_window, "searchEdit")->setText(u"comédie"_s);
    QCOMPARE(times->text(), u"1 fiche : 1,5 h en tout, dont 0,0 h vues"_s);
    m_fake->answerFile(path(u"statistiques"_s));
    child<QPushButton>(m_window, "exportPictureButton")->click();
    QVERIFY(readBytes(path(u"statistiques.png"_s)).startsWith("\x89PNG"));
}

// A folder without cards says what to do, its buttons at hand.
void tst_CollectionWindow::saysWhatToDoWithoutCards()
{
    QTemporaryDir empty;
    QVERIFY(CollectionWindow::showFolder(empty.path()));
    m_window = &CollectionWindow::instance();
    QTRY_VERIFY(!m_window->reading());
    QVERIFY(child<QWidget>(m_window, "emptyPage")->isVisible());
    m_fake->answerMsg(MsgAnswer::No);
    child<QPushButton>(m_window, "importButton")->click();
    QCOMPARE(m_fake->messages.first().buttons, MsgButtons::YesNo);
    child<QPushButton>(m_window, "firstCardButton")->click();
    QVERIFY(EditorWindow::exists() && EditorWindow::instance().isVisible());
    QVERIFY(writeBytes(empty.filePath(u"premiere.cfh"_s), cardBytes(u"Première"_s, u"2001"_s, {})));
    QTRY_VERIFY(grid()->isVisible());
}

// A poster comes from the thumbnail cache, read off the interface's
// thread; a card without one shows the card icon meanwhile.
void tst_CollectionWindow::placesPostersOffTheInterfaceThread()
{
    QVERIFY(
        writeBytes(path(u"eau.cfh"_s), cardBytes(u"Eau"_s, u"1999"_s, u"Drame"_s, {}, pictureBytes(40, 60))));
    open();
    const QModelIndex eau = grid()->model()->index(0, 0);
    const QImage icon = grid()->model()->index(1, 0).data(CardTableModel::PosterRole).value<QImage>();
    QVERIFY(!icon.isNull());
    QTRY_COMPARE(eau.data(CardTableModel::PosterRole).value<QImage>().size(), QSize(40, 60));
}

QTEST_MAIN(tst_CollectionWindow)
#include "tst_collectionwindow.moc"
