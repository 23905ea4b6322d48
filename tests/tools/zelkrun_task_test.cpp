// Checking solutions with zelk-run, end to end: --goal after a single run,
// and --task over a folder of fields with solutions that fail in every way
// a class can think of. Real processes on real files.
#include <QtTest>

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <csignal>
#include <sys/stat.h>

#include "TestFiles.h"
#include "ZelkRunProcess.h"

namespace {

const QString ExampleTask = QStringLiteral(ZELK_SOURCE_DIR "/examples/aufgabe-sammeln");

// Number of elements named name in an XML document; -1 when it does not parse.
int XmlCount(const QByteArray& doc, const QString& name)
{
    QXmlStreamReader xml(doc);
    int count = 0;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == name)
            ++count;
    return xml.hasError() ? -1 : count;
}

}  // namespace

class ZelkRunTaskTest : public QObject, ZelkRunFolder {
    Q_OBJECT

    Outcome run(const QStringList& args, int timeoutMs = 120000) const { return ZelkRunFolder::run(args, timeoutMs); }

private slots:
    void initTestCase()
    {
#ifndef ZELK_RUN_PATH
        QSKIP("zelk-run is not built");
#endif
        QVERIFY(dir.isValid());
    }

    void goalListsEachDifferenceAndEndsWithFour()
    {
        Rob start;
        start.anzahl[0][2] = 2;  // (3, 1)
        write("ziel/start.rob", start.bytes());
        write("ziel/holen.pas", "PROGRAM Holen;\nBEGIN\n  VOR; VOR;\n  NIMM_AUF; NIMM_AUF;\n  VOR\nEND.\n");
        Rob erreicht;  // where the program ends: (4, 1), the items carried
        erreicht.x = 4;
        write("ziel/erreicht.rob", erreicht.bytes());

        Outcome o = run({"--world", "ziel/start.rob", "--goal", "ziel/erreicht.rob", "ziel/holen.pas"});
        QCOMPARE(o.out, QByteArray());
        QCOMPARE(o.status, 0);
        // The supply counts only when asked for.
        o = run({"--world", "ziel/start.rob", "--goal", "ziel/erreicht.rob", "--goal-supply", "ziel/holen.pas"});
        QCOMPARE(o.out, QByteArray("Ziel nicht erreicht\nVorrat: 2 Gegenst\xC3\xA4nde statt 0\n"));
        QCOMPARE(o.status, 4);

        Rob weiter;
        weiter.x = 15, weiter.richtung = 1, weiter.vorrat = 2;
        weiter.anzahl[0][4] = 1;  // (5, 1)
        write("ziel/weiter.ROB", weiter.bytes());
        o = run({"--world", "ziel/start.rob", "--goal=ziel/weiter.ROB", "--goal-supply", "--state", "ziel/holen.pas"});
        QVERIFY(!o.crashed);
        QCOMPARE(o.out.left(o.out.indexOf("Zelk: x=")),
                 QByteArray("Ziel nicht erreicht\n"
                            "Zelk steht auf 4,1 (Ost) statt 15,1 (Nord)\n"
                            "Feld 5,1: 0 Gegenst\xC3\xA4nde statt 1\n"));
        QVERIFY(o.out.contains("Zelk: x=4 y=1 richtung=Ost vorrat=2\n"));
        QCOMPARE(o.err, QByteArray());
        QCOMPARE(o.status, 4);
    }

    void goalKeepsTheStatusOfARunThatDidNotEnd()
    {
        write("keep/ziel.rob", Rob().bytes());
        const QList<QPair<QByteArray, int>> programs = {
            {"PROGRAM H;\nBEGIN\n  NIMM_AUF\nEND.\n", 2},
            {"PROGRAM Q;\nBEGIN\n  IF VORNE_FREI VOR\nEND.\n", 1},
            {"PROGRAM S;\nBEGIN\n  WHILE NOT PLATZ_BELEGT DO DREHE_LINKS\nEND.\n", 3},
        };
        for (const auto& [text, status] : programs) {
            write("keep/p.pas", text);
            Outcome o = run({"--goal", "keep/ziel.rob", "--max-steps", "1000", "keep/p.pas"});
            QCOMPARE(o.status, status);
            QVERIFY2(!o.out.contains("Ziel"), o.out);
        }
    }

