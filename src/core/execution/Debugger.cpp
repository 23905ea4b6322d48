#include "execution/Debugger.h"

#include "execution/ZelkCode.h"
#include "execution/ZelkPreter.h"

bool TDebugger::PauseBeforeNext() const { return arrived_ && breakpoints_.AtInstruction(ProgramCounter); }

bool TDebugger::Step()
{
    const int from = StepExecutes() ? ProgramCounter : -1;
    const bool goesOn = history_.Step();
    arrived_ = from >= 0 && ArrivalCounts(from, ProgramCounter);
    return goesOn;
}

bool TDebugger::StepBack(std::uint64_t n)
{
    arrived_ = false;
    return history_.StepBack(n);
}

bool TDebugger::NextLine(int& page, int& line) const
{
    if (RunEnd() != TRunEnd::Running || ProgramCounter < 0 || ProgramCounter >= CodeCount)
        return false;
    page = Code[ProgramCounter].Page;
    line = Code[ProgramCounter].Line;
    return true;
}
