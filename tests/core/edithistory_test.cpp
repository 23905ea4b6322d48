// The undo history of the editing mode beyond what the view's tests show:
// a world that went its own way is neither undone nor redone, and the next
// edit starts a new history from it.
#include <QtTest>

#include "WorldSnapshot.h"
#include "world/EditHistory.h"
#include "world/ZelkFeld.h"

class EditHistoryTest : public QObject {
    Q_OBJECT

    EditHistory h;

    template <class Edit>
    void edit(Edit e)
    {
        h.Beginne();
        e();
        h.Beende();
    }

private slots:
    void init()
    {
        ResetWorld();
        h.Loeschen();
    }

    void aChangeFromOutsideTheEditingMakesItForget()
    {
        edit([] { WeltSetzen([](TWeltZustand& w) { w.Zelle(2, 1).Anzahl = 3; }); });
        edit([] { WeltSetzen([](TWeltZustand& w) { w.Zelle(2, 1).Anzahl = 4; }); });
        QVERIFY(h.Rueckgaengig());
        Welt.Vor();  // a manual step between the edits
        QVERIFY(!h.KannRueckgaengig() && !h.KannWiederholen());
        const WeltStand danach = WeltStand::Aktuell();
        QVERIFY(!h.Rueckgaengig() && !h.Wiederholen());
        QVERIFY(WeltStand::Aktuell() == danach);
        // The next edit starts a new history from the world as it stands.
        edit([] { WeltSetzen([](TWeltZustand& w) { w.Zelle(9, 9).Anzahl = 1; }); });
        QVERIFY(h.Rueckgaengig());
        QVERIFY(WeltStand::Aktuell() == danach);
        QVERIFY(!h.Rueckgaengig());
    }

    // A drag of the supply bar is one edit made of parts, and it spans time
    // in which a replay may move Zelk. Undoing it would move Zelk back too:
    // the history forgets instead.
    void aChangeFromOutsideInTheMiddleOfAnEditMakesItForget()
    {
        edit([] { WeltSetzen([](TWeltZustand& w) { w.Zelle(2, 1).Anzahl = 3; }); });
        // Between two parts, after the last, and in a drag that moved nothing.
        for (int wann : {0, 1, 2}) {
            h.Beginne(true);
            if (wann < 2)
                edit([] { WeltSetzen([](TWeltZustand& w) { w.Roboter.Vorrat = 5; }); });
            if (wann == 0) {
                Welt.Vor();
                edit([] { WeltSetzen([](TWeltZustand& w) { w.Roboter.Vorrat = 6; }); });
            } else {
                Welt.DreheLinks();
            }
            h.Beende();
            const WeltStand danach = WeltStand::Aktuell();
            QVERIFY(!h.KannRueckgaengig());
            QVERIFY(!h.Rueckgaengig());
            QVERIFY(WeltStand::Aktuell() == danach);
        }
        // A drag that nothing else disturbed is one step as before.
        h.Beginne(true);
        edit([] { WeltSetzen([](TWeltZustand& w) { w.Roboter.Vorrat = 7; }); });
        edit([] { WeltSetzen([](TWeltZustand& w) { w.Roboter.Vorrat = 8; }); });
        h.Beende();
        QVERIFY(h.Rueckgaengig());
        QCOMPARE(Roboter.Vorrat, 5);
        QVERIFY(!h.Rueckgaengig());
    }
};

QTEST_APPLESS_MAIN(EditHistoryTest)
#include "edithistory_test.moc"
