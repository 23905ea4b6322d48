// zelk-run end to end: real processes on real files in a temporary folder,
// checking exact output, the FILE:LINE lines and exit statuses.
#include <QtTest>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "TestFiles.h"
#include "ZelkRunProcess.h"

namespace {

// The --state text: the robot line, then ten rows of counts, Y 10 first.
QByteArray stateOf(const QByteArray& zelk, const Rob& grid)
{
    QByteArray s = "Zelk: " + zelk + "\n";
    for (int row = 10; row >= 1; --row) {
        for (int col = 1; col <= 15; ++col)
            s.append(char('0' + grid.anzahl[row - 1][col - 1]));
        s.append('\n');
    }
    return s;
}

const QByteArray EmptyRows = stateOf("", Rob()).mid(7);

}  // namespace

class ZelkRunTest : public QObject, ZelkRunFolder {
    Q_OBJECT

    QByteArray read(const QString& name) { return ReadBytes(path(name)); }

    // A process that crashes or hangs fails the test there and then.
    Outcome run(const QStringList& args, int timeoutMs = 60000) const { return ZelkRunFolder::run(args, timeoutMs); }

private slots:
    void initTestCase()
    {
#ifndef ZELK_RUN_PATH
        QSKIP("zelk-run is not built");
#endif
        QVERIFY(dir.isValid());
    }

    void walksToTheWallAndReportsTheExactState()
    {
        Rob start;
        start.x = 2, start.y = 3, start.vorrat = 5;
        start.anzahl[2][14] = 8;  // (15, 3)
        start.anzahl[9][0] = 4;   // (1, 10): top row, first column
        write("walk/start.rob", start.bytes());
        write("walk/gehen.pas",
              "PROGRAM Gehen;\r\nBEGIN\r\n  WHILE VORNE_FREI DO VOR;\r\n  GIB_AB\r\nEND.\r\n");

        Outcome o = run({"--world", "walk/start.rob", "--state", "walk/gehen.pas"});
        QVERIFY(!o.crashed);
        Rob end = start;
        end.anzahl[2][14] = 9;
        QCOMPARE(o.out, stateOf("x=15 y=3 richtung=Ost vorrat=4", end));
        QCOMPARE(o.err, QByteArray());
        QCOMPARE(o.status, 0);

        // Without --world the run starts in the start-up world; ABSCHALTEN
        // is a normal end, so nothing after it runs and nothing is shown.
        write("walk/aus.pas", "program aus; begin vor; drehe_links; abschalten; vor end.");
        o = run({"--state", "walk/aus.pas"});
        QCOMPARE(o.out, "Zelk: x=2 y=1 richtung=Nord vorrat=0\n" + EmptyRows);
        QCOMPARE(o.status, 0);
    }