    void goalFilesAndOptionsThatCannotWork()
    {
        write("opt/p.pas", "PROGRAM P; BEGIN VOR END.");
        write("opt/kurz.rob", Rob().bytes().left(600));
        write("opt/text.rob", "kein Feld");
        const QList<QPair<QString, QByteArray>> unreadable = {
            {"opt/fehlt.rob", "nicht gefunden oder nicht lesbar"},
            {"opt/kurz.rob", "unvollst\xC3\xA4ndig (k\xC3\xBCrzer als 1220 Bytes)"},
            {"opt/text.rob", "keine Arbeitsfelddatei"},
        };
        for (const auto& [goal, reason] : unreadable) {
            Outcome o = run({"--goal", goal, "opt/p.pas"});
            QCOMPARE(o.status, 66);
            QCOMPARE(o.out, QByteArray());  // nothing ran
            QCOMPARE(o.err, "zelk-run: Zielfeld kann nicht gelesen werden: " + goal.toUtf8() + ": " + reason + "\n");
        }

        write("opt/feld.rob", Rob().bytes());
        QDir().mkpath(path("opt/aufgabe"));
        const QList<QPair<QStringList, QByteArray>> refused = {
            {{"--goal-supply", "opt/p.pas"}, "--goal-supply geh\xC3\xB6rt zu --goal oder --task"},
            {{"--goal", "opt/feld.rob", "--no-run", "opt/p.pas"}, "--goal vertr\xC3\xA4gt sich nicht mit --no-run"},
            {{"--csv", "t.csv", "opt/p.pas"}, "--csv geh\xC3\xB6rt zu --task"},
            {{"--task", "opt/aufgabe", "--world", "opt/feld.rob", "opt/p.pas"},
             "--task vertr\xC3\xA4gt sich nicht mit --world"},
            {{"--task", "opt/aufgabe", "--state", "opt/p.pas"}, "--task vertr\xC3\xA4gt sich nicht mit --state"},
            {{"--task", "opt/aufgabe"}, "keine L\xC3\x96SUNG angegeben"},
            {{"--task=", "opt/p.pas"}, "Option --task braucht einen Ordner"},
            {{"opt/p.pas", "opt/p.pas"}, "mehr als ein PROGRAMM angegeben: opt/p.pas"},
        };
        for (const auto& [args, message] : refused) {
            Outcome o = run(args);
            QCOMPARE(o.status, 64);
            QVERIFY2(o.err.startsWith("zelk-run: " + message + "\n"), o.err);
        }
    }

