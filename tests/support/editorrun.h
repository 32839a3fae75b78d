#pragma once
// The editor as the program starts it, for window tests: on a scripted
// desktop whose documents folder is given, and checked as each test ends.

#include "editor/editorwindow.h"
#include "program/startup.h"
#include "support/scripteddesktop.h"
#include "support/testfiles.h"
#include "support/windowparts.h"
#include "viewer/viewerwindow.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

class EditorRun {
protected:
    ScriptedDesktop *fake = nullptr;
    EditorWindow *editor = nullptr;

    // The program started on a new card; run from a test's init().
    void startEditor(const QString &documents)
    {
        fake = new ScriptedDesktop;
        fake->documents = documents;
        QCOMPARE(startProgram(QString()), std::nullopt);
        editor = &EditorWindow::instance();
    }

    // Open as the user runs it, the dialog answered with card.
    void open(const QString &card)
    {
        fake->answerFile(card);
        child<QAction>(editor, "openAction")->trigger();
    }

    // Typed into the title box, after what it holds.
    void typeTitle(const QString &text)
    {
        child<QLineEdit>(editor, "titleEdit")->setFocus();
        QTest::keyClicks(child<QLineEdit>(editor, "titleEdit"), text);
    }

    // Every answer used and the windows gone, with the working folders of
    // their cards in cache; run from a test's cleanup().
    void endEditor(const TestCache &cache)
    {
        QVERIFY(fake->allAnswered());
        EditorWindow::discard();   // with the working folders of its card
        if (ViewerWindow::exists())
            ViewerWindow::discard();
        delete fake;
        QVERIFY(cache.workFolders().isEmpty());   // no working folder outlives its card
    }
};
