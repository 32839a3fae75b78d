#include "card/workfolder.h"
#include "desktop/filedialog.h"
#include "editor/editorwindow.h"
#include "layout/frames.h"
#include "layout/twips.h"
#include "poster/posterimage.h"
#include "poster/posterpaste.h"
#include "support/drops.h"
#include "support/modal.h"
#include "support/pictures.h"
#include "support/scripteddesktop.h"
#include "support/testfiles.h"
#include "support/windowparts.h"
#include "viewer/posterwindow.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// What a file manager, a browser or a program offers: files (a card's
// extension in capitals), a browser's copy (pixels and their address), a
// program's picture, a file's name as plain text.
enum class Offer { Png, Webp, Card, TextFile, Folder, Missing, Pixels, Address, Image, FileAndPixels, Name };
// How a picture reaches the poster panel.
enum class Way { DropOnPoster, DropBeside, CtrlVOnPanel, CtrlVOnPoster, CtrlVInBox, Menu };
// What was done to the poster before it is removed.
enum class Before { Nothing, Paste, Choose, Reset };
// What a click on the poster opens.
enum class Opens { Nothing, Menu, FullView };

class tst_Poster : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void failedPictureChangesNothing_data();
    void failedPictureChangesNothing();
    void choosesPoster_data();
    void choosesPoster();
    void limitsPixels();
    void tellsWhatComesIn_data();
    void tellsWhatComesIn();
    void takesPostersFromElsewhere_data();
    void takesPostersFromElsewhere();
    void removesPoster_data();
    void removesPoster();
    void resetsPoster_data();
    void resetsPoster();
    void answersClicks_data();
    void answersClicks();

private:
    QString picture(int width, int height, const QString &name = u"poster.bmp"_s);
    QString openCard(int width = 129, int height = 258);
    QMimeData *content(Offer offer);
    bool fullViewOpensOn(const std::function<void()> &action, QSize *shown = nullptr);
    // The window's height for an outer height in twips, frame and menu bar counted.
    int heightFor(int outerTwips) const
    {
        return twipsToPx(outerTwips - Frame::WindowHeight - Frame::MenuBarHeight)
            + editor->menuBar()->height();
    }
    QSize posterShown() const { return child<QLabel>(editor, "posterLabel")->pixmap().size(); }
    bool modified() const { return editor->windowTitle().endsWith(u"*]"_s); }
    QTemporaryDir dir;
    TestCache cache;
    EditorWindow *editor = nullptr;
};

void tst_Poster::init()
{
    editor = &EditorWindow::instance();
    editor->newCard();
    QVERIFY(QTest::qWaitForWindowExposed(editor));
}

void tst_Poster::cleanup()
{
    EditorWindow::discard();
    QVERIFY(cache.isEmpty());   // no working folder left
    QVERIFY(!PosterWindow::exists());
    QVERIFY(!QApplication::activeModalWidget());
}

QString tst_Poster::picture(int width, int height, const QString &name)
{
    return writePicture(dir.filePath(name), width, height);
}

// A card titled "Film" with a BMP poster (none when width is 0), open in
// the editor; its path.
QString tst_Poster::openCard(int width, int height)
{
    const QString card = dir.filePath(u"film.cfh"_s);
    writeBytes(card, makeCard("Film", width ? pictureBytes(width, height, "BMP") : QByteArray()));
    return editor->openCard(card) ? card : QString();
}

namespace {

// A browser's copy: the picture's bytes and the address it came from. The
// left half is transparent.
QMimeData *browserImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < height; ++y) {
        for (int x = width / 2; x < width; ++x)
            image.setPixelColor(x, y, Qt::darkRed);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    auto *data = new QMimeData;
    data->setData(u"image/png"_s, png);
    data->setUrls({ QUrl(u"http://example.org/poster.png"_s) });
    return data;
}