    void aTaskWithHostileSolutionsStillFillsEveryCell()
    {
        // Two fields: items to collect on the bottom row; the second name
        // with a blank and an umlaut, its goal in another case.
        Rob eins;
        eins.anzahl[0][1] = 1;
        Rob einsZiel;
        einsZiel.x = 15, einsZiel.vorrat = 1;
        Rob zwei;
        zwei.y = 3;
        zwei.anzahl[2][4] = 2;
        Rob zweiZiel;
        zweiZiel.x = 15, zweiZiel.y = 3, zweiZiel.vorrat = 2;
        write("task/eins.ROB", eins.bytes());
        write("task/eins.ziel.ROB", einsZiel.bytes());
        write("task/Zwei \xC3\x84.rob", zwei.bytes());
        write("task/ZWEI \xC3\x84.ziel.rob", zweiZiel.bytes());

        // A correct solution with its own unit beside it, and every kind of
        // failure; the unit's name would be wrong anywhere but in its folder.
        write("klasse/gut/hilfe.pas", "UNIT Hilfe;\nINTERFACE\nPROCEDURE Sammle;\nIMPLEMENTATION\n"
                                      "PROCEDURE Sammle;\nBEGIN WHILE PLATZ_BELEGT DO NIMM_AUF END;\nEND.\n");
        write("klasse/gut/l\xC3\xB6sung 1.pas", "PROGRAM Gut;\nUSES Hilfe;\nBEGIN\n  SAMMLE;\n"
                                                "  WHILE VORNE_FREI DO BEGIN VOR; SAMMLE END\nEND.\n");
        write("klasse/halb.pas", "PROGRAM Halb;\nBEGIN\n  WHILE VORNE_FREI DO VOR\nEND.\n");
        write("klasse/endlos.pas", "PROGRAM Endlos;\nBEGIN\n  WHILE NOT PLATZ_BELEGT DO DREHE_LINKS\nEND.\n");
        write("klasse/tief.pas", "PROGRAM Tief;\nPROCEDURE P;\nBEGIN\n  P\nEND;\nBEGIN\n  P\nEND.\n");
        write("klasse/eigen.pas", "PROGRAM Eigen;\nBEGIN\n  ARBEITSFELD(eins);\n  VOR\nEND.\n");
        write("klasse/falsch.pas", "PROGRAM Falsch;\nBEGIN\n  VOR;\n  IF VORNE_FREI VOR\nEND.\n");
        write("klasse/einheit.pas", "UNIT Einheit;\nINTERFACE\nIMPLEMENTATION\nEND.\n");
        QDir().mkpath(path("klasse/ordner.pas"));
        QCOMPARE(::mkfifo(QFile::encodeName(path("klasse/rohr.pas")).constData(), 0600), 0);

        QElapsedTimer clock;
        clock.start();
        Outcome o = run({"--task", "task", "--csv", "klasse/tabelle.csv", "--html", "klasse/bericht.html",
                         "klasse/gut/l\xC3\xB6sung 1.pas", "klasse/halb.pas", "klasse/endlos.pas", "klasse/tief.pas",
                         "klasse/eigen.pas", "klasse/falsch.pas", "klasse/einheit.pas", "klasse/ordner.pas",
                         "klasse/rohr.pas", "klasse/fehlt.pas"});
        // Two endless runs of ten million steps each, on two processors.
        QVERIFY2(clock.elapsed() < 30000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!o.crashed);
        QCOMPARE(o.err, QByteArray());
        QCOMPARE(o.status, 4);
        const QByteArray table = o.out.left(o.out.indexOf("\n\n") + 1);
        QCOMPARE(QString::fromUtf8(table),
                 QStringLiteral(
                     "Lösung        eins                                             Zwei Ä                                           Summe\n"
                     "lösung 1.pas  ok                                               ok                                                   2\n"
                     "halb.pas      Ziel verfehlt                                    Ziel verfehlt                                        0\n"
                     "endlos.pas    Schrittgrenze                                    Schrittgrenze                                        0\n"
                     "tief.pas      Fehler: Stacküberlauf!                           Fehler: Stacküberlauf!                               0\n"
                     "eigen.pas     Fehler: lädt ein eigenes Arbeitsfeld             Fehler: lädt ein eigenes Arbeitsfeld                 0\n"
                     "falsch.pas    Übersetzungsfehler Zeile 4                       Übersetzungsfehler Zeile 4                           0\n"
                     "einheit.pas   Fehler: Kann keine UNIT starten!                 Fehler: Kann keine UNIT starten!                     0\n"
                     "ordner.pas    Fehler: Programmdatei kann nicht gelesen werden  Fehler: Programmdatei kann nicht gelesen werden      0\n"
                     "rohr.pas      Fehler: Programmdatei kann nicht gelesen werden  Fehler: Programmdatei kann nicht gelesen werden      0\n"
                     "fehlt.pas     Fehler: Programmdatei kann nicht gelesen werden  Fehler: Programmdatei kann nicht gelesen werden      0\n"));
        // Below the table, what each failed cell came to.
        for (const char* detail : {"halb.pas, eins: Ziel verfehlt\n  Feld 2,1: 1 Gegenstand statt 0\n",
                                   "endlos.pas, Zwei \xC3\x84: Schrittgrenze\n  endlos.pas, Zeile 3: Schrittgrenze erreicht\n",
                                   "tief.pas, eins: Fehler: Stack\xC3\xBC" "berlauf!\n  tief.pas, Zeile 5: Stack\xC3\xBC" "berlauf!\n",
                                   "falsch.pas, eins: \xC3\x9C" "bersetzungsfehler Zeile 4\n  falsch.pas, Zeile 4: THEN fehlt!\n"})
            QVERIFY2(o.out.contains(detail), detail);

        const QByteArray csv = ReadBytes(path("klasse/tabelle.csv"));
        QVERIFY(csv.startsWith("\xEF\xBB\xBFL\xC3\xB6sung;eins;Zwei \xC3\x84;Summe\r\nl\xC3\xB6sung 1.pas;ok;ok;2\r\n"));
        QCOMPARE(csv.count("\r\n"), 11);

        const QByteArray html = ReadBytes(path("klasse/bericht.html"));
        QCOMPARE(XmlCount(html, "tr"), 11);
        QCOMPARE(XmlCount(html, "section"), 18);  // every cell but the two ok ones
        // A picture of the end beside the goal, unless nothing was loaded.
        QCOMPARE(XmlCount(html, "figure"), 18 * 2 - 6);
        // Nothing is left in the solutions' folders: no core file, no temporary file.
        QCOMPARE(QDir(path("klasse")).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({"bericht.html", "eigen.pas", "einheit.pas", "endlos.pas", "falsch.pas", "halb.pas",
                              "tabelle.csv", "tief.pas"}));
    }

