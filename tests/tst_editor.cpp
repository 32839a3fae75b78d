#include "editor/editorwindow.h"
#include "editor/internetsearch.h"
#include "editor/summaryedit.h"
#include "editor/typinglimit.h"
#include "layout/twips.h"
#include "support/scripteddesktop.h"
#include "support/testfiles.h"
#include "support/windowparts.h"
#include "texts/texts.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

using namespace Qt::StringLiterals;

class tst_Editor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void namesItemsAndControls_data();
    void namesItemsAndControls();
    void placesYearBoxAfterItsCaption();
    void appliesNumericRule_data();
    void appliesNumericRule();
    void showsModifiedStates_data();
    void showsModifiedStates();
    void selectsWholeSummary();
    void keepsSummaryWithinLimit();
    void limitsTypingNotLoadedTexts_data();
    void limitsTypingNotLoadedTexts();
    void keepsEveryCharacter_data();
    void keepsEveryCharacter();
    void searchesBesideTheEditor();
    void everyNameHasItsText();
    void keepsTheDesignsWording_data();
    void keepsTheDesignsWording();

private:
    EditorWindow *editor = nullptr;
    QTemporaryDir dir;
};

void tst_Editor::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

void tst_Editor::init()
{
    editor = &EditorWindow::instance();
    editor->newCard();
}

void tst_Editor::cleanup()
{
    EditorWindow::discard();
    QVERIFY(!QApplication::activeModalWidget());
}

// A menu item by its text and shortcut; a box, whose caption keeps no access
// key, by the name screen readers give it, which the delete button also
// shows as its tool tip.
void tst_Editor::namesItemsAndControls_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<Text>("text");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("tip");
    const auto row = [](const char *name, const QString &item, Text text, const QKeySequence &shortcut = {},
                         bool tip = false) { QTest::newRow(name) << item << text << shortcut << tip; };
    row("save", u"saveAction"_s, Text::SaveItem, QKeySequence(u"Ctrl+S"_s));
    row("save as", u"saveAsAction"_s, Text::SaveAsItem);
    row("search", u"searchAction"_s, Text::SearchItem, QKeySequence(u"Ctrl+R"_s));
    row("quit", u"quitAction"_s, Text::QuitItem, QKeySequence(u"Ctrl+Q"_s));
    row("reset", u"resetPosterAction"_s, Text::ResetPosterItem);
    row("paste a poster", u"pastePosterAction"_s, Text::PastePosterItem, QKeySequence(u"Ctrl+V"_s));
    row("about", u"aboutAction"_s, Text::AboutItem);
    row("title box", u"titleEdit"_s, Text::TitleCaption);
    row("year box", u"yearEdit"_s, Text::YearCaption);
    row("hours box", u"hoursEdit"_s, Text::RunningTimeCaption);
    row("genre box", u"genreEdit"_s, Text::GenreCaption);
    row("director box", u"directorEdit"_s, Text::DirectorCaption);
    row("actor box", u"actorsBox"_s, Text::ActorsCaption);
    row("summary", u"summaryEdit"_s, Text::SummaryCaption);
    row("actor delete button", u"deleteActorButton"_s, Text::DeleteActorTip, {}, true);
}

void tst_Editor::namesItemsAndControls()
{
    QFETCH(QString, item);
    QFETCH(Text, text);
    if (const auto *action = editor->findChild<QAction *>(item)) {
        QCOMPARE(action->text(), textOf(text));
        QTEST(action->shortcut(), "shortcut");
        return;
    }
    auto *widget = editor->findChild<QWidget *>(item);
    QVERIFY(widget);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), textOf(text));
    QFETCH(bool, tip);
    QCOMPARE(widget->toolTip(), tip ? textOf(text) : QString());
}

void tst_Editor::placesYearBoxAfterItsCaption()
{
    // In its font the year's caption ends at 1110 twips, past the boxes' column
    // at 1080: the year box stands one gap of 45 after it.
    const auto endOf
        = [this](const char *caption) { return child<QLabel>(editor, caption)->geometry().right() + 1; };
    QCOMPARE(endOf("yearCaption"), twipsToPx(1110));
    QCOMPARE(child<QLineEdit>(editor, "yearEdit")->x(), twipsToPx(1155));
    // The running time's caption ends one gap before the hours box at 3240.
    QCOMPARE(endOf("runningTimeCaption"), twipsToPx(3195));
    QCOMPARE(child<QLineEdit>(editor, "hoursEdit")->x(), twipsToPx(3240));
    QCOMPARE(child<QGroupBox>(editor, "posterFrame")->title(), textOf(Text::PosterMenu));
}

