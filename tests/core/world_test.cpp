// The world model: the robot's actions and tests, their failures, the
// failure report and the operations on the whole world.
#include <QtTest>

#include "RecordingPorts.h"
#include "WorldSnapshot.h"
#include <iterator>
#include "language/ZelkVocabulary.h"
#include "world/ZelkFeld.h"

namespace {

// A test by its number in the instruction set, as opTest asks it; false for
// a number no test has.
bool Test(int nummer)
{
    const TRobotWord* test = TestWord(nummer);
    return test && (Welt.*test->WorldTest)();
}

void Stelle(int x, int y, TRichtung d, int vorrat = 0)
{
    WeltSetzen([&](TWeltZustand& w) { w.Roboter = TZelkZustand{vorrat, y, x, d}; });
}

QStringList Texte(const RecordingMessages& m)
{
    QStringList out;
    for (const auto& t : m.texts())
        out << QString::fromStdString(t);
    return out;
}

}  // namespace

class WorldTest : public QObject {
    Q_OBJECT

    RecordingMessages messages;
    RecordingDisplay display;

private slots:
    void init()
    {
        ResetWorld();
        messages = RecordingMessages();
        display = RecordingDisplay();
        setMessages(&messages);
        setWorldDisplay(&display);
    }
    void cleanup()
    {
        setMessages(nullptr);
        setWorldDisplay(nullptr);
    }

    void newWorldHasClosedBorderAndRobotBottomLeft()
    {
        Stelle(7, 7, West, 5);
        tFeld welt;  // the constructor empties the field and places the robot
        QCOMPARE(welt.Dateiname, std::string("@@@@@@@@@"));
        QVERIFY(!welt.Abbruch);
        QVERIFY(WorldSnapshot::sameRobot(Roboter, TZelkZustand{0, 1, 1, Ost}));
        QVERIFY(WorldSnapshot::sameRobot(RoboterStart, Roboter));
        int blockiert = 0;
        for (int y = 1; y <= FeldHoehe; ++y)
            for (int x = 1; x <= FeldBreite; ++x) {
                const TZelle& z = welt.Zelle(x, y);
                QCOMPARE(z.Anzahl, 0);
                QCOMPARE(z.Offen[Ost] == 0, x == 15);
                QCOMPARE(z.Offen[Nord] == 0, y == 10);
                QCOMPARE(z.Offen[West] == 0, x == 1);
                QCOMPARE(z.Offen[Sued] == 0, y == 1);
                QVERIFY(WorldSnapshot::sameCell(z, welt.StartFeld[y - 1][x - 1]));
                blockiert += 4 - (z.Offen[0] + z.Offen[1] + z.Offen[2] + z.Offen[3]);
            }
        QCOMPARE(blockiert, 2 * 15 + 2 * 10);
        QVERIFY(display.calls.empty());
    }

