#include "world/FeldKlick.h"

namespace {

// Divisions round down and remainders are never negative, also left of or
// above the grid.
int Div(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int Mod(int a, int b) { return a - b * Div(a, b); }

bool ImFeld(int x, int y) { return x >= 1 && x <= FeldBreite && y >= 1 && y <= FeldHoehe; }

// The grid lines and everything inside them; the right and bottom border
// lines lie outside.
bool InFeld(int px, int py) { return px >= 11 && px <= 423 && py >= 11 && py <= 283; }
// Where a pixel lies within the 28-pixel period of the grid: below 6 (below
// 7 for a click) it is on a side.
int RestX(int px) { return Mod(px - 5, 28); }
int RestY(int py) { return Mod(py - 5, 28); }

FeldKlickZiel Ziel(FeldZone zone, int px, int py)
{
    return {zone, Div(px - 6, 28) + 1, 10 - Div(py - 4, 28)};
}

}  // namespace

FeldZone KlickZone(int px, int py)
{
    if (!InFeld(px, py))
        return FeldZone::Aussen;
    if (RestY(py) < 6)
        return FeldZone::Waagerecht;
    if (RestX(px) < 6)
        return FeldZone::Senkrecht;
    return RestX(px) <= 20 ? FeldZone::Zelk : FeldZone::Punkt;
}

FeldKlickZiel KlickZiel(int px, int py)
{
    if (!InFeld(px, py))
        return {};
    // A horizontal line belongs to the square just below it.
    if (RestY(py) < 7)
        return Ziel(FeldZone::Waagerecht, px, py);
    // Shifted so that the column is the square left of the line.
    if (RestX(px) < 7)
        return Ziel(FeldZone::Senkrecht, px - 15, py);
    return Ziel(RestX(px) <= 20 ? FeldZone::Zelk : FeldZone::Punkt, px, py);
}

FeldKlickZiel KlickFeld(int px, int py)
{
    if (!InFeld(px, py))
        return {};
    return Ziel(FeldZone::Punkt, px, py);
}

bool SetzeWaagerecht(tFeld& welt, int x, int y, bool setzen)
{
    // The north side of the top row is the border, and no square lies
    // below the bottom one's south side.
    if (y >= FeldHoehe || y < 1 || x < 1 || x > FeldBreite)
        return false;
    return welt.SetzeHindernis(x, y, Nord, setzen);
}

bool SetzeSenkrecht(tFeld& welt, int x, int y, bool setzen)
{
    // The east side of the last column is the border, and column 0 names
    // the west border.
    if (x <= 0 || x >= FeldBreite || y < 1 || y > FeldHoehe)
        return false;
    return welt.SetzeHindernis(x, y, Ost, setzen);
}

bool ZelkKlick(tFeld& welt, int x, int y)
{
    if (!ImFeld(x, y))
        return false;
    const TZelkZustand& zelk = welt.Zustand().Roboter;
    if (x == zelk.X && y == zelk.Y) {
        welt.DreheZelk();
        return true;
    }
    return welt.SetzeZelk(x, y);
}

bool WandUmschalten(tFeld& welt, int x, int y, TRichtung d)
{
    if (!ImFeld(x, y))
        return false;
    const bool setzen = welt.Zelle(x, y).Offen[d] != 0;
    switch (d) {
    case Nord: return SetzeWaagerecht(welt, x, y, setzen);
    case Sued: return SetzeWaagerecht(welt, x, y - 1, setzen);
    case Ost: return SetzeSenkrecht(welt, x, y, setzen);
    default: return SetzeSenkrecht(welt, x - 1, y, setzen);
    }
}

bool Klicke(tFeld& welt, const FeldKlickZiel& ziel, bool setzen)
{
    switch (ziel.zone) {
    case FeldZone::Waagerecht: return SetzeWaagerecht(welt, ziel.x, ziel.y, setzen);
    case FeldZone::Senkrecht: return SetzeSenkrecht(welt, ziel.x, ziel.y, setzen);
    case FeldZone::Zelk: return ZelkKlick(welt, ziel.x, ziel.y);
    case FeldZone::Punkt: return welt.Gegenstand(ziel.x, ziel.y, setzen);
    default: return false;
    }
}