    void listsTheExampleProgramAndItsUnits()
    {
        // The example of the instruction set: a loop to the wall, then a
        // procedure that turns left three times.
        write("bsp/beispiel.pas",
              "PROGRAM Beispiel;\n"
              "PROCEDURE R;\n"
              "BEGIN\n"
              "  DREHE_LINKS;\n"
              "  DREHE_LINKS;\n"
              "  DREHE_LINKS\n"
              "END;\n"
              "BEGIN\n"
              "  WHILE VORNE_FREI DO VOR;\n"
              "  R\n"
              "END.\n");
        Outcome o = run({"--listing", "--no-run", "--state", "bsp/beispiel.pas"});
        QVERIFY(!o.crashed);
        QCOMPARE(o.out, QByteArray("0 opJump 6 1 0\n"
                                   "1 opJump 2 2 0\n"
                                   "2 opDreheLinks 0 3 0\n"
                                   "3 opDreheLinks 0 4 0\n"
                                   "4 opDreheLinks 0 5 0\n"
                                   "5 opReturn 0 6 0\n"
                                   "6 opTest 2 8 0\n"
                                   "7 opJumpIfFalse 10 8 0\n"
                                   "8 opVor 0 8 0\n"
                                   "9 opJump 6 8 0\n"
                                   "10 opCall 1 10 0\n"
                                   "11 opReturn 0 10 0\n") +
                            "Zelk: x=1 y=1 richtung=Ost vorrat=0\n" + EmptyRows);
        QCOMPARE(o.status, 0);

        // Run for real, the robot ends at the wall facing south.
        o = run({"--state", "bsp/beispiel.pas"});
        QCOMPARE(o.out.left(38), QByteArray("Zelk: x=15 y=1 richtung=Sued vorrat=0\n"));
        QCOMPARE(o.status, 0);

        // A unit found on disk, its file name in another case than the name
        // in USES: its code comes first and carries page 1.
        write("bsp/werkzeug.pas",
              "UNIT Werkzeug;\nINTERFACE\nPROCEDURE Rechts;\nIMPLEMENTATION\n"
              "PROCEDURE Rechts;\nBEGIN DREHE_LINKS; DREHE_LINKS; DREHE_LINKS END;\nEND.\n");
        write("bsp/mitunit.pas", "PROGRAM MitUnit;\nUSES Werkzeug;\nBEGIN\n  RECHTS\nEND.\n");
        o = run({"--listing", "--state", "bsp/mitunit.pas"});
        QCOMPARE(o.err, QByteArray());
        QCOMPARE(o.status, 0);
        QCOMPARE(o.out, QByteArray("0 opJump 6 4 1\n"
                                   "1 opJump 2 5 1\n"
                                   "2 opDreheLinks 0 5 1\n"
                                   "3 opDreheLinks 0 5 1\n"
                                   "4 opDreheLinks 0 5 1\n"
                                   "5 opReturn 0 5 1\n"
                                   "6 opJump 7 2 0\n"
                                   "7 opCall 1 4 0\n"
                                   "8 opReturn 0 4 0\n"
                                   "Zelk: x=1 y=1 richtung=Sued vorrat=0\n") + EmptyRows);
    }

    void sourceErrorsNameTheirFileAndLine()
    {
        // FILE is the program file as given, LINE counts from 1.
        write("err/Fehler.PAS", "PROGRAM Fehler;\nBEGIN\n  VOR;\n  IF VORNE_FREI VOR\nEND.\n");
        Outcome o = run({"--listing", "err/Fehler.PAS"});
        QVERIFY(!o.crashed);
        QCOMPARE(o.out, QByteArray("THEN fehlt!\n"));
        QCOMPARE(o.err, QByteArray("Fehler.PAS:4: THEN fehlt!\n"));
        QCOMPARE(o.status, 1);

        // An error at the end of a text that ends with a line break: the
        // editor's empty last line.
        write("err/offen.pas", "PROGRAM Offen;\nBEGIN\n  VOR;\n");
        o = run({"err/offen.pas"});
        QCOMPARE(o.out, QByteArray("END fehlt oder ; fehlt!\n"));
        QCOMPARE(o.err, QByteArray("offen.pas:4: END fehlt oder ; fehlt!\n"));
        QCOMPARE(o.status, 1);

        // An error inside a unit names the unit file as it was found.
        write("err/HILFE.PAS", "UNIT Hilfe;\nINTERFACE\nPROCEDURE Eins;\nIMPLEMENTATION\n"
                               "PROCEDURE Eins;\nBEGIN\n  NIMM_AUF;\n  SPRINGE;\nEND;\nEND.\n");
        write("err/nutzer.pas", "PROGRAM Nutzer;\nUSES Hilfe;\nBEGIN\n  EINS\nEND.\n");
        o = run({"err/nutzer.pas"});
        QCOMPARE(o.out, QByteArray("Bezeichner unbekannt!\n"));
        QCOMPARE(o.err, QByteArray("HILFE.PAS:8: Bezeichner unbekannt!\n"));
        QCOMPARE(o.status, 1);

        // A unit that is nowhere to be found.
        write("err/ohne.pas", "PROGRAM Ohne;\nUSES Fehlt;\nBEGIN\nEND.\n");
        o = run({"err/ohne.pas"});
        QCOMPARE(o.out, QByteArray("Unit nicht gefunden\n"));
        QCOMPARE(o.err, QByteArray("ohne.pas:2: Unit nicht gefunden\n"));
        QCOMPARE(o.status, 1);

        // A scanner message selects no line: standard output only. The text
        // is printed in UTF-8 whatever the program file's encoding.
        write("err/lang.pas", "PROGRAM L;\nBEGIN\n" + QByteArray(90, 'A') + "\nEND.\n");
        o = run({"err/lang.pas"});
        QVERIFY2(o.out.startsWith("Bezeichnerl\xC3\xA4nge \xC3\xBC" "berschritten!\n"), o.out);
        QVERIFY(!o.err.contains("Bezeichnerl"));
        QCOMPARE(o.status, 1);

        // The page holds a unit: it translates, but nothing runs.
        o = run({"--listing", "err/HILFE.PAS"});
        QCOMPARE(o.out, QByteArray("Bezeichner unbekannt!\n"));
        write("err/gut.pas", "UNIT Gut;\nINTERFACE\nPROCEDURE P;\nIMPLEMENTATION\n"
                             "PROCEDURE P;\nBEGIN VOR END;\nEND.\n");
        o = run({"--state", "err/gut.pas"});
        QCOMPARE(o.out, "Kann keine UNIT starten!\nZelk: x=1 y=1 richtung=Ost vorrat=0\n" + EmptyRows);
        QCOMPARE(o.err, QByteArray());
        QCOMPARE(o.status, 1);
    }