    void loeschenKeepsTheRobotUntilGrundstellung()
    {
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(3, 3).Anzahl = 4; });
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(3, 3).Offen[Nord] = 0; });
        Stelle(5, 6, Sued, 12);
        WeltSetzen([&](TWeltZustand& w) { w.RoboterStart = Roboter; });
        WeltSetzen([&](TWeltZustand& w) { w.Dateiname = "A.ROB"; });
        Welt.Loeschen();
        QCOMPARE(Welt.Zelle(3, 3).Anzahl, 0);
        QCOMPARE(int(Welt.Zelle(3, 3).Offen[Nord]), 1);
        QCOMPARE(Welt.StartFeld[2][2].Anzahl, 0);
        QCOMPARE(Welt.Dateiname, std::string("@@@@@@@@@"));
        QVERIFY(WorldSnapshot::sameRobot(Roboter, TZelkZustand{12, 6, 5, Sued}));
        QVERIFY(WorldSnapshot::sameRobot(RoboterStart, Roboter));
        Welt.Grundstellung();
        QVERIFY(WorldSnapshot::sameRobot(Roboter, TZelkZustand{0, 1, 1, Ost}));
        QVERIFY(WorldSnapshot::sameRobot(RoboterStart, Roboter));
    }

    void vorAndDreheLinksMoveTheRobotAndTellTheDisplay()
    {
        Welt.Vor();
        QVERIFY(WorldSnapshot::sameRobot(Roboter, TZelkZustand{0, 1, 2, Ost}));
        Welt.DreheLinks();
        Welt.Vor();
        Welt.DreheLinks();
        Welt.Vor();
        Welt.DreheLinks();
        Welt.Vor();
        Welt.DreheLinks();
        QVERIFY(WorldSnapshot::sameRobot(Roboter, TZelkZustand{0, 1, 1, Ost}));  // Sued turns to Ost
        const std::vector<std::string> erwartet = {
            "SetzeBild 2 1 1 0", "ZeigePosition 2 1", "SetzeBild 2 1 0 1",
            "SetzeBild 2 2 1 1", "ZeigePosition 2 2", "SetzeBild 2 2 0 2",
            "SetzeBild 1 2 1 2", "ZeigePosition 1 2", "SetzeBild 1 2 0 3",
            "SetzeBild 1 1 1 3", "ZeigePosition 1 1", "SetzeBild 1 1 0 0"};
        QCOMPARE(display.calls, erwartet);
        QVERIFY(messages.shown.empty());
        QVERIFY(!Welt.Abbruch);
        QVERIFY(WorldSnapshot::sameRobot(RoboterStart, TZelkZustand{0, 1, 1, Ost}));

        // The view clears the square Roboter names while SetzeBild runs: for
        // a move that must still be the old one.
        struct SiehtRoboter : RecordingDisplay {
            std::vector<std::string> stand;
            void SetzeBild(int x, int y, bool loeschen, int d) override
            {
                stand.push_back(std::to_string(Roboter.X) + " " + std::to_string(Roboter.Y));
                RecordingDisplay::SetzeBild(x, y, loeschen, d);
            }
        } sieht;
        setWorldDisplay(&sieht);
        Welt.Vor();
        Welt.DreheLinks();
        QCOMPARE(sieht.stand, (std::vector<std::string>{"1 1", "2 1"}));
    }

    void vorFailsAtEveryBorderAndChangesNothing()
    {
        struct Fall { int x, y; TRichtung d; };
        const Fall faelle[] = {{15, 4, Ost}, {6, 10, Nord}, {1, 5, West}, {9, 1, Sued}, {15, 10, Nord}};
        for (const Fall& f : faelle) {
            init();
            Stelle(f.x, f.y, f.d, 3);
            QVERIFY(!Welt.VorneFrei());
            const WorldSnapshot vorher;
            Welt.Vor();
            QCOMPARE(Texte(messages), QStringList{"ZELK ist gegen ein  Hindernis gelaufen!"});
            QVERIFY(Welt.Abbruch);
            Welt.AbbruchLoeschen();
            QVERIFY(WorldSnapshot() == vorher);
            QVERIFY(display.calls.empty());
        }
    }

    void vorSucceedsOntoTheSquaresAlongEveryBorder()
    {
        // The passing side of the border check: the last column and row are
        // inside the field, and so are the first.
        struct Fall { int x, y; TRichtung d; int zielX, zielY; };
        const Fall faelle[] = {{14, 4, Ost, 15, 4}, {6, 9, Nord, 6, 10}, {2, 5, West, 1, 5},
                               {9, 2, Sued, 9, 1}, {14, 10, Ost, 15, 10}, {15, 9, Nord, 15, 10}};
        for (const Fall& f : faelle) {
            init();
            Stelle(f.x, f.y, f.d, 3);
            QVERIFY(Welt.VorneFrei());
            Welt.Vor();
            QVERIFY(messages.shown.empty());
            QVERIFY(!Welt.Abbruch);
            QVERIFY(WorldSnapshot::sameRobot(Roboter, TZelkZustand{3, f.zielY, f.zielX, f.d}));
            QCOMPARE(display.calls.back(),
                     "ZeigePosition " + std::to_string(f.zielX) + " " + std::to_string(f.zielY));
        }
    }

    void vorChecksTheGridBesideTheFlag()
    {
        // A file may leave a border side open: the robot must still not leave the grid.
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(15, 1).Offen[Ost] = 1; });
        Stelle(15, 1, Ost);
        QVERIFY(Welt.VorneFrei());
        Welt.Vor();
        QCOMPARE(Texte(messages), QStringList{"ZELK ist gegen ein  Hindernis gelaufen!"});
        QCOMPARE(Roboter.X, 15);
        QVERIFY(display.calls.empty());
    }

    void aBarrierBlocksOnlyFromTheSquareThatRecordsIt()
    {
        // Blocked only in the robot's square: Vor fails.
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(3, 2).Offen[Ost] = 0; });
        Stelle(3, 2, Ost);
        QVERIFY(!Welt.VorneFrei());
        Welt.Vor();
        QCOMPARE(messages.shown.size(), size_t(1));
        QCOMPARE(Roboter.X, 3);

        // Blocked only in the neighbour: Vor passes, and back again fails.
        init();
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(4, 2).Offen[West] = 0; });
        Stelle(3, 2, Ost);
        QVERIFY(Welt.VorneFrei());
        Welt.Vor();
        QCOMPARE(Roboter.X, 4);
        QVERIFY(messages.shown.empty());
        Welt.DreheLinks();
        Welt.DreheLinks();
        QVERIFY(!Welt.VorneFrei());
        Welt.Vor();
        QCOMPARE(Roboter.X, 4);
        QCOMPARE(messages.shown.size(), size_t(1));
    }

    void nimmAufAndGibAbMoveOneItem()
    {
        Stelle(4, 5, Nord, 0);
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(4, 5).Anzahl = 2; });
        Welt.NimmAuf();
        Welt.NimmAuf();
        QCOMPARE(Welt.Zelle(4, 5).Anzahl, 0);
        QCOMPARE(Roboter.Vorrat, 2);
        Welt.GibAb();
        QCOMPARE(Welt.Zelle(4, 5).Anzahl, 1);
        QCOMPARE(Roboter.Vorrat, 1);
        QCOMPARE(display.calls, (std::vector<std::string>{"ZeigeMaterial 1", "ZeigeMaterial 2", "ZeigeMaterial 1"}));
        QCOMPARE(Welt.StartFeld[4][3].Anzahl, 0);  // only the current state changes
        QVERIFY(messages.shown.empty());
    }

    void nimmAufAndGibAbFailInTheirCheckOrder_data()
    {
        QTest::addColumn<bool>("nimmAuf");
        QTest::addColumn<int>("anzahl");
        QTest::addColumn<int>("vorrat");
        QTest::addColumn<QString>("text");
        const QString leer = "ZELK hat versucht einen Gegenstand aufzunehmen, wo keiner liegt !";
        const QString voll = "ZELK kann maximal 99 Gegenstände transportieren!";
        const QString keinMaterial = "ZELK hat kein Material zum Ablegen!";
        const QString neun = "Ein Feld kann nur 9 Gegenstände aufnehmen!";
        QTest::newRow("empty square") << true << 0 << 5 << leer;
        QTest::newRow("empty square, full supply") << true << 0 << 99 << leer;
        QTest::newRow("full supply") << true << 3 << 99 << voll;
        QTest::newRow("empty supply") << false << 4 << 0 << keinMaterial;
        QTest::newRow("empty supply, full square") << false << 9 << 0 << keinMaterial;
        QTest::newRow("full square") << false << 9 << 7 << neun;
    }
    void nimmAufAndGibAbFailInTheirCheckOrder()
    {
        QFETCH(bool, nimmAuf);
        QFETCH(int, anzahl);
        QFETCH(int, vorrat);
        QFETCH(QString, text);
        Stelle(8, 3, West, vorrat);
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(8, 3).Anzahl = anzahl; });
        const WorldSnapshot vorher;
        bool abbruchImDialog = false;
        messages.onShow = [&](const ShownMessage&) { abbruchImDialog = Welt.Abbruch; };
        nimmAuf ? Welt.NimmAuf() : Welt.GibAb();
        QCOMPARE(Texte(messages), QStringList{text});
        QVERIFY(abbruchImDialog);
        Welt.AbbruchLoeschen();
        QVERIFY(WorldSnapshot() == vorher);
        QVERIFY(display.calls.empty());
    }

    void testsReadTheRobotsSquareAndDirection()
    {
        // Through the test numbers of the instruction set. Bottom-left corner,
        // facing each way in turn: Ost Nord West Sued.
        const bool vorne[] = {true, true, false, false};
        const bool links[] = {true, false, false, true};
        const bool rechts[] = {false, true, true, false};
        for (int d = 0; d < 4; ++d) {
            Stelle(1, 1, TRichtung(d));
            QCOMPARE(Test(2), vorne[d]);
            QCOMPARE(Test(4), links[d]);
            QCOMPARE(Test(3), rechts[d]);
            QCOMPARE(Test(6), d == Ost);
            QCOMPARE(Test(5), d == Nord);
            QCOMPARE(Test(8), d == West);
            QCOMPARE(Test(7), d == Sued);
        }
        QVERIFY(!Test(0));
        QVERIFY(!Test(1));
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.Vorrat = 1; });
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(1, 1).Anzahl = 1; });
        QVERIFY(Test(0));
        QVERIFY(Test(1));
        QVERIFY(!Test(9) && !Test(-1));
        QVERIFY(messages.shown.empty());
        QVERIFY(display.calls.empty());
    }

    void meldungShowsEveryTextAndSetsAbbruchFirst()
    {
        const std::pair<int, std::string> texte[] = {
            {1, "ZELK ist gegen ein  Hindernis gelaufen!"},
            {2, "ZELK hat versucht einen Gegenstand aufzunehmen, wo keiner liegt !"},
            {3, "ZELK hat kein Material zum Ablegen!"},
            {4, "Ein Feld kann nur 9 Gegenstände aufnehmen!"},
            {5, "Abbruch durch den Benutzer!"},
            {6, "ZELK kann maximal 99 Gegenstände transportieren!"},
            {7, "Arbeitsfeld  nicht gefunden oder falsches Dateiformat!"},
            {11, "Arbeitsfeld nicht gefunden!"},
            {12, "Arbeitsfelddatei hat ein falsches Dateiformat!"},
            {0, "Es ist ein Fehler im Programmablauf aufgetreten!"},
            {8, "Es ist ein Fehler im Programmablauf aufgetreten!"},
            {-3, "Es ist ein Fehler im Programmablauf aufgetreten!"},
        };
        std::vector<bool> abbruchImDialog;
        messages.onShow = [&](const ShownMessage&) { abbruchImDialog.push_back(Welt.Abbruch); };
        for (const auto& [code, text] : texte) {
            Welt.AbbruchLoeschen();
            Welt.Meldung(code);
            const ShownMessage& m = messages.shown.back();
            QCOMPARE(m.text, text);
            QCOMPARE(m.title, std::string("Error"));
            QVERIFY(m.icon == MsgIcon::Error);
            QVERIFY(m.buttons == MsgButtons::Ok);
            QVERIFY(Welt.Abbruch);
        }
        QCOMPARE(abbruchImDialog, std::vector<bool>(std::size(texte), true));

        // Code 10 leaves the flag as it finds it, either way.
        Welt.AbbruchLoeschen();
        Welt.Meldung(10);
        QCOMPARE(messages.shown.back().text, std::string("Programmende!"));
        QVERIFY(!Welt.Abbruch);
        WeltSetzen([&](TWeltZustand& w) { w.Abbruch = true; });
        Welt.Meldung(10);
        QVERIFY(Welt.Abbruch);
        QVERIFY(display.calls.empty());
    }

    void zuruecksetzenRestoresOnlyWhenSomethingDiffers()
    {
        QVERIFY(!Welt.Zuruecksetzen());

        for (int i = 0; i < 4; ++i)
            Welt.DreheLinks();
        display.calls.clear();
        QVERIFY(!Welt.Zuruecksetzen());
        QVERIFY(display.calls.empty());

        Welt.DreheLinks();
        QVERIFY(Welt.Zuruecksetzen());
        QCOMPARE(int(Roboter.Richtung), int(Ost));
        QCOMPARE(display.calls.back(), std::string("ZeigeMaterial 0"));

        // An item moved and put back elsewhere: counts differ, robot agrees.
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(2, 1).Anzahl = 1; });
        Welt.Uebernehmen();
        QVERIFY(!Welt.Zuruecksetzen());
        Welt.Vor();
        Welt.NimmAuf();
        Welt.DreheLinks();
        Welt.DreheLinks();
        Welt.Vor();
        Welt.GibAb();
        Welt.DreheLinks();
        Welt.DreheLinks();
        Welt.Vor();
        Welt.DreheLinks();
        Welt.DreheLinks();
        Welt.Vor();
        Welt.DreheLinks();
        Welt.DreheLinks();
        QVERIFY(WorldSnapshot::sameRobot(Roboter, RoboterStart));
        display.calls.clear();
        QVERIFY(Welt.Zuruecksetzen());
        QCOMPARE(Welt.Zelle(1, 1).Anzahl, 0);
        QCOMPARE(Welt.Zelle(2, 1).Anzahl, 1);
        QCOMPARE(display.calls, (std::vector<std::string>{"ZeigePosition 1 1", "ZeigeMaterial 0"}));

        // Flags alone are not compared, but a restore brings them back too.
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(5, 5).Offen[Nord] = 0; });
        QVERIFY(!Welt.Zuruecksetzen());
        QCOMPARE(int(Welt.Zelle(5, 5).Offen[Nord]), 0);
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.Vorrat = 9; });
        QVERIFY(Welt.Zuruecksetzen());
        QCOMPARE(int(Welt.Zelle(5, 5).Offen[Nord]), 1);
        QCOMPARE(Roboter.Vorrat, 0);
    }

    // Whatever changes the squares or Zelk, now or at the start, counts as a
    // change of the field (a run's history ends with it); a new name or the
    // halt flag does not, nor an edit that changes nothing.
    void everyChangeOfTheFieldCountsUp_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<bool>("counts");
        const char* const names[] = {"Vor", "DreheLinks", "NimmAuf", "GibAb", "Loeschen", "Grundstellung",
                                     "Zuruecksetzen", "Uebernehmen", "SetzeHindernis", "Gegenstand",
                                     "SetzeZelk", "DreheZelk", "SetzeVorrat", "DateinameVergessen",
                                     "AbbruchLoeschen", "SetzeVorrat, the same", "SetzeHindernis, the border"};
        const bool counts[] = {true, true, true, true, true, true, true, true, true,
                               true, true, true, true, false, false, false, false};
        for (int i = 0; i < int(std::size(counts)); ++i)
            QTest::newRow(names[i]) << i << counts[i];
    }
    void everyChangeOfTheFieldCountsUp()
    {
        QFETCH(int, change);
        // Zelk on (2, 2) with supply, an item under it, the start elsewhere.
        WeltSetzen([](TWeltZustand& w) {
            w.Roboter = TZelkZustand{5, 2, 2, Ost};
            w.Zelle(2, 2).Anzahl = 1;
        });
        const std::uint64_t before = Welt.Version();
        switch (change) {
        case 0: Welt.Vor(); break;
        case 1: Welt.DreheLinks(); break;
        case 2: Welt.NimmAuf(); break;
        case 3: Welt.GibAb(); break;
        case 4: Welt.Loeschen(); break;
        case 5: Welt.Grundstellung(); break;
        case 6: Welt.Zuruecksetzen(); break;
        case 7: Welt.Uebernehmen(); break;
        case 8: Welt.SetzeHindernis(3, 3, Nord, true); break;
        case 9: Welt.Gegenstand(3, 3, true); break;
        case 10: Welt.SetzeZelk(4, 4); break;
        case 11: Welt.DreheZelk(); break;
        case 12: Welt.SetzeVorrat(7); break;
        case 13: Welt.DateinameVergessen(); break;
        case 14: Welt.AbbruchLoeschen(); break;
        case 15: Welt.SetzeVorrat(5); break;
        case 16: Welt.SetzeHindernis(15, 3, Ost, true); break;
        }
        QFETCH(bool, counts);
        QCOMPARE(Welt.Version() != before, counts);
    }
};

QTEST_APPLESS_MAIN(WorldTest)
#include "world_test.moc"