    void aFolderThatIsNoTaskIsRefusedBeforeAnyRun()
    {
        write("leer/p.pas", "PROGRAM P; BEGIN VOR END.");
        Outcome o = run({"--task", "leer/fehlt", "leer/p.pas"});
        QCOMPARE(o.status, 66);
        QCOMPARE(o.out, QByteArray());
        QCOMPARE(o.err, QByteArray("zelk-run: Aufgabenordner kann nicht gelesen werden: leer/fehlt\n"));

        QDir().mkpath(path("leer/ohne"));
        o = run({"--task", "leer/ohne", "leer/p.pas"});
        QCOMPARE(o.status, 66);
        QVERIFY2(o.err.startsWith("zelk-run: Aufgabenordner enth\xC3\xA4lt kein Startfeld"), o.err);

        write("leer/halb/a.rob", Rob().bytes());
        write("leer/halb/b.rob", Rob().bytes());
        write("leer/halb/B.Ziel.Rob", Rob().bytes());
        o = run({"--task", "leer/halb", "leer/p.pas"});
        QCOMPARE(o.status, 66);
        QCOMPARE(o.out, QByteArray());
        QCOMPARE(o.err, QByteArray("zelk-run: Startfeld a.rob hat kein Zielfeld a.ziel.ROB\n"));

        // A report that cannot be written: the table is printed all the same.
        write("leer/halb/a.ziel.rob", Rob().bytes());
        o = run({"--task", "leer/halb", "--html", "leer/nirgends/bericht.html", "leer/p.pas"});
        QCOMPARE(o.status, 73);
        QVERIFY(o.out.startsWith("L\xC3\xB6sung"));
        QCOMPARE(o.err, QByteArray("zelk-run: HTML-Datei kann nicht geschrieben werden: leer/nirgends/bericht.html\n"));
        // One report written does not make up for the other.
        o = run({"--task", "leer/halb", "--csv", "leer/nirgends/t.csv", "--html", "leer/bericht.html", "leer/p.pas"});
        QCOMPARE(o.status, 73);
        QVERIFY(ReadBytes(path("leer/bericht.html")).endsWith("</html>\n"));
        QCOMPARE(o.err, QByteArray("zelk-run: CSV-Datei kann nicht geschrieben werden: leer/nirgends/t.csv\n"));
    }

