// Units: the USES clause, code layout of several units, unit errors and the
// page they select, unit files in the current directory, and calls to
// interface names whose implementation comes later in the unit.
#include <QtTest>

#include <fstream>

#include "TranslatorHarness.h"
#include "text/TextCodec.h"

namespace {

std::string unit(const std::string& name, const std::string& body)
{
    return "UNIT " + name + "; INTERFACE PROCEDURE X;\nIMPLEMENTATION\nPROCEDURE X; BEGIN " + body +
           " END;\nEND.";
}

// The first instruction of the body that a call at index leads to.
int calledBodyOp(int index)
{
    const int block = Code[index].Arg;
    return Code[Code[block].Arg].Op;
}

// Runs a test inside an empty temporary directory as the current directory.
class InTemporaryDirectory {
public:
    InTemporaryDirectory() : old(QDir::currentPath()) { QVERIFY(QDir::setCurrent(dir.path())); }
    ~InTemporaryDirectory() { QDir::setCurrent(old); }
    void write(const std::string& name, const std::string& text)
    {
        std::ofstream(dir.filePath(QString::fromStdString(name)).toStdString(), std::ios::binary) << text;
    }
    QTemporaryDir dir;
private:
    QString old;
};

}  // namespace

class UnitsTest : public QObject {
    Q_OBJECT
private slots:
    void clauseOrderDecidesAndTheProgramsOwnNameWins()
    {
        struct Case { const char* program; int bodyOp; };
        const Case cases[] = {
            {"PROGRAM P; USES A, B; BEGIN X END.", opVor},
            {"PROGRAM P; USES B, A; BEGIN X END.", opDreheLinks},
            {"PROGRAM P; USES A, B; PROCEDURE X; BEGIN GIB_AB END; BEGIN X END.", opGibAb},
        };
        for (const Case& c : cases) {
            TranslatorHarness h;
            h.add("A", unit("A", "VOR"));
            h.add("B", unit("B", "DREHE_LINKS"));
            QCOMPARE(h.compile(c.program), 1);
            QCOMPARE(calledBodyOp(CodeCount - 2), c.bodyOp);
            QCOMPARE(h.pages.selected, 2);
        }
    }

    void twoUnitsComeFirstEachJumpingOverItself()
    {
        TranslatorHarness h;
        h.add("A", unit("A", "VOR"));
        h.add("B", unit("B", "DREHE_LINKS"));
        QCOMPARE(h.compile("PROGRAM P; USES A, B; BEGIN END."), 1);
        QCOMPARE(CodeListing(), Strings({"0 opJump 4 2 0", "1 opJump 2 2 0", "2 opVor 0 2 0", "3 opReturn 0 2 0",
                                         "4 opJump 8 2 1", "5 opJump 6 2 1", "6 opDreheLinks 0 2 1",
                                         "7 opReturn 0 2 1", "8 opJump 9 0 2", "9 opReturn 0 0 2"}));
        QCOMPARE(h.pages.calls, Strings({"SelectPage 2", "SelectPage 0", "SelectPage 2", "SelectPage 1",
                                         "SelectPage 2", "SelectPage 2"}));
    }

    void aUnitIsTranslatedOnceWhereverItIsNamed()
    {
        TranslatorHarness h;
        h.add("B", "UNIT B; INTERFACE PROCEDURE Y; IMPLEMENTATION PROCEDURE Y; BEGIN VOR END; END.");
        h.add("A", "UNIT A; INTERFACE USES B; PROCEDURE X;\n"
                   "IMPLEMENTATION PROCEDURE X; BEGIN Y END; END.");
        QCOMPARE(h.compile("PROGRAM P; USES A, B, A; BEGIN X; Y END."), 1);
        QCOMPARE(h.ops(), Strings({"opJump 4", "opJump 2", "opVor 0", "opReturn 0", "opJump 8", "opJump 6",
                                   "opCall 1", "opReturn 0", "opJump 9", "opCall 5", "opCall 1", "opReturn 0"}));
        QCOMPARE(h.progress.calls, Strings({"Show", "DateiLabel Robo.pas", "AktDateiLabel Robo.pas",
                                            "AktDateiLabel A.pas", "AktDateiLabel B.pas", "ShowProgress 1",
                                            "AktDateiLabel A.pas", "ShowProgress 1", "ShowProgress 2",
                                            "AktDateiLabel Robo.pas", "ShowProgress 1", "Close"}));
    }

