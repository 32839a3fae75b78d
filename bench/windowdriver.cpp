// The collection window driven from inside, for what the probe from
// outside cannot reach without a screen's coordinates: a card marked seen
// (drawn, then on disk), a thousand cards marked seen (the longest the event
// loop then waits, as a heartbeat timer sees it), an entry of the side list
// chosen, the list sorted by title and by director, the duplicates and the
// statistics shown. Each time runs to the window's repaint. Cards are
// changed: it runs on a copy of a tree (cp -al will do: a card changed is
// replaced by a new file, never rewritten in place).
//
//   windowdriver TREE TAG
// Prints "SEEN_DRAWN_MS SEEN_DISK_MS MANY_MS MANY_STALL_MS TO_WATCH_MS TAG_MS
// TITLE_SORT_MS DIRECTOR_SORT_MS DUPLICATES_MS STATS_MS MAXRSS_KIB"; TAG is a
// tag of the tree's cards, "-" for none (its figure is then 0).

#include "card/cardfile.h"
#include "collectionwindow/cardtablemodel.h"
#include "collectionwindow/collectionwindow.h"
#include "desktop/qtdesktop.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListView>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <functional>

namespace {

constexpr int kManyCards = 1000;
constexpr qint64 kTimeoutMs = 120000;

CollectionWindow *window;

template <typename T> T *part(const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

// Handles events until done, or the timeout, looking every 2 ms (a loop
// that never sleeps would take a core from the window's own threads); its
// time in ms.
double until(const std::function<bool()> &done)
{
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer look;
    look.setTimerType(Qt::PreciseTimer);
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (done() || clock.hasExpired(kTimeoutMs))
            loop.quit();
    });
    look.start(2);
    if (!done())
        loop.exec();
    return double(clock.nsecsElapsed()) / 1e6;
}

// What happen does, its events handled and the view painted again.
double timed(QWidget *view, const std::function<void()> &happen)
{
    QElapsedTimer clock;
    clock.start();
    happen();
    QCoreApplication::processEvents();
    view->repaint();
    return double(clock.nsecsElapsed()) / 1e6;
}

// The longest the event loop let a timer of 1 ms wait while done is false.
double stallWhile(const std::function<bool()> &done)
{
    QElapsedTimer sinceTick;
    double longest = 0;
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        longest = std::max(longest, double(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });
    sinceTick.start();
    heartbeat.start(1);
    until(done);
    return longest;
}

QTreeWidgetItem *sideEntry(const QString &label)
{
    const QList<QTreeWidgetItem *> found
        = part<QTreeWidget>("facetTree")->findItems(label, Qt::MatchStartsWith | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

double chooseSide(const QString &label)
{
    QTreeWidgetItem *entry = sideEntry(label);
    if (!entry)
        return 0;
    return timed(part<QListView>("gridView")->viewport(),
        [entry] { part<QTreeWidget>("facetTree")->setCurrentItem(entry); });
}

bool seen(const QAbstractItemModel *model, int row)
{
    return model->index(row, 0).data(CardTableModel::SeenRole).toBool();
}

// One card marked seen, or not seen when it was: drawn, then read back
// from the disk so.
std::pair<double, double> markOne()
{
    QListView *grid = part<QListView>("gridView");
    const QModelIndex first = grid->model()->index(0, 0);
    grid->setCurrentIndex(first);
    QCoreApplication::processEvents();   // the pane follows: the card it shows changes at once
    const QString path = static_cast<const CardTableModel *>(grid->model())->card(0).path;
    const QString wanted = seen(grid->model(), 0) ? QString() : kFlagSet;
    QElapsedTimer clock;
    clock.start();
    const double drawn = timed(grid->viewport(), [] { part<QAction>("toggleSeenAction")->trigger(); });
    until([&] { return cardValues(readCardHead(path).card).text(Field::Vu) == wanted; });
    return { drawn, double(clock.nsecsElapsed()) / 1e6 };
}

std::pair<double, double> markMany()
{
    QListView *grid = part<QListView>("gridView");
    const QAbstractItemModel *model = grid->model();
    const int count = std::min(kManyCards, model->rowCount() - 1);   // those after the first card's
    grid->selectionModel()->setCurrentIndex(model->index(1, 0), QItemSelectionModel::NoUpdate);
    grid->selectionModel()->select(
        QItemSelection(model->index(1, 0), model->index(count, 0)), QItemSelectionModel::ClearAndSelect);
    QCoreApplication::processEvents();
    // Not all seen: all become so; all seen: none stays so.
    bool allSeen = true;
    for (int row = 1; row <= count; ++row)
        allSeen = allSeen && seen(model, row);
    QElapsedTimer clock;
    clock.start();
    part<QAction>("toggleSeenAction")->trigger();
    const double stall = stallWhile([&] {
        for (int row = 1; row <= count; row += 37)
            if (seen(model, row) == allSeen)
                return false;
        return seen(model, count) != allSeen;
    });
    return { double(clock.nsecsElapsed()) / 1e6, stall };
}

double sortBy(int column)
{
    QTreeView *list = part<QTreeView>("listView");
    return timed(list->viewport(), [list, column] { list->sortByColumn(column, Qt::AscendingOrder); });
}

}   // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: windowdriver TREE TAG\n");
        return 2;
    }
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QtDesktop desktop;
    setDefaultDesktop(&desktop);
    if (!CollectionWindow::showFolder(QString::fromLocal8Bit(argv[1])))
        return 1;
    window = &CollectionWindow::instance();
    bool placed = false;
    QObject::connect(window, &CollectionWindow::firstScreenPlaced, [&] { placed = true; });
    until([&] { return placed && !window->reading(); });
    const auto [seenDrawn, seenOnDisk] = markOne();
    const auto [many, manyStall] = markMany();
    const double toWatch = chooseSide(QStringLiteral("À voir"));
    chooseSide(QStringLiteral("Toutes les fiches"));
    const double tag = std::strcmp(argv[2], "-") == 0 ? 0 : chooseSide(QString::fromUtf8(argv[2]));
    chooseSide(QStringLiteral("Toutes les fiches"));
    part<QAction>("listAction")->trigger();
    const double directorSort = sortBy(int(columnOf(Field::Realisateur)));
    const double titleSort = sortBy(int(columnOf(Field::Titre)));
    part<QAction>("gridAction")->trigger();
    const double duplicates = chooseSide(QStringLiteral("Doublons"));
    chooseSide(QStringLiteral("Toutes les fiches"));
    const double stats = timed(part<QWidget>("statsArea"), [] { part<QAction>("statsAction")->trigger(); });
    part<QAction>("gridAction")->trigger();
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f %ld\n", seenDrawn, seenOnDisk, many,
        manyStall, toWatch, tag, titleSort, directorSort, duplicates, stats, usage.ru_maxrss);
    CollectionWindow::discard();
    return 0;
}