    void aLinkedSolutionFindsItsUnitsBesideItsFile()
    {
        write("verweis/a.ROB", Rob().bytes());
        Rob ziel;
        ziel.richtung = 1;
        write("verweis/a.ziel.ROB", ziel.bytes());
        write("verweis/abgabe/hilfe.pas", "UNIT Hilfe;\nINTERFACE\nPROCEDURE Drehe;\nIMPLEMENTATION\n"
                                          "PROCEDURE Drehe;\nBEGIN DREHE_LINKS END;\nEND.\n");
        write("verweis/abgabe/anna.pas", "PROGRAM Anna;\nUSES Hilfe;\nBEGIN\n  DREHE\nEND.\n");
        QDir().mkpath(path("verweis/klasse"));
        QVERIFY(QFile::link("../abgabe/anna.pas", path("verweis/klasse/anna.pas")));
        const Outcome o = run({"--task", "verweis", "verweis/klasse/anna.pas"});
        QCOMPARE(o.err, QByteArray());
        QVERIFY2(o.out.startsWith("L\xC3\xB6sung    a   Summe\nanna.pas  ok      1\n"), o.out);
        QCOMPARE(o.status, 0);
    }

    void reportsNeverReplaceTheTaskOrASolution()
    {
        write("schutz/a.ROB", Rob().bytes());
        write("schutz/a.ziel.ROB", Rob().bytes());
        write("schutz/eins.pas", "PROGRAM Eins; BEGIN VOR END.");
        write("schutz/zwei.pas", "PROGRAM Zwei; BEGIN VOR END.");
        write("schutz/drei", "PROGRAM Drei; BEGIN VOR END.");
        QVERIFY(QFile::link("a.ziel.ROB", path("schutz/link.csv")));
        const QByteArray usage = "\nAufruf: zelk-run";
        // --csv schutz/*.pas hands the report the first solution; a field
        // or goal, by name or through a link, a solution of any name.
        const QList<QPair<QStringList, QByteArray>> refused = {
            {{"--csv", "schutz/eins.pas", "schutz/zwei.pas"},
             "--csv darf keine .pas- oder .ROB-Datei sein: schutz/eins.pas" + usage},
            {{"--html", "schutz/a.ziel.rob", "schutz/zwei.pas"},
             "--html darf keine .pas- oder .ROB-Datei sein: schutz/a.ziel.rob" + usage},
            {{"--html", "schutz/link.csv", "schutz/zwei.pas"},
             "--html w\xC3\xBCrde eine Eingabe \xC3\xBC" "berschreiben: schutz/link.csv\n"},
            {{"--csv", "schutz/drei", "schutz/drei"},
             "--csv w\xC3\xBCrde eine Eingabe \xC3\xBC" "berschreiben: schutz/drei\n"},
            {{"--csv", "schutz/t.csv", "--html", "schutz/../schutz/t.csv", "schutz/zwei.pas"},
             "--csv und --html nennen dieselbe Datei: schutz/t.csv\n"},
        };
        for (const auto& [args, message] : refused) {
            Outcome o = run(QStringList({"--task", "schutz"}) + args);
            QCOMPARE(o.status, 64);
            QCOMPARE(o.out, QByteArray());
            QVERIFY2(o.err.startsWith("zelk-run: " + message), o.err);
        }
        QCOMPARE(ReadBytes(path("schutz/a.ziel.ROB")), Rob().bytes());
        QCOMPARE(ReadBytes(path("schutz/eins.pas")), QByteArray("PROGRAM Eins; BEGIN VOR END."));
        QCOMPARE(ReadBytes(path("schutz/drei")), QByteArray("PROGRAM Drei; BEGIN VOR END."));
        QVERIFY(!QFile::exists(path("schutz/t.csv")));
    }

