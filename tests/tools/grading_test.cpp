// Checking a class's solutions, without zelk-run processes: the goal
// comparison and its German lines, the task folder's rules, the table as
// text, CSV and HTML, and the child processes that keep one bad run from
// harming the rest.
#include <QtTest>

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <csignal>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "ChildRuns.h"
#include "GoalCheck.h"
#include "HtmlReport.h"
#include "TaskFolder.h"
#include "TaskTable.h"
#include "TestFiles.h"
#include "WorldSvg.h"

namespace {

// An empty field with its border closed, the robot on (1, 1) facing east.
WorldState Empty()
{
    WorldState w;
    for (int y = 1; y <= FeldHoehe; ++y)
        for (int x = 1; x <= FeldBreite; ++x) {
            TZelle& c = w.grid[y - 1][x - 1];
            c.Anzahl = 0;
            c.Offen[Ost] = x < FeldBreite;
            c.Offen[Nord] = y < FeldHoehe;
            c.Offen[West] = x > 1;
            c.Offen[Sued] = y > 1;
        }
    return w;
}

int& Count(WorldState& w, int x, int y) { return w.grid[y - 1][x - 1].Anzahl; }

QStringList Lines(const std::vector<std::string>& lines)
{
    QStringList list;
    for (const std::string& l : lines)
        list << QString::fromStdString(l);
    return list;
}

QByteArray RobBytes(const WorldState& w)
{
    const RobRecord r = RobKodieren(w.robot, w.grid);
    return QByteArray(reinterpret_cast<const char*>(r.data()), int(r.size()));
}

// The texts of an XML document, or the parser's complaint.
QString XmlText(const QByteArray& doc, bool& wellFormed)
{
    QXmlStreamReader xml(doc);
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters())
            text += xml.text();
    }
    wellFormed = !xml.hasError();
    return wellFormed ? text : xml.errorString();
}

}  // namespace

class GradingTest : public QObject {
    Q_OBJECT

private slots:
    void differencesAreListedExactlyAndInReadingOrder()
    {
        WorldState goal = Empty();
        goal.robot = TZelkZustand{0, 1, 15, Ost};
        WorldState end = goal;
        QVERIFY(GoalDifferences(end, goal, true).empty());

        end.robot = TZelkZustand{3, 1, 5, Nord};
        Count(end, 3, 4) = 2;
        Count(end, 1, 10) = 1;   // top row: listed first
        Count(goal, 15, 1) = 9;  // bottom right: listed last
        QCOMPARE(Lines(GoalDifferences(end, goal, false)),
                 QStringList({"Zelk steht auf 5,1 (Nord) statt 15,1 (Ost)", "Feld 1,10: 1 Gegenstand statt 0",
                              "Feld 3,4: 2 Gegenstände statt 0", "Feld 15,1: 0 Gegenstände statt 9"}));
        // The supply only when asked for, right after the robot.
        QCOMPARE(Lines(GoalDifferences(end, goal, true)).mid(0, 2),
                 QStringList({"Zelk steht auf 5,1 (Nord) statt 15,1 (Ost)", "Vorrat: 3 Gegenstände statt 0"}));

        // A turn alone is a difference; the supply alone is one only when compared.
        WorldState turned = goal;
        turned.robot.Richtung = Sued;
        QCOMPARE(Lines(GoalDifferences(turned, goal, false)),
                 QStringList({"Zelk steht auf 15,1 (Süd) statt 15,1 (Ost)"}));
        WorldState carrying = goal;
        carrying.robot.Vorrat = 1;
        QVERIFY(GoalDifferences(carrying, goal, false).empty());
        QCOMPARE(Lines(GoalDifferences(carrying, goal, true)), QStringList({"Vorrat: 1 Gegenstand statt 0"}));

        // Barriers never count: no run moves one.
        WorldState walled = goal;
        walled.grid[3][3].Offen[Ost] = 0;
        QVERIFY(GoalDifferences(walled, goal, true).empty());
    }

