#pragma once
// The undo history of the work field's editing mode. Each step is a copy of
// the current world (squares and robot) from before one edit; a copy is
// small, so whole states are kept instead of the edits themselves.
//
// The history notices when something else than an edit changed the world
// (a manual step, a replay, a reset): the states it holds no longer lead to
// the world as it stands, so it forgets them before it does anything else.
#include <cstddef>
#include <deque>

#include "world/ZelkFeld.h"

// What an edit can change: the current grid and the robot.
struct WeltStand {
    TZelle Feld[FeldHoehe][FeldBreite];
    TZelkZustand Roboter;

    // The current state of Welt and Roboter.
    static WeltStand Aktuell();
    // Makes this the current state; the start state is not touched.
    void Herstellen() const;

    bool operator==(const WeltStand& o) const;
    bool operator!=(const WeltStand& o) const { return !(*this == o); }
};

class EditHistory {
public:
    // The oldest steps are dropped beyond this many.
    static constexpr std::size_t Grenze = 1000;

    // One edit lies between Beginne and Beende. The calls may nest: a drag
    // of the supply bar is one edit however many moves it makes. An edit
    // that changed nothing is no step, and a new step drops what was undone.
    // With klammer the edit only brackets edits of its own, its parts, and
    // changes nothing itself. When the world changed otherwise in between
    // (a replay goes on during a drag), the world it began with would bring
    // back more than the edit, so the history forgets instead.
    void Beginne(bool klammer = false);
    void Beende();

    // Each brings back one state and returns whether there was one. Neither
    // acts in the middle of an edit.
    bool Rueckgaengig();
    bool Wiederholen();

    void Loeschen();
    bool KannRueckgaengig() const;
    bool KannWiederholen() const;

private:
    // The world is still the one the history last left.
    bool Gueltig() const;
    void Vergessen();  // forgets the steps when the world went its own way
    bool Wechsle(std::deque<WeltStand>& von, std::deque<WeltStand>& nach);

    std::deque<WeltStand> zurueck;  // states before the edits, newest last
    std::deque<WeltStand> vor;      // states undone, newest last
    WeltStand zuletzt{};            // the world as the history left it
    WeltStand anfang{};             // the world when the open edit began
    WeltStand zwischen{};           // the world as the open edit's last part left it
    bool klammer = false;           // the open edit changes the world only in parts
    bool fremd = false;             // something else changed the world in between
    int tiefe = 0;                  // nesting of Beginne
};