    void encodingsReachTheScannerAsTheEditorShowsThem()
    {
        // UTF-8 with a byte order mark and an umlaut in a comment translates
        // and runs, and so does the same text in Windows-1252.
        write("enc/utf8.pas", "\xEF\xBB\xBFPROGRAM U; { Gr\xC3\xBC\xC3\x9F""e \xE2\x82\xAC \xE4\xB8\xAD }\nBEGIN VOR END.\n");
        Outcome o = run({"--state", "enc/utf8.pas"});
        QCOMPARE(o.out.left(36), QByteArray("Zelk: x=2 y=1 richtung=Ost vorrat=0\n"));
        QCOMPARE(o.status, 0);
        write("enc/ansi.pas", "PROGRAM A; { Gr\xFC\xDF""e }\nBEGIN VOR END.\n");
        o = run({"enc/ansi.pas"});
        QCOMPARE(o.out, QByteArray());
        QCOMPARE(o.status, 0);

        // An umlaut outside a comment is refused in either encoding, and a
        // character Windows-1252 cannot hold as well.
        for (const QByteArray& text : {QByteArray("PROGRAM Gr\xC3\xBCn;\nBEGIN END.\n"),
                                       QByteArray("PROGRAM Gr\xFCn;\nBEGIN END.\n"),
                                       QByteArray("PROGRAM \xE4\xB8\xAD;\nBEGIN END.\n")}) {
            write("enc/bad.pas", text);
            o = run({"enc/bad.pas"});
            QVERIFY2(o.out.startsWith("Unerlaubtes Zeichen \n"), o.out);
            QCOMPARE(o.status, 1);
        }

        // NUL bytes padding the end of a file end the text quietly; a NUL
        // with more text after it is refused.
        write("enc/nul.pas", "PROGRAM N;\r\nBEGIN VOR END.\r\n" + QByteArray(512, '\0'));
        o = run({"--state", "enc/nul.pas"});
        QCOMPARE(o.out.left(36), QByteArray("Zelk: x=2 y=1 richtung=Ost vorrat=0\n"));
        QCOMPARE(o.err, QByteArray());
        QCOMPARE(o.status, 0);
        write("enc/nulmitte.pas", "PROGRAM N;\r\nBEGIN VOR" + QByteArray(4, '\0') + "\r\nEND.\r\n");
        o = run({"enc/nulmitte.pas"});
        QVERIFY2(o.out.startsWith("Unerlaubtes Zeichen \n"), o.out);
        QCOMPARE(o.status, 1);
    }

