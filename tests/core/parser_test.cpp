// Translating programs: code shapes, every source error with its message and
// line, the limits of the table, the work field clause and nesting, and what
// the compile progress dialog is told.
#include <QtTest>

#include "TranslatorHarness.h"

class ParserTest : public QObject {
    Q_OBJECT
private slots:
    void exampleProgramTranslatesInstructionForInstruction()
    {
        TranslatorHarness h;
        QCOMPARE(h.compile("PROGRAM Beispiel;\n"
                           "PROCEDURE R;\n"
                           "BEGIN\n"
                           "  DREHE_LINKS; DREHE_LINKS; DREHE_LINKS\n"
                           "END;\n"
                           "BEGIN\n"
                           "  WHILE VORNE_FREI DO VOR;\n"
                           "  R\n"
                           "END."),
                 1);
        QCOMPARE(CodeListing(), Strings({"0 opJump 6 1 0", "1 opJump 2 2 0", "2 opDreheLinks 0 3 0",
                                         "3 opDreheLinks 0 3 0", "4 opDreheLinks 0 3 0", "5 opReturn 0 4 0",
                                         "6 opTest 2 6 0", "7 opJumpIfFalse 10 6 0", "8 opVor 0 6 0",
                                         "9 opJump 6 6 0", "10 opCall 1 8 0", "11 opReturn 0 8 0"}));
        QVERIFY(h.messages.shown.empty());
    }

    void statementAndExpressionShapes()
    {
        struct Case { const char* body; Strings ops; };
        const Case cases[] = {
            {"", {}},
            {";;;", {}},
            {"IF HAT_VORRAT THEN GIB_AB", {"opTest 0", "opJumpIfFalse 4", "opGibAb 0"}},
            {"IF PLATZ_BELEGT THEN NIMM_AUF ELSE VOR",
             {"opTest 1", "opJumpIfFalse 5", "opNimmAuf 0", "opJump 6", "opVor 0"}},
            {"REPEAT VOR; DREHE_LINKS UNTIL NOT NOT VORNE_FREI",
             {"opVor 0", "opDreheLinks 0", "opTest 2", "opLogic 0", "opLogic 0", "opJumpIfFalse 1"}},
            // NOT binds tightest, then AND, then OR.
            {"WHILE NORDWAERTS OR OSTWAERTS AND NOT SUEDWAERTS DO ABSCHALTEN",
             {"opTest 5", "opTest 6", "opTest 7", "opLogic 0", "opLogic 1", "opLogic 2",
              "opJumpIfFalse 10", "opAbschalten 0", "opJump 1"}},
            {"RETURN (WESTWAERTS OR RECHTS_FREI) AND LINKS_FREI",
             {"opTest 8", "opTest 3", "opLogic 2", "opTest 4", "opLogic 1"}},
            {"BEGIN VOR; BEGIN END END", {"opVor 0"}},
        };
        for (const Case& c : cases) {
            TranslatorHarness h;
            QCOMPARE(h.compile(std::string("PROGRAM P; BEGIN ") + c.body + " END."), 1);
            Strings expected{"opJump 1"};
            expected.insert(expected.end(), c.ops.begin(), c.ops.end());
            expected.push_back("opReturn 0");
            QCOMPARE(h.ops(), expected);
        }
    }

    void nestedDeclarationsAndCalls()
    {
        TranslatorHarness h;
        QCOMPARE(h.compile("PROGRAM P;\n"
                           "PROCEDURE A;\n"
                           "  FUNCTION F; BEGIN RETURN VORNE_FREI; IF F THEN VOR END;\n"
                           "  BEGIN IF F THEN A END;\n"
                           "PROCEDURE B; BEGIN A END;\n"
                           "BEGIN B; A END. garbage } ä after the period is never read"),
                 1);
        QCOMPARE(h.ops(), Strings({"opJump 15", "opJump 8", "opJump 3", "opTest 2", "opCall 2",
                                   "opJumpIfFalse 7", "opVor 0", "opReturn 0", "opCall 2",
                                   "opJumpIfFalse 11", "opCall 1", "opReturn 0", "opJump 13",
                                   "opCall 1", "opReturn 0", "opCall 12", "opCall 1", "opReturn 0"}));
        QVERIFY(h.messages.shown.empty());
    }

