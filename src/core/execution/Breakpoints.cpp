#include "execution/Breakpoints.h"

#include <limits>

#include "execution/ZelkCode.h"

void TBreakpoints::Set(int page, int line, bool on)
{
    if (on)
        lines_.insert({page, line});
    else
        lines_.erase({page, line});
    stale_ = true;
}

bool TBreakpoints::Toggle(int page, int line)
{
    const bool on = !Has(page, line);
    Set(page, line, on);
    return on;
}

bool TBreakpoints::Has(int page, int line) const { return lines_.count({page, line}) != 0; }

void TBreakpoints::SetPage(int page, const std::vector<int>& lines)
{
    lines_.erase(lines_.lower_bound({page, std::numeric_limits<int>::min()}), lines_.lower_bound({page + 1, std::numeric_limits<int>::min()}));
    for (int line : lines)
        lines_.insert({page, line});
    stale_ = true;
}

void TBreakpoints::Clear()
{
    lines_.clear();
    stale_ = true;
}

bool TBreakpoints::AtInstruction(int index) const
{
    if (stale_ || builtFor_ != CodeGeneration) {
        atInstruction_.assign(std::size_t(CodeCount), false);
        for (int i = 0; i < CodeCount && !lines_.empty(); ++i)
            atInstruction_[std::size_t(i)] = Has(Code[i].Page, Code[i].Line);
        builtFor_ = CodeGeneration;
        stale_ = false;
    }
    return index >= 0 && index < int(atInstruction_.size()) && atInstruction_[std::size_t(index)];
}

bool ArrivalCounts(int from, int to)
{
    if (from < 0 || from >= CodeCount || to < 0 || to >= CodeCount)
        return false;
    const TInstruction& a = Code[from];
    const TInstruction& b = Code[to];
    if (a.Page != b.Page || a.Line != b.Line)
        return true;
    switch (a.Op) {
    case opJump:
    case opCall:
    case opReturn: return true;
    case opJumpIfFalse: return to != from + 1;  // taken; falling through does not count
    default: return false;
    }
}