    void runTimeFailuresHaltWithTheLineOfTheInstruction()
    {
        write("halt/wand.pas", "PROGRAM Wand;\nBEGIN\n  DREHE_LINKS;\n  DREHE_LINKS;\n  VOR;\n  VOR\nEND.\n");
        Outcome o = run({"--state", "halt/wand.pas"});
        QVERIFY(!o.crashed);
        QCOMPARE(o.out, "ZELK ist gegen ein  Hindernis gelaufen!\n"
                        "Zelk: x=1 y=1 richtung=West vorrat=0\n" + EmptyRows);
        QCOMPARE(o.err, QByteArray("wand.pas:5: ZELK ist gegen ein  Hindernis gelaufen!\n"));
        QCOMPARE(o.status, 2);

        write("halt/leer.pas", "PROGRAM Leer;\nBEGIN\n  NIMM_AUF\nEND.\n");
        o = run({"halt/leer.pas"});
        QCOMPARE(o.out, QByteArray("ZELK hat versucht einen Gegenstand aufzunehmen, wo keiner liegt !\n"));
        QCOMPARE(o.err, QByteArray("leer.pas:3: ZELK hat versucht einen Gegenstand aufzunehmen, wo keiner liegt !\n"));
        QCOMPARE(o.status, 2);

        // A stack error ends the run through StopRun like a normal end, but
        // it is a failure.
        write("halt/stack.pas", "PROGRAM S;\nFUNCTION F;\nBEGIN\n  VOR\nEND;\nBEGIN\n  IF F THEN VOR\nEND.\n");
        o = run({"--state", "halt/stack.pas"});
        QVERIFY2(o.out.startsWith("Stackunterlauf! - Funktion ohne Returnanweisung?\n"
                                  "Zelk: x=2 y=1 "), o.out);
        QCOMPARE(o.err, QByteArray("stack.pas:7: Stackunterlauf! - Funktion ohne Returnanweisung?\n"));
        QCOMPARE(o.status, 2);

        // A work field named in the program that does not exist.
        write("halt/feld.pas", "PROGRAM Feld;\nBEGIN\n  ARBEITSFELD(Nirgends);\n  VOR\nEND.\n");
        o = run({"--state", "halt/feld.pas"});
        QCOMPARE(o.out, "Arbeitsfeld nicht gefunden!\nZelk: x=1 y=1 richtung=Ost vorrat=0\n" + EmptyRows);
        QCOMPARE(o.err, QByteArray("feld.pas:3: Arbeitsfeld nicht gefunden!\n"));
        QCOMPARE(o.status, 2);
    }

    void stepLimitStopsAfterExactlyNInstructions()
    {
        // 0 opJump, then per turn: opTest, opLogic, opJumpIfFalse, opDreheLinks, opJump.
        write("lim/dreh.pas", "PROGRAM Dreh;\nBEGIN\n  WHILE NOT PLATZ_BELEGT DO\n    DREHE_LINKS\nEND.\n");
        Outcome o = run({"--max-steps", "4", "--state", "lim/dreh.pas"});
        QCOMPARE(o.out, "Schrittgrenze erreicht\nZelk: x=1 y=1 richtung=Ost vorrat=0\n" + EmptyRows);
        QCOMPARE(o.err, QByteArray("dreh.pas:3: Schrittgrenze erreicht\n"));
        QCOMPARE(o.status, 3);
        o = run({"--max-steps=5", "--state", "lim/dreh.pas"});
        QCOMPARE(o.out.left(60), QByteArray("Schrittgrenze erreicht\nZelk: x=1 y=1 richtung=Nord vorrat=0\n"));
        QCOMPARE(o.status, 3);

        // A program that needs exactly as many steps as allowed has ended.
        write("lim/kurz.pas", "PROGRAM K; BEGIN VOR END.");
        o = run({"--max-steps", "3", "lim/kurz.pas"});
        QCOMPARE(o.out, QByteArray());
        QCOMPARE(o.status, 0);

        // The default limit ends an endless loop too.
        o = run({"lim/dreh.pas"}, 120000);
        QVERIFY(!o.crashed);
        QCOMPARE(o.out, QByteArray("Schrittgrenze erreicht\n"));
        QCOMPARE(o.status, 3);
    }