    void eachSourceErrorShowsItsMessageAndSelectsItsLine()
    {
        struct Case { const char* text; const char* message; int line; };
        const Case cases[] = {
            {"BEGIN END.", "PROGRAM oder UNIT fehlt!", 0},
            {"PROGRAM P;\nPROCEDURE ;", "Bezeichner fehlt!", 1},
            {"PROGRAM P\nBEGIN END.", " ;  fehlt!", 1},
            {"PROGRAM P;\nBEGIN VOR END;", " .  fehlt!", 1},
            {"PROGRAM P;\nBEGIN\nEND", " .  fehlt!", 2},  // clamped to the last line
            {"PROGRAM P;\nVOR END.", "BEGIN fehlt!", 1},
            {"PROGRAM P; BEGIN\nARBEITSFELD X); END.", "( fehlt", 1},
            {"PROGRAM P; BEGIN\nARBEITSFELD (X; END.", ") fehlt", 1},
            {"PROGRAM P; BEGIN\nIF (VORNE_FREI THEN VOR END.", ") fehlt", 1},
            {"PROGRAM P; BEGIN VOR\nVOR END.", "END fehlt oder ; fehlt!", 1},
            {"PROGRAM P; BEGIN IF VORNE_FREI THEN VOR;\nELSE VOR END.", "END fehlt oder ; fehlt!", 1},
            {"PROGRAM P; BEGIN BEGIN IF VORNE_FREI THEN VOR;\nELSE VOR END END.", "END fehlt!", 1},
            {"PROGRAM P; BEGIN\nLINKSUM END.", "Bezeichner unbekannt!", 1},
            {"PROGRAM P; BEGIN A;\nEND.\nPROCEDURE A;", "Bezeichner unbekannt!", 0},
            {"PROGRAM P; BEGIN\nREPEAT VOR END.", "UNTIL fehlt!", 1},
            {"PROGRAM P; BEGIN\nWHILE VORNE_FREI VOR END.", "DO fehlt!", 1},
            {"PROGRAM P; BEGIN\nIF VORNE_FREI VOR END.", "THEN fehlt!", 1},
            {"PROGRAM P; BEGIN\nIF THEN VOR END.", "Fehlerhafter Ausdruck", 1},
            {"PROGRAM P; BEGIN\nIF OR VORNE_FREI THEN VOR END.", "Fehlerhafter Ausdruck", 1},
            {"PROGRAM P; BEGIN\nWHILE AND VORNE_FREI DO VOR END.", "Fehlerhafter Ausdruck", 1},
            {"PROGRAM P; BEGIN\nRETURN NOT END.", "Fehlerhafter Ausdruck", 1},
            {"PROGRAM P;\nPROCEDURE A; PROCEDURE B; BEGIN END; BEGIN END;\nPROCEDURE B; BEGIN END;\nBEGIN END.",
             "Bezeichner doppelt deklariert!", 2},
            {"PROGRAM P; PROCEDURE A; BEGIN END;\nBEGIN IF A THEN VOR END.",
             "Eine Prozedur kann nicht als Funktion verwendet werden!", 1},
            {"PROGRAM P; FUNCTION F; BEGIN RETURN HAT_VORRAT END;\nBEGIN F END.",
             "Eine Funktion kann nicht als Prozedur verwendet werden!", 1},
            {"UNIT U;\nPROCEDURE X;", "INTERFACE fehlt!", 1},
            {"UNIT U; INTERFACE PROCEDURE X;\nBEGIN END.", "IMLEMENTATION fehlt!", 1},
            {"UNIT U; INTERFACE IMPLEMENTATION\nBEGIN END.", "END fehlt!", 1},
        };
        for (const Case& c : cases) {
            TranslatorHarness h;
            h.add("Other", "PROGRAM O; BEGIN END.");
            QCOMPARE(h.compile(c.text), 0);
            QCOMPARE(h.messages.texts(), Strings({c.message}));
            QCOMPARE(h.messages.shown[0].title, std::string("Error"));
            QCOMPARE(h.pages.highlightedPage, 1);
            QCOMPARE(h.pages.highlightedLine, c.line);
            QCOMPARE(h.pages.selected, 1);
        }
    }

