#include "app/common.h"
#include "app/texts.h"
#include "editor/editorwindow.h"
#include "editor/internetsearch.h"
#include "editor/summaryedit.h"
#include "editor/typinglimit.h"
#include "support/scripteddesktop.h"
#include "support/testfiles.h"
#include "support/windowparts.h"

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
// key, by the name screen readers give it.
void tst_Editor::namesItemsAndControls_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::newRow("save") << u"saveAction"_s << u"Enregistrer"_s << QKeySequence(u"Ctrl+S"_s);
    QTest::newRow("save as") << u"saveAsAction"_s << u"Enregistrer sous"_s << QKeySequence();
    QTest::newRow("search") << u"searchAction"_s << u"&Rechercher sur Internet..."_s
                            << QKeySequence(u"Ctrl+R"_s);
    QTest::newRow("quit") << u"quitAction"_s << u"Quitter"_s << QKeySequence(u"Ctrl+Q"_s);
    QTest::newRow("reset") << u"resetPosterAction"_s << u"Reset"_s << QKeySequence();
    QTest::newRow("paste a poster") << u"pastePosterAction"_s << u"Coller l'affiche"_s
                                    << QKeySequence(u"Ctrl+V"_s);
    QTest::newRow("about") << u"aboutAction"_s << QString::fromUtf8("À propos de ...") << QKeySequence();
    const auto control = [](const char *row, const QString &name, const QString &text) {
        QTest::newRow(row) << name << text << QKeySequence();
    };
    control("title box", u"titleEdit"_s, u"Titre :"_s);
    control("year box", u"yearEdit"_s, u"Année (aaaa) :"_s);
    control("hours box", u"hoursEdit"_s, u"Durée (h:mm) :"_s);
    control("genre box", u"genreEdit"_s, u"Type :"_s);
    control("director box", u"directorEdit"_s, u"Réalisateur :"_s);
    control("actor box", u"actorsBox"_s, u"Acteurs :"_s);
    control("summary", u"summaryEdit"_s, u"Résumé :"_s);
    control("actor delete button", u"deleteActorButton"_s, u"Supprimer l'acteur"_s);
}

void tst_Editor::namesItemsAndControls()
{
    QFETCH(QString, item);
    QFETCH(QString, text);
    if (const auto *action = editor->findChild<QAction *>(item)) {
        QCOMPARE(action->text(), text);
        QTEST(action->shortcut(), "shortcut");
        return;
    }
    auto *widget = editor->findChild<QWidget *>(item);
    QVERIFY(widget);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), text);
    if (item == QLatin1String("deleteActorButton"))
        QCOMPARE(widget->toolTip(), text);
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
    QCOMPARE(child<QGroupBox>(editor, "posterFrame")->title(), u"Affiche"_s);
    QCOMPARE(editor->windowTitle(), u"Cinefiche [Nouveau]"_s);
}

void tst_Editor::appliesNumericRule_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");   // typed from the start
    QTest::addColumn<int>("caret");       // where the caret goes next, -1: stays
    QTest::addColumn<QString>("then");    // typed there, or pasted when it starts with "paste:"
    QTest::addColumn<int>("messages");
    QTest::addColumn<QString>("result");
    QTest::newRow("letter after 19") << u"yearEdit"_s << u"19"_s << -1 << u"a"_s << 1 << u"19"_s;
    QTest::newRow("letter between 1 and 9") << u"yearEdit"_s << u"19"_s << 1 << u"a"_s << 2 << u"1"_s;
    QTest::newRow("four letters pasted") << u"yearEdit"_s << u""_s << -1 << u"paste:abcd"_s << 4 << u""_s;
    QTest::newRow("negative exponent typed") << u"yearEdit"_s << u"1e-3"_s << -1 << u""_s << 0 << u"1e-3"_s;
    QTest::newRow("hour digit") << u"hoursEdit"_s << u"7"_s << -1 << u""_s << 0 << u"7"_s;
    QTest::newRow("hour letter") << u"hoursEdit"_s << u""_s << -1 << u"h"_s << 1 << u""_s;
    QTest::newRow("minutes 99") << u"minutesEdit"_s << u"99"_s << -1 << u""_s << 0 << u"99"_s;
    QTest::newRow("minutes letter") << u"minutesEdit"_s << u"4"_s << -1 << u"x"_s << 1 << u"4"_s;
}