void tst_Editor::appliesNumericRule_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");   // typed from the start
    QTest::addColumn<int>("caret");       // where the caret goes next, -1: stays
    QTest::addColumn<QString>("then");    // typed there
    QTest::addColumn<bool>("pasted");     // then pasted instead
    QTest::addColumn<int>("messages");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("said");
    const QString invalid = textOf(Text::InvalidFormat) + u'\r';
    const QString year = invalid + textOf(Text::YearFormat),
                  time = invalid + textOf(Text::HoursFormat) + u'\r' + textOf(Text::MinutesFormat);
    QTest::newRow("letter after 19") << u"yearEdit"_s << u"19"_s << -1 << u"a"_s << false << 1 << u"19"_s
                                     << year;
    QTest::newRow("letter between 1 and 9")
        << u"yearEdit"_s << u"19"_s << 1 << u"a"_s << false << 2 << u"1"_s << year;
    QTest::newRow("four letters pasted")
        << u"yearEdit"_s << u""_s << -1 << u"abcd"_s << true << 4 << u""_s << year;
    QTest::newRow("negative exponent typed")
        << u"yearEdit"_s << u"1e-3"_s << -1 << u""_s << false << 0 << u"1e-3"_s << year;
    QTest::newRow("hour digit") << u"hoursEdit"_s << u"7"_s << -1 << u""_s << false << 0 << u"7"_s << time;
    QTest::newRow("hour letter") << u"hoursEdit"_s << u""_s << -1 << u"h"_s << false << 1 << u""_s << time;
    QTest::newRow("minutes 99") << u"minutesEdit"_s << u"99"_s << -1 << u""_s << false << 0 << u"99"_s
                                << time;
    QTest::newRow("minutes letter") << u"minutesEdit"_s << u"4"_s << -1 << u"x"_s << false << 1 << u"4"_s
                                    << time;
}

void tst_Editor::appliesNumericRule()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(int, caret);
    QFETCH(QString, then);
    QFETCH(bool, pasted);
    QFETCH(int, messages);
    QFETCH(QString, result);
    ScriptedDesktop fake;
    for (int i = 0; i < messages; ++i)
        fake.answerMsg(MsgAnswer::Ok);
    auto *edit = editor->findChild<QLineEdit *>(box);
    QVERIFY(edit);
    QTest::keyClicks(edit, typed);
    if (caret >= 0)
        edit->setCursorPosition(caret);
    if (pasted)
        edit->insert(then);
    else
        QTest::keyClicks(edit, then);

    QCOMPARE(fake.messages.size(), messages);
    for (const MessageRequest &message : std::as_const(fake.messages)) {
        QTEST(message.text, "said");
        QCOMPARE(message.icon, MsgIcon::Information);
        QCOMPARE(message.buttons, MsgButtons::Ok);
    }
    QCOMPARE(edit->text(), result);
    QCOMPARE(edit->cursorPosition(), result.size());
    if (!typed.isEmpty() || !then.isEmpty())
        QCOMPARE(editor->windowTitle(), newCardCaption(true));
    QVERIFY(fake.allAnswered());
}

void tst_Editor::showsModifiedStates_data()
{
    QTest::addColumn<bool>("withFile");   // else New
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("save");
    QTest::addColumn<bool>("saveAs");
    QTest::newRow("new, unchanged") << false << false << false << false << false;
    QTest::newRow("new, changed") << false << false << true << true << false;
    QTest::newRow("saved, unchanged") << true << false << false << false << false;
    QTest::newRow("saved, changed") << true << false << true << true << true;
    QTest::newRow("read-only, unchanged") << true << true << false << false << false;
    QTest::newRow("read-only, changed") << true << true << true << false << true;
}