    // Numbered fields stand in the order of their numbers, not of their
    // characters, whatever the letter case.
    void fieldsStandInTheOrderOfTheirNumbers()
    {
        QTemporaryDir dir;
        for (const char* name : {"reihe10", "reihe2", "Reihe1", "reihe", "reihe2b"}) {
            WriteBytes(dir.path() + "/" + name + ".ROB", RobBytes(Empty()));
            WriteBytes(dir.path() + "/" + name + ".ziel.ROB", RobBytes(Empty()));
        }
        Task task;
        std::vector<std::string> problems;
        QVERIFY(LoadTask(dir.path().toStdString(), task, problems));
        QStringList names;
        for (const TaskField& f : task.fields)
            names << QString::fromStdString(f.name);
        QCOMPARE(names, QStringList({"reihe", "Reihe1", "reihe2", "reihe2b", "reihe10"}));
    }

    void aTaskFolderPairsFieldsWithGoalsAndNamesWhatIsWrong()
    {
        QTemporaryDir dir;
        const QString d = dir.path();
        WorldState w = Empty();
        for (const char* name : {"b.ROB", "B.ZIEL.rob", "a feld.rob", "a feld.ziel.ROB", "Ü.ROB", "Ü.ziel.ROB",
                                 "waise.ziel.ROB"})
            WriteBytes(d + "/" + name, RobBytes(w));
        WriteBytes(d + "/notiz.txt", "kein Feld");
        QVERIFY(QDir(d).mkdir("ordner.rob"));  // a folder is no field

        Task task;
        std::vector<std::string> problems;
        QVERIFY(LoadTask(d.toStdString(), task, problems));
        QVERIFY(problems.empty());
        QStringList names;
        for (const TaskField& f : task.fields)
            names << QString::fromStdString(f.name) + "=" + QFileInfo(QString::fromStdString(f.goalPath)).fileName();
        QCOMPARE(names, QStringList({"a feld=a feld.ziel.ROB", "b=B.ZIEL.rob", "Ü=Ü.ziel.ROB"}));
        QCOMPARE(task.notes, std::vector<std::string>{"Zielfeld ohne Startfeld übergangen: waise.ziel.ROB"});

        // Each fault is named, all at once, and the task is refused.
        WriteBytes(d + "/ohne.ROB", RobBytes(w));
        WriteBytes(d + "/zwei.rob", RobBytes(w));
        WriteBytes(d + "/Zwei.ziel.rob", RobBytes(w));
        WriteBytes(d + "/ZWEI.ZIEL.ROB", RobBytes(w));
        WriteBytes(d + "/kaputt.ROB", RobBytes(w).left(100));
        WriteBytes(d + "/kaputt.ziel.ROB", "\x15\x14\x03\x01" + RobBytes(w).mid(4));
        // A field that is a broken link or a pipe is named, never left out.
        QVERIFY(QFile::link("nirgends.ROB", d + "/weg.ROB"));
        WriteBytes(d + "/weg.ziel.ROB", RobBytes(w));
        WriteBytes(d + "/rohr.ROB", RobBytes(w));
        QCOMPARE(::mkfifo(QFile::encodeName(d + "/rohr.ziel.ROB").constData(), 0600), 0);
        QVERIFY(!LoadTask(d.toStdString(), task, problems));
        QCOMPARE(Lines(problems), QStringList({
                                      "Startfeld kaputt.ROB: unvollständig (kürzer als 1220 Bytes)",
                                      "Zielfeld kaputt.ziel.ROB: keine Arbeitsfelddatei",
                                      "Startfeld ohne.ROB hat kein Zielfeld ohne.ziel.ROB",
                                      "Zielfeld rohr.ziel.ROB: nicht gefunden oder nicht lesbar",
                                      "Startfeld weg.ROB: nicht gefunden oder nicht lesbar",
                                      "Startfeld zwei.rob hat mehrere Zielfelder: ZWEI.ZIEL.ROB, Zwei.ziel.rob",
                                  }));

        // A folder without start fields, and none at all.
        QTemporaryDir leer;
        WriteBytes(leer.path() + "/nur.ziel.ROB", RobBytes(w));
        problems.clear();
        QVERIFY(!LoadTask(leer.path().toStdString(), task, problems));
        QVERIFY(QString::fromStdString(problems.at(0)).startsWith("Aufgabenordner enthält kein Startfeld"));
        problems.clear();
        QVERIFY(!LoadTask((d + "/fehlt").toStdString(), task, problems));
        QVERIFY(QString::fromStdString(problems.at(0)).startsWith("Aufgabenordner kann nicht gelesen werden"));
    }