QMimeData *plainData(const std::function<void(QMimeData &)> &fill)
{
    auto *data = new QMimeData;
    fill(*data);
    return data;
}

QMimeData *files(const QStringList &paths)
{
    auto *data = new QMimeData;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    data->setUrls(urls);   // a file manager's copy or drag; its text is the path too
    data->setText(paths.join(QLatin1Char('\n')));
    return data;
}

}   // namespace

QMimeData *tst_Poster::content(Offer offer)
{
    switch (offer) {
    case Offer::Png:
        return files({ picture(300, 400, u"poster.png"_s) });
    case Offer::Webp:
        return files({ picture(300, 400, u"poster.webp"_s) });
    case Offer::Card:
        writeBytes(dir.filePath(u"film.CFH"_s), makeCard({}, {}));
        return files({ dir.filePath(u"film.CFH"_s) });
    case Offer::TextFile:
        writeBytes(dir.filePath(u"notes.txt"_s), "plain words");
        return files({ dir.filePath(u"notes.txt"_s) });
    case Offer::Folder:
        return files({ dir.path() });
    case Offer::Missing:
        return files({ dir.filePath(u"gone.png"_s) });
    case Offer::Pixels:
        return browserImage(300, 400);
    case Offer::FileAndPixels: {
        QMimeData *data = content(Offer::Png);
        data->setImageData(QImage(10, 10, QImage::Format_RGB32));
        return data;
    }
    case Offer::Address:
        return plainData([](QMimeData &data) { data.setUrls({ QUrl(u"http://example.org/poster.png"_s) }); });
    case Offer::Image:
        return plainData([](QMimeData &data) { data.setImageData(QImage(300, 400, QImage::Format_RGB32)); });
    case Offer::Name:
        return plainData([](QMimeData &data) { data.setText(u"poster.png"_s); });
    }
    return nullptr;
}

// Runs action; true when it opened the full view (which is then closed).
bool tst_Poster::fullViewOpensOn(const std::function<void()> &action, QSize *shown)
{
    return whileModal(action, [shown](QWidget *) {
        QVERIFY(PosterWindow::exists());
        PosterWindow *view = &PosterWindow::instance();
        if (shown)
            *shown = child<QLabel>(view, "pictureLabel")->pixmap().size();
        view->close();
    });
}

// A poster lower than the summary sets the window's height; a picture
// that cannot be shown then changes nothing.
void tst_Poster::failedPictureChangesNothing_data()
{
    QTest::addColumn<QByteArray>("chosen");   // the file's bytes; null: no such file
    QTest::newRow("text file") << QByteArray("not a picture\n");
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("too tall once scaled") << pictureBytes(10, 2000, "BMP");
}

void tst_Poster::failedPictureChangesNothing()
{
    QFETCH(QByteArray, chosen);
    QVERIFY(!openCard().isEmpty());
    const auto *poster = child<QLabel>(editor, "posterLabel");
    QVERIFY(poster->isVisible());
    QCOMPARE(poster->size(), QSize(twipsToPx(1935), twipsToPx(3870)));
    QCOMPARE(editor->height(), heightFor(960 + 3870 + 855));
    QVERIFY(poster->mapTo(editor->centralWidget(), poster->rect().bottomLeft()).y()
        < editor->centralWidget()->height());
    const QString path = dir.filePath(u"chosen.bmp"_s);
    QVERIFY(chosen.isNull() || writeBytes(path, chosen));
    ScriptedDesktop fake;
    fake.answerFile(path);
    fake.answerMsg(MsgAnswer::Ok);   // what is wrong: choosesPoster
    fake.answerFile(QString());
    child<QPushButton>(editor, "changePosterButton")->click();
    QVERIFY(fake.allAnswered());
    QCOMPARE(posterShown(), QSize(129, 258));
    QCOMPARE(editor->height(), heightFor(5685));
    QVERIFY(!modified());
}

