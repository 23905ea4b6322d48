#pragma once
// The instruction table as text, one line per instruction:
// index, operation name, Arg, Line, Page, separated by single blanks
// ("0 opJump 6 0 0"). For zelk-run's --listing and for looking at a
// translation in tests.
#include <string>
#include <vector>

std::vector<std::string> CodeListing();
std::string ListingLine(int index);