    void cellsSayWhatHappenedAndRowsSumTheOkCells()
    {
        Cell source;
        source.kind = CellKind::SourceError;
        source.file = "anna.pas";
        source.line = 4;
        source.message = "THEN fehlt!";
        QCOMPARE(CellText(source, "loesungen/anna.pas"), std::string("Übersetzungsfehler Zeile 4"));
        source.file = "WERKZEUG.PAS";  // the error lies in a unit
        QCOMPARE(CellText(source, "loesungen/anna.pas"), std::string("Übersetzungsfehler Zeile 4 in WERKZEUG.PAS"));
        QCOMPARE(Lines(CellExplanation(source)), QStringList({"WERKZEUG.PAS, Zeile 4: THEN fehlt!"}));

        Cell halt;
        halt.message = "ZELK hat kein Material zum Ablegen!";
        QCOMPARE(CellText(halt, "x.pas"), std::string("Fehler: ZELK hat kein Material zum Ablegen!"));
        Cell own;
        own.kind = CellKind::OwnWorkField;
        QCOMPARE(CellText(own, "x.pas"), std::string("Fehler: lädt ein eigenes Arbeitsfeld"));

        Cell ok;
        ok.kind = CellKind::Ok;
        QCOMPARE(OkCount({ok, own, ok, halt}), 2);
    }

    void namesStayReadableAndTellSolutionsApart()
    {
        // Old names in Windows-1252 become UTF-8; control characters cannot
        // break a table line.
        QCOMPARE(DisplayName("gr\xFC\xDF.pas"), std::string("grüß.pas"));
        QCOMPARE(DisplayName("zwei\nzeilen\t.pas"), std::string("zwei?zeilen?.pas"));
        QCOMPARE(DisplayName("grün.pas"), std::string("grün.pas"));

        std::vector<std::string> shown;
        for (const Solution& s : NameSolutions({"k/anna/sammeln.pas", "k/ben/sammeln.pas", "k/ben/extra.pas",
                                                "sammeln.pas", "/abs/z.pas"}))
            shown.push_back(s.name);
        QCOMPARE(shown, (std::vector<std::string>{"anna/sammeln.pas", "ben/sammeln.pas", "extra.pas",
                                                  "sammeln.pas", "z.pas"}));
    }

    void csvQuotesWhatASpreadsheetWouldMisread()
    {
        QCOMPARE(CsvField("ok"), std::string("ok"));
        QCOMPARE(CsvField("a;b"), std::string("\"a;b\""));
        QCOMPARE(CsvField("sagt \"hallo\""), std::string("\"sagt \"\"hallo\"\"\""));
        QCOMPARE(CsvField("zwei\r\nzeilen"), std::string("\"zwei\r\nzeilen\""));
        QCOMPARE(CsvField(" rand"), std::string("\" rand\""));
        // A name a spreadsheet would run as a formula stays text.
        QCOMPARE(CsvField("=HYPERLINK(\"x\")"), std::string("\"'=HYPERLINK(\"\"x\"\")\""));
        QCOMPARE(CsvField("-1.pas"), std::string("'-1.pas"));
    }

