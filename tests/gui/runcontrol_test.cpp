// Run control on the real windows: programs typed into a page are
// translated and run through Timer1 ticks, stepped, paused, continued and
// stopped, with the buttons and flags each state calls for.
#include <QtTest>

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

#include "ProgramWindows.h"
#include "SamplePrograms.h"
#include "GuiFixtures.h"
#include "RecordingPorts.h"
#include "TestFiles.h"
#include "mainwindow/RunController.h"
#include "execution/ZelkPreter.h"
#include "editor/ZelkEdit2.h"
#include "dialogs/ZelkGauge.h"
#include "mainwindow/ZelkMain.h"
#include "world/ZelkFeld.h"
#include "workfield/ZelkGrafik.h"
#include "workfield/ZelkInfo.h"

namespace {

const QString Lauf = QStringLiteral(
    "PROGRAM Lauf;\n"
    "BEGIN\n"
    "VOR;\n"
    "VOR;\n"
    "DREHE_LINKS\n"
    "END.");

const QString MitWerkzeug = QStringLiteral(
    "PROGRAM Mit;\n"
    "USES Werkzeug;\n"
    "BEGIN\n"
    "Zweimal;\n"
    "DREHE_LINKS\n"
    "END.");

// Types text key by key; a line break is the Enter key.
void TypeInto(QWidget* w, const QString& text)
{
    for (const QChar c : text) {
        if (c == '\n')
            QTest::keyClick(w, Qt::Key_Return);
        else
            QTest::keyClicks(w, QString(c));
    }
}

}  // namespace

class RunControlTest : public QObject, public ProgramFixture {
    Q_OBJECT

    // A new page with the program typed into it, as a learner would.
    void typeProgram(const QString& text)
    {
        form->FileNewItemClick();
        QVERIFY(editor());
        TypeInto(editor(), text);
        QCOMPARE(editor()->toPlainText(), text);
    }

    void openText(const QString& fileName, const QString& text)
    {
        WriteBytes(path(fileName), text.toUtf8());
        openFile(path(fileName));
    }

    QString selectedText(QPlainTextEdit* e) const { return e->textCursor().selectedText(); }

    void setSpeed(int intervalMs) { Find<QTimer>(zelkMeldung(), "Timer1")->setInterval(intervalMs); }

    bool idleButtons() const
    {
        return FindButton(form, "StartBtn")->isEnabled() &&
               FindButton(form, "StepBtn")->isEnabled() &&
               !FindButton(form, "StopBtn")->isEnabled() &&
               !FindButton(form, "PauseBtn")->isEnabled() &&
               FindMenu(form, "Arbeitsfeld1")->menuAction()->isEnabled() &&
               FindItem(form, "TeachinModus1")->isEnabled() &&
               FindButton(form, "FeldChangeBtn")->isEnabled() &&
               FindItem(form, "RunItem")->isEnabled() &&
               FindItem(form, "Einzelschritt1")->isEnabled();
    }
    bool runningButtons() const
    {
        return !FindButton(form, "StartBtn")->isEnabled() &&
               !FindButton(form, "StepBtn")->isEnabled() &&
               FindButton(form, "StopBtn")->isEnabled() &&
               FindButton(form, "PauseBtn")->isEnabled() &&
               !FindMenu(form, "Arbeitsfeld1")->menuAction()->isEnabled() &&
               !FindItem(form, "TeachinModus1")->isEnabled() &&
               !FindButton(form, "FeldChangeBtn")->isEnabled() &&
               !FindItem(form, "RunItem")->isEnabled() &&
               !FindItem(form, "Einzelschritt1")->isEnabled();
    }
    bool interruptedButtons() const
    {
        return FindButton(form, "StartBtn")->isEnabled() &&
               FindButton(form, "StepBtn")->isEnabled() &&
               FindButton(form, "StopBtn")->isEnabled() &&
               FindButton(form, "PauseBtn")->isEnabled() &&
               FindMenu(form, "Arbeitsfeld1")->menuAction()->isEnabled() &&
               !FindItem(form, "TeachinModus1")->isEnabled() &&
               !FindButton(form, "FeldChangeBtn")->isEnabled() &&
               FindItem(form, "Veraendern1")->isEnabled();
    }

private slots:
    void init()
    {
        QVERIFY(startProgram());
        setSpeed(1);
    }

