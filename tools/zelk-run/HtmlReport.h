#pragma once
// A task's table as one self-contained HTML page: the table, and for every
// cell that is not ok the world the run ended in beside the goal, drawn as
// the world view draws them (inline SVG), with what went wrong. Every text
// on the page is escaped; the page is well-formed XML as well as HTML, so
// that any reader takes it apart alike.
#include <string>

#include "TaskTable.h"

std::string TableHtml(const TaskTable& table);
