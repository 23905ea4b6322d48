// The interpreter against the world model: runs of small instruction tables,
// the two stacks and their limits, highlighting in single step, and the
// order "stop first, then show the box".
#include <QtTest>

#include "RecordingPorts.h"
#include "WorldSnapshot.h"
#include "execution/ZelkCode.h"
#include "execution/ZelkPreter.h"
#include "world/ZelkFeld.h"

namespace {

struct Befehl {
    int op;
    int arg;
    int line = 0;
    int page = 0;
};

void Programm(std::initializer_list<Befehl> befehle)
{
    ResetCode();
    for (const Befehl& b : befehle)
        Emit(std::uint8_t(b.op), b.arg, b.line, b.page);
}

// Steps until Step returns false; the number of steps taken.
int LaufeBisEnde(int grenze = 100000)
{
    int n = 0;
    while (n < grenze) {
        ++n;
        if (!Step())
            break;
    }
    return n;
}

// The example: procedure R turns left three times; the main body walks
// while VORNE_FREI and then calls R. R lives on page 1, the main block on 0.
void BeispielProgramm()
{
    Programm({{opJump, 6, 0, 0},        {opJump, 2, 1, 1},     {opDreheLinks, 0, 2, 1},
              {opDreheLinks, 0, 3, 1},  {opDreheLinks, 0, 4, 1}, {opReturn, 0, 5, 1},
              {opTest, 2, 7, 0},        {opJumpIfFalse, 10, 7, 0}, {opVor, 0, 8, 0},
              {opJump, 6, 8, 0},        {opCall, 1, 9, 0},     {opReturn, 0, 10, 0}});
}

}  // namespace

class InterpreterTest : public QObject {
    Q_OBJECT

    RecordingMessages messages;
    RecordingDisplay display;
    RecordingRunControl control;
    MemoryPages pages;
    // What the run control had been told when the last box came up.
    std::vector<std::string> controlBeimDialog;
    bool abbruchBeimDialog = false;

    void Ports(bool mitSeiten)
    {
        setMessages(&messages);
        setWorldDisplay(&display);
        setRunControl(&control);
        setSourcePages(mitSeiten ? &pages : nullptr);
    }

private slots:
    void init()
    {
        ResetWorld();
        ResetCode();
        messages = RecordingMessages();
        display = RecordingDisplay();
        control = RecordingRunControl();
        pages = MemoryPages();
        pages.addText("Haupt", "");
        pages.addText("Einheit", "");
        controlBeimDialog.clear();
        messages.onShow = [this](const ShownMessage&) {
            controlBeimDialog = control.calls;
            abbruchBeimDialog = Welt.Abbruch;
        };
        Ports(false);
    }
    void cleanup()
    {
        setMessages(nullptr);
        setWorldDisplay(nullptr);
        setRunControl(nullptr);
        setSourcePages(nullptr);
    }

    void exampleTableWalksToTheWallAndTurnsThreeTimes()
    {
        BeispielProgramm();
        InitRun(0);
        // 1 jump, 14 rounds of test/jump/move/jump, the last test and jump,
        // the call, R's jump, three turns, two returns.
        QCOMPARE(LaufeBisEnde(), 1 + 14 * 4 + 2 + 1 + 1 + 3 + 2);
        QVERIFY(WorldSnapshot::sameRobot(Roboter, TZelkZustand{0, 1, 15, Sued}));
        QVERIFY(messages.shown.empty());
        QCOMPARE(control.calls, (std::vector<std::string>{"Timer1 off", "StopBtnClick"}));
        QCOMPARE(ProgramCounter, 0);
        QCOMPARE(int(CallStackPointer), 0);
        QCOMPARE(int(ValueStackPointer), 0);
        QCOMPARE(display.calls.size(), size_t(14 * 2 + 3));
        QCOMPARE(display.calls.back(), std::string("SetzeBild 15 1 0 3"));
        QVERIFY(!Welt.Abbruch);
    }

    void shortestProgramsEndWithoutAMessage()
    {
        Programm({{opJump, 1}, {opReturn, 0}});
        InitRun(0);
        QVERIFY(Step());
        QVERIFY(!Step());
        QCOMPARE(control.stops, 1);

        Programm({{opJump, 1}, {opAbschalten, 0}, {opVor, 0}, {opReturn, 0}});
        InitRun(0);
        QCOMPARE(LaufeBisEnde(), 2);
        QCOMPARE(control.stops, 2);
        QCOMPARE(Roboter.X, 1);
        QVERIFY(messages.shown.empty());
    }

