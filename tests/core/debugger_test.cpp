// Debugging a run: where breakpoints pause it, and the run's history behind
// "Schritt zurück" (after a failure, over ARBEITSFELD, far back and forward
// again, and only within one run).
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

#include "TranslatorHarness.h"
#include "WorldSnapshot.h"
#include "execution/Debugger.h"
#include "execution/ZelkPreter.h"
#include "execution/ZelkStart.h"
#include "world/ZelkDatei.h"
#include "world/ZelkFeld.h"

namespace {

// Everything a step back must bring back: the whole world and the interpreter.
struct RunState {
    WorldSnapshot world;
    TInterpreterState interpreter = SaveInterpreter();

    bool operator==(const RunState& o) const
    {
        const TInterpreterState& a = interpreter;
        const TInterpreterState& b = o.interpreter;
        return world == o.world && a.ProgramCounter == b.ProgramCounter && a.CallStack == b.CallStack &&
               a.ValueStack == b.ValueStack && a.End == b.End && a.CurrentInstruction.Op == b.CurrentInstruction.Op &&
               a.CurrentInstruction.Arg == b.CurrentInstruction.Arg &&
               a.CurrentInstruction.Line == b.CurrentInstruction.Line &&
               a.CurrentInstruction.Page == b.CurrentInstruction.Page;
    }
};

// Walks from wall to wall for ever, dropping and taking items at the walls:
// calls, a function's value, tests, moves and turns. Needs supply to start.
const char* const Pendel = "PROGRAM P;\n"
                           "FUNCTION Frei; BEGIN RETURN VORNE_FREI END;\n"
                           "PROCEDURE Kehrt; BEGIN DREHE_LINKS; DREHE_LINKS END;\n"
                           "BEGIN\n"
                           "  WHILE HAT_VORRAT OR PLATZ_BELEGT DO BEGIN\n"
                           "    IF Frei THEN VOR ELSE BEGIN\n"
                           "      Kehrt;\n"
                           "      IF PLATZ_BELEGT THEN NIMM_AUF ELSE GIB_AB\n"
                           "    END\n"
                           "  END\n"
                           "END.";

}  // namespace

class DebuggerTest : public QObject {
    Q_OBJECT

    RecordingDisplay display;
    RecordingRunControl control;

    // Translates text as the only page and starts it as Start does.
    void Start(TranslatorHarness& h, const std::string& text)
    {
        h.add("P", text);
        QCOMPARE(int(StartRun(0)), int(TStartResult::Started));
        setWorldDisplay(&display);
        setRunControl(&control);
    }

private slots:
    void init()
    {
        ResetWorld();
        display = RecordingDisplay();
        control = RecordingRunControl();
    }
    void cleanup()
    {
        setWorldDisplay(nullptr);
        setRunControl(nullptr);
    }

