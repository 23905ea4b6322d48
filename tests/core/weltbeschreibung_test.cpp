// The world in the German sentences a screen reader reads: Zelk's place,
// direction, supply, items and sides, and one square in the editing mode.
#include <QtTest>

#include "WorldSnapshot.h"
#include "world/WeltBeschreibung.h"
#include "world/ZelkFeld.h"

namespace {

QString Zelk() { return QString::fromStdString(ZelkBeschreibung(Welt, Roboter)); }
QString Feld(int x, int y) { return QString::fromStdString(FeldBeschreibung(Welt, Roboter, x, y)); }

}  // namespace

class WeltBeschreibungTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ResetWorld(); }

    void zelkAndTheSidesItsTestsSee()
    {
        WeltSetzen([&](TWeltZustand& w) { w.Roboter = TZelkZustand{4, 5, 3, Ost}; });
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(3, 5).Anzahl = 2; });
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(3, 5).Offen[Nord] = 0; });
        QCOMPARE(Zelk(), QString("Zelk steht auf Spalte 3, Zeile 5 und schaut nach Osten. Vorrat 4. "
                                 "Hier liegen 2 Gegenstände. Vorne frei, links Wand, rechts frei."));
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.Richtung = West; });
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(3, 5).Anzahl = 1; });
        QVERIFY(Zelk().endsWith("Westen. Vorrat 4. Hier liegt 1 Gegenstand. Vorne frei, links frei, rechts Wand."));
        WeltSetzen([&](TWeltZustand& w) { w.Roboter = TZelkZustand{0, 1, 1, Sued}; });
        QVERIFY(Zelk().endsWith("Süden. Vorrat 0. Hier liegt nichts. Vorne Wand, links frei, rechts Wand."));
    }

    // The border stays the border whatever a loaded file says of its flag.
    void aSquareWithItsItemsBarriersBorderAndZelk()
    {
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(4, 2).Anzahl = 9; });
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(4, 2).Offen[Ost] = 0; });
        QCOMPARE(Feld(4, 2), QString("Spalte 4, Zeile 2. Hier liegen 9 Gegenstände. "
                                     "Norden frei, Osten Hindernis, Süden frei, Westen frei."));
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(1, 1).Offen[West] = 1; });
        QCOMPARE(Feld(1, 1), QString("Spalte 1, Zeile 1. Zelk steht hier. Hier liegt nichts. "
                                     "Norden frei, Osten frei, Süden Rand, Westen Rand."));
        QVERIFY(Feld(16, 3).contains("nicht auf dem Arbeitsfeld"));
    }
};

QTEST_APPLESS_MAIN(WeltBeschreibungTest)
#include "weltbeschreibung_test.moc"