    void singleStepHighlightsTestsCommandsCallsOnly()
    {
        Ports(true);
        BeispielProgramm();
        InitRun(1);
        LaufeBisEnde();
        std::vector<std::string> erwartet;
        auto hell = [&](int page, int line) {
            erwartet.push_back("SelectPage " + std::to_string(page));
            erwartet.push_back("HighlightLine " + std::to_string(line));
        };
        for (int i = 0; i < 14; ++i) {
            hell(0, 7);  // the WHILE test
            hell(0, 8);  // VOR
        }
        hell(0, 7);
        hell(0, 9);  // the call, on the caller's page
        hell(1, 2);  // the first command inside R brings its page forward
        hell(1, 3);
        hell(1, 4);
        QCOMPARE(pages.calls, erwartet);

        // A normal run highlights nothing until single step is switched on.
        init();
        Ports(true);
        BeispielProgramm();
        InitRun(0);
        for (int i = 0; i < 4; ++i)  // jump, test, conditional jump, VOR
            QVERIFY(Step());
        QVERIFY(pages.calls.empty());
        SetSingleStep(1);
        QVERIFY(Step());  // the jump back: never highlighted
        QVERIFY(Step());  // the test
        QCOMPARE(pages.calls, (std::vector<std::string>{"SelectPage 0", "HighlightLine 7"}));

        // A page the editor does not have is not selected; no editor at all is fine.
        Programm({{opJump, 1}, {opDreheLinks, 0, 3, 7}, {opReturn, 0}});
        pages.calls.clear();
        InitRun(1);
        LaufeBisEnde();
        QVERIFY(pages.calls.empty());
        Ports(false);
        InitRun(1);
        QCOMPARE(LaufeBisEnde(), 3);
    }

    void callsNest1023DeepAndThe1024thOverflows()
    {
        // R calls itself without end; after it, R's return.
        Programm({{opJump, 4}, {opJump, 2}, {opCall, 1}, {opReturn, 0}, {opCall, 1}, {opReturn, 0}});
        InitRun(0);
        QVERIFY(Step());
        int aufrufe = 0;
        while (CallStackPointer < CallStackSize) {
            if (Code[ProgramCounter].Op == opCall)
                ++aufrufe;
            QVERIFY(Step());
        }
        QCOMPARE(aufrufe, 1023);
        QVERIFY(messages.shown.empty());
        QCOMPARE(CallStack[1], 0);
        QCOMPARE(CallStack[2], 5);
        QCOMPARE(CallStack[1024], 3);

        // From here the self-call is skipped: 1023 returns unwind to the end.
        Code[2] = TInstruction{opJump, 3, 0, 0};
        LaufeBisEnde(5000);
        QVERIFY(messages.shown.empty());
        QCOMPARE(control.stops, 1);
        QCOMPARE(int(CallStackPointer), 0);

        // Once more without the skip: one call beyond the limit.
        Code[2] = TInstruction{opCall, 1, 0, 0};
        InitRun(0);
        control.calls.clear();
        while (CallStackPointer < CallStackSize)
            QVERIFY(Step());
        QVERIFY(Step());            // R's opening jump
        CallStack[CallStackSize] = 999;
        QVERIFY(!Step());           // the 1024th nested call
        QCOMPARE(CallStack[CallStackSize], 3);  // its return index took the top entry
        QCOMPARE(messages.texts(), std::vector<std::string>{"Stacküberlauf!"});
        QCOMPARE(controlBeimDialog, (std::vector<std::string>{"Timer1 off", "StopBtnClick"}));
        QCOMPARE(int(CallStackPointer), CallStackSize);
        QCOMPARE(ProgramCounter, 1);
    }

    void valueStackOverflowsOnThe101stValue()
    {
        Programm({{opJump, 1}, {opTest, 6}, {opJump, 1}});
        InitRun(0);
        QVERIFY(Step());
        for (int i = 0; i < 100; ++i) {
            QVERIFY(Step());
            QVERIFY(Step());
        }
        QCOMPARE(int(ValueStackPointer), 100);
        QVERIFY(messages.shown.empty());
        QVERIFY(!Step());
        QCOMPARE(messages.texts(),
                 std::vector<std::string>{"Stacküberlauf! Mehrere Returnanweisungen in einem Funktionsaufruf?"});
        QCOMPARE(controlBeimDialog, (std::vector<std::string>{"Timer1 off", "StopBtnClick"}));
        QCOMPARE(int(ValueStackPointer), 100);
        QCOMPARE(messages.shown[0].title, std::string("Error"));
        QVERIFY(messages.shown[0].icon == MsgIcon::Error);
    }