    void unitErrorsSelectTheirLineOnTheRightPage()
    {
        struct Case { std::string unitText; std::string program; const char* message; int page; int line; };
        const Case cases[] = {
            {"UNIT A; INTERFACE IMPLEMENTATION END.", "PROGRAM P;\nUSES NIRGENDS;\nBEGIN END.",
             "Unit nicht gefunden", 1, 1},
            {"PROGRAM A; BEGIN END.", "PROGRAM P;\nUSES A; BEGIN END.", "Kann keine Unit-Deklaration finden", 0, 0},
            {"UNIT A; INTERFACE PROCEDURE X;\nIMPLEMENTATION\nEND.", "PROGRAM P; USES A; BEGIN END.",
             "Unbekannter Fehler !", 0, 2},
            {"UNIT A; INTERFACE PROCEDURE X;\nIMPLEMENTATION\nPROCEDURE Z; BEGIN END; END.",
             "PROGRAM P; USES A; BEGIN END.", "Bezeichner unbekannt!", 0, 2},
            {unit("A", "IF VORNE_FREI VOR"), "PROGRAM P; USES A; BEGIN X END.", "THEN fehlt!", 0, 2},
            {unit("A", "VOR"), "PROGRAM P; USES A;\nBEGIN X; Y END.", "Bezeichner unbekannt!", 1, 1},
            {unit("A", "VOR"), "PROGRAM P; USES A\nBEGIN X END.", " ;  fehlt!", 1, 1},
        };
        for (const Case& c : cases) {
            InTemporaryDirectory empty;
            TranslatorHarness h;
            h.add("A", c.unitText);
            QCOMPARE(h.compile(c.program), 0);
            QCOMPARE(h.messages.texts(), Strings({c.message}));
            QCOMPARE(h.pages.highlightedPage, c.page);
            QCOMPARE(h.pages.highlightedLine, c.line);
            QCOMPARE(h.pages.selected, 1);  // the page selected at the start is in front again
        }
    }

    void unitFilesAreReadFromTheCurrentDirectoryInAnyCase()
    {
        for (const char* fileName : {"WERKZEUG.pas", "werkzeug.PAS", "Werkzeug.pas"}) {
            InTemporaryDirectory dir;
            dir.write(fileName, "UNIT WERKZEUG; INTERFACE PROCEDURE LINKSUM;\r\n"
                                "IMPLEMENTATION PROCEDURE LINKSUM; BEGIN DREHE_LINKS END;\r\nEND.\r\n");
            TranslatorHarness h;
            QCOMPARE(h.compile("PROGRAM P; USES Werkzeug; BEGIN LinksUm END."), 1);
            QCOMPARE(h.pages.PageCount(), 2);
            QCOMPARE(h.pages.PageName(1), std::string("Werkzeug"));
            QCOMPARE(h.pages.calls[1], std::string("AddPage Werkzeug"));
            QCOMPARE(calledBodyOp(CodeCount - 2), int(opDreheLinks));
            QCOMPARE(Code[1].Page, 1);
            // Next time the page is open and wins over the file, unsaved edits included.
            h.pages.pages[1].lines = SplitLines("UNIT WERKZEUG; INTERFACE PROCEDURE LINKSUM;\n"
                                                "IMPLEMENTATION PROCEDURE LINKSUM; BEGIN VOR END; END.");
            h.pages.SelectPage(0);
            QCOMPARE(Compile(), 1);
            QCOMPARE(h.pages.PageCount(), 2);
            QCOMPARE(calledBodyOp(CodeCount - 2), int(opVor));
        }
    }

    void theExactSpellingOfAUnitFileWinsOverOtherCases()
    {
        // The name is scanned as WERKZEUG, so WERKZEUG.pas is exact. The
        // other spellings each turn the robot differently; WERKZEUG.PAS
        // comes first in byte order, so only the exact check picks the right one.
        auto body = [](const char* command) {
            return "UNIT WERKZEUG; INTERFACE PROCEDURE LINKSUM;\r\nIMPLEMENTATION PROCEDURE LINKSUM; BEGIN " +
                   std::string(command) + " END;\r\nEND.\r\n";
        };
        InTemporaryDirectory dir;
        dir.write("Werkzeug.pas", body("NIMM_AUF"));
        dir.write("WERKZEUG.PAS", body("GIB_AB"));
        dir.write("WERKZEUG.pas", body("VOR"));
        TranslatorHarness h;
        QCOMPARE(h.compile("PROGRAM P; USES Werkzeug; BEGIN LinksUm END."), 1);
        QCOMPARE(calledBodyOp(CodeCount - 2), int(opVor));

        // Without the exact name the first spelling in byte order is taken.
        QVERIFY(QFile::remove(dir.dir.filePath("WERKZEUG.pas")));
        TranslatorHarness other;
        QCOMPARE(other.compile("PROGRAM P; USES Werkzeug; BEGIN LinksUm END."), 1);
        QCOMPARE(calledBodyOp(CodeCount - 2), int(opGibAb));
    }

    void interfaceNamesActAsForwardDeclarationsInsideTheUnit()
    {
        TranslatorHarness h;
        QCOMPARE(h.compile("UNIT U; INTERFACE PROCEDURE Y; PROCEDURE X; FUNCTION F;\n"
                           "IMPLEMENTATION\n"
                           "PROCEDURE Y; BEGIN IF F THEN X END;\n"
                           "PROCEDURE X; BEGIN VOR END;\n"
                           "FUNCTION F; BEGIN RETURN VORNE_FREI END;\n"
                           "END."),
                 2);
        QCOMPARE(h.ops(), Strings({"opJump 12", "opJump 2", "opCall 9", "opJumpIfFalse 5", "opCall 6",
                                   "opReturn 0", "opJump 7", "opVor 0", "opReturn 0", "opJump 10", "opTest 2",
                                   "opReturn 0"}));

        TranslatorHarness kinds;
        QCOMPARE(kinds.compile("UNIT U; INTERFACE PROCEDURE Y; PROCEDURE X;\n"
                               "IMPLEMENTATION PROCEDURE Y; BEGIN X END;\n"
                               "FUNCTION X; BEGIN RETURN VORNE_FREI END;\nEND."),
                 0);
        QCOMPARE(kinds.messages.texts(), Strings({"Eine Funktion kann nicht als Prozedur verwendet werden!"}));
        QCOMPARE(kinds.pages.highlightedLine, 2);
    }

