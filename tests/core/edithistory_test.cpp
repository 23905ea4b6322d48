// The undo history of the editing mode: each undo gives back exactly the
// world before an edit, redo the edit again; a new edit drops what was
// undone; a change from outside the editing makes the history forget.
#include <QtTest>

#include <vector>

#include "WorldSnapshot.h"
#include "world/EditHistory.h"
#include "world/ZelkFeld.h"

namespace {

// Edits as the view makes them: each between Beginne and Beende.
template <class Edit>
void Bearbeite(EditHistory& h, Edit edit)
{
    h.Beginne();
    edit();
    h.Beende();
}

}  // namespace

class EditHistoryTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ResetWorld(); }

    void undoGivesBackEachEarlierWorldAndRedoTheEdits()
    {
        EditHistory h;
        std::vector<WeltStand> staende{WeltStand::Aktuell()};
        const std::vector<void (*)()> edits = {
            [] { Welt.Zelle(3, 4).Anzahl = 2; },
            [] { Welt.Zelle(3, 4).Offen[Nord] = 0; Welt.Zelle(3, 5).Offen[Sued] = 0; },
            [] { Roboter.X = 7; Roboter.Y = 2; },
            [] { Roboter.Richtung = Sued; },
            [] { Roboter.Vorrat = 42; },
        };
        for (auto edit : edits) {
            Bearbeite(h, edit);
            staende.push_back(WeltStand::Aktuell());
        }
        const WeltStand ende = staende.back();
        for (int i = int(staende.size()) - 2; i >= 0; --i) {
            QVERIFY(h.Rueckgaengig());
            QVERIFY2(WeltStand::Aktuell() == staende[i], qPrintable(QString::number(i)));
        }
        QVERIFY(!h.KannRueckgaengig());
        QVERIFY(!h.Rueckgaengig());
        QVERIFY(WeltStand::Aktuell() == staende.front());
        for (size_t i = 1; i < staende.size(); ++i) {
            QVERIFY(h.Wiederholen());
            QVERIFY(WeltStand::Aktuell() == staende[i]);
        }
        QVERIFY(!h.Wiederholen());
        QVERIFY(WeltStand::Aktuell() == ende);
        // The start state is the editing mode's business, not the history's.
        QVERIFY(WorldSnapshot::sameRobot(RoboterStart, TZelkZustand{0, 1, 1, Ost}));
        QCOMPARE(Welt.StartFeld[3][2].Anzahl, 0);
    }

    void aNewEditAfterUndoDropsTheRedoBranch()
    {
        EditHistory h;
        Bearbeite(h, [] { Welt.Zelle(1, 1).Anzahl = 1; });
        Bearbeite(h, [] { Welt.Zelle(1, 1).Anzahl = 2; });
        QVERIFY(h.Rueckgaengig());
        QVERIFY(h.KannWiederholen());
        Bearbeite(h, [] { Welt.Zelle(5, 5).Anzahl = 9; });
        QVERIFY(!h.KannWiederholen());
        QVERIFY(!h.Wiederholen());
        QVERIFY(h.Rueckgaengig());
        QCOMPARE(Welt.Zelle(5, 5).Anzahl, 0);
        QCOMPARE(Welt.Zelle(1, 1).Anzahl, 1);
    }

    // A click on the border changes nothing and must not cost an undo; a
    // drag is one step however many moves it makes.
    void anEditThatChangesNothingIsNoStepAndNestedEditsAreOne()
    {
        EditHistory h;
        Bearbeite(h, [] {});
        QVERIFY(!h.KannRueckgaengig());
        h.Beginne();
        for (int v = 1; v <= 30; ++v)
            Bearbeite(h, [v] { Roboter.Vorrat = v; });
        QVERIFY(!h.Rueckgaengig());  // not in the middle of the drag
        h.Beende();
        QCOMPARE(Roboter.Vorrat, 30);
        QVERIFY(h.Rueckgaengig());
        QCOMPARE(Roboter.Vorrat, 0);
        QVERIFY(!h.KannRueckgaengig());
        // A drag that ends where it began is no step either.
        h.Beginne();
        Bearbeite(h, [] { Roboter.Vorrat = 5; });
        Bearbeite(h, [] { Roboter.Vorrat = 0; });
        h.Beende();
        QVERIFY(!h.KannRueckgaengig());
        QVERIFY(h.KannWiederholen());
    }

    void aChangeFromOutsideTheEditingMakesItForget()
    {
        EditHistory h;
        Bearbeite(h, [] { Welt.Zelle(2, 1).Anzahl = 3; });
        Bearbeite(h, [] { Welt.Zelle(2, 1).Anzahl = 4; });
        QVERIFY(h.Rueckgaengig());
        // A manual step between the edits: the states no longer lead here.
        Welt.Vor();
        QVERIFY(!h.KannRueckgaengig());
        QVERIFY(!h.KannWiederholen());
        const WeltStand danach = WeltStand::Aktuell();
        QVERIFY(!h.Rueckgaengig());
        QVERIFY(!h.Wiederholen());
        QVERIFY(WeltStand::Aktuell() == danach);
        // The next edit starts a new history from the world as it stands.
        Bearbeite(h, [] { Welt.Zelle(9, 9).Anzahl = 1; });
        QVERIFY(h.Rueckgaengig());
        QVERIFY(WeltStand::Aktuell() == danach);
        QVERIFY(!h.Rueckgaengig());

        Bearbeite(h, [] { Roboter.Vorrat = 8; });
        h.Loeschen();
        QVERIFY(!h.KannRueckgaengig());
        QCOMPARE(Roboter.Vorrat, 8);
    }

    void theOldestStepsGoBeyondTheLimit()
    {
        EditHistory h;
        WeltStand nachDemErsten{};
        for (std::size_t i = 0; i <= EditHistory::Grenze; ++i) {
            Bearbeite(h, [i] { Welt.Zelle(1 + int(i % 15), 1 + int(i / 15 % 10)).Anzahl = 1 + int(i % 9); });
            if (i == 0)
                nachDemErsten = WeltStand::Aktuell();
        }
        std::size_t schritte = 0;
        while (h.Rueckgaengig())
            ++schritte;
        QCOMPARE(schritte, EditHistory::Grenze);
        QVERIFY(WeltStand::Aktuell() == nachDemErsten);
    }
};

QTEST_APPLESS_MAIN(EditHistoryTest)
#include "edithistory_test.moc"
