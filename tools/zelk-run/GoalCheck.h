#pragma once
// Whether a run reached its goal: the world after the run against a goal
// stored as a work field file. Compared are the item counts of all squares
// and the robot's square and direction, its supply only on request; the side
// flags are not, as no run changes them. Every difference is one German line.
#include <string>
#include <vector>

#include "world/ZelkDatei.h"

// One world: the robot and the grid, as a work field file holds them.
struct WorldState {
    TZelkZustand robot;
    RobGitter grid;
};

// The current state of Welt: where the robot stands now, what lies now.
WorldState CurrentWorld();

struct Square {
    int x;
    int y;
};

// The squares whose item counts differ, top row (Y 10) first, within a row
// from the left: the order in which the world view shows them.
std::vector<Square> DifferingSquares(const WorldState& world, const WorldState& goal);

// One line per difference, in this order: the robot's square and direction
// ("Zelk steht auf 5,1 (Nord) statt 15,1 (Ost)"), its supply when
// compareSupply ("Vorrat: 3 Gegenstände statt 0"), then each square
// ("Feld 3,4: 2 Gegenstände statt 0"). Empty when the goal is reached.
std::vector<std::string> GoalDifferences(const WorldState& world, const WorldState& goal,
                                         bool compareSupply);

// Why a work field file was not taken, in German ("keine Arbeitsfelddatei").
std::string RobReadReason(RobLesen result);

// Reads a goal or start field; false with the reason when it cannot be used.
bool ReadWorldFile(const std::string& path, WorldState& world, std::string& reason);
