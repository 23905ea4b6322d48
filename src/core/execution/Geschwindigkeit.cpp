#include "execution/Geschwindigkeit.h"

#include <algorithm>

int GeschwindigkeitImBereich(int position)
{
    return std::clamp(position, KleinsteGeschwindigkeit, GroessteGeschwindigkeit);
}

// One millisecond more than a multiple, so that even the fastest position
// gives the other events a turn between two steps.
int SchrittIntervall(int geschwindigkeit)
{
    return 10 * (GroessteGeschwindigkeit - GeschwindigkeitImBereich(geschwindigkeit)) + 1;
}

int WiedergabeIntervall(int geschwindigkeit)
{
    return 50 * (GroessteGeschwindigkeit - GeschwindigkeitImBereich(geschwindigkeit)) + 1;
}
