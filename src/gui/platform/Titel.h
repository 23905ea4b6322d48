#pragma once
// The program's title, "Zelk - der Roboter": the main window's caption, the
// first text of its status line, and the title of the boxes that have no
// title of their own (Qt would put the executable's name there).
#include <QString>

QString ProgrammTitel();
