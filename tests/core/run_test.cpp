// The run's rules without any window: the state table of Start,
// Einzelschritt, Unterbrechen, Anhalten, Compilieren and Schritt zurück,
// the timer it asks for, and the world changes that end its history.
#include <QtTest>

#include "TranslatorHarness.h"
#include "WorldSnapshot.h"
#include "execution/Run.h"
#include "world/ZelkFeld.h"

namespace {

struct Events : TRunEvents {
    bool timer = false;
    int historyChanges = 0;
    void TimerSwitched(bool on) override { timer = on; }
    void HistoryChanged() override { ++historyChanges; }
};

const char* const ZweiVor = "PROGRAM P;\nBEGIN\n  VOR;\n  VOR\nEND.";
const char* const Wand = "PROGRAM W;\nBEGIN\n  WHILE VORNE_FREI DO VOR;\n  VOR\nEND.";

}  // namespace

class RunTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ResetWorld(); }
    void cleanup() { setRunControl(nullptr); }

    // Each letter a command: S Start, E Einzelschritt, U Unterbrechen,
    // A Anhalten, C Compilieren, T the timer's ticks until it stops,
    // Z Schritt zurück.
    void theStateTable_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("commands");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("paused");
        QTest::addColumn<bool>("ready");
        QTest::addColumn<bool>("timer");
        QTest::addColumn<int>("x");
        const int idle = int(TRunState::Idle), running = int(TRunState::Running),
                  interrupted = int(TRunState::Interrupted);
        QTest::newRow("Start runs") << ZweiVor << "S" << running << false << true << true << 1;
        QTest::newRow("to the end") << ZweiVor << "ST" << idle << false << false << false << 3;
        QTest::newRow("Unterbrechen") << ZweiVor << "SU" << interrupted << true << true << false << 1;
        QTest::newRow("Start goes on") << ZweiVor << "SUS" << running << false << true << true << 2;
        QTest::newRow("Anhalten keeps the flags") << ZweiVor << "SUA" << idle << true << true << false << 1;
        QTest::newRow("Start after Anhalten goes on") << ZweiVor << "SUAST" << idle << false << false << false << 3;
        QTest::newRow("Einzelschritt steps") << ZweiVor << "EE" << idle << false << true << false << 2;
        QTest::newRow("Compilieren while paused does nothing") << ZweiVor << "SUC" << interrupted << true << true
                                                                << false << 1;
        QTest::newRow("back from the end") << ZweiVor << "STZ" << interrupted << true << true << false << 2;
        QTest::newRow("back, then on from there") << ZweiVor << "STZE" << interrupted << true << true << false << 3;
        QTest::newRow("a failure keeps the run's buttons") << Wand << "ST" << running << false << true << false << 15;
        QTest::newRow("after a failure Start begins anew") << Wand << "STAS" << running << false << true << true << 1;
    }
    void theStateTable()
    {
        QFETCH(QString, program);
        QFETCH(QString, commands);
        TranslatorHarness h;
        h.add("P", program.toStdString());
        Events events;
        TRun run(events);
        setRunControl(&run);  // the interpreter tells the run of its end
        for (const QChar c : commands) {
            switch (c.toLatin1()) {
            case 'S': run.Start(); break;
            case 'E': run.Einzelschritt(); break;
            case 'U': run.Unterbrechen(); break;
            case 'A': run.Anhalten(); break;
            case 'C': run.Compilieren(); break;
            case 'Z': run.SchrittZurueck(); break;
            case 'T':
                for (int n = 0; events.timer && n < 1000; ++n)
                    run.Tick();
                break;
            }
        }
        QTEST(int(run.State()), "state");
        QTEST(run.Paused(), "paused");
        QTEST(run.Ready(), "ready");
        QTEST(events.timer, "timer");
        QTEST(int(Roboter.X), "x");
    }

    // Any change of the field or of Zelk outside the run ends its history;
    // a new name or the halt flag does not, so saving during a pause keeps it.
    void aWorldChangeOutsideTheRunEndsItsHistory()
    {
        TranslatorHarness h;
        h.add("P", ZweiVor);
        Events events;
        TRun run(events);
        setRunControl(&run);  // the interpreter tells the run of its end
        run.Einzelschritt();
        run.Einzelschritt();
        QVERIFY(run.KannZurueck());

        const std::uint64_t version = Welt.Version();
        Welt.DateinameVergessen();
        Welt.AbbruchLoeschen();
        QCOMPARE(Welt.Version(), version);
        run.WeltGeaendert();
        QVERIFY(run.KannZurueck());

        const int before = events.historyChanges;
        Welt.SetzeVorrat(3);
        run.WeltGeaendert();
        QVERIFY(!run.KannZurueck());
        QVERIFY(events.historyChanges > before);
        run.SchrittZurueck();
        QCOMPARE(int(Roboter.X), 2);
        QCOMPARE(int(Roboter.Vorrat), 3);
    }

    // The mark stands where the run goes on, and goes while the timer runs.
    void theExecutionMarkFollowsTheTimer()
    {
        TranslatorHarness h;
        h.add("P", ZweiVor);
        Events events;
        TRun run(events);
        setRunControl(&run);  // the interpreter tells the run of its end
        run.Einzelschritt();
        QCOMPARE(h.pages.markLine, 2);
        run.Start();  // anew: only a paused run goes on
        QCOMPARE(h.pages.markPage, -1);
        run.Unterbrechen();
        QCOMPARE(h.pages.markLine, 2);
        QCOMPARE(h.pages.highlightedLine, 2);
    }
};

QTEST_APPLESS_MAIN(RunTest)
#include "run_test.moc"
