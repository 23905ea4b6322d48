#pragma once
// zelk-run from the parsed command line to its exit status: read the
// program, load the work field, translate, run, report.
#include <ostream>
#include <string>

#include "Arguments.h"

// Exit statuses.
enum RunStatus {
    StatusEnded = 0,         // the program ran to its end (or --no-run)
    StatusSourceError = 1,   // a source error, or the page holds a unit
    StatusHalted = 2,        // a robot or work field failure or a stack error
    StatusStepLimit = 3,     // --max-steps reached
    StatusGoalMissed = 4,    // the run ended, but not in the --goal world (or a task cell failed)
    StatusUsage = 64,        // wrong arguments
    StatusNoInput = 66,      // PROGRAM or the --world file cannot be read
    StatusInternal = 70,     // a fault of ours: an exception no one caught
    StatusNoMemory = 71,     // memory ran out
    StatusCannotWrite = 73,  // the --dump file cannot be written
};

// What a run came to beyond its status, for a task's table.
struct RunOutcome {
    int status = StatusEnded;
    bool ownWorkField = false;  // refused: the program loads a work field itself
    bool unit = false;          // refused: the page holds a unit
    std::string message;        // the last message shown, or why the program could not be read
    std::string file;           // where a line was named for it: the file without folder
    int line = 0;               // and the line, from 1; 0 when no line was named
};

// Runs once per process: it uses the program-wide core state and changes the
// current directory to the program's folder. With outcome, also tells what
// the run came to.
int RunZelk(const Arguments& args, std::ostream& out, std::ostream& err, RunOutcome* outcome = nullptr);