    void tableTextCsvAndHtmlShowTheSameCells()
    {
        Task task;
        task.folder = "aufgaben/<sammeln>/";
        TaskField feld;
        feld.name = "reihe&1";
        feld.start = Empty();
        feld.goal = Empty();
        feld.goal.robot.X = 15;
        task.fields = {feld, feld};
        task.fields[1].name = "reihe2";

        TaskTable table;
        table.task = &task;
        table.solutions = NameSolutions({"a/<script>'x'.pas", "b/b\"en;.pas"});
        Cell ok;
        ok.kind = CellKind::Ok;
        Cell missed;
        missed.kind = CellKind::GoalMissed;
        missed.hasWorld = true;
        missed.world = Empty();
        Count(missed.world, 2, 1) = 3;
        missed.differences = GoalDifferences(missed.world, feld.goal, false);
        Cell crashed;
        crashed.message = "Lauf abgestürzt (Signal 11)";
        table.rows = {{ok, ok}, {missed, crashed}};

        const std::string text = TableText(table);
        QCOMPARE(QString::fromStdString(text).section("\n\n", 0, 0),
                 QStringLiteral("Lösung           reihe&1        reihe2                               Summe\n"
                                "<script>'x'.pas  ok             ok                                       2\n"
                                "b\"en;.pas        Ziel verfehlt  Fehler: Lauf abgestürzt (Signal 11)      0"));
        QVERIFY(text.find("b\"en;.pas, reihe&1: Ziel verfehlt\n  Zelk steht auf 1,1 (Ost) statt 15,1 (Ost)\n"
                          "  Feld 2,1: 3 Gegenstände statt 0\n") != std::string::npos);
        QVERIFY(!AllOk(table));

        QCOMPARE(TableCsv(table), std::string("\xEF\xBB\xBFLösung;reihe&1;reihe2;Summe\r\n"
                                              "<script>'x'.pas;ok;ok;2\r\n"
                                              "\"b\"\"en;.pas\";Ziel verfehlt;Fehler: Lauf abgestürzt (Signal 11);0\r\n"));

        // The page parses as XML, and every text comes back as it went in:
        // nothing of a name became markup.
        const QByteArray html = QByteArray::fromStdString(TableHtml(table));
        bool wellFormed = false;
        const QString texts = XmlText(html, wellFormed);
        QVERIFY2(wellFormed, qPrintable(texts));
        QVERIFY(!html.contains("<script>"));
        for (const char* shown : {"Aufgabe <sammeln>", "<script>'x'.pas", "b\"en;.pas auf reihe&1: Ziel verfehlt",
                                  "Feld 2,1: 3 Gegenstände statt 0", "b\"en;.pas auf reihe2: Fehler: Lauf abgestürzt"})
            QVERIFY2(texts.contains(QString::fromUtf8(shown)), shown);
        // A picture of the end and of the goal for the missed cell, the goal
        // alone for the crashed one; the differing square marked in both.
        QCOMPARE(html.count("<figcaption>Endstand</figcaption>"), 1);
        QCOMPARE(html.count("<figcaption>Ziel</figcaption>"), 2);
        QVERIFY(html.contains("Kein Bild: der Lauf lieferte keinen Endstand."));
        QCOMPARE(html.count("fill=\"#ffe680\""), 2);
        QCOMPARE(html.count("<section "), 2);
        // Three rings on square (2, 1) of the end picture.
        QCOMPARE(html.count("r=\"2\" fill=\"none\" stroke=\"#000\""), 3);

        // Below the text table a cell shows five of its differences, the page all.
        for (int x = 3; x <= 10; ++x)
            Count(missed.world, x, 2) = 1;
        missed.differences = GoalDifferences(missed.world, feld.goal, false);
        table.rows[1][0] = missed;
        QVERIFY(TableText(table).find("  Feld 6,2: 1 Gegenstand statt 0\n  ... und 5 weitere Unterschiede\n") !=
                std::string::npos);
        QVERIFY(TableHtml(table).find("Feld 10,2: 1 Gegenstand statt 0") != std::string::npos);
        // Six are shown whole: "... und 1 weitere" would take the line of the one it hides.
        table.rows[1][0].differences.resize(6);
        const std::string six = TableText(table);
        QVERIFY(six.find("  Feld 7,2: 1 Gegenstand statt 0\n") != std::string::npos);
        QVERIFY(six.find("weitere") == std::string::npos);
    }

