#include "execution/Debugger.h"

#include <vector>

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

namespace {

// The instructions a single step selects the line of.
bool Shown(std::uint8_t op)
{
    switch (op) {
    case opTest:
    case opVor:
    case opDreheLinks:
    case opNimmAuf:
    case opGibAb:
    case opAbschalten:
    case opCall:
    case opArbeitsfeld: return true;
    default: return false;
    }
}

// One silent instruction on copies of the stacks; false where the way on
// depends on something else or the run ends.
bool Follow(const TInstruction& i, int& pc, std::vector<int>& calls, std::vector<int>& values)
{
    const auto pop = [&values](int& v) {
        if (values.empty())
            return false;
        v = values.back();
        values.pop_back();
        return true;
    };
    int a = 0, b = 0;
    switch (i.Op) {
    case opJump: pc = i.Arg; return true;
    case opJumpIfFalse:
        if (!pop(a))
            return false;
        pc = a == 0 ? int(i.Arg) : pc + 1;
        return true;
    case opLogic:
        if (!pop(a))
            return false;
        if (i.Arg == 0) {
            values.push_back(a ^ 1);
        } else {
            if (!pop(b))
                return false;
            values.push_back(i.Arg == 1 ? (a & b) : (a | b));
        }
        ++pc;
        return true;
    case opReturn:
        if (calls.empty())
            return false;
        pc = calls.back();
        calls.pop_back();
        return pc != 0;  // the main block's return ends the run
    default: return false;
    }
}

}  // namespace

bool TDebugger::NextShownLine(int& page, int& line) const
{
    if (!NextLine(page, line))
        return false;
    std::vector<int> calls(CallStack + 1, CallStack + 1 + CallStackPointer);
    std::vector<int> values(ValueStack + 1, ValueStack + 1 + ValueStackPointer);
    int pc = ProgramCounter;
    // A table of MaxCode instructions has a shown one within as many steps,
    // or loops without one.
    for (int n = 0; n <= MaxCode && pc >= 0 && pc < CodeCount; ++n) {
        const TInstruction& i = Code[pc];
        if (Shown(i.Op)) {
            page = i.Page;
            line = i.Line;
            return true;
        }
        if (!Follow(i, pc, calls, values))
            break;
    }
    return true;  // the next instruction's own line
}