// A picture chosen replaces the poster; a file that is no picture is said,
// and the dialog comes again.
void tst_Poster::choosesPoster_data()
{
    QTest::addColumn<bool>("withFile");           // a card with a file and a poster 129 x 258, or a new one
    QTest::addColumn<QByteArray>("wrongFirst");   // when not empty, a file of these bytes first, then Cancel
    QTest::addColumn<QString>("said");
    QTest::newRow("new card") << false << QByteArray() << QString();
    QTest::newRow("card with a file") << true << QByteArray() << QString();
    QTest::newRow("wrong image, from the menu")
        << true << QByteArray("plain words") << textOf(Text::WrongImage);
    QTest::newRow("image of too many pixels, from the menu")
        << true << bitmapHeader(10000, 5001) << textOf(Text::ImageTooLarge);
}

void tst_Poster::choosesPoster()
{
    QFETCH(bool, withFile);
    QFETCH(QByteArray, wrongFirst);
    QFETCH(QString, said);
    if (withFile)
        QVERIFY(!openCard().isEmpty());
    const QSize first = posterShown();
    ScriptedDesktop fake;
    const QString chosen = picture(300, 400);
    if (!wrongFirst.isEmpty()) {
        const QString text = dir.filePath(u"readme.txt"_s);
        QVERIFY(writeBytes(text, wrongFirst));
        fake.answerFile(text);
        fake.answerMsg(MsgAnswer::Ok);
        fake.answerFile(QString());
        child<QAction>(editor, "changePosterAction")->trigger();
    } else {
        fake.answerFile(chosen);
        QTest::mouseClick(child<QPushButton>(editor, "changePosterButton"), Qt::LeftButton);
    }
    const QStringList asked
        = !wrongFirst.isEmpty() ? QStringList { "file", "msg", "file" } : QStringList { "file" };
    QCOMPARE(fake.log, asked);
    for (const FileRequest &request : std::as_const(fake.files)) {
        QCOMPARE(request.title, textOf(Text::PosterChoiceTitle));
        QCOMPARE(request.kind, FileDialogKind::Open);
        QVERIFY(request.options & FileDialogFlag::FileMustExist);
        QCOMPARE(request.filters.size(), posterChoiceFilters().size());
    }
    for (const MessageRequest &message : std::as_const(fake.messages)) {
        QCOMPARE(message.text, said);
        QCOMPARE(message.icon, MsgIcon::Critical);
    }
    // What the save then writes: tst_opencard.
    QCOMPARE(modified(), wrongFirst.isEmpty());
    QCOMPARE(posterShown(), !wrongFirst.isEmpty() ? first : QSize(300, 400));
    QVERIFY(fake.allAnswered());
}

// The pixel limit, read from the header alone: a hostile header announces
// more than could be allocated. 50 000 000 pixels pass; one row more is
// refused in choosesPoster and in tst_cardtool's thumbnail.
void tst_Poster::limitsPixels()
{
    const QString path = dir.filePath(u"header.bmp"_s);
    QVERIFY(writeBytes(path, bitmapHeader(10000, 5000)));
    const PosterFileCheck check = checkPosterFile(path);
    QCOMPARE(check.size, QSize(10000, 5000));
    QVERIFY(check.problem != PosterFileCheck::TooManyPixels);
}