    void onlyTheFirstErrorIsShownAndLoopsStillGetTheirJumps()
    {
        TranslatorHarness h;
        QCOMPARE(h.compile("PROGRAM P; BEGIN WHILE VORNE_FREI VOR; IF THEN; X END"), 0);
        QCOMPARE(h.messages.texts(), Strings({"DO fehlt!"}));
        QCOMPARE(h.ops(), Strings({"opJump 1", "opTest 2", "opJumpIfFalse 4", "opJump 1"}));
        TranslatorHarness scan;
        // A scanner message alone does not fail a translation; text that ends in one is accepted.
        QCOMPARE(scan.compile("PROGRAM P; {$ D- } BEGIN VOR END }"), 1);
        QCOMPARE(scan.messages.texts(), Strings({"Unbekannte Compilerdirektive", "Unerwartetes Ereignis ?"}));
        TranslatorHarness mid;
        QCOMPARE(mid.compile("PROGRAM P; BEGIN VOR; 1 END."), 0);
        QCOMPARE(mid.messages.texts(),
                 Strings({"Falsches Zeichen am Beginn eines Wortes.", "END fehlt oder ; fehlt!"}));
    }

    void tableHoldsExactlyThousandInstructions()
    {
        auto program = [](int commands) {
            std::string text = "PROGRAM P; BEGIN\n";
            for (int i = 0; i < commands; ++i)
                text += "VOR;\n";
            return text + "END.";
        };
        TranslatorHarness fits;
        QCOMPARE(fits.compile(program(998)), 1);
        QCOMPARE(CodeCount, 1000);
        TranslatorHarness full;
        QCOMPARE(full.compile(program(999)), 0);
        QCOMPARE(CodeCount, 1000);
        QCOMPARE(full.messages.texts(), Strings({"Speicherplatz zu klein!"}));
        QCOMPARE(full.pages.highlightedLine, 1000);  // the END after the last VOR;
        QVERIFY(!EmitErrorHook);                       // released after the run
    }

    void workFieldClausesCountAcrossTheRun()
    {
        auto program = [](int clauses) {
            std::string text = "PROGRAM P;\n";
            for (int i = 0; i < clauses - 1; ++i)
                text += "PROCEDURE P" + std::to_string(i) + "; BEGIN ARBEITSFELD(F" + std::to_string(i) + "); END;\n";
            return text + "BEGIN ARBEITSFELD (LAST); VOR END.";
        };
        TranslatorHarness ten;
        QCOMPARE(ten.compile(program(10)), 1);
        QCOMPARE(WorkFieldCount, 10);
        QCOMPARE(WorkFieldNames[0], std::string("F0"));
        QCOMPARE(WorkFieldNames[9], std::string("LAST"));
        QCOMPARE(ten.ops()[size_t(CodeCount) - 3], std::string("opArbeitsfeld 9"));
        TranslatorHarness eleven;
        QCOMPARE(eleven.compile(program(11)), 0);
        QCOMPARE(eleven.messages.texts(), Strings({"Nur 10 versch. Arbeitsfelder sind erlaubt!"}));
        QCOMPARE(eleven.pages.highlightedLine, 11);
        QCOMPARE(WorkFieldNames[10], std::string("LAST"));
        QCOMPARE(eleven.ops().back(), std::string("opArbeitsfeld 10"));
    }

    void deepNestingEndsInAMessageNotACrash()
    {
        const std::string tenMegabytes(10 << 20, '(');
        const std::vector<std::string> hostile = {
            "PROGRAM P; BEGIN IF " + tenMegabytes,
            [] { std::string s = "PROGRAM P; BEGIN WHILE "; for (int i = 0; i < 100000; ++i) s += "NOT "; return s; }(),
            [] { std::string s = "PROGRAM P; BEGIN "; for (int i = 0; i < 100000; ++i) s += "BEGIN REPEAT IF VORNE_FREI THEN "; return s; }(),
            [] { std::string s = "PROGRAM P; "; for (int i = 0; i < 100000; ++i) s += "PROCEDURE A" + std::to_string(i) + ";"; return s; }(),
        };
        for (const std::string& text : hostile) {
            TranslatorHarness h;
            QCOMPARE(h.compile(text), 0);
            QCOMPARE(h.messages.texts(), Strings({"Speicherplatz zu klein!"}));
        }
        // Ordinary deep nesting still translates.
        TranslatorHarness h;
        QCOMPARE(h.compile("PROGRAM P; BEGIN IF " + std::string(150, '(') + "VORNE_FREI" +
                           std::string(150, ')') + " THEN VOR END."),
                 1);
    }

