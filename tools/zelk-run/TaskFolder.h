#pragma once
// A task folder: start fields NAME.ROB, each beside its goal NAME.ziel.ROB
// (names compared without regard to the case of A to Z). Every *.ROB file
// that is not a goal is a start field.
#include <string>
#include <vector>

#include "GoalCheck.h"

struct TaskField {
    std::string name;       // the start field's file name without ".ROB", as on disk
    std::string startPath;  // absolute
    std::string goalPath;   // absolute
    WorldState start;
    WorldState goal;
};

struct Task {
    std::string folder;             // as given
    std::vector<TaskField> fields;  // by name, without regard to case
    std::vector<std::string> notes; // what does not stop the task: a goal without its field
};

// Reads the folder and every field and goal in it. False when the task
// cannot be checked: problems then holds one German line for each thing
// wrong (the folder unreadable, no start field, a field without goal or with
// two, a field or goal that is no usable work field file).
bool LoadTask(const std::string& folder, Task& task, std::vector<std::string>& problems);