    void anEmptyValueStackEndsTheStep()
    {
        const std::string unterlauf = "Stackunterlauf! - Funktion ohne Returnanweisung?";
        // The IF finds no value: the jump is not taken.
        Programm({{opJump, 1}, {opJumpIfFalse, 3}, {opVor, 0}, {opReturn, 0}});
        InitRun(0);
        QVERIFY(Step());
        QVERIFY(!Step());
        QCOMPARE(messages.texts(), std::vector<std::string>{unterlauf});
        QCOMPARE(controlBeimDialog, (std::vector<std::string>{"Timer1 off", "StopBtnClick"}));
        QCOMPARE(ProgramCounter, 2);

        // AND with one value: nothing is pushed back.
        Programm({{opJump, 1}, {opTest, 6}, {opLogic, 1}, {opReturn, 0}});
        InitRun(0);
        QCOMPARE(LaufeBisEnde(), 3);
        QCOMPARE(int(ValueStackPointer), 0);
        QCOMPARE(messages.texts().back(), unterlauf);

        Programm({{opJump, 1}, {opLogic, 0}, {opReturn, 0}});
        InitRun(0);
        QCOMPARE(LaufeBisEnde(), 2);
        QCOMPARE(int(ValueStackPointer), 0);
        QCOMPARE(messages.shown.size(), size_t(3));
        QCOMPARE(control.stops, 3);
    }

