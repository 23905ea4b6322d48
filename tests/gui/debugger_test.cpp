// Finding a mistake in the real windows: a breakpoint pauses a run as
// Unterbrechen does, with its line selected; "Schritt zurück" takes back
// the last instruction, also over a failure and over ARBEITSFELD; a change
// of the world outside the run leaves nothing to go back to.
#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>

#include "GuiFixtures.h"
#include "ProgramWindows.h"
#include "SamplePrograms.h"
#include "TestFiles.h"
#include "editor/ZelkEdit2.h"
#include "mainwindow/RunController.h"
#include "world/ZelkDatei.h"
#include "world/ZelkFeld.h"

class DebuggerTest : public QObject, public ProgramFixture {
    Q_OBJECT

    void newPage(const QString& text)
    {
        form->FileNewItemClick();
        editor()->setPlainText(text);
        Find<QTimer>(zelkMeldung(), "Timer1")->setInterval(1);
    }
    void openText(const QString& fileName, const QString& text)
    {
        WriteBytes(path(fileName), text.toUtf8());
        openFile(path(fileName));
    }
    TRunController::RunState state() const { return form->Run().State(); }
    int selectedLine() const { return editor()->textCursor().blockNumber(); }
    QAction* back() const { return FindItem(form, "SchrittZurueck1"); }
    // The page and line the execution mark stands on; -1, -1 without one.
    std::pair<int, int> mark() const
    {
        for (int page = 0; page < editorWindow()->PageCount(); ++page)
            if (const int line = editorWindow()->PageEditor(page)->ExecutionMark(); line >= 0)
                return {page, line};
        return {-1, -1};
    }
    std::pair<int, int> selected() const
    {
        return {editorWindow()->SelectedPage(), editor()->textCursor().blockNumber()};
    }

private slots:
    void init() { QVERIFY(startProgram()); }
    void cleanup() { stopProgram(); }

    // A loop written on one line pauses once per pass; Start goes on from
    // the breakpoint. Paused, the buttons are those of Unterbrechen and the
    // keyboard's Unterbrechen and Anhalten follow them.
    void aBreakpointInAOneLineLoopPausesOncePerPass()
    {
        newPage(QStringLiteral("PROGRAM Schleife;\nBEGIN\nWHILE VORNE_FREI DO VOR;\nDREHE_LINKS\nEND."));
        editorWindow()->ToggleBreakpoint(0, 2);
        for (int pass = 1; pass <= 3; ++pass) {
            form->RunItemClick();
            QTRY_COMPARE(state(), TRunController::RunState::Interrupted);
            QCOMPARE(Roboter.X, pass);
            QCOMPARE(selectedLine(), 2);
        }
        QVERIFY(!Find<QTimer>(zelkMeldung(), "Timer1")->isActive());
        QVERIFY(FindItem(form, "Unterbrechen1")->isEnabled() && FindButton(form, "PauseBtn")->isEnabled());
        FindItem(form, "Anhalten1")->trigger();
        QCOMPARE(state(), TRunController::RunState::Idle);
        QVERIFY(!FindItem(form, "Unterbrechen1")->isEnabled() && !FindItem(form, "Anhalten1")->isEnabled());
    }

    // The translator counts a statement after blank lines and comments from
    // the first of them; the breakpoint on the statement's line still holds.
    void aBreakpointAfterBlankLinesAndACommentPausesThere()
    {
        newPage(QStringLiteral("PROGRAM P;\nBEGIN\nVOR;\n\n{ weiter }\nVOR;\nVOR\nEND."));
        editorWindow()->ToggleBreakpoint(0, 5);
        form->RunItemClick();
        QTRY_COMPARE(state(), TRunController::RunState::Interrupted);
        QCOMPARE(Roboter.X, 2);
    }

    // The first step back after a failure goes to the state before the
    // failed command without a word; going forward meets the failure again.
    void aStepBackAfterAFailure()
    {
        newPage(Wand);
        form->RunItemClick();
        QTRY_COMPARE(fake->boxes.size(), 1);
        QCOMPARE(Roboter.X, 15);
        QVERIFY(back()->isEnabled());
        back()->trigger();
        QCOMPARE(fake->boxes.size(), 1);
        QCOMPARE(state(), TRunController::RunState::Interrupted);
        QCOMPARE(selectedLine(), 3);  // the last VOR

        form->StepBtnClick();
        QCOMPARE(fake->boxes.size(), 2);
        QCOMPARE(fake->texts().last(), QStringLiteral("ZELK ist gegen ein  Hindernis gelaufen!"));
    }

