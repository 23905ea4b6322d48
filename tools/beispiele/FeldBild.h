#pragma once
// Work fields drawn as text, as the manual shows them: 21 lines of 61
// characters, top row (Y 10) first. Lines of "+" and "---" or "   " are the
// north and south sides, lines of "|" or " " and three-character cells are
// the rows; a cell holds its item count as a digit and the robot as one of
// > ^ < v (east, north, west, south). The border must be drawn closed.
#include <string>
#include <vector>

#include "world/ZelkDatei.h"

struct TFeldBild {
    std::string Name;       // the work field's name, its file is Name.ROB
    TZelkZustand Roboter;
    RobGitter Feld;
};

// Reads one picture; on failure returns false and says why in fehler.
bool LeseFeldBild(const std::vector<std::string>& zeilen, int vorrat, TFeldBild& bild,
                  std::string& fehler);
