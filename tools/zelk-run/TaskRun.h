#pragma once
// zelk-run --task: every solution on every start field of a task folder,
// each run in a child process of its own, then the table on standard output
// and, when asked, as CSV and as an HTML page.
#include <ostream>

#include "Arguments.h"

// 0 every cell ok, 4 some cell not, 66 the folder holds no complete task,
// 73 the CSV or HTML file could not be written.
int RunTask(const Arguments& args, std::ostream& out, std::ostream& err);
