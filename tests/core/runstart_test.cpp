// Starting a run and learning how it ended: the sequence behind Start,
// Einzelschritt and zelk-run, and the outcome the interpreter reports.
#include <QtTest>

#include "TranslatorHarness.h"
#include "WorldSnapshot.h"
#include "execution/ZelkPreter.h"
#include "execution/ZelkStart.h"
#include "world/ZelkFeld.h"

namespace {

// Steps until the run ends; false when it was still going after limit steps.
bool RunToTheEnd(int limit = 100000)
{
    for (int i = 0; i < limit; ++i)
        if (!Step())
            return true;
    return false;
}

}  // namespace

class RunStartTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ResetWorld(); }

    void eachWayOfEndingHasItsOutcome_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("message");
        QTest::newRow("end of the program") << "PROGRAM P; BEGIN VOR END." << int(TRunEnd::Ended) << "";
        QTest::newRow("ABSCHALTEN") << "PROGRAM P; BEGIN ABSCHALTEN; VOR END." << int(TRunEnd::Ended) << "";
        QTest::newRow("into the wall")
            << "PROGRAM P; BEGIN DREHE_LINKS; DREHE_LINKS; VOR END." << int(TRunEnd::Failure) << "";
        QTest::newRow("nothing to pick up") << "PROGRAM P; BEGIN NIMM_AUF END." << int(TRunEnd::Failure) << "";
        QTest::newRow("function without RETURN")
            << "PROGRAM P; FUNCTION F; BEGIN VOR END; BEGIN IF F THEN VOR END."
            << int(TRunEnd::Error) << "Stackunterlauf! - Funktion ohne Returnanweisung?";
        QTest::newRow("endless recursion")
            << "PROGRAM P; PROCEDURE R; BEGIN R END; BEGIN R END." << int(TRunEnd::Error) << "Stacküberlauf!";
    }

    // A stack error ends the run through StopRun, exactly like the program's
    // end: only the outcome tells them apart.
    void eachWayOfEndingHasItsOutcome()
    {
        QFETCH(QString, program);
        QFETCH(int, outcome);
        QFETCH(QString, message);
        TranslatorHarness h;
        h.add("P", program.toStdString());
        QCOMPARE(int(StartRun(0)), int(TStartResult::Started));
        QCOMPARE(int(RunEnd()), int(TRunEnd::Running));
        QVERIFY(RunToTheEnd());
        QCOMPARE(int(RunEnd()), outcome);
        if (!message.isEmpty())
            QCOMPARE(QString::fromStdString(h.messages.texts().back()), message);
    }

    void theNextStartForgetsTheLastOutcome()
    {
        TranslatorHarness h;
        h.add("P", "PROGRAM P; BEGIN NIMM_AUF END.");
        QVERIFY(StartRun(0) == TStartResult::Started);
        QVERIFY(RunToTheEnd());
        QVERIFY(RunEnd() == TRunEnd::Failure);
        QVERIFY(StartRun(1) == TStartResult::Started);
        QVERIFY(RunEnd() == TRunEnd::Running);
        QVERIFY(SingleStep);
    }

    // Each mode refuses a unit in its own words; neither a unit nor a source
    // error puts the world back to its start state.
    void onlyAStartedRunResetsTheWorld()
    {
        const std::string unit = "UNIT U; INTERFACE PROCEDURE P; IMPLEMENTATION PROCEDURE P; BEGIN VOR END; END.";
        for (int mode : {0, 1}) {
            TranslatorHarness h;
            RecordingDisplay display;
            setWorldDisplay(&display);
            Welt.Vor();
            h.add("U", unit);
            QVERIFY(StartRun(mode) == TStartResult::UnitRefused);
            QCOMPARE(h.messages.texts(),
                     Strings{mode == 0 ? "Kann keine UNIT starten!" : "Kann UNIT nicht starten!"});
            h.add("F", "PROGRAM F; BEGIN VOR");
            QVERIFY(StartRun(mode) == TStartResult::SourceError);
            QVERIFY(!StartEqualsCurrent());

            display.calls.clear();
            h.add("P", "PROGRAM P; BEGIN VOR END.");
            QVERIFY(StartRun(mode) == TStartResult::Started);
            QVERIFY(StartEqualsCurrent());
            QVERIFY(std::count(display.calls.begin(), display.calls.end(), "RepaintAll") == 1);
            setWorldDisplay(nullptr);
            ResetWorld();
        }
    }
};

QTEST_GUILESS_MAIN(RunStartTest)
#include "runstart_test.moc"
