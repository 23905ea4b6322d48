#include "execution/Debugger.h"

#include <vector>

#include "execution/ZelkCode.h"
#include "execution/ZelkPreter.h"

bool TDebugger::Shown(const TInstruction& i)
{
    switch (i.Op) {
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

bool TDebugger::PauseBeforeNext() const
{
    if (run_ != RunNumber() || !StepExecutes() || !breakpoints_.AtInstruction(ProgramCounter))
        return false;
    const TInstruction& next = Code[ProgramCounter];
    return moved_ || next.Page != lastPage_ || next.WordLine != lastLine_;
}

bool TDebugger::Step()
{
    if (run_ != RunNumber()) {
        // A new run arrives at its first line from nowhere.
        run_ = RunNumber();
        lastPage_ = lastLine_ = -1;
        moved_ = true;
    }
    const int from = StepExecutes() ? ProgramCounter : -1;
    const bool goesOn = history_.Step();
    if (from >= 0)
        Arrive(Code[from], from);
    return goesOn;
}

void TDebugger::Arrive(const TInstruction& executed, int from)
{
    if (executed.WordLine >= 0) {
        lastPage_ = executed.Page;
        lastLine_ = executed.WordLine;
        moved_ = false;
    }
    switch (executed.Op) {
    case opJump:
    case opCall:
    case opReturn: moved_ = true; break;
    case opJumpIfFalse:
        if (ProgramCounter != from + 1)  // taken; falling through does not count
            moved_ = true;
        break;
    default: break;
    }
}

// After a step back the run stands before a shown instruction as if it had
// just come to its line: Start goes on from there without pausing at it.
void TDebugger::StandBeforeNext()
{
    run_ = RunNumber();
    moved_ = false;
    lastPage_ = lastLine_ = -1;
    if (ProgramCounter >= 0 && ProgramCounter < CodeCount) {
        lastPage_ = Code[ProgramCounter].Page;
        lastLine_ = Code[ProgramCounter].WordLine;
    }
}

bool TDebugger::StepBack()
{
    if (!history_.StepBackTo(&TDebugger::Shown))
        return false;
    StandBeforeNext();
    return true;
}

bool TDebugger::StepBackInstructions(std::uint64_t n)
{
    if (!history_.StepBack(n))
        return false;
    StandBeforeNext();
    return true;
}

namespace {

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

int LineOf(const TInstruction& i) { return i.WordLine >= 0 ? i.WordLine : i.Line; }

}  // namespace

bool TDebugger::ExecutionMark(int& page, int& line) const
{
    if (RunEnd() != TRunEnd::Running) {
        if (CodeCount <= 0)
            return false;
        page = CurrentInstruction.Page;
        line = LineOf(CurrentInstruction);
        return true;
    }
    if (ProgramCounter < 0 || ProgramCounter >= CodeCount)
        return false;
    std::vector<int> calls(CallStack + 1, CallStack + 1 + CallStackPointer);
    std::vector<int> values(ValueStack + 1, ValueStack + 1 + ValueStackPointer);
    int pc = ProgramCounter;
    // A table of MaxCode instructions has one with a word within as many
    // steps, or loops without one.
    for (int n = 0; n <= MaxCode && pc >= 0 && pc < CodeCount; ++n) {
        const TInstruction& i = Code[pc];
        if (i.WordLine >= 0) {
            page = i.Page;
            line = i.WordLine;
            return true;
        }
        if (!Follow(i, pc, calls, values))
            break;
    }
    page = Code[ProgramCounter].Page;
    line = LineOf(Code[ProgramCounter]);
    return true;
}

bool TDebugger::FailurePlace(int& page, int& line) const
{
    if (RunEnd() != TRunEnd::Failure || CodeCount <= 0)
        return false;
    page = CurrentInstruction.Page;
    line = LineOf(CurrentInstruction);
    return true;
}