// A changed new card left Save on, which the card then shown (New or Open,
// the changes given up) sets anew.
void tst_Editor::showsModifiedStates()
{
    QFETCH(bool, withFile);
    QFETCH(bool, readOnly);
    QFETCH(bool, modified);
    ScriptedDesktop fake;
    auto *title = child<QLineEdit>(editor, "titleEdit");
    QTest::keyClicks(title, u"x"_s);
    QVERIFY(child<QAction>(editor, "saveAction")->isEnabled());
    fake.answerMsg(MsgAnswer::No);
    const QString card = dir.filePath(u"film.cfh"_s);
    if (withFile) {
        QFile::remove(card);   // the last row's, read-only
        QVERIFY(writeBytes(card, makeCard("Film", {})));
        if (readOnly)
            QFile::setPermissions(card, QFile::ReadOwner);
        fake.answerFile(card);
        child<QAction>(editor, "openAction")->trigger();
    } else {
        child<QAction>(editor, "newAction")->trigger();
    }
    if (modified)
        QTest::keyClicks(title, u"s"_s);
    QVERIFY(fake.allAnswered());
    QCOMPARE(
        editor->windowTitle(), withFile ? editorCaption(u"film.cfh"_s, modified) : newCardCaption(modified));
    QTEST(child<QAction>(editor, "saveAction")->isEnabled(), "save");
    QTEST(child<QAction>(editor, "saveAsAction")->isEnabled(), "saveAs");
}

void tst_Editor::selectsWholeSummary()
{
    auto *summary = child<QPlainTextEdit>(editor, "summaryEdit");
    QTest::keyClicks(summary, u"abc"_s);
    QTest::keyClick(summary, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(summary->toPlainText(), u"abc"_s);
    QCOMPARE(summary->textCursor().selectedText(), u"abc"_s);
    QTest::keyClicks(summary, u"x"_s);   // not swallowed: only Ctrl+A's own character is
    QCOMPARE(summary->toPlainText(), u"x"_s);

    QTest::keyClick(summary, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!summary->textCursor().hasSelection());
    QTest::keyClicks(summary, u"y"_s);
    QCOMPARE(summary->toPlainText(), u"xy"_s);
}

// The field counts what is stored: a line break takes two of its 500.
void tst_Editor::keepsSummaryWithinLimit()
{
    auto *summary = child<QPlainTextEdit>(editor, "summaryEdit");
    QTest::keyClicks(summary, u"ab"_s);
    QTest::keyClick(summary, Qt::Key_Return);
    summary->moveCursor(QTextCursor::Start);
    summary->insertPlainText(u"xx\n"_s.repeated(200));
    const QString text = child<SummaryEdit>(editor, "summaryEdit")->text();
    QCOMPARE(text.size() + text.count(QLatin1Char('\n')), 500);
    QVERIFY(text.endsWith(QLatin1String("xx\nab\n")));
    QCOMPARE(editor->windowTitle(), newCardCaption(true));
}

// A box takes at most its limit from the keyboard, but a longer text put in
// by a load is shown whole, and the box then takes nothing more.
void tst_Editor::limitsTypingNotLoadedTexts_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("limit");
    QTest::newRow("title") << u"titleEdit"_s << 50;
    QTest::newRow("hours") << u"hoursEdit"_s << 1;
    QTest::newRow("minutes") << u"minutesEdit"_s << 2;
}

void tst_Editor::limitsTypingNotLoadedTexts()
{
    QFETCH(QString, box);
    QFETCH(int, limit);
    auto *edit = editor->findChild<QLineEdit *>(box);
    QTest::keyClicks(edit, QString(limit + 3, QLatin1Char('1')));
    QCOMPARE(edit->text(), QString(limit, QLatin1Char('1')));
    edit->clear();
    QApplication::clipboard()->setText(QString(limit + 3, QLatin1Char('2')));
    edit->paste();
    QCOMPARE(edit->text(), QString(limit, QLatin1Char('2')));

    TypingLimit::setWhole(edit, QString(limit + 1, QLatin1Char('3')));
    QCOMPARE(edit->text(), QString(limit + 1, QLatin1Char('3')));
    QTest::keyClicks(edit, u"4"_s);
    QCOMPARE(edit->text(), QString(limit + 1, QLatin1Char('3')));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, u"44"_s);
    QCOMPARE(edit->text(), QString(limit, QLatin1Char('3')));
}

