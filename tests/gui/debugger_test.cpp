// Finding a mistake in the real windows: a breakpoint pauses a run as
// Unterbrechen does, with its line selected; "Schritt zurück" takes back
// the last instruction, also over a failure and over ARBEITSFELD; a change
// of the world outside the run leaves nothing to go back to.
#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

#include "GuiFixtures.h"
#include "ProgramWindows.h"
#include "SamplePrograms.h"
#include "TestFiles.h"
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
    TRunController::RunState state() const { return form->Run().State(); }
    int selectedLine() const { return editor()->textCursor().blockNumber(); }
    QAction* back() const { return FindItem(form, "SchrittZurueck1"); }

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
        back()->trigger();
        QCOMPARE(FindLabel(form, "FeldPanel")->text(), panelBefore);
        QCOMPARE(Roboter.X, 2);
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