void tst_Poster::tellsWhatComesIn_data()
{
    QTest::addColumn<Offer>("offer");
    QTest::addColumn<PosterSourceKind>("kind");
    QTest::addColumn<QString>("file");   // in the test folder
    QTest::addColumn<bool>("holds");     // pasting it gives a poster
    const auto none = PosterSourceKind::None, file = PosterSourceKind::PictureFile;
    QTest::newRow("PNG from a file manager") << Offer::Png << file << u"poster.png"_s << true;
    QTest::newRow("WebP file") << Offer::Webp << file << u"poster.webp"_s << true;
    QTest::newRow("card, extension in capitals")
        << Offer::Card << PosterSourceKind::Card << u"film.CFH"_s << false;
    QTest::newRow("text file: the loader will say") << Offer::TextFile << file << u"notes.txt"_s << false;
    QTest::newRow("folder") << Offer::Folder << none << u""_s << false;
    QTest::newRow("missing file") << Offer::Missing << none << u""_s << false;
    QTest::newRow("web address alone: nothing fetched") << Offer::Address << none << u""_s << false;
    QTest::newRow("browser image and its address")
        << Offer::Pixels << PosterSourceKind::Pixels << u""_s << true;
    QTest::newRow("image of a program") << Offer::Image << PosterSourceKind::Pixels << u""_s << true;
    QTest::newRow("a file before its pixels") << Offer::FileAndPixels << file << u"poster.png"_s << true;
    QTest::newRow("text alone") << Offer::Name << none << u""_s << false;
}

void tst_Poster::tellsWhatComesIn()
{
    QFETCH(Offer, offer);
    QFETCH(QString, file);
    const std::unique_ptr<QMimeData> data(content(offer));
    const PosterSource source = posterSource(*data);
    QTEST(source.kind, "kind");
    QCOMPARE(source.path, file.isEmpty() ? QString() : dir.filePath(file));
    QTEST(holdsPoster(*data), "holds");
    if (source.kind == PosterSourceKind::Pixels)
        QCOMPARE(posterPixels(*data).size(), QSize(300, 400));
}

// A picture dropped on the poster panel or pasted there does what choosing
// it does; pixels alone are taken as a JPEG of the same size.
void tst_Poster::takesPostersFromElsewhere_data()
{
    QTest::addColumn<Way>("way");
    QTest::addColumn<Offer>("offer");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<bool>("wrongImage");   // said so
    QTest::newRow("PNG dropped on the poster") << Way::DropOnPoster << Offer::Png << true << false;
    QTest::newRow("browser image dropped on the poster")
        << Way::DropOnPoster << Offer::Pixels << true << false;
    QTest::newRow("text file dropped: wrong image") << Way::DropOnPoster << Offer::TextFile << false << true;
    QTest::newRow("web address dropped: refused") << Way::DropOnPoster << Offer::Address << false << false;
    QTest::newRow("PNG dropped beside the panel: refused") << Way::DropBeside << Offer::Png << false << false;
    QTest::newRow("copied file, Ctrl+V on the panel") << Way::CtrlVOnPanel << Offer::Png << true << false;
    QTest::newRow("copied image, Ctrl+V on the poster")
        << Way::CtrlVOnPoster << Offer::Pixels << true << false;
    QTest::newRow("copied image, from the menu") << Way::Menu << Offer::Pixels << true << false;
    QTest::newRow("copied WebP file, from the menu") << Way::Menu << Offer::Webp << true << false;
    QTest::newRow("copied text file: nothing to paste") << Way::Menu << Offer::TextFile << false << false;
    QTest::newRow("Ctrl+V in a text box pastes its text")
        << Way::CtrlVInBox << Offer::Pixels << false << false;
}

