#pragma once
// The speed bar of the info window and the intervals of the two timers it
// sets: the run's step timer and the teach-in replay. Positions run from 0
// to 50; a larger position is faster.

constexpr int KleinsteGeschwindigkeit = 0;
constexpr int GroessteGeschwindigkeit = 50;
// Where the bar stands at first.
constexpr int StartGeschwindigkeit = 40;
// The timers' intervals in milliseconds until the bar is first moved: they
// are not those of the position the bar shows at first.
constexpr int StartSchrittIntervall = 50;
constexpr int StartWiedergabeIntervall = 250;

// The step timer's interval for a position (clamped to the bar's range).
int SchrittIntervall(int geschwindigkeit);
// The teach-in replay's interval for a position.
int WiedergabeIntervall(int geschwindigkeit);
// A position within the bar's range.
int GeschwindigkeitImBereich(int position);
