#pragma once
// The learner's breakpoints: lines of the editor's pages where a run pauses,
// and the rule of when arriving at such a line pauses it.
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

class TBreakpoints {
public:
    // Pages and lines are numbered from 0, as in the instruction table.
    void Set(int page, int line, bool on);
    bool Toggle(int page, int line);  // the new state
    bool Has(int page, int line) const;
    // All of one page at once, as the editor knows them after an edit
    // moved or removed lines.
    void SetPage(int page, const std::vector<int>& lines);
    void Clear();
    bool Empty() const { return lines_.empty(); }

    // Whether instruction index of the current table belongs to a line with
    // a breakpoint. Cheap: a table of the instructions is built once for
    // each translation and each change of the breakpoints.
    bool AtInstruction(int index) const;

private:
    std::set<std::pair<int, int>> lines_;
    mutable std::vector<bool> atInstruction_;
    mutable std::uint32_t builtFor_ = 0;  // the CodeGeneration the table was built for
    mutable bool stale_ = true;
};

// Whether arriving at instruction `to` right after executing instruction
// `from` can pause the run: `to` belongs to another line than `from`, or
// `from` was a jump, call or return that was taken. A conditional jump that
// falls through does not count by itself.
bool ArrivalCounts(int from, int to);