    void cleanup() { stopProgram(); }

    void typedProgramRunsToItsEndThroughTimerTicks()
    {
        typeProgram(Lauf);
        QVERIFY(idleButtons());
        FindButton(form, "StartBtn")->click();
        QVERIFY(runningButtons());
        QVERIFY(Find<QTimer>(zelkMeldung(), "Timer1")->isActive());
        QTRY_VERIFY(idleButtons());
        QCOMPARE(Roboter.X, 3);
        QCOMPARE(Roboter.Y, 1);
        QCOMPARE(int(Roboter.Richtung), int(Nord));
        QCOMPARE(FindLabel(zelkMeldung(), "LabelXpos")->text(), QString("3"));
        QVERIFY(!Find<QTimer>(zelkMeldung(), "Timer1")->isActive());
        QVERIFY(fake->boxes.isEmpty());  // a normal end shows nothing
        QVERIFY(!form->Run().Ready());
        QVERIFY(!form->Run().Paused());
        QVERIFY(editor()->isEnabled());

        // Start again: the world goes back to its start state first.
        FindItem(form, "RunItem")->trigger();  // F9 in the menu
        QTRY_VERIFY(idleButtons());
        QCOMPARE(Roboter.X, 3);
        QCOMPARE(Roboter.Y, 1);
        QCOMPARE(int(Roboter.Richtung), int(Nord));
        QVERIFY(fake->boxes.isEmpty());

        // A program using a unit from another page runs as well.
        openText("WERKZEUG.PAS", Werkzeug);
        typeProgram(MitWerkzeug);
        form->RunItemClick();
        QTRY_VERIFY(idleButtons());
        QVERIFY(fake->boxes.isEmpty());
        QCOMPARE(Roboter.X, 3);
        QCOMPARE(int(Roboter.Richtung), int(Nord));
    }

    void sourceErrorsAndUnitsAreReportedNotRun()
    {
        typeProgram("PROGRAM Fehler;\nBEGIN\nVOR;\nVOR\nDREHE_LINKS\nEND.");
        form->RunItemClick();
        QCOMPARE(fake->texts(), QStringList({"END fehlt oder ; fehlt!"}));
        QCOMPARE(fake->boxes[0].icon, MsgIcon::Error);
        QCOMPARE(selectedText(editor()), QString("DREHE_LINKS"));
        QVERIFY(idleButtons());
        QVERIFY(!form->Run().Ready());
        QCOMPARE(Roboter.X, 1);
        QVERIFY(!Find<QTimer>(zelkMeldung(), "Timer1")->isActive());

        // Einzelschritt and Compilieren report the same and run nothing.
        fake->boxes.clear();
        form->StepBtnClick();
        form->Compilieren1Click();
        QCOMPARE(fake->texts(), QStringList({"END fehlt oder ; fehlt!", "END fehlt oder ; fehlt!"}));
        QVERIFY(!form->Run().Ready());

        // An error inside a unit selects its line on the unit's page; the
        // program's page is in front again afterwards.
        fake->boxes.clear();
        openText("WERKZEUG.PAS", QString(Werkzeug).replace("VOR;\nVOR\n", "VOR;\nVOR\nVOR\n"));
        const int unitPage = editorWindow()->SelectedPage();
        typeProgram(MitWerkzeug);
        const int programPage = editorWindow()->SelectedPage();
        form->RunItemClick();
        QCOMPARE(fake->texts(), QStringList({"END fehlt oder ; fehlt!"}));
        QCOMPARE(editorWindow()->SelectedPage(), programPage);
        QCOMPARE(editorWindow()->PageEditor(unitPage)->textCursor().blockNumber(), 8);
        QCOMPARE(selectedText(editorWindow()->PageEditor(unitPage)), QString("VOR"));
        QVERIFY(idleButtons());

        // A unit's page cannot be started.
        fake->boxes.clear();
        openText("HILFE.PAS", QString(Werkzeug).replace("Werkzeug", "Hilfe"));
        form->RunItemClick();
        QCOMPARE(fake->texts(), QStringList({"Kann keine UNIT starten!"}));
        QVERIFY(idleButtons());
        form->StepBtnClick();
        QCOMPARE(fake->texts(), QStringList({"Kann keine UNIT starten!", "Kann UNIT nicht starten!"}));
        QVERIFY(!form->Run().Ready());
        QCOMPARE(Roboter.X, 1);
        // "Compilieren" translates the unit silently.
        form->Compilieren1Click();
        QCOMPARE(fake->boxes.size(), 2);
    }

