#pragma once
// The editing mode's rules of the work field: what a click at a place of the
// drawing does, and the edits on squares that the clicks and the keys share.
// Places are the drawing's logical pixels: squares lie 28 pixels apart, and
// square (x, y) has its top-left grid line corner at (28 (x-1) + 6,
// 28 (10-y) + 6), row 1 at the bottom. A view that draws larger scales its
// pointer's place down to these before it asks.
#include "world/ZelkFeld.h"

// What lies under the pointer: the cursor the editing mode shows there.
enum class FeldZone { Aussen = 0, Waagerecht = 1, Senkrecht = 2, Zelk = 3, Punkt = 4 };

// Where a click acts: a side (the north side of square (x, y) for Waagerecht,
// its east side for Senkrecht), the robot zone or the item zone of a square.
// Aussen: outside the grid, no edit.
struct FeldKlickZiel {
    FeldZone zone = FeldZone::Aussen;
    int x = 0;
    int y = 0;
};

// The drawing's logical size, margins included.
constexpr int FeldZeichnungBreite = 435;
constexpr int FeldZeichnungHoehe = 295;

// The cursor's zone at a place.
FeldZone KlickZone(int px, int py);
// The same order as KlickZone, with the sides one pixel wider: a remainder
// of 6 shows the cursor of the square but a click there acts on the side.
FeldKlickZiel KlickZiel(int px, int py);
// The square a place lies in, for the keyboard's focus; Aussen when none.
FeldKlickZiel KlickFeld(int px, int py);

// The edits on squares. Each refuses the border and says whether it acted.
bool SetzeWaagerecht(tFeld& welt, int x, int y, bool setzen);  // north side of (x, y)
bool SetzeSenkrecht(tFeld& welt, int x, int y, bool setzen);   // east side of (x, y)
// The robot moves there with its direction and supply; on its own square it
// turns left instead, whatever the button.
bool ZelkKlick(tFeld& welt, int x, int y);
// Shift and an arrow: the barrier on side d of (x, y) set when the side is
// open, taken away when it is blocked.
bool WandUmschalten(tFeld& welt, int x, int y, TRichtung d);

// A click's whole edit: setzen is the left button, false the right one.
bool Klicke(tFeld& welt, const FeldKlickZiel& ziel, bool setzen);
