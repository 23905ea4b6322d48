#pragma once
// The world as zelk-run reports it with --state: the current state, where the
// robot stands now, not where it started.
#include <string>

// "Zelk: x=X y=Y richtung=Ost vorrat=N", then the item counts of the current
// grid, ten lines of fifteen digits, top row (Y 10) first. Every line ends
// with a line break.
std::string StateText();