    void singleStepsSelectTheLinesOfCommandsAndTests()
    {
        typeProgram(Lauf);
        // The first press translates and executes the opening jump.
        form->StepBtnClick();
        QVERIFY(form->Run().Ready());
        QVERIFY(SingleStep);
        QCOMPARE(Roboter.X, 1);
        QVERIFY(idleButtons());
        QVERIFY(!Find<QTimer>(zelkMeldung(), "Timer1")->isActive());

        form->StepBtnClick();
        QCOMPARE(Roboter.X, 2);
        QCOMPARE(editor()->textCursor().blockNumber(), 2);
        QCOMPARE(selectedText(editor()), QString("VOR;"));
        FindItem(form, "Einzelschritt1")->trigger();  // F7 runs the same command
        QCOMPARE(Roboter.X, 3);
        QCOMPARE(editor()->textCursor().blockNumber(), 3);
        FindButton(form, "StepBtn")->click();
        QCOMPARE(int(Roboter.Richtung), int(Nord));
        QCOMPARE(selectedText(editor()), QString("DREHE_LINKS"));
        QVERIFY(form->Run().Ready());
        QVERIFY(!Find<QTimer>(zelkMeldung(), "Timer1")->isActive());

        // The final return ends the run: the next press starts anew from the
        // start state.
        form->StepBtnClick();
        QVERIFY(!form->Run().Ready());
        QVERIFY(idleButtons());
        QCOMPARE(Roboter.X, 3);
        form->StepBtnClick();
        QVERIFY(form->Run().Ready());
        QCOMPARE(Roboter.X, 1);
        QCOMPARE(int(Roboter.Richtung), int(Ost));
        form->StepBtnClick();
        QCOMPARE(Roboter.X, 2);
        QVERIFY(fake->boxes.isEmpty());

        for (int i = 0; i < 3; ++i)
            form->StepBtnClick();  // end this run: VOR, DREHE_LINKS, return
        QVERIFY(!form->Run().Ready());

        // Stepping into a unit procedure brings the unit's page to the front.
        openText("WERKZEUG.PAS", Werkzeug);
        const int unitPage = editorWindow()->SelectedPage();
        typeProgram(MitWerkzeug);
        const int programPage = editorWindow()->SelectedPage();
        form->StepBtnClick();  // translate; the unit's jump over its code
        form->StepBtnClick();  // the program block's jump
        form->StepBtnClick();  // the call
        QCOMPARE(editorWindow()->SelectedPage(), programPage);
        QCOMPARE(selectedText(editor()), QString("Zweimal;"));
        form->StepBtnClick();  // the procedure block's jump: nothing selected anew
        QCOMPARE(editorWindow()->SelectedPage(), programPage);
        form->StepBtnClick();  // VOR inside the unit
        QCOMPARE(editorWindow()->SelectedPage(), unitPage);
        QCOMPARE(selectedText(editor()), QString("VOR;"));
    }