    void dumpWritesTheCurrentStateAndRoundTrips()
    {
        Rob start;
        start.x = 3, start.y = 2, start.richtung = 1, start.vorrat = 0;
        start.anzahl[1][2] = 2;   // (3, 2)
        start.anzahl[5][2] = 9;   // (3, 6)
        write("dump/start.ROB", start.bytes());
        write("dump/sammeln.pas",
              "PROGRAM Sammeln;\nBEGIN\n  NIMM_AUF; NIMM_AUF;\n  VOR; VOR; VOR; VOR;\n  DREHE_LINKS\nEND.\n");
        Outcome o = run({"--world", "dump/start.ROB", "--dump", "dump/ende.rob", "--state", "dump/sammeln.pas"});
        QCOMPARE(o.status, 0);
        QVERIFY2(o.out.startsWith("Zelk: x=3 y=6 richtung=West vorrat=2\n"), o.out);
        QByteArray dumped = read("dump/ende.rob");
        QCOMPARE(dumped.size(), 1220);
        QCOMPARE(dumped.left(20), QByteArray("\x15\x14\x03\x00" "\x02\x00\x00\x00" "\x06\x00\x00\x00"
                                             "\x03\x00\x00\x00" "\x02\x00\x00\x00", 20));
        // Square (15, 10) keeps its blocked east and north sides.
        QCOMPARE(dumped.mid(20 + 149 * 8, 8), QByteArray("\x00\x00\x00\x00\x00\x00\x01\x01", 8));

        write("dump/nichts.pas", "PROGRAM Nichts; BEGIN END.");
        Outcome again = run({"--world", "dump/ende.rob", "--state", "dump/nichts.pas"});
        QCOMPARE(again.status, 0);
        QCOMPARE(again.out, o.out);
        // Nothing is left behind from writing through a temporary file.
        QCOMPARE(QDir(path("dump")).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({"ende.rob", "nichts.pas", "sammeln.pas", "start.ROB"}));

        // A dump that cannot be written is a failure, not a success; with
        // --no-run the start world is what is written.
        o = run({"--no-run", "--dump", "dump/fehlt/ende.rob", "dump/nichts.pas"});
        QCOMPARE(o.out, QByteArray("Arbeitsfeld konnte nicht gespeichert werden!\n"));
        QVERIFY(o.err.contains("fehlt/ende.rob"));
        QCOMPARE(o.status, 73);
        o = run({"--no-run", "--world", "dump/start.ROB", "--dump", "dump/ende.rob", "dump/nichts.pas"});
        QCOMPARE(o.status, 0);
        QCOMPARE(read("dump/ende.rob"), start.bytes());

        // A named pipe is no work field file: refused, and the pipe stays.
        QCOMPARE(::mkfifo(QFile::encodeName(path("dump/rohr.rob")).constData(), 0600), 0);
        o = run({"--no-run", "--dump", "dump/rohr.rob", "dump/nichts.pas"});
        QCOMPARE(o.out, QByteArray("Arbeitsfeld konnte nicht gespeichert werden!\n"));
        QCOMPARE(o.status, 73);
        QVERIFY(QFileInfo(path("dump/rohr.rob")).exists() && !QFileInfo(path("dump/rohr.rob")).isFile());

        // After a run that halted, the halt's status stands when the dump
        // fails too, whether the folder is missing or the target is a folder.
        write("dump/wand.pas", "PROGRAM Wand;\nBEGIN\n  DREHE_LINKS; DREHE_LINKS;\n  VOR\nEND.\n");
        QVERIFY(QDir(path("dump")).mkdir("ordner.rob"));
        for (const QString& ziel : {QStringLiteral("dump/fehlt/ende.rob"), QStringLiteral("dump/ordner.rob")}) {
            o = run({"--dump", ziel, "dump/wand.pas"});
            QCOMPARE(o.out, QByteArray("ZELK ist gegen ein  Hindernis gelaufen!\n"
                                       "Arbeitsfeld konnte nicht gespeichert werden!\n"));
            QVERIFY2(o.err.contains(ziel.toUtf8()), o.err);
            QCOMPARE(o.status, 2);
        }
        QVERIFY(QFileInfo(path("dump/ordner.rob")).isDir());
    }