    void aUnitCutShortByAScannerMessage()
    {
        // Without a call into the missing part the program still translates.
        TranslatorHarness quiet;
        quiet.add("U", "UNIT U; INTERFACE PROCEDURE X; PROCEDURE Y;\n"
                       "IMPLEMENTATION PROCEDURE X; BEGIN VOR END; }");
        QCOMPARE(quiet.compile("PROGRAM P; USES U; BEGIN X END."), 1);
        QCOMPARE(quiet.messages.texts(), Strings({"Unerwartetes Ereignis ?"}));
        // A call that would jump nowhere is refused where it stands.
        TranslatorHarness h;
        h.add("U", "UNIT U; INTERFACE PROCEDURE X; PROCEDURE Y;\n"
                   "IMPLEMENTATION PROCEDURE X; BEGIN VOR END; }");
        QCOMPARE(h.compile("PROGRAM P; USES U;\nBEGIN X;\nY END."), 0);
        QCOMPARE(h.messages.texts(), Strings({"Unerwartetes Ereignis ?", "Unbekannter Fehler !"}));
        QCOMPARE(h.pages.highlightedPage, 1);
        QCOMPARE(h.pages.highlightedLine, 2);
    }

    void aUnitIsTakenUpByTheNameItIsUsedUnder()
    {
        // A.pas heads itself UNIT B by mistake; B, named next, is still read
        // from its own page, so both sets of procedures are there.
        TranslatorHarness h;
        h.add("A", "UNIT B; INTERFACE PROCEDURE X; IMPLEMENTATION PROCEDURE X; BEGIN VOR END; END.");
        h.add("B", "UNIT B; INTERFACE PROCEDURE Y; IMPLEMENTATION PROCEDURE Y; BEGIN GIB_AB END; END.");
        QCOMPARE(h.compile("PROGRAM P; USES A, B; BEGIN X; Y END."), 1);
        QCOMPARE(calledBodyOp(CodeCount - 3), int(opVor));
        QCOMPARE(calledBodyOp(CodeCount - 2), int(opGibAb));
        QVERIFY(h.messages.shown.empty());
    }

    void aScannerMessageEndsAUnitQuietlyAndItsNamesCanBeImplementedLater()
    {
        // Right after the USES clause, after the interface: no parser message.
        for (const char* text : {"UNIT V; INTERFACE USES W; } PROCEDURE Z;", "UNIT V; INTERFACE PROCEDURE Z; }"}) {
            TranslatorHarness h;
            h.add("W", "UNIT W; INTERFACE IMPLEMENTATION END.");
            QCOMPARE(h.compile(text, "V"), 2);
            QCOMPARE(h.messages.texts(), Strings({"Unerwartetes Ereignis ?"}));
        }
        // V stops after declaring Z; U, which uses V, implements Z, and a call
        // after that reaches U's block. Work field clauses count over all files.
        TranslatorHarness h;
        h.add("V", "UNIT V; INTERFACE PROCEDURE Z; }");
        h.add("U", "UNIT U; INTERFACE USES V; PROCEDURE A;\n"
                   "IMPLEMENTATION PROCEDURE Z; BEGIN ARBEITSFELD(W); VOR END;\n"
                   "PROCEDURE A; BEGIN Z END; END.");
        QCOMPARE(h.compile("PROGRAM P; USES U; BEGIN ARBEITSFELD(W); A END."), 1);
        QCOMPARE(h.ops(), Strings({"opJump 8", "opJump 2", "opArbeitsfeld 0", "opVor 0", "opReturn 0",
                                   "opJump 6", "opCall 1", "opReturn 0", "opJump 9", "opArbeitsfeld 1",
                                   "opCall 5", "opReturn 0"}));
        QCOMPARE(WorkFieldCount, 2);
        QCOMPARE(h.messages.texts(), Strings({"Unerwartetes Ereignis ?"}));
    }

    void aMainUnitNamedByItsOwnUnitsIsNotTranslatedTwice()
    {
        TranslatorHarness h;
        h.add("B", "UNIT B; INTERFACE USES A; PROCEDURE Y; IMPLEMENTATION PROCEDURE Y; BEGIN END; END.");
        QCOMPARE(h.compile("UNIT A; INTERFACE USES B; PROCEDURE X;\n"
                           "IMPLEMENTATION PROCEDURE X; BEGIN Y END; END.", "A"),
                 2);
        QVERIFY(h.messages.shown.empty());
    }
};

QTEST_APPLESS_MAIN(UnitsTest)
#include "units_test.moc"