void tst_Editor::appliesNumericRule()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(int, caret);
    QFETCH(QString, then);
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
    if (then.startsWith(QLatin1String("paste:")))
        edit->insert(then.mid(6));
    else
        QTest::keyClicks(edit, then);

    QCOMPARE(fake.messages.size(), messages);
    const QString expected = box == QLatin1String("yearEdit")
        ? QString::fromUtf8("Format invalide :\rL'année doit se composer de 4 chiffres")
        : QString::fromUtf8("Format invalide :\rLa durée doit se composer d'un chiffre "
                            "pour l'heure\ret de deux chiffres pour les minutes");
    for (const MessageRequest &message : std::as_const(fake.messages)) {
        QCOMPARE(message.text, expected);
        QCOMPARE(message.icon, MsgIcon::Information);
        QCOMPARE(message.buttons, MsgButtons::Ok);
    }
    QCOMPARE(edit->text(), result);
    QCOMPARE(edit->cursorPosition(), result.size());
    if (!typed.isEmpty() || !then.isEmpty())
        QCOMPARE(editor->windowTitle(), u"Cinefiche [Nouveau*]"_s);
    QVERIFY(fake.allAnswered());
}

void tst_Editor::showsModifiedStates_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("save");
    QTest::addColumn<bool>("saveAs");
    QTest::newRow("new, unchanged") << u"Nouveau"_s << false << false << u"Cinefiche [Nouveau]"_s << false
                                    << false;
    QTest::newRow("new, changed") << u"Nouveau"_s << false << true << u"Cinefiche [Nouveau*]"_s << true
                                  << false;
    QTest::newRow("saved, unchanged")
        << u"film.cfh"_s << false << false << u"Cinefiche [film.cfh]"_s << false << false;
    QTest::newRow("saved, changed") << u"film.cfh"_s << false << true << u"Cinefiche [film.cfh*]"_s << true
                                    << true;
    QTest::newRow("read-only, unchanged")
        << u"film.cfh"_s << true << false << u"Cinefiche [film.cfh]"_s << false << false;
    QTest::newRow("read-only, changed")
        << u"film.cfh"_s << true << true << u"Cinefiche [film.cfh*]"_s << false << true;
}

// A changed new card left Save on, which the card then shown (New or Open,
// the changes given up) sets anew.
void tst_Editor::showsModifiedStates()
{
    QFETCH(QString, fileName);
    QFETCH(bool, readOnly);
    QFETCH(bool, modified);
    ScriptedDesktop fake;
    auto *title = child<QLineEdit>(editor, "titleEdit");
    QTest::keyClicks(title, u"x"_s);
    QVERIFY(child<QAction>(editor, "saveAction")->isEnabled());
    fake.answerMsg(MsgAnswer::No);
    if (fileName == u"Nouveau") {
        child<QAction>(editor, "newAction")->trigger();
    } else {
        QFile::remove(dir.filePath(fileName));   // the last row's, read-only
        QVERIFY(writeBytes(dir.filePath(fileName), makeCard("Film", {})));
        if (readOnly)
            QFile::setPermissions(dir.filePath(fileName), QFile::ReadOwner);
        fake.answerFile(dir.filePath(fileName));
        child<QAction>(editor, "openAction")->trigger();
    }
    if (modified)
        QTest::keyClicks(title, u"s"_s);
    QVERIFY(fake.allAnswered());
    QTEST(editor->windowTitle(), "caption");
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
    QCOMPARE(editor->windowTitle(), u"Cinefiche [Nouveau*]"_s);
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

QTEST_MAIN(tst_Editor)
#include "tst_editor.moc"
