#pragma once
// A copy of the whole world model (both states, Dateiname, Abbruch), so a
// test can say "nothing changed" in one comparison; and the world tests
// start from.
#include <string>

#include "world/ZelkFeld.h"

// Puts the world into any state a test needs, also one that no file nor
// the editing rules could make (a one-sided barrier, a count of 12): as one
// value, through its owner.
template <class F>
void WeltSetzen(F setzen)
{
    TWeltZustand w = Welt.Zustand();
    setzen(w);
    Welt.Herstellen(w);
}

struct WorldSnapshot {
    TZelle feld[FeldHoehe][FeldBreite];
    TZelle startFeld[FeldHoehe][FeldBreite];
    TZelkZustand roboter;
    TZelkZustand roboterStart;
    std::string dateiname;
    bool abbruch;

    WorldSnapshot()
    {
        for (int y = 0; y < FeldHoehe; ++y)
            for (int x = 0; x < FeldBreite; ++x) {
                feld[y][x] = Welt.Feld[y][x];
                startFeld[y][x] = Welt.StartFeld[y][x];
            }
        roboter = Roboter;
        roboterStart = RoboterStart;
        dateiname = Welt.Dateiname;
        abbruch = Welt.Abbruch;
    }

    static bool sameCell(const TZelle& a, const TZelle& b)
    {
        return a.Anzahl == b.Anzahl && a.Offen[0] == b.Offen[0] && a.Offen[1] == b.Offen[1] &&
               a.Offen[2] == b.Offen[2] && a.Offen[3] == b.Offen[3];
    }
    static bool sameRobot(const TZelkZustand& a, const TZelkZustand& b)
    {
        return a.X == b.X && a.Y == b.Y && a.Vorrat == b.Vorrat && a.Richtung == b.Richtung;
    }

    bool operator==(const WorldSnapshot& o) const
    {
        for (int y = 0; y < FeldHoehe; ++y)
            for (int x = 0; x < FeldBreite; ++x)
                if (!sameCell(feld[y][x], o.feld[y][x]) || !sameCell(startFeld[y][x], o.startFeld[y][x]))
                    return false;
        return sameRobot(roboter, o.roboter) && sameRobot(roboterStart, o.roboterStart) &&
               dateiname == o.dateiname && abbruch == o.abbruch;
    }
    bool operator!=(const WorldSnapshot& o) const { return !(*this == o); }
};

// Both states hold the same squares and robot.
inline bool StartEqualsCurrent()
{
    for (int y = 0; y < FeldHoehe; ++y)
        for (int x = 0; x < FeldBreite; ++x)
            if (!WorldSnapshot::sameCell(Welt.Feld[y][x], Welt.StartFeld[y][x]))
                return false;
    return WorldSnapshot::sameRobot(Roboter, RoboterStart);
}

// The world a test starts from: the empty field, the robot in its start
// place, and no failure left over from the test before.
inline void ResetWorld()
{
    Welt.Loeschen();
    Welt.Grundstellung();
    Welt.AbbruchLoeschen();
}
