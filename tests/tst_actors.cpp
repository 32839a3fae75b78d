#include "editor/actorlist.h"
#include "editor/editorwindow.h"
#include "support/scripteddesktop.h"
#include "support/windowparts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

// What is done to a name picked in the list.
enum class Then { Changed, Escaped, Deleted };

class tst_Actors : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void addsOnEnter();
    void changesPickedName_data();
    void changesPickedName();
    void locksAtTen();
    void neverTakesEleventh_data();
    void neverTakesEleventh();
    void cutsLongNames_data();
    void cutsLongNames();
    void emptiesAndDeselects();

private:
    void type(const QString &text);
    void enter(const QString &name);
    void pick(int index);
    ActorList *list() const { return child<ActorList>(editor, "actorsBox"); }
    QString editText() const { return list()->currentText(); }
    bool modified() const { return editor->windowTitle().endsWith(u"*]"_s); }
    EditorWindow *editor = nullptr;
};

void tst_Actors::init()
{
    editor = &EditorWindow::instance();
    editor->newCard();
}

void tst_Actors::cleanup()
{
    EditorWindow::discard();
}

void tst_Actors::type(const QString &text)
{
    QTest::keyClicks(child<QComboBox>(editor, "actorsBox"), text);
}

void tst_Actors::enter(const QString &name)
{
    type(name);
    QTest::keyClick(child<QComboBox>(editor, "actorsBox"), Qt::Key_Return);
}

// As a click on an entry of the drop-down list does.
void tst_Actors::pick(int index)
{
    child<QComboBox>(editor, "actorsBox")->setCurrentIndex(index);
    emit child<QComboBox>(editor, "actorsBox")->activated(index);
}

void tst_Actors::addsOnEnter()
{
    QTest::keyClick(child<QComboBox>(editor, "actorsBox"), Qt::Key_Return);
    QVERIFY(list()->names().isEmpty());
    QVERIFY(!modified());

    type(u"Bruce Willis"_s);
    QVERIFY(!modified());   // typing alone is no change of the card
    QTest::keyClick(child<QComboBox>(editor, "actorsBox"), Qt::Key_Return);
    QCOMPARE(list()->names(), QStringList { u"Bruce Willis"_s });
    QCOMPARE(editText(), QString());
    QVERIFY(!child<QPushButton>(editor, "deleteActorButton")->isEnabled());
    QCOMPARE(editor->windowTitle(), newCardCaption(true));

    enter(u"Bruce Willis"_s);
    QCOMPARE(list()->names().size(), 2);   // the same name twice is allowed
}

// A picked name is changed in place, or left with Esc, or deleted; a name
// entered afterwards goes at the end.
void tst_Actors::changesPickedName_data()
{
    QTest::addColumn<Then>("then");   // after B is picked, then "x" entered
    QTest::addColumn<QStringList>("names");
    QTest::newRow("changed in place") << Then::Changed << QStringList { "A", "Bx", "C" };
    QTest::newRow("Esc, then a new name at the end") << Then::Escaped << QStringList { "A", "B", "C", "x" };
    QTest::newRow("deleted, then a new name") << Then::Deleted << QStringList { "A", "C", "x" };
}

void tst_Actors::changesPickedName()
{
    QFETCH(Then, then);
    for (const char *name : { "A", "B", "C" })
        enter(QLatin1String(name));
    QSignalSpy changes(list(), &ActorList::changed);
    QTest::keyClick(child<QComboBox>(editor, "actorsBox"), Qt::Key_Down);   // the keyboard picks as well
    QTest::keyClick(child<QComboBox>(editor, "actorsBox"), Qt::Key_Down);
    QCOMPARE(list()->currentIndex(), 1);
    QCOMPARE(editText(), u"B"_s);
    QVERIFY(child<QPushButton>(editor, "deleteActorButton")->isEnabled());
    if (then == Then::Escaped)
        QTest::keyClick(child<QComboBox>(editor, "actorsBox"), Qt::Key_Escape);
    if (then == Then::Deleted)
        QTest::mouseClick(child<QPushButton>(editor, "deleteActorButton"), Qt::LeftButton);
    if (then != Then::Changed) {
        QCOMPARE(editText(), then == Then::Deleted ? u"B"_s : QString());   // a deleted name stays there
        QCOMPARE(list()->currentIndex(), -1);
        QVERIFY(!child<QPushButton>(editor, "deleteActorButton")->isEnabled());
        QCOMPARE(changes.size(), int(then == Then::Deleted));
        child<QComboBox>(editor, "actorsBox")->setEditText(QString());
    }
    child<QComboBox>(editor, "actorsBox")->lineEdit()->end(false);
    enter(u"x"_s);
    QTEST(list()->names(), "names");
    QVERIFY(!child<QPushButton>(editor, "deleteActorButton")->isEnabled());
    QVERIFY(!changes.isEmpty());
}

