#pragma once
// The learner's breakpoints: lines of the editor's pages where a run pauses.
// A breakpoint belongs to the line where an instruction's own word stands
// (TInstruction::WordLine); lines without such a word cannot hold one.
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

    // Whether instruction index of the current table has its word on a line
    // with a breakpoint. Cheap: a table of the instructions is built once
    // for each translation and each change of the breakpoints.
    bool AtInstruction(int index) const;

private:
    std::set<std::pair<int, int>> lines_;
    mutable std::vector<bool> atInstruction_;
    mutable std::uint32_t builtFor_ = 0;  // the CodeGeneration the table was built for
    mutable bool stale_ = true;
};

// The lines of page where the current table has an instruction's word, in
// ascending order: the lines a breakpoint can pause at.
std::vector<int> StopLines(int page);

// Where a breakpoint set on line of page takes effect: that line or the
// next of StopLines; -1 when none follows on the page.
int StopLineFrom(const std::vector<int>& stopLines, int line);