    void breakpointsPauseWhereTheRunArrivesAtTheirLine_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("pauses");
        // 14 steps east are free on the empty field.
        QTest::newRow("a loop on one line: once per pass")
            << "PROGRAM P;\nBEGIN\n  WHILE VORNE_FREI DO VOR\nEND." << 2 << 15;
        QTest::newRow("a line of several commands: once") << "PROGRAM P;\nBEGIN\n  VOR; VOR; DREHE_LINKS; VOR\nEND."
                                                          << 2 << 1;
        QTest::newRow("a conditional jump falling through: no pause")
            << "PROGRAM P;\nBEGIN\n  IF VORNE_FREI THEN VOR; VOR\nEND." << 2 << 1;
        QTest::newRow("a conditional jump taken on the line: a pause")
            << "PROGRAM P;\nBEGIN\n  IF NOT VORNE_FREI THEN VOR; DREHE_LINKS\nEND." << 2 << 2;
        // The call, VOR in R after R's jump, VOR after the return.
        QTest::newRow("a call, a jump and a return taken on one line")
            << "PROGRAM P; PROCEDURE R; BEGIN VOR END; BEGIN R; VOR END." << 0 << 3;
        // A call's translated line is that of the word after its name.
        QTest::newRow("a call on a line without semicolon, once per pass")
            << "PROGRAM P; PROCEDURE ZWEI_VOR; BEGIN VOR; VOR END;\nBEGIN\n  REPEAT\n    ZWEI_VOR\n"
               "  UNTIL NOT VORNE_FREI\nEND."
            << 3 << 7;
        QTest::newRow("a branch not taken: no pause")
            << "PROGRAM P; PROCEDURE RECHTS_UM; BEGIN DREHE_LINKS END;\nBEGIN\n  IF RECHTS_FREI THEN\n"
               "    RECHTS_UM\n  ELSE\n    VOR\nEND."
            << 3 << 0;
        QTest::newRow("a procedure's END: at each return")
            << "PROGRAM P;\nPROCEDURE R;\nBEGIN\n  VOR\nEND;\nBEGIN\n  R; R\nEND." << 4 << 2;
        QTest::newRow("the program's END.: once at the end")
            << "PROGRAM P;\nBEGIN\n  WHILE VORNE_FREI DO\n    VOR\nEND." << 4 << 1;
        QTest::newRow("the program's END. after ABSCHALTEN: never")
            << "PROGRAM P;\nBEGIN\n  VOR; ABSCHALTEN\nEND." << 3 << 0;
        QTest::newRow("a comment line: never") << "PROGRAM P;\nBEGIN\n  VOR;\n  { weiter }\n  VOR\nEND." << 3 << 0;
    }
    void breakpointsPauseWhereTheRunArrivesAtTheirLine()
    {
        QFETCH(QString, program);
        QFETCH(int, line);
        QFETCH(int, pauses);
        TranslatorHarness h;
        Start(h, program.toStdString());
        TDebugger debugger;
        debugger.Breakpoints().Set(0, line, true);
        // As the run control does: Start steps, then a pause check before each tick.
        int paused = 0;
        for (int tick = 0; tick < 1000 && debugger.Step();) {
            if (debugger.PauseBeforeNext()) {
                ++paused;
                int page = -1;
                int markLine = -1;
                QVERIFY(debugger.ExecutionMark(page, markLine));
                QCOMPARE(markLine, line);
            }
            ++tick;
        }
        QCOMPARE(paused, pauses);
        QCOMPARE(int(RunEnd()), int(TRunEnd::Ended));
    }

    // Each word on a line of its own, after blank lines and comments: the
    // lines a breakpoint can hold are exactly those of the words.
    void breakpointsGoByTheLineOfTheWord()
    {
        TranslatorHarness h;
        h.add("P", "PROGRAM P;\n"                     // 0
                   "PROCEDURE R;\n"                   // 1
                   "BEGIN\n"                          // 2
                   "  ARBEITSFELD\n"                  // 3
                   "  (F);\n"                         // 4
                   "  { vor }\n"                      // 5
                   "\n"                               // 6
                   "  VOR\n"                          // 7
                   "END;\n"                           // 8
                   "BEGIN (* Anfang *)\n"             // 9
                   "  IF NOT\n"                       // 10
                   "    VORNE_FREI THEN\n"            // 11
                   "    R\n"                          // 12
                   "  ELSE\n"                         // 13
                   "    ABSCHALTEN\n"                 // 14
                   "END.");                           // 15
        QCOMPARE(int(StartRun(0)), int(TStartResult::Started));
        QCOMPARE(StopLines(0), std::vector<int>({3, 7, 8, 11, 12, 14, 15}));
        QCOMPARE(StopLineFrom(StopLines(0), 9), 11);
        QCOMPARE(StopLineFrom(StopLines(0), 16), -1);
    }

    // The mark shows the instruction with a word that runs next, following
    // the jumps of IF and WHILE as the values on the stack decide them; after
    // the end it stays on what ended the run.
    void theExecutionMarkStandsWhereTheRunGoesOn_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("line");
        const QString ifElse = "PROGRAM P;\nBEGIN\n  IF VORNE_FREI THEN\n    VOR\n  ELSE\n    DREHE_LINKS\nEND.";
        const QString ifNot = "PROGRAM P;\nBEGIN\n  IF NOT VORNE_FREI THEN\n    VOR\n  ELSE\n    DREHE_LINKS\nEND.";
        QTest::newRow("before IF's jump, taken into THEN") << ifElse << 2 << 3;
        QTest::newRow("before IF's jump, taken into ELSE") << ifNot << 3 << 5;
        const QString loop = "PROGRAM P;\nBEGIN\n  WHILE NOT VORNE_FREI DO\n    VOR;\n  DREHE_LINKS\nEND.";
        QTest::newRow("before WHILE's jump out of the loop") << loop << 3 << 4;
        QTest::newRow("after the end: END.") << "PROGRAM P;\nBEGIN\n  VOR\nEND." << 3 << 3;
        QTest::newRow("after ABSCHALTEN: its line") << "PROGRAM P;\nBEGIN\n  ABSCHALTEN;\n  VOR\nEND." << 2 << 2;
        QTest::newRow("after a failure: the failing word")
            << "PROGRAM P;\nBEGIN\n  DREHE_LINKS; DREHE_LINKS;\n  { Wand }\n  VOR\nEND." << 4 << 4;
    }
    void theExecutionMarkStandsWhereTheRunGoesOn()
    {
        QFETCH(QString, program);
        QFETCH(int, steps);
        QFETCH(int, line);
        TranslatorHarness h;
        Start(h, program.toStdString());
        TDebugger debugger;
        for (int i = 0; i < steps; ++i)
            debugger.Step();
        int page = -1, mark = -1;
        QVERIFY(debugger.ExecutionMark(page, mark));
        QCOMPARE(page, 0);
        QCOMPARE(mark, line);
        int failedPage = -1, failedLine = -1;
        QCOMPARE(debugger.FailurePlace(failedPage, failedLine), RunEnd() == TRunEnd::Failure);
    }

    // Each step back takes back one thing a learner can see: in a loop the
    // mark goes test, move, test, move, and Zelk one square per move.
    void aStepBackTakesBackUpToAShownInstruction()
    {
        TranslatorHarness h;
        Start(h, "PROGRAM P;\nBEGIN\n  WHILE VORNE_FREI DO\n    VOR\nEND.");
        TDebugger debugger;
        while (debugger.Step()) {
        }
        QCOMPARE(int(Roboter.X), 15);
        std::vector<int> marks;
        std::vector<int> xs;
        for (int i = 0; i < 5; ++i) {
            QVERIFY(debugger.StepBack());
            QVERIFY(TDebugger::Shown(Code[ProgramCounter]));
            int page = -1, line = -1;
            QVERIFY(debugger.ExecutionMark(page, line));
            marks.push_back(line);
            xs.push_back(Roboter.X);
        }
        QCOMPARE(marks, std::vector<int>({2, 3, 2, 3, 2}));
        QCOMPARE(xs, std::vector<int>({15, 14, 14, 13, 13}));
        // Before the first test only Start's jump is left: back to the start.
        while (debugger.CanStepBack())
            QVERIFY(debugger.StepBack());
        QCOMPARE(ProgramCounter, 0);
        QCOMPARE(int(Roboter.X), 1);
    }

    void aStepBackAfterAFailureGoesToTheStateBeforeIt()
    {
        TranslatorHarness h;
        Start(h, "PROGRAM P; BEGIN DREHE_LINKS; DREHE_LINKS; VOR END.");
        TDebugger debugger;
        std::vector<RunState> before;
        do
            before.emplace_back();
        while (debugger.Step());
        const RunState failed;
        QCOMPARE(h.messages.texts(), Strings{"ZELK ist gegen ein  Hindernis gelaufen!"});
        QCOMPARE(int(RunEnd()), int(TRunEnd::Failure));

        display.calls.clear();
        QVERIFY(debugger.StepBack());
        QVERIFY(RunState() == before.back());
        // Replaying the turns from the run's start drew nothing and showed nothing.
        QCOMPARE(display.calls, Strings({"RepaintAll", "ZeigePosition 1 1", "ZeigeMaterial 0"}));
        QCOMPARE(h.messages.shown.size(), size_t(1));
        QVERIFY(control.calls.empty());

        // Forward again meets the wall again, and says so again.
        QVERIFY(!debugger.Step());
        QVERIFY(RunState() == failed);
        QCOMPARE(h.messages.shown.size(), size_t(2));

        QVERIFY(debugger.StepBack());
        QVERIFY(debugger.StepBack());
        QVERIFY(RunState() == before[before.size() - 2]);
    }

    void aStepBackOverArbeitsfeldNeedsNoFile()
    {
        QTemporaryDir dir;
        const QString oldDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        TZelle feld[FeldHoehe][FeldBreite];
        feld[4][4].Anzahl = 3;
        QVERIFY(RobDateiSchreiben("FELD.ROB", TZelkZustand{7, 5, 5, Nord}, feld));

        TranslatorHarness h;
        Start(h, "PROGRAM P; PROCEDURE L; BEGIN ARBEITSFELD(Feld); VOR END; BEGIN VOR; L; VOR END.");
        TDebugger debugger;
        debugger.ClearHistory("Arbeitsfeld: ");
        while (Code[ProgramCounter].Op != opArbeitsfeld)
            QVERIFY(debugger.Step());
        const RunState beforeLoad;
        QVERIFY(debugger.Step());
        const RunState loaded;
        QCOMPARE(Welt.Dateiname, std::string("FELD.ROB"));
        QVERIFY(debugger.Step());
        QVERIFY(QFile::remove("FELD.ROB"));
        QVERIFY(QDir::setCurrent(oldDir));

        QVERIFY(debugger.StepBack() && debugger.StepBack());
        QVERIFY(RunState() == beforeLoad);
        QCOMPARE(display.feldPanel, std::string("Arbeitsfeld: "));
        QVERIFY(debugger.Step());
        QVERIFY(RunState() == loaded);
        QCOMPARE(display.feldPanel, std::string("Arbeitsfeld: feld"));
        QVERIFY(h.messages.shown.empty());
    }

    void stepsBackThenForwardGiveTheSameRun_data()
    {
        QTest::addColumn<int>("run");
        QTest::addColumn<int>("back");
        QTest::newRow("one") << 3 * 4096 + 123 << 1;
        QTest::newRow("to a snapshot") << 3 * 4096 + 123 << 123;
        QTest::newRow("across snapshots") << 3 * 4096 + 123 << 2 * 4096 + 7;
        QTest::newRow("a million") << 1000000 + 11 << 1000000;
    }
    void stepsBackThenForwardGiveTheSameRun()
    {
        QFETCH(int, run);
        QFETCH(int, back);
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.Vorrat = 5; });
        Welt.Uebernehmen();
        TranslatorHarness h;
        Start(h, Pendel);
        TDebugger debugger;
        std::optional<RunState> there;
        for (int i = 0; i < run; ++i) {
            if (i == run - back)
                there.emplace();
            QVERIFY(debugger.Step());
        }
        const RunState end;

        QVERIFY(debugger.StepBackInstructions(std::uint64_t(back)));
        QVERIFY(RunState() == *there);
        for (int i = 0; i < back; ++i)
            QVERIFY(debugger.Step());
        QVERIFY(RunState() == end);
        QVERIFY(h.messages.shown.empty());
    }

    void theHistoryBelongsToOneRun()
    {
        TranslatorHarness h;
        Start(h, "PROGRAM P; BEGIN VOR; VOR END.");
        TDebugger debugger;
        QVERIFY(!debugger.CanStepBack());
        QVERIFY(debugger.Step() && debugger.Step());
        QVERIFY(debugger.CanStepBack());
        debugger.ClearHistory("");  // the world was changed outside the run
        QVERIFY(!debugger.CanStepBack());
        QVERIFY(debugger.Step());
        QVERIFY(debugger.CanStepBack());
        InitRun(0);  // a new run
        QVERIFY(debugger.Step());
        QVERIFY(debugger.CanStepBack());
        QVERIFY(debugger.StepBack());
        QVERIFY(!debugger.CanStepBack());
    }
};

QTEST_APPLESS_MAIN(DebuggerTest)
#include "debugger_test.moc"