    void theRobotIsDrawnOverTheItemsOfItsSquare()
    {
        // A run that ends on 15,3 with nine items there, a square that differs.
        WorldState end = Empty();
        end.robot = TZelkZustand{0, 3, 15, Ost};
        Count(end, 15, 3) = 9;
        const QString svg = QString::fromStdString(WorldSvg(end, {{15, 3}}, "Endstand"));
        QCOMPARE(svg.count("<circle"), 9);
        const int robot = svg.indexOf("<use ");
        QVERIFY(svg.lastIndexOf("<circle") < robot);
        QVERIFY(!svg.contains("opacity"));
        // Its square's mark cannot lie under the picture: it frames it.
        QVERIFY(svg.indexOf("stroke=\"#ffe680\"") > robot);
    }

    void childrenDeliverInOrderAndABadOneHarmsOnlyItself()
    {
        ChildLimits limits;
        limits.seconds = 2;
        limits.memoryBytes = 256u << 20;
        // Job 3 crashes, 5 hangs, 7 throws, 9 sends more than a result may
        // be, 11 eats memory; the others answer with their number.
        const auto job = [](int i) -> std::string {
            switch (i) {
            case 3: std::raise(SIGSEGV); break;
            case 5: for (;;) pause();
            case 7: throw std::runtime_error("kaputt");
            case 9: return std::string(MaxChildPayload + 1, 'x');
            case 11: {
                // Only where the limit holds: elsewhere it would eat the machine.
                if (!ChildMemoryLimitWorks)
                    break;
                std::vector<std::string> hog;
                for (;;)
                    hog.emplace_back(std::size_t(64) << 20, 'x');
            }
            }
            return "job " + std::to_string(i);
        };
        QElapsedTimer clock;
        clock.start();
        const std::vector<ChildResult> results = RunInChildren(14, job, 2, limits);
        // Only the hanging child waited for its deadline; it held one of the
        // two places, the others went on in the other.
        QVERIFY2(clock.elapsed() < 6000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(int(results.size()), 14);
        for (int i : {0, 1, 2, 4, 6, 8, 10, 12, 13}) {
            QCOMPARE(int(results[i].kind), int(ChildResult::Kind::Delivered));
            QCOMPARE(results[i].payload, "job " + std::to_string(i));
        }
        // A sanitizer may catch the crash itself and end the child its own way.
        QVERIFY(results[3].kind != ChildResult::Kind::Delivered);
        if (ChildMemoryLimitWorks)
            QCOMPARE(ChildFailureText(results[3], limits), std::string("Lauf abgestürzt (Signal 11)"));
        QCOMPARE(int(results[5].kind), int(ChildResult::Kind::TimedOut));
        QCOMPARE(ChildFailureText(results[5], limits), std::string("Zeitgrenze von 2 s überschritten"));
        QCOMPARE(int(results[7].kind), int(ChildResult::Kind::NoResult));
        QCOMPARE(int(results[9].kind), int(ChildResult::Kind::NoResult));
        if (ChildMemoryLimitWorks)
            QCOMPARE(ChildFailureText(results[11], limits), std::string("nicht genug Speicher"));

        // Busy without end: the processor time limit stops it as well.
        const std::vector<ChildResult> spin = RunInChildren(1, [](int) -> std::string {
            for (volatile unsigned long n = 0;; n = n + 1) {
            }
        }, 1, ChildLimits{1, 0});
        QVERIFY(spin[0].kind == ChildResult::Kind::Crashed || spin[0].kind == ChildResult::Kind::TimedOut);
        QVERIFY(!ChildFailureText(spin[0], ChildLimits{1, 0}).empty());

        QVERIFY(RunInChildren(0, job, 2, limits).empty());
        QVERIFY(UsableProcessors() >= 1);
    }
};

QTEST_GUILESS_MAIN(GradingTest)
#include "grading_test.moc"