void tst_Actors::locksAtTen()
{
    for (int i = 0; i < 10; ++i)
        enter(QString::number(i));
    type(u"z"_s);
    QCOMPARE(editText(), QString());   // locked

    pick(3);
    QCOMPARE(editText(), u"3"_s);
    child<QComboBox>(editor, "actorsBox")->lineEdit()->end(false);
    enter(u"z"_s);
    QCOMPARE(list()->names().at(3), u"3z"_s);
    QCOMPARE(list()->names().size(), 10);
    type(u"q"_s);
    QCOMPARE(editText(), QString());   // locked again

    pick(0);
    QTest::mouseClick(child<QPushButton>(editor, "deleteActorButton"), Qt::LeftButton);
    child<QComboBox>(editor, "actorsBox")->setEditText(QString());
    enter(u"y"_s);
    QCOMPARE(list()->names().size(), 10);
    QCOMPARE(list()->names().last(), u"y"_s);
}

void tst_Actors::neverTakesEleventh_data()
{
    QTest::addColumn<bool>("loaded");   // the ten names came with the card, not by Enter
    QTest::newRow("list loaded with ten names") << true;
    QTest::newRow("Esc on a full list") << false;
}

void tst_Actors::neverTakesEleventh()
{
    QFETCH(bool, loaded);
    QStringList ten;
    for (int i = 0; i < 10; ++i)
        ten << QString::number(i);
    if (loaded)
        list()->setNames(ten);
    for (int i = 0; i < 10 && !loaded; ++i)
        enter(ten.at(i));
    pick(4);
    QTest::keyClick(child<QComboBox>(editor, "actorsBox"), Qt::Key_Escape);
    enter(u"eleventh"_s);
    QCOMPARE(list()->names(), ten);
}

void tst_Actors::cutsLongNames_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("kept");
    QTest::newRow("60 characters") << QString(60, QLatin1Char('a')) << QString(50, QLatin1Char('a'));
    QTest::newRow("separator pasted") << u"Tom|Cruise"_s << u"TomCruise"_s;
    QTest::newRow("separator typed") << u""_s << u"AB"_s;
}

void tst_Actors::cutsLongNames()
{
    QFETCH(QString, pasted);
    QFETCH(QString, kept);
    QLineEdit *edit = child<QComboBox>(editor, "actorsBox")->lineEdit();
    if (pasted.isEmpty())
        type(u"A|B"_s);
    else
        edit->insert(pasted);
    QCOMPARE(edit->text(), kept);
    QCOMPARE(edit->cursorPosition(), kept.size());
    QTest::keyClick(child<QComboBox>(editor, "actorsBox"), Qt::Key_Return);
    QCOMPARE(list()->names(), QStringList { kept });
}

void tst_Actors::emptiesAndDeselects()
{
    for (int i = 0; i < 10; ++i)
        enter(QString::number(i));
    pick(1);
    list()->deselect();
    QCOMPARE(child<QComboBox>(editor, "actorsBox")->currentIndex(), -1);
    QVERIFY(!child<QPushButton>(editor, "deleteActorButton")->isEnabled());
    QCOMPARE(list()->names().size(), 10);

    list()->setNames({});
    QVERIFY(list()->names().isEmpty());
    enter(u"Meg Ryan"_s);   // no longer locked
    QCOMPARE(list()->names(), QStringList { u"Meg Ryan"_s });
}

QTEST_MAIN(tst_Actors)
#include "tst_actors.moc"