    void spellingFollowsNoUnderscore()
    {
        write("us/zusammen.pas", "PROGRAM Z;\nBEGIN\n  DREHELINKS;\n  IF VORNEFREI THEN VOR\nEND.\n");
        Outcome o = run({"--no-underscore", "--state", "us/zusammen.pas"});
        QCOMPARE(o.out.left(37), QByteArray("Zelk: x=1 y=2 richtung=Nord vorrat=0\n"));
        QCOMPARE(o.status, 0);

        o = run({"us/zusammen.pas"});
        QCOMPARE(o.out, QByteArray("Bezeichner unbekannt!\n"));
        QCOMPARE(o.status, 1);

        write("us/getrennt.pas", "PROGRAM G;\nBEGIN\n  DREHE_LINKS\nEND.\n");
        o = run({"--no-underscore", "us/getrennt.pas"});
        QCOMPARE(o.out, QByteArray("Bezeichner unbekannt!\n"));
        QCOMPARE(o.status, 1);
    }

    void workFieldsAndUnitsAreFoundInTheProgramsFolder()
    {
        Rob welt;
        welt.x = 5, welt.y = 5, welt.richtung = 3, welt.vorrat = 7;
        welt.anzahl[0][4] = 1;
        write("ordner/welt1.rob", welt.bytes());
        write("ordner/MITFELD.PAS", "PROGRAM MitFeld;\nBEGIN\n  ARBEITSFELD(Welt1);\n  VOR\nEND.\n");
        // Run from the temporary folder: the program's folder becomes the
        // current directory, and welt1.rob answers to WELT1.ROB.
        Outcome o = run({"--state", "ordner/MITFELD.PAS"});
        QCOMPARE(o.err, QByteArray());
        Rob end = welt;
        QCOMPARE(o.out, stateOf("x=5 y=4 richtung=Sued vorrat=7", end));
        QCOMPARE(o.status, 0);

        // An exact match wins over one in another case.
        Rob anders = welt;
        anders.x = 9;
        write("ordner/WELT1.ROB", anders.bytes());
        o = run({"--state", "ordner/MITFELD.PAS"});
        QVERIFY2(o.out.startsWith("Zelk: x=9 y=4 "), o.out);

        // Two units, one using the other, each looked up in the program's folder.
        write("ordner/basis.pas", "UNIT Basis;\nINTERFACE\nPROCEDURE Zweimal;\nIMPLEMENTATION\n"
                                  "PROCEDURE Zweimal;\nBEGIN DREHE_LINKS; DREHE_LINKS END;\nEND.\n");
        write("ordner/Oben.Pas", "UNIT Oben;\nINTERFACE\nUSES Basis;\nPROCEDURE Umkehr;\nIMPLEMENTATION\n"
                                 "PROCEDURE Umkehr;\nBEGIN ZWEIMAL END;\nEND.\n");
        write("ordner/kehrt.pas", "PROGRAM Kehrt;\nUSES Oben;\nBEGIN\n  UMKEHR; UMKEHR; UMKEHR\nEND.\n");
        o = run({"--state", QDir(path("ordner")).absoluteFilePath("kehrt.pas")});
        QCOMPARE(o.err, QByteArray());
        QVERIFY2(o.out.startsWith("Zelk: x=1 y=1 richtung=West vorrat=0\n"), o.out);
        QCOMPARE(o.status, 0);
    }