    // Back over ARBEITSFELD the status panel names the field from before
    // it again (the world itself is the core's test).
    void aStepBackOverArbeitsfeld()
    {
        TZelle feld[FeldHoehe][FeldBreite];
        QVERIFY(RobDateiSchreiben(path("FELD.ROB").toStdString(), TZelkZustand{3, 2, 5, Nord}, feld));
        newPage(QStringLiteral("PROGRAM F;\nPROCEDURE L;\nBEGIN\nARBEITSFELD (Feld);\nVOR\nEND;\n"
                               "BEGIN\nVOR;\nL\nEND."));
        const QString panelBefore = FindLabel(form, "FeldPanel")->text();
        for (int i = 0; i < 10 && Roboter.X != 5; ++i)
            form->StepBtnClick();
        QCOMPARE(FindLabel(form, "FeldPanel")->text(), QStringLiteral("Arbeitsfeld: feld"));
        form->StepBtnClick();  // VOR after the field was loaded
        back()->trigger();     // to just after ARBEITSFELD
        QCOMPARE(FindLabel(form, "FeldPanel")->text(), QStringLiteral("Arbeitsfeld: feld"));
        QCOMPARE(Roboter.X, 5);
        back()->trigger();
        QCOMPARE(FindLabel(form, "FeldPanel")->text(), panelBefore);
        QCOMPARE(Roboter.X, 2);
    }

    // The mark stands on the line that runs next while the run can go on
    // or back, on END. after the end, and goes with the history and while
    // the timer runs. At a pause the selection agrees with it.
    void theExecutionMarkFollowsTheRun()
    {
        newPage(QStringLiteral("PROGRAM M;\nBEGIN\n  VOR;\n  IF VORNE_FREI THEN\n    VOR\nEND."));
        QCOMPARE(mark(), std::make_pair(-1, -1));
        form->StepBtnClick();  // Start's jump
        QCOMPARE(mark(), std::make_pair(0, 2));
        form->StepBtnClick();  // VOR: Einzelschritt selects what it ran, the mark what runs next
        QCOMPARE(mark(), std::make_pair(0, 3));
        form->StepBtnClick();  // the test
        QCOMPARE(mark(), std::make_pair(0, 4));
        form->RunItemClick();
        QTRY_COMPARE(state(), TRunController::RunState::Idle);
        QCOMPARE(mark(), std::make_pair(0, 5));
        back()->trigger();
        QCOMPARE(mark(), std::make_pair(0, 4));
        QCOMPARE(selected(), mark());
        FindItem(form, "Anhalten1")->trigger();
        QCOMPARE(mark(), std::make_pair(0, 4));
        FindItem(form, "Zuruecksetzen1")->trigger();  // the history ends, the run may still go on
        QVERIFY(!back()->isEnabled());
        Find<QTimer>(zelkMeldung(), "Timer1")->setInterval(100000);
        form->RunItemClick();
        QCOMPARE(mark(), std::make_pair(-1, -1));
    }

    // A failure or a breakpoint in a unit brings the unit's page to the
    // front with the line of the failing or paused word.
    void aUnitsPageComesToTheFrontAtAFailureAndAtABreakpoint()
    {
        WriteBytes(path("Werk.pas"), "UNIT Werk;\r\nINTERFACE\r\nPROCEDURE Weit;\r\nIMPLEMENTATION\r\n"
                                     "PROCEDURE Weit;\r\nBEGIN\r\n  WHILE VORNE_FREI DO VOR;\r\n  { Wand }\r\n"
                                     "  VOR\r\nEND;\r\nEND.\r\n");
        openText(QStringLiteral("Haupt.pas"), QStringLiteral("PROGRAM Haupt;\nUSES Werk;\nBEGIN\n  Weit\nEND."));
        form->RunItemClick();
        QTRY_COMPARE(fake->boxes.size(), 1);
        QCOMPARE(selected(), std::make_pair(1, 8));
        QCOMPARE(mark(), std::make_pair(1, 8));

        FindItem(form, "Anhalten1")->trigger();
        editorWindow()->SelectPage(0);
        editorWindow()->ToggleBreakpoint(1, 6);
        form->RunItemClick();
        QTRY_COMPARE(state(), TRunController::RunState::Interrupted);
        QCOMPARE(selected(), std::make_pair(1, 6));
        QCOMPARE(Roboter.X, 1);
    }

    // Lines typed during a pause move what the run shows and where its
    // breakpoints hold, until the next translation.
    void linesTypedDuringAPauseMoveTheRunsMarks()
    {
        newPage(QStringLiteral("PROGRAM T;\nBEGIN\n  VOR;\n  VOR;\n  VOR\nEND."));
        editorWindow()->ToggleBreakpoint(0, 3);
        form->RunItemClick();
        QTRY_COMPARE(state(), TRunController::RunState::Interrupted);
        QTextCursor top(editor()->document());
        top.insertText(QStringLiteral("{ neu }\n"));
        form->StepBtnClick();
        QCOMPARE(selected(), std::make_pair(0, 4));  // the VOR just run
        QCOMPARE(mark(), std::make_pair(0, 5));
        back()->trigger();
        QCOMPARE(selected(), std::make_pair(0, 4));
        QCOMPARE(mark(), std::make_pair(0, 4));
        // The breakpoint moved with its line and holds there.
        back()->trigger();
        QCOMPARE(Roboter.X, 1);
        form->RunItemClick();
        QTRY_COMPARE(state(), TRunController::RunState::Interrupted);
        QCOMPARE(Roboter.X, 2);
        QCOMPARE(selected(), std::make_pair(0, 4));
    }

