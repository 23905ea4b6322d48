#pragma once
// The table of a task: one row per solution, one column per field, each
// cell what that solution came to on that field, and each row's sum of cells
// that are "ok". Written as aligned text for the terminal and as CSV for a
// spreadsheet; the HTML page is HtmlReport's.
#include <string>
#include <vector>

#include "GoalCheck.h"
#include "TaskFolder.h"

enum class CellKind {
    Ok,            // ended normally in the goal world
    GoalMissed,    // ended normally elsewhere
    Failure,       // a halt, an unreadable program, a crashed or killed run
    StepLimit,
    SourceError,
    OwnWorkField,  // loads a work field itself: not run
};

struct Cell {
    CellKind kind = CellKind::Failure;
    std::string message;                   // what was shown (not for Ok and GoalMissed)
    std::string file;                      // where: a file without folder; empty when no place was named
    int line = 0;                          // and its line, from 1
    std::vector<std::string> differences;  // GoalMissed: one line each
    bool hasWorld = false;                 // the run delivered its final world
    WorldState world;
};

struct Solution {
    std::string path;  // as given on the command line
    std::string name;  // as the table shows it: valid UTF-8, no control characters
};

struct TaskTable {
    const Task* task = nullptr;
    std::vector<Solution> solutions;
    std::vector<std::vector<Cell>> rows;  // rows[solution][field]
    bool compareSupply = false;
};

// "ok", "Ziel verfehlt", "Fehler: <message>", "Schrittgrenze",
// "Übersetzungsfehler Zeile N" (with " in FILE" when the error lies in a unit).
std::string CellText(const Cell& cell, const std::string& solutionPath);

// The lines that explain a cell that is not ok: where and what, or each
// difference from the goal. Empty for an ok cell, and for a failure that
// names no place (its cell says it all).
std::vector<std::string> CellExplanation(const Cell& cell);

int OkCount(const std::vector<Cell>& row);
bool AllOk(const TaskTable& table);

// A file name as the table may show it: valid UTF-8 (a name that is not is
// read as Windows-1252, as old files are) with every control character as '?'.
std::string DisplayName(const std::string& bytes);

// The names that rows show: each file's name without folder, or as many of
// its last folders as tell it from the others ("anna/sammeln.pas" beside
// "ben/sammeln.pas"); the path as given when nothing shorter does.
std::vector<Solution> NameSolutions(const std::vector<std::string>& paths);

// The columns aligned with blanks, then for each cell that is not ok its
// explanation (at most five lines of it, then how many more there are).
// Lines end with '\n'.
std::string TableText(const TaskTable& table);

// The same table for a spreadsheet: UTF-8 with a byte order mark, fields
// separated by ';' (the separator German spreadsheets expect), lines ended
// by CR LF, a field quoted where it holds a separator, quote or line break.
std::string TableCsv(const TaskTable& table);

// One field of a CSV line, quoted where needed. A text that a spreadsheet
// would take for a formula (it starts with =, +, -, @) gets a leading '.
std::string CsvField(const std::string& text);