void tst_Poster::takesPostersFromElsewhere()
{
    QFETCH(Way, way);
    QFETCH(Offer, offer);
    QFETCH(bool, taken);
    QFETCH(bool, wrongImage);
    QVERIFY(QTest::qWaitForWindowActive(editor));
    const QString card = openCard();
    const QByteArray old = posterOf(card);
    ScriptedDesktop fake;
    if (wrongImage)
        fake.answerMsg(MsgAnswer::Ok);
    QMimeData *data = content(offer);
    const PosterSource source = posterSource(*data);
    if (way == Way::DropOnPoster || way == Way::DropBeside) {
        const QWidget *over = way == Way::DropOnPoster ? child<QLabel>(editor, "posterLabel")
                                                       : child<QLabel>(editor, "summaryCaption");
        QCOMPARE(dropOn(editor, over->mapTo(editor, QPoint(5, 5)), *data), taken || wrongImage);
        delete data;
    } else {
        QApplication::clipboard()->setMimeData(data);
        QCOMPARE(child<QAction>(editor, "pastePosterAction")->isEnabled(), holdsPoster(*data));
        QWidget *focus = way == Way::CtrlVOnPanel ? child<QPushButton>(editor, "removePosterButton")
            : way == Way::CtrlVOnPoster ? static_cast<QWidget *>(child<QLabel>(editor, "posterLabel"))
                                        : child<QLineEdit>(editor, "genreEdit");
        if (way == Way::Menu) {
            child<QAction>(editor, "pastePosterAction")->trigger();
        } else {
            focus->setFocus();
            QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
        }
    }
    QCOMPARE(fake.messages.size(), int(wrongImage));
    if (wrongImage)
        QCOMPARE(fake.messages.at(0).text, textOf(Text::WrongImage));
    const bool inBox = way == Way::CtrlVInBox;
    QCOMPARE(child<QLineEdit>(editor, "genreEdit")->text(),
        inBox ? u"http://example.org/poster.png"_s : QString());
    QCOMPARE(modified(), taken || inBox);
    QCOMPARE(posterShown(), taken ? QSize(300, 400) : QSize(129, 258));
    if (modified())   // the save writes the poster taken, or keeps the card's
        child<QAction>(editor, "saveAction")->trigger();
    const QByteArray saved = posterOf(card);
    if (!taken) {
        QCOMPARE(saved, old);
    } else if (source.kind == PosterSourceKind::PictureFile) {
        QCOMPARE(saved, readBytes(source.path));
    } else {
        QBuffer bytes;
        bytes.setData(saved);
        QImageReader jpeg(&bytes);
        QCOMPARE(jpeg.format(), QByteArray("jpeg"));
        const QImage written = jpeg.read();
        QCOMPARE(written.size(), QSize(300, 400));
        QVERIFY(qGray(written.pixel(10, 10)) > 245);   // transparent parts are white
    }
    QVERIFY(fake.allAnswered());
}

void tst_Poster::removesPoster_data()
{
    QTest::addColumn<bool>("withFile");   // a card with a file and its poster, or a new card
    QTest::addColumn<Before>("before");
    QTest::addColumn<int>("removals");
    QTest::newRow("new card, pasted, then removed") << false << Before::Paste << 1;
    QTest::newRow("loaded card") << true << Before::Nothing << 1;
    QTest::newRow("loaded card, removed twice") << true << Before::Nothing << 2;
    QTest::newRow("chosen, then removed") << true << Before::Choose << 1;
    QTest::newRow("new card, chosen, then removed") << false << Before::Choose << 1;
    QTest::newRow("reset, then removed") << true << Before::Reset << 1;
}

// Nothing is left to show in full, and the save writes the card without
// poster, one with a file too.
void tst_Poster::removesPoster()
{
    QFETCH(bool, withFile);
    QFETCH(Before, before);
    QFETCH(int, removals);
    const QString card = withFile ? openCard() : dir.filePath(u"new.cfh"_s);
    ScriptedDesktop fake;
    if (before == Before::Choose) {
        fake.answerFile(picture(300, 400, u"chosen.bmp"_s));
        child<QPushButton>(editor, "changePosterButton")->click();
    } else if (before == Before::Paste) {
        QApplication::clipboard()->setMimeData(content(Offer::Pixels));
        child<QAction>(editor, "pastePosterAction")->trigger();
    } else if (before == Before::Reset) {
        child<QAction>(editor, "resetPosterAction")->trigger();
    }
    QSize shown;
    QVERIFY(fullViewOpensOn([&] { child<QAction>(editor, "fullViewAction")->trigger(); }, &shown));
    QVERIFY(!shown.isEmpty());
    for (int i = 0; i < removals; ++i)
        QTest::mouseClick(child<QPushButton>(editor, "removePosterButton"), Qt::LeftButton);
    QVERIFY(posterShown().isEmpty());
    QVERIFY(!child<QLabel>(editor, "posterLabel")->isVisible());
    QVERIFY(modified());
    QCOMPARE(editor->height(), heightFor(4470));
    QVERIFY(!fullViewOpensOn(
        [&] { child<QAction>(editor, "fullViewAction")->trigger(); }));   // nothing left to show
    if (!withFile) {
        child<QLineEdit>(editor, "titleEdit")->setText(u"Film"_s);
        fake.answerFile(card);
    }
    child<QAction>(editor, "saveAction")->trigger();
    QVERIFY(QFile::exists(card));
    QVERIFY(posterOf(card).isEmpty());
    QVERIFY(fake.allAnswered());
}