    // After a translation a breakpoint stands where a run can pause: on the
    // next line with a statement's word, or nowhere; a failed one moves none.
    void aBreakpointWithoutAStatementMovesToTheNextAfterTranslating()
    {
        newPage(QStringLiteral("PROGRAM B;\nBEGIN\n\n  { Kommentar }\n  VOR\nEND.\n\n"));
        editorWindow()->ToggleBreakpoint(0, 2);
        editorWindow()->ToggleBreakpoint(0, 7);
        FindItem(form, "Compilieren1")->trigger();
        QCOMPARE(editorWindow()->BreakpointLines(0), std::vector<int>({4}));

        editor()->setPlainText(QStringLiteral("PROGRAM B;\nBEGIN\n\n  VOR\nEND"));
        editorWindow()->ToggleBreakpoint(0, 2);
        FindItem(form, "Compilieren1")->trigger();
        QCOMPARE(fake->boxes.size(), 1);
        QCOMPARE(editorWindow()->BreakpointLines(0), std::vector<int>({2}));
    }

    // Schritt zurück is enabled exactly when it can act, at every moment,
    // not only once its menu opens.
    void schrittZurueckFollowsEveryChangeOfTheWorld()
    {
        newPage(QStringLiteral("PROGRAM Z;\nBEGIN\n  VOR;\n  VOR\nEND."));
        form->StepBtnClick();
        form->StepBtnClick();
        QVERIFY(back()->isEnabled());
        FindItem(form, "Handsteuerung1")->trigger();
        auto* vor = form->findChild<QPushButton*>(QStringLiteral("vorBtn"));
        QVERIFY(vor);
        vor->click();
        QVERIFY(!back()->isEnabled());

        form->StepBtnClick();
        QVERIFY(back()->isEnabled());
        FindItem(form, "Zuruecksetzen1")->trigger();
        QVERIFY(!back()->isEnabled());
    }

    // At the end of a run a step back and Einzelschritt go on from there;
    // Compilieren of another table leaves nothing to go back to.
    void afterTheEndSteppingBackThenForwardGoesOnAndANewTableEndsTheHistory()
    {
        newPage(QStringLiteral("PROGRAM E;\nBEGIN\n  VOR;\n  VOR\nEND."));
        form->RunItemClick();
        QTRY_COMPARE(state(), TRunController::RunState::Idle);
        QCOMPARE(Roboter.X, 3);
        back()->trigger();
        QCOMPARE(Roboter.X, 2);
        form->StepBtnClick();
        QCOMPARE(Roboter.X, 3);
        QCOMPARE(selected(), std::make_pair(0, 3));

        form->StepBtnClick();  // to the end
        QVERIFY(back()->isEnabled());
        editor()->setPlainText(QStringLiteral("PROGRAM E;\nBEGIN\n  VOR\nEND."));
        FindItem(form, "Compilieren1")->trigger();
        QVERIFY(!back()->isEnabled());
        back()->trigger();
        QCOMPARE(Roboter.X, 3);
    }

    // A world changed outside the run leaves no way back to the run's own
    // world; the run goes on in the world as it is and keeps a new history.
    void aWorldEditDuringAPauseClearsTheHistory()
    {
        newPage(QStringLiteral("PROGRAM L;\nBEGIN\nVOR;\nVOR;\nVOR\nEND."));
        form->StepBtnClick();  // into the main block
        form->StepBtnClick();
        QCOMPARE(Roboter.X, 2);
        QVERIFY(back()->isEnabled());
        form->FeldChangeBtnClick();
        feldFlaeche()->VorratEinstellen(9);
        form->FeldChangeBtnClick();
        QVERIFY(!back()->isEnabled());
        back()->trigger();
        QCOMPARE(Roboter.X, 2);
        QCOMPARE(Roboter.Vorrat, 9);

        form->StepBtnClick();
        QCOMPARE(Roboter.X, 3);
        back()->trigger();
        QCOMPARE(Roboter.X, 2);
        QCOMPARE(Roboter.Vorrat, 9);
        QVERIFY(!back()->isEnabled());
    }
};

QTEST_MAIN(DebuggerTest)
#include "debugger_test.moc"