    void everyTestNumberAsksItsOwnWorldTest_data()
    {
        // The answers of tests 0..8 (HAT_VORRAT, PLATZ_BELEGT, VORNE_FREI,
        // RECHTS_FREI, LINKS_FREI, NORDWAERTS, OSTWAERTS, SUEDWAERTS,
        // WESTWAERTS) in the bottom-left corner.
        QTest::addColumn<int>("richtung");
        QTest::addColumn<int>("vorrat");
        QTest::addColumn<QString>("antworten");
        QTest::newRow("east") << int(Ost) << 0 << "001010100";
        QTest::newRow("north") << int(Nord) << 0 << "001101000";
        QTest::newRow("west") << int(West) << 0 << "000100001";
        QTest::newRow("south") << int(Sued) << 0 << "000010010";
        QTest::newRow("east, carrying, on an item") << int(Ost) << 1 << "111010100";
    }
    void everyTestNumberAsksItsOwnWorldTest()
    {
        QFETCH(int, richtung);
        QFETCH(int, vorrat);
        QFETCH(QString, antworten);
        WeltSetzen([&](TWeltZustand& w) { w.Roboter = TZelkZustand{vorrat, 1, 1, TRichtung(richtung)}; });
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(1, 1).Anzahl = vorrat; });
        ResetCode();
        Emit(opJump, 1, 0, 0);
        for (int nummer = 0; nummer < antworten.size(); ++nummer)
            Emit(opTest, nummer, 0, 0);
        InitRun(0);
        QVERIFY(Step());
        QString gefunden;
        while (gefunden.size() < antworten.size() && Step())
            gefunden += QChar('0' + ValueStack[ValueStackPointer]);
        QCOMPARE(gefunden, antworten);
        QVERIFY(messages.shown.empty());
    }

    void logicCombinesTruthValues_data()
    {
        QTest::addColumn<bool>("a");
        QTest::addColumn<bool>("b");
        QTest::addColumn<int>("op");
        QTest::addColumn<int>("ergebnis");
        for (int a = 0; a < 2; ++a)
            for (int b = 0; b < 2; ++b) {
                QTest::addRow("%d and %d", a, b) << bool(a) << bool(b) << 1 << (a & b);
                QTest::addRow("%d or %d", a, b) << bool(a) << bool(b) << 2 << (a | b);
            }
        QTest::addRow("not 0") << false << false << 0 << 1;
        QTest::addRow("not 1") << true << true << 0 << 0;
    }
    void logicCombinesTruthValues()
    {
        QFETCH(bool, a);
        QFETCH(bool, b);
        QFETCH(int, op);
        QFETCH(int, ergebnis);
        // Ostwaerts (6) is true for the new robot, HatVorrat (0) false.
        const int testA = a ? 6 : 0;
        const int testB = b ? 6 : 0;
        if (op == 0)
            Programm({{opJump, 1}, {opTest, testA}, {opLogic, 0}, {opReturn, 0}});
        else
            Programm({{opJump, 1}, {opTest, testA}, {opTest, testB}, {opLogic, op}, {opReturn, 0}});
        InitRun(0);
        for (int i = 0; i < (op == 0 ? 3 : 4); ++i)
            QVERIFY(Step());
        QCOMPARE(int(ValueStackPointer), 1);
        QCOMPARE(int(ValueStack[1]), ergebnis);
    }

    void aFailingActionHaltsTheRunUntilInitRun()
    {
        Programm({{opJump, 1}, {opDreheLinks, 0}, {opDreheLinks, 0}, {opVor, 0}, {opVor, 0}, {opReturn, 0}});
        InitRun(0);
        QCOMPARE(LaufeBisEnde(), 4);
        QCOMPARE(messages.texts(), std::vector<std::string>{"ZELK ist gegen ein  Hindernis gelaufen!"});
        QVERIFY(abbruchBeimDialog);
        QVERIFY(control.calls.empty());  // halted, not ended: the buttons stay

        // Further steps only switch the timer off.
        const WorldSnapshot vorher;
        QVERIFY(!Step());
        QVERIFY(!Step());
        QCOMPARE(control.calls, (std::vector<std::string>{"Timer1 off", "Timer1 off"}));
        QCOMPARE(ProgramCounter, 4);
        QVERIFY(WorldSnapshot() == vorher);
        QCOMPARE(messages.shown.size(), size_t(1));

        InitRun(0);
        QVERIFY(!Welt.Abbruch);
        QVERIFY(Step());
    }

    void aFinishedRunSteppedAgainEndsAgain()
    {
        BeispielProgramm();
        InitRun(0);
        LaufeBisEnde();
        QCOMPARE(int(CallStackPointer), 0);
        // Stepping on: the program starts over with no return index left.
        // Its last return must end the run rather than read below the stack.
        // Facing south at the wall: straight to R, which turns to face west.
        QCOMPARE(LaufeBisEnde(), 10);
        QCOMPARE(control.stops, 2);
        QCOMPARE(int(CallStackPointer), 0);
        QCOMPARE(ProgramCounter, 0);
        QVERIFY(WorldSnapshot::sameRobot(Roboter, TZelkZustand{0, 1, 15, West}));
        // And once more: back along the row.
        QCOMPARE(LaufeBisEnde(), 66);
        QCOMPARE(control.stops, 3);
        QCOMPARE(int(CallStackPointer), 0);
        QVERIFY(WorldSnapshot::sameRobot(Roboter, TZelkZustand{0, 1, 1, Nord}));
        QVERIFY(messages.shown.empty());
    }

    void brokenTablesGiveAnInternalError()
    {
        // Nothing translated.
        InitRun(0);
        QVERIFY(!Step());
        QCOMPARE(messages.texts(), std::vector<std::string>{"Interner Fehler"});
        QCOMPARE(controlBeimDialog, (std::vector<std::string>{"Timer1 off", "StopBtnClick"}));

        // A jump past the last instruction.
        Programm({{opJump, 1000}});
        InitRun(0);
        QVERIFY(Step());
        QVERIFY(!Step());
        QCOMPARE(messages.shown.size(), size_t(2));
        QCOMPARE(control.stops, 2);

        // Unknown test, logic operator, work field index and operation: the run goes on.
        Programm({{opJump, 1}, {opTest, 9}, {opLogic, 3}, {opArbeitsfeld, 11}, {12, 0}, {opReturn, 0}});
        InitRun(0);
        QCOMPARE(LaufeBisEnde(), 6);
        QCOMPARE(messages.texts(), std::vector<std::string>(6, "Interner Fehler"));
        QCOMPARE(int(ValueStackPointer), 0);
        QCOMPARE(control.stops, 3);
        QVERIFY(display.calls.empty());
    }

    void arbeitsfeldLoadsTheNamedWorld()
    {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString alt = QDir::currentPath();
        QVERIFY(QDir::setCurrent(tmp.path()));
        WeltSetzen([&](TWeltZustand& w) { w.Roboter = TZelkZustand{3, 5, 5, Nord}; });
        Welt.Uebernehmen();
        QVERIFY(Welt.Speichern("WELT1.ROB"));
        Welt.Loeschen();
        Welt.Grundstellung();

        Ports(true);
        Programm({{opJump, 1}, {opArbeitsfeld, 0, 2, 0}, {opVor, 0, 3, 0}, {opArbeitsfeld, 1, 4, 0}, {opReturn, 0}});
        WorkFieldNames[0] = "WELT1";
        WorkFieldNames[1] = "FEHLT";
        InitRun(1);
        QVERIFY(Step());
        QVERIFY(Step());
        QVERIFY(WorldSnapshot::sameRobot(Roboter, TZelkZustand{3, 5, 5, Nord}));
        QCOMPARE(display.feldPanel, std::string("Arbeitsfeld: welt1"));
        QCOMPARE(display.calls.back(), std::string("RepaintAll"));
        QVERIFY(Step());
        QVERIFY(!Step());
        QDir::setCurrent(alt);
        QCOMPARE(messages.texts(), std::vector<std::string>{"Arbeitsfeld nicht gefunden!"});
        QVERIFY(abbruchBeimDialog);
        QCOMPARE(Roboter.Y, 6);  // the world keeps its state
        QCOMPARE(pages.calls, (std::vector<std::string>{"SelectPage 0", "HighlightLine 2", "SelectPage 0",
                                                        "HighlightLine 3", "SelectPage 0", "HighlightLine 4"}));
    }
};

QTEST_APPLESS_MAIN(InterpreterTest)
#include "interpreter_test.moc"
