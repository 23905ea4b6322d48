// The teach-in sequence file: what the recorder writes, what its reader takes
// from a file a user may have edited by hand, and the limit of 300 commands.
#include <QtTest>

#include <QTemporaryDir>
#include <sys/stat.h>

#include "RecordingPorts.h"
#include "WorldSnapshot.h"
#include "world/TeachinSequenz.h"
#include "world/ZelkFeld.h"

namespace {

std::string Zeilen(int n, const std::string& zeile)
{
    std::string text;
    for (int i = 0; i < n; ++i)
        text += zeile;
    return text;
}

}  // namespace

class TeachinTest : public QObject {
    Q_OBJECT

private slots:
    void aSavedSequenceReadsLikeAProcedure()
    {
        QCOMPARE(SequenzText("VDV", "/home/lehrer/kurs/new.tip"),
                 std::string("{$ D- } \r\nProcedure new.tip;\r\nBegin\r\n  vor;\r\n  drehe_links;\r\n"
                             "  vor;\r\nEnd;  {$ D= }\r\n"));
        // The end mark ends the sequence; the empty one keeps only its frame.
        QCOMPARE(SequenzText("NGEVV", "a.tip"),
                 std::string("{$ D- } \r\nProcedure a.tip;\r\nBegin\r\n  nimm_auf;\r\n  gib_ab;\r\n"
                             "End;  {$ D= }\r\n"));
        QCOMPARE(SequenzText("", "leer.tip"), std::string("{$ D- } \r\nProcedure leer.tip;\r\nBegin\r\nEnd;  {$ D= }\r\n"));
    }

    void whatIsWrittenReadsBackTheSame()
    {
        for (const std::string& befehle : std::vector<std::string>{"", "V", "VDNG", "GGNNDDVV", Zeilen(300, "D")}) {
            const TGeleseneSequenz gelesen = LeseSequenz(SequenzText(befehle, "x.tip"));
            QCOMPARE(gelesen.Befehle, befehle);
            QVERIFY(!gelesen.Abgeschnitten);
        }
    }

    // Only the first letter after blanks counts, in either case; the header
    // and every other line are ignored, whatever line breaks the editor left.
    void theReaderTakesFirstLettersOnly()
    {
        QCOMPARE(LeseSequenz("  gib ab, bitte\n\tVorwaerts\r  nimm\r\n"
                             "Drehen\n\n   \nx vor\n# v\nProcedure vor.tip;\nEnd;\n")
                     .Befehle,
                 std::string("GVND"));
        QCOMPARE(LeseSequenz(std::string("v\0v\x81\xff\nd", 7)).Befehle, std::string("VD"));
        QCOMPARE(LeseSequenz("").Befehle, std::string());
        // A byte order mark before the first line does not hide its command.
        QCOMPARE(LeseSequenz("\xEF\xBB\xBF  vor;\r\nvor;\r\n").Befehle, std::string("VV"));
    }

    void moreThan300CommandsAreCutAtTheLimit()
    {
        TGeleseneSequenz gelesen = LeseSequenz(Zeilen(300, "vor;\r\n") + "Ende\r\nleer\r\n");
        QCOMPARE(gelesen.Befehle.size(), std::size_t(300));
        QVERIFY(!gelesen.Abgeschnitten);
        gelesen = LeseSequenz(Zeilen(300, "vor;\r\n") + "gib_ab;\r\n");
        QCOMPARE(gelesen.Befehle, Zeilen(300, "V"));
        QVERIFY(gelesen.Abgeschnitten);
    }

    // A pipe neither blocks the open nor is replaced by a save; a declined
    // or failed save leaves the old file as it was.
    void sequenceFilesAreReadAndWrittenSafely()
    {
        QTemporaryDir dir;
        RecordingMessages messages;
        PortsGuard guard(&messages);
        const std::string pipe = dir.filePath("rohr.tip").toStdString();
        QCOMPARE(mkfifo(pipe.c_str(), 0600), 0);
        std::string befehle = "V";
        QVERIFY(!SequenzLaden(pipe, befehle));
        QCOMPARE(befehle, std::string());
        QVERIFY(!SequenzSpeichern(pipe, "VD"));
        QCOMPARE(messages.texts(), (std::vector<std::string>{"Programm existiert nicht!",
                                                             "Programm existiert bereits. Überschreiben?",
                                                             "Fehler beim Speichern !"}));
        struct stat st {};
        QVERIFY(lstat(pipe.c_str(), &st) == 0 && S_ISFIFO(st.st_mode));

        const std::string datei = dir.filePath("alt.tip").toStdString();
        QVERIFY(SequenzSpeichern(datei, "GN"));
        messages.answers.push_back(MsgAnswer::No);
        QVERIFY(!SequenzSpeichern(datei, "VVV"));
        QVERIFY(SequenzLaden(datei, befehle));
        QCOMPARE(befehle, std::string("GN"));
        QVERIFY(!SequenzSpeichern(dir.filePath("fehlt/neu.tip").toStdString(), "V"));
        QCOMPARE(messages.texts().back(), std::string("Fehler beim Speichern !"));
    }

    void eachLetterPerformsItsAction()
    {
        ResetWorld();
        FuehreTeachinBefehlAus('V');
        QCOMPARE(Roboter.X, 2);
        FuehreTeachinBefehlAus('D');
        QCOMPARE(Roboter.Richtung, Nord);
        FuehreTeachinBefehlAus('E');
        FuehreTeachinBefehlAus('v');
        QCOMPARE(Roboter.X, 2);
        QCOMPARE(Roboter.Y, 1);
        // Nothing lies on the square: NimmAuf fails and halts like a program would.
        FuehreTeachinBefehlAus('N');
        QVERIFY(Welt.Abbruch);
        ResetWorld();
    }
};

QTEST_GUILESS_MAIN(TeachinTest)
#include "teachin_test.moc"
