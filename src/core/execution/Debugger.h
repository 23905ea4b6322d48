#pragma once
// Debugging a run in the windows: breakpoints, the pause they cause, the
// execution mark and "Schritt zurück". The run control steps through here
// instead of Step:
//
//   Start (also going on after a pause):  Step() once without asking,
//                                         then every tick
//   each tick of the step timer:          if (PauseBeforeNext()) pause as
//                                         Unterbrechen does and show
//                                         ExecutionMark(); else if (!Step())
//                                         the run has ended or halted
//   Einzelschritt:                        Step(), once: it never pauses
//   Schritt zurück:                       StepBack(); the run is then paused
//                                         at ExecutionMark()
//   a new translation, a world change outside the run:
//                                         ClearHistory(the status panel's text)
//
// Every line here is one of the translated text, and the one where an
// instruction's word stands (TInstruction::WordLine).
//
// zelk-run uses none of it: its steps cost what they always did.
#include <cstdint>
#include <string>

#include "execution/Breakpoints.h"
#include "execution/RunHistory.h"

struct TInstruction;

class TDebugger {
public:
    TBreakpoints& Breakpoints() { return breakpoints_; }
    const TRunHistory& History() const { return history_; }

    // Whether the run should pause before its next instruction: its word
    // stands on a line with a breakpoint, and the run arrives at that line
    // from another line or by a jump, call or return. A loop written in one
    // line thus pauses once per pass, a line with two commands once.
    bool PauseBeforeNext() const;
    // Step, recorded in the history.
    bool Step();

    bool CanStepBack() const { return history_.CanStepBack(1); }
    // Takes back instructions until one that a single step shows (a test, a
    // command, a call, ARBEITSFELD) or ABSCHALTEN is taken back, with the
    // jumps, logic and returns after it; where the history holds none, back
    // to its start. False when nothing can be taken back.
    bool StepBack();
    // Takes back exactly n instructions, of whatever kind (see
    // TRunHistory::StepBack).
    bool StepBackInstructions(std::uint64_t n);
    void ClearHistory(const std::string& feldPanel) { history_.Clear(feldPanel); }

    // Where the execution mark stands: before the run's next instruction
    // with a word, found by following the jumps and logic before it on
    // copies of the stacks; after the run's end on the instruction that
    // ended it (the program's END., ABSCHALTEN, the failing statement).
    // False when there is no table to stand in.
    bool ExecutionMark(int& page, int& line) const;
    // The statement whose robot or work field failure halted the run; false
    // when the run did not end that way.
    bool FailurePlace(int& page, int& line) const;

    // Whether a single step selects the line of instructions of this kind.
    static bool Shown(const TInstruction& instruction);

private:
    void Arrive(const TInstruction& executed, int from);
    void StandBeforeNext();

    TBreakpoints breakpoints_;
    TRunHistory history_;
    // How the run came to the instruction it stands before: the word line of
    // the last instruction with one, and whether a jump, call or return was
    // taken since.
    int lastPage_ = -1;
    int lastLine_ = -1;
    bool moved_ = true;
    std::uint32_t run_ = 0;  // the RunNumber the above belongs to
};
