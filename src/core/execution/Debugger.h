#pragma once
// Debugging a run in the windows: breakpoints, the pause they cause and
// "Schritt zurück". The run control steps through here instead of Step:
//
//   Start (also going on after a pause):  Resume(), then every tick
//   each tick of the step timer:          if (PauseBeforeNext()) pause as
//                                         Unterbrechen does and select
//                                         NextLine(); else if (!Step()) the
//                                         run has ended or halted
//   Einzelschritt:                        Step(), once: it never pauses
//   Schritt zurück:                       StepBack(); the run is then paused
//                                         at NextLine()
//   a new translation, a world change outside the run:
//                                         ClearHistory(the status panel's text)
//
// zelk-run uses none of it: its steps cost what they always did.
#include <cstdint>
#include <string>

#include "execution/Breakpoints.h"
#include "execution/RunHistory.h"

class TDebugger {
public:
    TBreakpoints& Breakpoints() { return breakpoints_; }
    const TRunHistory& History() const { return history_; }

    // The run goes on by Start: the instruction it stands before never
    // pauses it, so Start goes on from a breakpoint.
    void Resume() { arrived_ = false; }
    // Whether the run should pause before its next instruction: a breakpoint
    // on that line, reached from another line or by a jump taken.
    bool PauseBeforeNext() const;
    // Step, recorded in the history.
    bool Step();

    bool CanStepBack(std::uint64_t n = 1) const { return history_.CanStepBack(n); }
    // Takes back the last n instructions (see TRunHistory::StepBack).
    bool StepBack(std::uint64_t n = 1);
    void ClearHistory(const std::string& feldPanel) { history_.Clear(feldPanel); }

    // The page and line of the instruction the run stands before; false
    // when there is none (no table, or the run ended).
    bool NextLine(int& page, int& line) const;
    // The line a single step would select next: that of the next test,
    // command, call or ARBEITSFELD, found by following the jumps, logic
    // and returns before it on copies of the stacks. Where that cannot be
    // told, the line of the next instruction; false when the run has ended.
    bool NextShownLine(int& page, int& line) const;

private:
    TBreakpoints breakpoints_;
    TRunHistory history_;
    bool arrived_ = false;  // the next instruction was reached in a way that counts
};