    void nestingIsAllowedUpToTheLimitItself()
    {
        // Block, IF statement and condition take three levels; each bracket
        // one more. Exactly MaxNesting levels translate, one more does not.
        auto program = [](int brackets) {
            return "PROGRAM P; BEGIN IF " + std::string(size_t(brackets), '(') + "VORNE_FREI" +
                   std::string(size_t(brackets), ')') + " THEN VOR END.";
        };
        TranslatorHarness atLimit;
        QCOMPARE(atLimit.compile(program(MaxNesting - 3)), 1);
        QVERIFY(atLimit.messages.shown.empty());
        TranslatorHarness beyond;
        QCOMPARE(beyond.compile(program(MaxNesting - 2)), 0);
        QCOMPARE(beyond.messages.texts(), Strings({"Speicherplatz zu klein!"}));

        // NOT counts like a bracket, and statements nest into the same count.
        std::string nots;
        for (int i = 0; i < MaxNesting - 3; ++i)
            nots += "NOT ";
        TranslatorHarness negated;
        QCOMPARE(negated.compile("PROGRAM P; BEGIN WHILE " + nots + "VORNE_FREI DO VOR END."), 1);
        TranslatorHarness negatedBeyond;
        QCOMPARE(negatedBeyond.compile("PROGRAM P; BEGIN WHILE NOT " + nots + "VORNE_FREI DO VOR END."), 0);
        auto blocks = [](int n) {
            std::string s = "PROGRAM P; BEGIN ";
            for (int i = 0; i < n; ++i)
                s += "BEGIN ";
            s += "VOR";
            for (int i = 0; i < n; ++i)
                s += " END";
            return s + " END.";
        };
        TranslatorHarness deepBlocks;
        QCOMPARE(deepBlocks.compile(blocks(MaxNesting - 2)), 1);
        TranslatorHarness tooDeepBlocks;
        QCOMPARE(tooDeepBlocks.compile(blocks(MaxNesting - 1)), 0);
        QCOMPARE(tooDeepBlocks.messages.texts(), Strings({"Speicherplatz zu klein!"}));
    }

    void progressIsToldLabelsAndFinishedLines()
    {
        TranslatorHarness h;
        QCOMPARE(h.compile("PROGRAM P;\nBEGIN\nVOR\nEND."), 1);
        QCOMPARE(h.progress.calls, Strings({"Show", "DateiLabel Robo.pas", "AktDateiLabel Robo.pas",
                                            "ShowProgress 1", "ShowProgress 2", "ShowProgress 3",
                                            "ShowProgress 4", "Close"}));  // the period's look-ahead ends line 3
    }

    void withoutAPageNothingHappens()
    {
        RecordingMessages messages;
        RecordingProgress progress;
        {
            PortsGuard guard(&messages, nullptr, nullptr, &progress, nullptr);
            QCOMPARE(Compile(), 0);
        }
        MemoryPages pages;
        {
            PortsGuard guard(&messages, nullptr, nullptr, &progress, &pages);
            QCOMPARE(Compile(), 0);
        }
        QVERIFY(messages.shown.empty());
        QVERIFY(progress.calls.empty());
    }

    void anyBytesTranslateToAMessage()
    {
        std::string noise;
        for (int i = 0; i < 4096; ++i)
            noise += char((i * 7919) & 0xFF);
        for (const std::string& text : {"PROGRAM P; BEGIN VOR " + noise, std::string("PROGRAM P;\0BEGIN END.", 21), noise}) {
            TranslatorHarness h;
            QCOMPARE(h.compile(text), 0);
            QVERIFY(!h.messages.shown.empty());
        }
    }
};

QTEST_APPLESS_MAIN(ParserTest)
#include "parser_test.moc"