void tst_Editor::searchesBesideTheEditor()
{
    ScriptedDesktop fake;
    editor->show();
    child<QLineEdit>(editor, "titleEdit")->setText(u"Tom & Jerry"_s);
    editor->move(QPoint(260, 190));
    fake.answerInput(u"Tom & Jerry"_s);
    fake.answerOpen(true);
    child<QAction>(editor, "searchAction")->trigger();
    QCOMPARE(fake.inputs.last().position, editor->frameGeometry().topLeft() + QPoint(32, 43));
    QCOMPARE(fake.inputs.last().proposal, u"Tom & Jerry"_s);
    QCOMPARE(fake.opened.last(), searchAddress(u"Tom & Jerry"_s));   // its keywords: tst_search
    QVERIFY(fake.allAnswered());
}

void tst_Editor::keepsEveryCharacter_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("pasted");
    QTest::newRow("title, typed") << u"titleEdit"_s << false;
    QTest::newRow("director, pasted") << u"directorEdit"_s << true;
    QTest::newRow("actor's name, typed") << u"actorsBox"_s << false;
    QTest::newRow("summary, typed") << u"summaryEdit"_s << false;
    QTest::newRow("summary, pasted") << u"summaryEdit"_s << true;
}

// A character without a byte in the record is taken as any other: the card
// keeps it exactly (tst_documents saves one).
void tst_Editor::keepsEveryCharacter()
{
    QFETCH(QString, box);
    QFETCH(bool, pasted);
    editor->show();
    auto *target = editor->findChild<QWidget *>(box);
    if (auto *actors = qobject_cast<QComboBox *>(target))
        target = actors->lineEdit();
    target->setFocus();
    if (pasted) {
        QApplication::clipboard()->setText(u"é★t"_s);
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    } else {
        for (const QString &typed : { u"é"_s, u"★"_s, u"t"_s }) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, typed);
            QApplication::sendEvent(target, &press);
        }
    }
    const auto *summary = qobject_cast<QPlainTextEdit *>(target);
    QCOMPARE(summary ? summary->toPlainText() : qobject_cast<QLineEdit *>(target)->text(), u"é★t"_s);
}

void tst_Editor::everyNameHasItsText()
{
    for (int i = 0; i < int(Text::Count); ++i) {
        const auto name = Text(i);
        const QString &text = textOf(name);
        QVERIFY2(!text.isEmpty(), qPrintable(QString::number(i)));
        // Only these three end with a blank, and only the search item has an access key.
        QCOMPARE(text.endsWith(QLatin1Char(' ')),
            name == Text::ViewerYear || name == Text::AboutTitle || name == Text::SaveChangesQuestion);
        QCOMPARE(text.contains(QLatin1Char('&')), name == Text::SearchItem);
    }
}

// A few texts word for word, where the design's wording is odd and a tidier
// one would be easy to slip in: a blank before a name or the dots, the one
// access key, an English word, the About box's lines.
void tst_Editor::keepsTheDesignsWording_data()
{
    QTest::addColumn<Text>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("save prompt") << Text::SaveChangesQuestion
                                 << u"Enregistrer les modifications apportées à "_s;
    QTest::newRow("search item") << Text::SearchItem << u"&Rechercher sur Internet..."_s;
    QTest::newRow("save as title") << Text::SaveCardAsTitle << u"Enregistrer la fiche sous ..."_s;
    QTest::newRow("reset item") << Text::ResetPosterItem << u"Reset"_s;
    QTest::newRow("viewer's year") << Text::ViewerYear << u"Année : "_s;
    QTest::newRow("mail button") << Text::MailButton << u"Envoyer un e-m@il au programmeur"_s;
    QTest::newRow("no page opened") << Text::BugReportLine << u"C'est ici pour les rapports de bugs..."_s;
    QTest::newRow("pictures filter") << Text::FilterImages << u"Fichiers Images (*.jpg, *.gif)"_s;
}

void tst_Editor::keepsTheDesignsWording()
{
    QFETCH(Text, name);
    QTEST(textOf(name), "text");
}

QTEST_MAIN(tst_Editor)
#include "tst_editor.moc"