void tst_Poster::resetsPoster_data()
{
    QTest::addColumn<bool>("withCopy");
    QTest::newRow("no reset folder: nothing happens") << false;
    QTest::newRow("the card's own poster again") << true;
}

// The card's own poster comes back after a removal, and a save keeps it.
void tst_Poster::resetsPoster()
{
    QFETCH(bool, withCopy);
    const QString card = withCopy ? openCard() : openCard(0, 0);
    const QByteArray old = readBytes(card);
    if (withCopy)
        child<QPushButton>(editor, "removePosterButton")->click();
    for (int i = 0; i < 2; ++i) {   // a second Reset does not undo the first
        child<QAction>(editor, "resetPosterAction")->trigger();
        QCOMPARE(posterShown(), withCopy ? QSize(129, 258) : QSize(0, 0));
        QCOMPARE(modified(), withCopy);
    }
    if (withCopy)
        child<QAction>(editor, "saveAction")->trigger();
    QCOMPARE(readBytes(card), old);
}

void tst_Poster::answersClicks_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<Opens>("opens");
    QTest::newRow("right click: pop-up menu") << Qt::RightButton << QPoint(10, 10) << Opens::Menu;
    QTest::newRow("right click on the edge") << Qt::RightButton << QPoint(129, 258) << Opens::Menu;
    QTest::newRow("left click: full view") << Qt::LeftButton << QPoint(10, 10) << Opens::FullView;
    QTest::newRow("released outside") << Qt::RightButton << QPoint(10, 300) << Opens::Nothing;
    QTest::newRow("released left of it") << Qt::LeftButton << QPoint(-3, 10) << Opens::Nothing;
    QTest::newRow("middle button") << Qt::MiddleButton << QPoint(10, 10) << Opens::Nothing;
}

void tst_Poster::answersClicks()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, release);
    QFETCH(Opens, opens);
    QVERIFY(!openCard().isEmpty());
    auto *poster = child<QLabel>(editor, "posterLabel");
    auto *menu = child<QMenu>(editor, "posterMenu");
    QCOMPARE(poster->size(), QSize(129, 258));
    QCOMPARE(poster->cursor().shape(), Qt::PointingHandCursor);
    QTest::mousePress(poster, button, {}, QPoint(10, 10));
    const bool viewed = fullViewOpensOn([&] { QTest::mouseRelease(poster, button, {}, release); });
    QCOMPARE(viewed, opens == Opens::FullView);
    QCOMPARE(menu->isVisible(), opens == Opens::Menu);
    if (opens == Opens::Menu)
        QCOMPARE(menu->defaultAction(), child<QAction>(editor, "fullViewAction"));
    menu->close();
    QVERIFY(!menu->defaultAction());   // plain again in the menu bar
    // A release without a press on the poster does nothing.
    QTest::mouseRelease(poster, button, {}, QPoint(10, 10));
    QVERIFY(!menu->isVisible());
}

QTEST_MAIN(tst_Poster)
#include "tst_poster.moc"