    void wrongArgumentsAndMissingFiles()
    {
        write("arg/p.pas", "PROGRAM P; BEGIN END.");
        const QList<QStringList> wrong = {
            {},
            {"--bogus", "arg/p.pas"},
            {"--max-steps", "abc", "arg/p.pas"},
            {"--max-steps", "-1", "arg/p.pas"},
            {"arg/p.pas", "--world"},
            {"arg/p.pas", "arg/p.pas"},
            {"--state=1", "arg/p.pas"},
        };
        for (const QStringList& args : wrong) {
            Outcome o = run(args);
            QVERIFY2(o.status == 64, qPrintable(args.join(' ')));
            QVERIFY(o.err.contains("Aufruf: zelk-run"));
            QCOMPARE(o.out, QByteArray());
        }
        Outcome o = run({"--help"});
        QCOMPARE(o.status, 0);
        QVERIFY(o.out.startsWith("Aufruf: zelk-run"));

        o = run({"arg/fehlt.pas"});
        QCOMPARE(o.status, 66);
        QVERIFY(o.err.contains("arg/fehlt.pas"));
        o = run({"arg"});
        QCOMPARE(o.status, 66);

        o = run({"--world", "arg/fehlt.rob", "arg/p.pas"});
        QCOMPARE(o.status, 66);
        QCOMPARE(o.out, QByteArray("Fehler beim Laden des Arbeitsfeldes!\n"));

        write("arg/falsch.rob", "\x15\x14\x03\x01" + QByteArray(1216, '\0'));
        o = run({"--world", "arg/falsch.rob", "arg/p.pas"});
        QCOMPARE(o.status, 66);
        QCOMPARE(o.out, QByteArray("Die ausgew\xC3\xA4hlte Datei ist keine Zelk 2.0 Arbeitsfelddatei. "
                                   "\xC3\x96""ffnen Sie eine Datei mit der Dateinamenserweiterung *.ROB.\n"));
    }

    void usualOptionFormsAndGermanRefusals()
    {
        Rob start;
        start.x = 7, start.y = 2;
        write("form/start.rob", start.bytes());
        write("form/--state.pas", "PROGRAM P; BEGIN VOR END.");

        // A value after "=", and the program named after "--" although it
        // looks like an option: it runs rather than switching --state on.
        Outcome o = run({"--world=form/start.rob", "--", "form/--state.pas"});
        QCOMPARE(o.err, QByteArray());
        QCOMPARE(o.out, QByteArray());
        QCOMPARE(o.status, 0);
        // After "--" no word is an option, so this names two programs.
        o = run({"--", "form/--state.pas", "--world=form/start.rob"});
        QCOMPARE(o.status, 64);
        // Without "--", options may follow the program.
        o = run({"form/--state.pas", "--world=form/start.rob", "--state"});
        QVERIFY2(o.out.startsWith("Zelk: x=8 y=2 richtung=Ost "), o.out);
        QCOMPARE(o.status, 0);

        // Every refusal names the word in German and shows the usage line;
        // getopt's own English messages never reach the user.
        const QList<QPair<QStringList, QByteArray>> refused = {
            {{"--bogus", "form/--state.pas"}, "zelk-run: unbekannte Option --bogus\n"},
            {{"-x", "form/--state.pas"}, "zelk-run: unbekannte Option -x\n"},
            {{"form/--state.pas", "--world"}, "zelk-run: Option --world braucht einen Wert\n"},
            {{"--dump=", "form/--state.pas"}, "zelk-run: Option --dump braucht einen Dateinamen\n"},
            {{"--state=ja", "form/--state.pas"}, "zelk-run: Option --state nimmt keinen Wert\n"},
            {{"--no", "form/--state.pas"},
             "zelk-run: Option --no ist mehrdeutig: --no-underscore, --no-run\n"},
        };
        for (const auto& [args, message] : refused) {
            o = run(args);
            QCOMPARE(o.status, 64);
            QVERIFY2(o.err.startsWith(message), o.err);
            QVERIFY(o.err.contains("\nAufruf: zelk-run "));
            QVERIFY2(!o.err.contains("option") && !o.err.contains("unrecognized"), o.err);
            QCOMPARE(o.out, QByteArray());
        }
    }

