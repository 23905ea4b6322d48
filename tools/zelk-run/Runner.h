#pragma once
// zelk-run from the parsed command line to its exit status: read the
// program, load the work field, translate, run, report.
#include <ostream>

#include "Arguments.h"

// Exit statuses.
enum RunStatus {
    StatusEnded = 0,         // the program ran to its end (or --no-run)
    StatusSourceError = 1,   // a source error, or the page holds a unit
    StatusHalted = 2,        // a robot or work field failure or a stack error
    StatusStepLimit = 3,     // --max-steps reached
    StatusUsage = 64,        // wrong arguments
    StatusNoInput = 66,      // PROGRAM or the --world file cannot be read
    StatusInternal = 70,     // a fault of ours: an exception no one caught
    StatusNoMemory = 71,     // memory ran out
    StatusCannotWrite = 73,  // the --dump file cannot be written
};

// Runs once per process: it uses the program-wide core state and changes the
// current directory to the program's folder.
int RunZelk(const Arguments& args, std::ostream& out, std::ostream& err);