    void pauseContinueAndStopFollowTheStateTable()
    {
        typeProgram(Kreis);
        setSpeed(5);
        FindButton(form, "StartBtn")->click();
        QVERIFY(runningButtons());
        QVERIFY(Find<QTimer>(zelkMeldung(), "Timer1")->isActive());
        QVERIFY(form->Run().Ready());
        QVERIFY(!form->Run().Paused());
        QTest::qWait(50);

        FindButton(form, "PauseBtn")->click();
        QVERIFY(form->Run().Paused());
        QVERIFY(interruptedButtons());
        QVERIFY(!Find<QTimer>(zelkMeldung(), "Timer1")->isActive());
        const int pc = ProgramCounter;
        const int richtung = Roboter.Richtung;
        QTest::qWait(50);
        QCOMPARE(ProgramCounter, pc);
        QCOMPARE(int(Roboter.Richtung), richtung);

        // "Compilieren" does nothing while interrupted, nor while running.
        editor()->selectAll();
        QTest::keyClicks(editor(), "kaputt");
        form->Compilieren1Click();
        QVERIFY(fake->boxes.isEmpty());

        // Start continues without translating the broken text anew.
        FindButton(form, "StartBtn")->click();
        QVERIFY(!form->Run().Paused());
        QVERIFY(runningButtons());
        QVERIFY(Find<QTimer>(zelkMeldung(), "Timer1")->isActive());
        FindItem(form, "Compilieren1")->trigger();
        QVERIFY(fake->boxes.isEmpty());
        QTRY_VERIFY(ProgramCounter != pc || int(Roboter.Richtung) != richtung);

        // Unterbrechen, Einzelschritt: the run goes on one step at a time,
        // with lines selected, and the timer stays off.
        form->PauseBtnClick();
        const int before = ProgramCounter;
        form->StepBtnClick();
        QVERIFY(ProgramCounter != before);
        QVERIFY(SingleStep);
        QVERIFY(interruptedButtons());
        QVERIFY(!Find<QTimer>(zelkMeldung(), "Timer1")->isActive());

        // Anhalten keeps both flags: Start then continues the interrupted run
        // without translating and without resetting the world.
        FindButton(form, "StopBtn")->click();
        QVERIFY(idleButtons());
        QVERIFY(form->Run().Paused());
        QVERIFY(form->Run().Ready());
        QVERIFY(!Find<QTimer>(zelkMeldung(), "Timer1")->isActive());
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.X = 5; });  // a reset would put the robot back on column 1
        form->RunItemClick();
        QVERIFY(fake->boxes.isEmpty());
        QVERIFY(runningButtons());
        QCOMPARE(Roboter.X, 5);
        QVERIFY(SingleStep);  // only a new normal run switches the highlighting off
        // Anhalten gives the editor back even when something had disabled it.
        editor()->setEnabled(false);
        form->StopBtnClick();
        QVERIFY(idleButtons());
        QVERIFY(form->Run().Ready());
        QVERIFY(editor()->isEnabled());

        // Editing the field while idle keeps Start and Einzelschritt off.
        form->FeldChangeBtnClick();
        QVERIFY(!FindButton(form, "StartBtn")->isEnabled());
        QVERIFY(!FindItem(form, "RunItem")->isEnabled());
        QVERIFY(!FindMenu(form, "Start1")->menuAction()->isEnabled());
        form->FeldChangeBtnClick();
        QVERIFY(idleButtons());
    }

    void worldFailureHaltsTheRunWithTheButtonsRunning()
    {
        typeProgram(Wand);
        form->RunItemClick();
        QTRY_COMPARE(fake->boxes.size(), 1);
        QCOMPARE(fake->boxes[0].text, QString("ZELK ist gegen ein  Hindernis gelaufen!"));
        QTRY_VERIFY(!Find<QTimer>(zelkMeldung(), "Timer1")->isActive());
        QCOMPARE(Roboter.X, 15);
        QVERIFY(runningButtons());
        QTest::qWait(30);
        QCOMPARE(fake->boxes.size(), 1);

        form->StopBtnClick();
        QVERIFY(idleButtons());
        QVERIFY(form->Run().Ready());
        // The halted run cannot go on: Einzelschritt starts anew from the
        // start state instead of doing nothing.
        form->StepBtnClick();
        QVERIFY(form->Run().Ready());
        QVERIFY(!Welt.Abbruch);
        QCOMPARE(Roboter.X, 1);
        form->StepBtnClick();  // the test, shown on its line
        QCOMPARE(selectedText(editor()), QString("WHILE VORNE_FREI DO VOR;"));
        form->StepBtnClick();
        form->StepBtnClick();
        QCOMPARE(Roboter.X, 2);

        // Interrupted, then a single step into the wall: Start runs anew
        // instead of resuming a run that cannot go on.
        form->RunItemClick();
        form->PauseBtnClick();
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.X = 15; });
        QTRY_VERIFY(!Welt.Abbruch && form->Run().Paused());
        while (!Welt.Abbruch && form->Run().Paused())
            form->StepBtnClick();
        QCOMPARE(fake->boxes.size(), 2);
        QVERIFY(interruptedButtons());
        form->RunItemClick();
        QVERIFY(runningButtons());
        QVERIFY(!form->Run().Paused());
        QVERIFY(Find<QTimer>(zelkMeldung(), "Timer1")->isActive());
        QTRY_COMPARE(fake->boxes.size(), 3);
        QCOMPARE(Roboter.X, 15);
    }

    void endOfRunClearsTheFlagsAnhaltenKeepsThem()
    {
        typeProgram(Lauf);
        setSpeed(100000);  // no tick comes: the test steps by hand
        form->RunItemClick();
        QVERIFY(form->Run().Ready());
        form->PauseBtnClick();
        QVERIFY(form->Run().Paused());
        for (int i = 0; i < 3; ++i)
            form->StepBtnClick();
        QCOMPARE(Roboter.X, 3);
        QVERIFY(form->Run().Paused());
        form->StepBtnClick();  // the final return
        QVERIFY(!form->Run().Paused());
        QVERIFY(!form->Run().Ready());
        QVERIFY(idleButtons());

        // Start now translates anew and starts from the start state.
        form->RunItemClick();
        QCOMPARE(Roboter.X, 1);
        QVERIFY(form->Run().Ready());
        QVERIFY(runningButtons());
        form->StopBtnClick();
        QVERIFY(form->Run().Ready());

        // ABSCHALTEN ends the run as the last END does.
        form->FileNewItemClick();
        TypeInto(editor(), "PROGRAM Aus;\nBEGIN\nVOR;\nABSCHALTEN;\nVOR\nEND.");
        setSpeed(1);
        form->RunItemClick();
        QTRY_VERIFY(idleButtons());
        QCOMPARE(Roboter.X, 2);
        QVERIFY(!form->Run().Ready());
        QVERIFY(!form->Run().Paused());

        // So does a stack error: a function that returns nothing.
        form->FileNewItemClick();
        TypeInto(editor(), "PROGRAM Stapel;\nFUNCTION Leer;\nBEGIN\nEND;\nBEGIN\nIF Leer THEN VOR\nEND.");
        form->RunItemClick();
        form->PauseBtnClick();
        QVERIFY(form->Run().Paused() && form->Run().Ready());
        while (fake->boxes.isEmpty() && form->Run().Ready())
            form->StepBtnClick();
        QCOMPARE(fake->texts(), QStringList({"Stackunterlauf! - Funktion ohne Returnanweisung?"}));
        QVERIFY(!form->Run().Ready());
        QVERIFY(!form->Run().Paused());
        QVERIFY(idleButtons());
    }

    void compilierenAfterAnhaltenNeverStepsTheOldRunThroughANewTable()
    {
        typeProgram(Lauf);
        form->StepBtnClick();  // translate, the opening jump
        form->StepBtnClick();  // VOR
        QCOMPARE(Roboter.X, 2);
        form->StopBtnClick();
        QVERIFY(form->Run().Ready());

        // Translating the same text again leaves the waiting run as it was:
        // Einzelschritt goes on with the second VOR.
        form->Compilieren1Click();
        QVERIFY(fake->boxes.isEmpty());
        QVERIFY(form->Run().Ready());
        form->StepBtnClick();
        QCOMPARE(Roboter.X, 3);
        QCOMPARE(selectedText(editor()), QString("VOR;"));

        // A changed text: the waiting run's place means nothing in the new
        // table, so Einzelschritt starts the new program from the start state.
        editor()->selectAll();
        TypeInto(editor(), "PROGRAM Drehen;\nBEGIN\nDREHE_LINKS;\nDREHE_LINKS;\nDREHE_LINKS\nEND.");
        form->Compilieren1Click();
        QVERIFY(fake->boxes.isEmpty());
        QVERIFY(!form->Run().Ready());
        form->StepBtnClick();
        QCOMPARE(Roboter.X, 1);
        QCOMPARE(int(Roboter.Richtung), int(Ost));
        form->StepBtnClick();
        QCOMPARE(int(Roboter.Richtung), int(Nord));
        QCOMPARE(editor()->textCursor().blockNumber(), 2);

        // A text that does not translate leaves no run to continue either.
        form->StopBtnClick();
        editor()->selectAll();
        TypeInto(editor(), "PROGRAM Kaputt;\nBEGIN\nVOR\nVOR\nEND.");
        form->Compilieren1Click();
        QCOMPARE(fake->texts(), QStringList({"END fehlt oder ; fehlt!"}));
        QVERIFY(!form->Run().Ready());
        fake->boxes.clear();
        form->StepBtnClick();
        QCOMPARE(fake->texts(), QStringList({"END fehlt oder ; fehlt!"}));
        QCOMPARE(int(Roboter.Richtung), int(Nord));
    }

    void withoutAPageTheRunCommandsDoNothing()
    {
        form->RunItemClick();
        form->StepBtnClick();
        form->Compilieren1Click();
        QVERIFY(idleButtons());
        QVERIFY(!form->Run().Ready());
        QVERIFY(fake->boxes.isEmpty());

        form->FileNewItemClick();
        form->FileCloseItemClick();
        QCOMPARE(editorWindow()->PageCount(), 0);
        FindButton(form, "StartBtn")->click();
        FindButton(form, "StepBtn")->click();
        FindItem(form, "Compilieren1")->trigger();
        QVERIFY(idleButtons());
        QVERIFY(!form->Run().Ready());
        QVERIFY(fake->boxes.isEmpty());
        QVERIFY(!compilerDlg()->isVisible());
    }

    void theRunControllerNeedsNoWindow()
    {
        // All the controller tells, it tells through its signals.
        RecordingMessages messages;
        RecordingDisplay display;
        RecordingProgress progress;
        MemoryPages pages;
        TRunController control;
        PortsGuard guard(&messages, &display, &control.Port(), &progress, &pages);
        QList<TRunController::RunState> states;
        QList<bool> timer;
        int stops = 0;
        connect(&control, &TRunController::StateChanged, this, [&](auto state) { states << state; });
        connect(&control, &TRunController::Timer1Switched, this, [&](bool on) { timer << on; });
        connect(&control, &TRunController::Stopped, this, [&] { ++stops; });

        control.Start();  // no page, nothing to translate
        control.Einzelschritt();
        QVERIFY(states.isEmpty() && timer.isEmpty());

        pages.addText("Kurz", "PROGRAM Kurz;\nBEGIN\nVOR\nEND.");
        control.Start();
        QCOMPARE(states, QList<TRunController::RunState>{TRunController::RunState::Running});
        QCOMPARE(timer, QList<bool>{true});
        QVERIFY(control.Ready());
        while (Step()) {  // the ticks of Timer1
        }
        // The interpreter ended the run through the port.
        QCOMPARE(states.last(), TRunController::RunState::Idle);
        QCOMPARE(control.State(), TRunController::RunState::Idle);
        QCOMPARE(timer.last(), false);
        QCOMPARE(stops, 1);
        QVERIFY(!control.Ready() && !control.Paused());
        QCOMPARE(Roboter.X, 2);
        QVERIFY(messages.shown.empty());
    }
};

QTEST_MAIN(RunControlTest)
#include "runcontrol_test.moc"
#include "WorldSnapshot.h"