    void helpAndVersionSpeakGerman()
    {
        Outcome o = run({"--help"});
        QCOMPARE(o.status, 0);
        QCOMPARE(o.err, QByteArray());
        for (const char* part : {"Optionen:", "R\xC3\xBC""ckgabewert:", "--world DATEI.ROB",
                                 "--max-steps N", "--version", "64  falsche Argumente"})
            QVERIFY2(o.out.contains(part), part);
        QCOMPARE(run({"-h"}).out, o.out);

        // Asking for help or the version never runs anything, even with a program.
        write("ver/p.pas", "PROGRAM P; BEGIN LINKS_FREI END.");
        o = run({"ver/p.pas", "--version"});
        QCOMPARE(o.status, 0);
        QCOMPARE(o.err, QByteArray());
        QVERIFY2(QRegularExpression("^zelk-run \\(Zelk - der Roboter\\) \\d+\\.\\d+\\.\\d+\n"
                                    "\xC3\x9C""bersetzt ")
                     .match(QString::fromUtf8(o.out))
                     .hasMatch(),
                 o.out);
    }

    void hostileTextEndsWithAMessageAndNoCrash()
    {
        QByteArray garbage;
        quint32 seed = 12345;
        for (int i = 0; i < 1 << 20; ++i) {
            seed = seed * 1103515245u + 12345u;
            garbage.append(char(seed >> 23));
        }
        // Each as large as a program file may be (1 MB, the garbage exactly so).
        const QList<QByteArray> texts = {
            garbage,
            QByteArray(1000000, '('),
            "PROGRAM P;\nBEGIN\n  IF " + QByteArray(1000000, '('),
            "PROGRAM P;\nBEGIN\n" + QByteArray(1000000, '\n') + "  VOR;\n  SPRINGE\nEND.",
            "PROGRAM P;\nBEGIN\n" + QByteArray("BEGIN ").repeated(170000) + "\nEND.",
            QByteArray("\0\0\0PROGRAM", 10),
        };
        for (const QByteArray& text : texts) {
            write("wild/text.pas", text);
            Outcome o = run({"wild/text.pas"});
            QVERIFY2(!o.crashed, text.left(20).toHex().constData());
            QCOMPARE(o.status, 1);
            QVERIFY2(!o.out.isEmpty(), text.left(20).toHex().constData());
        }
    }

    void aProgramOverTheEditorsLimitIsRefusedUnread()
    {
        // The editor's limit and reason; a unit that large is refused as well.
        write("gross/gross.pas", "PROGRAM Gross;\nBEGIN\n  VOR\nEND.\n{" + QByteArray(2 * 1024 * 1024, 'x') + "}");
        Outcome o = run({"gross/gross.pas"});
        QCOMPARE(o.status, 66);
        QCOMPARE(o.out, QByteArray());
        QCOMPARE(o.err, QByteArray("zelk-run: Programmdatei kann nicht gelesen werden: gross/gross.pas: "
                                   "Die Datei ist zu gro\xC3\x9F (mehr als 1024 KB).\n"));

        write("gross/einheit.pas", "UNIT einheit;\n{" + QByteArray(2 * 1024 * 1024, 'x') + "}\nINTERFACE\nEND.\n");
        write("gross/klein.pas", "PROGRAM Klein;\nUSES einheit;\nBEGIN\n  VOR\nEND.\n");
        write("gross/klein2.pas", "PROGRAM Klein2;\nUSES fehlt;\nBEGIN\n  VOR\nEND.\n");
        o = run({"gross/klein.pas"});
        Outcome missing = run({"gross/klein2.pas"});
        QCOMPARE(o.status, 1);
        QCOMPARE(o.out, missing.out);
    }
};

QTEST_GUILESS_MAIN(ZelkRunTest)
#include "zelkrun_test.moc"
