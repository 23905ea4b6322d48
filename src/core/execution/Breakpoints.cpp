#include "execution/Breakpoints.h"

#include <algorithm>
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
            atInstruction_[std::size_t(i)] = Code[i].WordLine >= 0 && Has(Code[i].Page, Code[i].WordLine);
        builtFor_ = CodeGeneration;
        stale_ = false;
    }
    return index >= 0 && index < int(atInstruction_.size()) && atInstruction_[std::size_t(index)];
}

std::vector<int> StopLines(int page)
{
    std::vector<int> lines;
    for (int i = 0; i < CodeCount; ++i)
        if (Code[i].Page == page && Code[i].WordLine >= 0)
            lines.push_back(Code[i].WordLine);
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return lines;
}

int StopLineFrom(const std::vector<int>& stopLines, int line)
{
    const auto it = std::lower_bound(stopLines.begin(), stopLines.end(), line);
    return it == stopLines.end() ? -1 : *it;
}