    void reportsAreWrittenWhenNobodyReadsTheTable()
    {
        // zelk-run ... | head: the table (well over a pipe's buffer here)
        // meets a closed pipe, and the reports must already be on disk.
        write("rohr/a.ROB", Rob().bytes());
        Rob anderswo;
        anderswo.x = 2;
        write("rohr/a.ziel.ROB", anderswo.bytes());
        write("rohr/p.pas", "PROGRAM P; BEGIN END.");
        QStringList args = {ZELK_RUN_PATH, "--task", "rohr", "--csv", "rohr/t.csv", "--html", "rohr/t.html"};
        for (int i = 0; i < 600; ++i)
            args << "rohr/p.pas";
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start("/bin/sh", QStringList({"-c", "\"$@\" | true", "sh"}) + args);
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(ReadBytes(path("rohr/t.csv")).count("\r\n"), 601);
        QVERIFY(ReadBytes(path("rohr/t.html")).endsWith("</html>\n"));
    }

    void runsDieWithTheirParent()
    {
        // Killed from outside, as a script or a grading harness would do:
        // no run may go on to its time limit (here a day) on its own.
        write("waise/endlos.pas", "PROGRAM Endlos;\nBEGIN\n  WHILE NOT PLATZ_BELEGT DO DREHE_LINKS\nEND.\n");
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(ZELK_RUN_PATH), {"--task", ExampleTask, "--max-steps", "999999999999", "waise/endlos.pas"});
        QVERIFY(p.waitForStarted());
        const QString list = QStringLiteral("/proc/%1/task/%1/children").arg(p.processId());
        QStringList children;
        QTRY_VERIFY_WITH_TIMEOUT(!(children = QString(ReadBytes(list)).split(' ', Qt::SkipEmptyParts)).isEmpty(), 20000);
        p.kill();
        QVERIFY(p.waitForFinished());
        // Should this fail, what it found running is not left behind.
        const auto cleanup = qScopeGuard([&] {
            for (const QString& child : children)
                ::kill(child.toInt(), SIGKILL);
        });
        for (const QString& child : children) {
            // Gone, or a zombie waiting for whoever adopted it.
            const auto alive = [&] {
                const QByteArray status = ReadBytes("/proc/" + child + "/status");
                return status != "<unreadable>" && !status.contains("State:\tZ");
            };
            QTRY_VERIFY_WITH_TIMEOUT(!alive(), 5000);
        }
    }

    void theExampleTaskIsWhatItsPicturesShowAndChecksAsDocumented()
    {
#ifndef ZELK_AUFGABE_PATH
        QSKIP("zelk-aufgabe is not built");
#else
        QDir().mkpath(path("neu"));
        QProcess gen;
        gen.start(QStringLiteral(ZELK_AUFGABE_PATH), {ExampleTask + "/felder.txt", path("neu")});
        QVERIFY(gen.waitForFinished(60000));
        QCOMPARE(gen.exitCode(), 0);
        const QStringList written = QDir(path("neu")).entryList(QDir::Files, QDir::Name);
        QCOMPARE(written, QDir(ExampleTask).entryList({"*.ROB"}, QDir::Files, QDir::Name));
        for (const QString& name : written)
            QVERIFY2(ReadBytes(path("neu/" + name)) == ReadBytes(ExampleTask + "/" + name), qPrintable(name));
#endif
        for (const QStringList& extra : {QStringList(), QStringList({"--goal-supply"})}) {
            Outcome o = run(QStringList({"--task", ExampleTask, ExampleTask + "/loesungen/anna/sammeln.pas",
                                         ExampleTask + "/loesungen/ben/sammeln.pas"}) + extra);
            QCOMPARE(o.status, 4);
            QVERIFY2(o.out.startsWith("L\xC3\xB6sung            reihe1  reihe2         reihe3         Summe\n"
                                      "anna/sammeln.pas  ok      ok             ok                 3\n"
                                      "ben/sammeln.pas   ok      Ziel verfehlt  Ziel verfehlt      1\n"),
                     o.out);
        }
    }
};

QTEST_GUILESS_MAIN(ZelkRunTaskTest)
#include "zelkrun_task_test.moc"
