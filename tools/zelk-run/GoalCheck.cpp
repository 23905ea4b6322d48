#include "GoalCheck.h"

#include <algorithm>

namespace {

// The direction as a reader says it; --state keeps the ASCII "Sued" of the
// program's own names, a sentence for people spells the umlaut.
const char* DirectionWord(int richtung)
{
    static const char* const words[] = {"Ost", "Nord", "West", "Süd"};
    return richtung >= 0 && richtung <= 3 ? words[richtung] : "?";
}

std::string Place(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

std::string RobotPlace(const TZelkZustand& r)
{
    return Place(r.X, r.Y) + " (" + DirectionWord(r.Richtung) + ")";
}

// "1 Gegenstand", "2 Gegenstände".
std::string Items(int n) { return std::to_string(n) + (n == 1 ? " Gegenstand" : " Gegenstände"); }

}  // namespace

WorldState CurrentWorld()
{
    WorldState w;
    w.robot = Roboter;
    std::copy(&Welt.Feld[0][0], &Welt.Feld[0][0] + FeldHoehe * FeldBreite, &w.grid[0][0]);
    return w;
}

std::vector<Square> DifferingSquares(const WorldState& world, const WorldState& goal)
{
    std::vector<Square> squares;
    for (int y = FeldHoehe; y >= 1; --y)
        for (int x = 1; x <= FeldBreite; ++x)
            if (world.grid[y - 1][x - 1].Anzahl != goal.grid[y - 1][x - 1].Anzahl)
                squares.push_back({x, y});
    return squares;
}

std::vector<std::string> GoalDifferences(const WorldState& world, const WorldState& goal,
                                         bool compareSupply)
{
    std::vector<std::string> lines;
    const TZelkZustand& r = world.robot;
    const TZelkZustand& g = goal.robot;
    if (r.X != g.X || r.Y != g.Y || r.Richtung != g.Richtung)
        lines.push_back("Zelk steht auf " + RobotPlace(r) + " statt " + RobotPlace(g));
    if (compareSupply && r.Vorrat != g.Vorrat)
        lines.push_back("Vorrat: " + Items(r.Vorrat) + " statt " + std::to_string(g.Vorrat));
    for (const Square& s : DifferingSquares(world, goal))
        lines.push_back("Feld " + Place(s.x, s.y) + ": " + Items(world.grid[s.y - 1][s.x - 1].Anzahl) +
                        " statt " + std::to_string(goal.grid[s.y - 1][s.x - 1].Anzahl));
    return lines;
}

std::string RobReadReason(RobLesen result)
{
    switch (result) {
    case RobLesen::Gelesen: return "gelesen";
    case RobLesen::NichtGeoeffnet: return "nicht gefunden oder nicht lesbar";
    case RobLesen::Lesefehler: return "Lesefehler";
    case RobLesen::KeineKennung:
    case RobLesen::FalscheKennung: return "keine Arbeitsfelddatei";
    case RobLesen::Unvollstaendig: return "unvollständig (kürzer als 1220 Bytes)";
    case RobLesen::UngueltigerWert: return "Werte außerhalb des Arbeitsfeldes";
    }
    return "unbekannter Fehler";
}

bool ReadWorldFile(const std::string& path, WorldState& world, std::string& reason)
{
    const RobLesen result = RobDateiLesen(path, world.robot, world.grid);
    if (result == RobLesen::Gelesen)
        return true;
    reason = RobReadReason(result);
    return false;
}
