// The world in words: where Zelk stands and what it finds, and what one
// square holds, in the German sentences a screen reader reads.
#include <QtTest>

#include "WorldSnapshot.h"
#include "world/WeltBeschreibung.h"
#include "world/ZelkFeld.h"

namespace {

QString Zelk() { return QString::fromStdString(ZelkBeschreibung(Welt, Roboter)); }
QString Feld(int x, int y) { return QString::fromStdString(FeldBeschreibung(Welt, Roboter, x, y)); }

// A barrier between (x, y) and its neighbour in direction d, in both squares.
void Hindernis(int x, int y, TRichtung d)
{
    const int dx[4] = {1, 0, -1, 0}, dy[4] = {0, 1, 0, -1};
    Welt.Zelle(x, y).Offen[d] = 0;
    Welt.Zelle(x + dx[d], y + dy[d]).Offen[(d + 2) % 4] = 0;
}

}  // namespace

class WeltBeschreibungTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ResetWorld(); }

    void zelksPlaceDirectionSupplyItemsAndSides()
    {
        Roboter = TZelkZustand{4, 5, 3, Ost};
        Welt.Zelle(3, 5).Anzahl = 2;
        Hindernis(3, 5, Nord);
        QCOMPARE(Zelk(), QString("Zelk steht auf Spalte 3, Zeile 5 und schaut nach Osten. Vorrat 4. "
                                 "Hier liegen 2 Gegenstände. Vorne frei, links Wand, rechts frei."));

        // Left and right turn with Zelk; one item is singular, none is nothing.
        Roboter.Richtung = West;
        Welt.Zelle(3, 5).Anzahl = 1;
        QCOMPARE(Zelk(), QString("Zelk steht auf Spalte 3, Zeile 5 und schaut nach Westen. Vorrat 4. "
                                 "Hier liegt 1 Gegenstand. Vorne frei, links frei, rechts Wand."));
        Roboter = TZelkZustand{0, 1, 1, Sued};
        QCOMPARE(Zelk(), QString("Zelk steht auf Spalte 1, Zeile 1 und schaut nach Süden. Vorrat 0. "
                                 "Hier liegt nichts. Vorne Wand, links frei, rechts Wand."));
        Roboter.Richtung = Nord;
        QVERIFY(Zelk().contains("nach Norden"));
    }

    // The sides say what the language's tests say, also for a loaded file
    // whose border flag is open or whose barrier blocks one way only.
    void theSidesAreThoseTheTestsSee()
    {
        Roboter = TZelkZustand{0, 4, 15, Ost};
        Welt.Zelle(15, 4).Offen[Ost] = 1;
        Welt.Zelle(15, 4).Offen[Nord] = 0;
        QVERIFY(Welt.VorneFrei());
        QVERIFY(!Welt.LinksFrei());
        QVERIFY(Zelk().endsWith("Vorne frei, links Wand, rechts frei."));
    }

    void aSquareWithItsItemsBarriersBorderAndZelk()
    {
        Welt.Zelle(4, 2).Anzahl = 9;
        Hindernis(4, 2, Ost);
        QCOMPARE(Feld(4, 2), QString("Spalte 4, Zeile 2. Hier liegen 9 Gegenstände. "
                                     "Norden frei, Osten Hindernis, Süden frei, Westen frei."));
        // The neighbour sees the same barrier from its side.
        QVERIFY(Feld(5, 2).endsWith("Westen Hindernis."));
        QCOMPARE(Feld(1, 1), QString("Spalte 1, Zeile 1. Zelk steht hier. Hier liegt nichts. "
                                     "Norden frei, Osten frei, Süden Rand, Westen Rand."));
        QCOMPARE(Feld(15, 10), QString("Spalte 15, Zeile 10. Hier liegt nichts. "
                                       "Norden Rand, Osten Rand, Süden frei, Westen frei."));
        // The border stays the border whatever a file says of it.
        Welt.Zelle(15, 10).Offen[Ost] = 1;
        QVERIFY(Feld(15, 10).contains("Osten Rand"));
    }

    void aPlaceOutsideTheGridIsSaidAndNeverRead()
    {
        QCOMPARE(Feld(0, 5), QString("Spalte 0, Zeile 5 liegt nicht auf dem Arbeitsfeld."));
        QVERIFY(Feld(16, 11).contains("nicht auf dem Arbeitsfeld"));
        Roboter = TZelkZustand{0, 11, 3, Ost};
        QCOMPARE(Zelk(), QString("Zelk steht nicht auf dem Arbeitsfeld."));
        Roboter = TZelkZustand{0, 3, 3, TRichtung(7)};  // a stray direction byte
        QVERIFY(Zelk().contains("nach Süden"));
    }
};

QTEST_APPLESS_MAIN(WeltBeschreibungTest)
#include "weltbeschreibung_test.moc"
