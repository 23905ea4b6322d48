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
        edit([] { Welt.Zelle(2, 1).Anzahl = 3; });
        edit([] { Welt.Zelle(2, 1).Anzahl = 4; });
        QVERIFY(h.Rueckgaengig());
        Welt.Vor();  // a manual step between the edits
        QVERIFY(!h.KannRueckgaengig() && !h.KannWiederholen());
        const WeltStand danach = WeltStand::Aktuell();
        QVERIFY(!h.Rueckgaengig() && !h.Wiederholen());
        QVERIFY(WeltStand::Aktuell() == danach);
        // The next edit starts a new history from the world as it stands.
        edit([] { Welt.Zelle(9, 9).Anzahl = 1; });
        QVERIFY(h.Rueckgaengig());
        QVERIFY(WeltStand::Aktuell() == danach);
        QVERIFY(!h.Rueckgaengig());
    }
};

QTEST_APPLESS_MAIN(EditHistoryTest)
#include "edithistory_test.moc"
