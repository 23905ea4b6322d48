#pragma once
// The run as the learner drives it, the same in every front end: Start,
// Einzelschritt, Unterbrechen, Anhalten, Compilieren and "Schritt zurück",
// the flags Paused and Ready, the breakpoints, the history, the execution
// mark and where a failure happened.
//
// It owns no timer. A front end switches its step timer when TimerSwitched
// tells it to and hands each tick to Tick, which executes exactly one
// instruction or pauses at a breakpoint; when Tick returns false the timer
// stops. The interpreter reaches the run through the run control port,
// which this object is.
//
// State table (Paused, Ready, the state):
//   Start:          a paused run goes on; otherwise translate and start anew
//   Einzelschritt:  a ready run goes on one instruction; otherwise start anew
//   Unterbrechen:   Paused, Interrupted, timer off, the mark shown
//   Anhalten:       Idle, timer off; Paused and Ready stay, so Start goes on
//   the run's end:  StopRun clears both; the next Start begins anew
//   Compilieren:    only when idle and not paused
#include <cstdint>
#include <functional>
#include <string>

#include "execution/Debugger.h"
#include "ports/RunControl.h"

enum class TRunState { Idle, Running, Interrupted };

// What the run tells its front end. Each call comes when the change is made.
class TRunEvents {
public:
    virtual ~TRunEvents() = default;
    // Every change of the state, also to the same state.
    virtual void StateChanged(TRunState state) { (void)state; }
    // The step timer goes on or off.
    virtual void TimerSwitched(bool on) { (void)on; }
    // A run was stopped: the editor takes input again.
    virtual void Stopped() {}
    // Whether "Schritt zurück" can act may have changed.
    virtual void HistoryChanged() {}
};

class TRun : public RunControl {
public:
    explicit TRun(TRunEvents& events);

    TRunState State() const { return state_; }
    // The run was interrupted; the next Start continues it.
    bool Paused() const { return paused_; }
    // A translated program is waiting; Einzelschritt continues it.
    bool Ready() const { return ready_; }
    bool TimerOn() const { return timerOn_; }

    void Start();
    void Einzelschritt();
    void Unterbrechen();
    void Anhalten();
    void Compilieren();
    // One tick of the step timer; false when the timer is to stop.
    bool Tick();
    // Back to before the last instruction a single step shows; the run is
    // then interrupted there.
    void SchrittZurueck();
    bool KannZurueck() const;
    // Which of the run's commands can act now, in every front end: Start
    // and Einzelschritt unless a program runs (the desktop's editing mode
    // adds its own rule), Anhalten and Unterbrechen while one runs or is
    // interrupted.
    bool KannStarten() const { return state_ != TRunState::Running; }
    bool KannAnhalten() const { return state_ != TRunState::Idle; }

    // The world was changed or shown anew. A change outside the run ends
    // the history: a step back would bring back a world the run never left.
    void WeltGeaendert();

    TBreakpoints& Breakpoints() { return debugger_.Breakpoints(); }
    const TDebugger& Debugger() const { return debugger_; }

    // The status panel's text now, which a step back before the run's first
    // ARBEITSFELD shows again.
    std::function<std::string()> FeldPanelAnzeige;

    // The port. The interpreter switches the step timer, and its StopRun
    // reports the end of a run (last return, ABSCHALTEN, stack error) as
    // StopBtnClick: the next Start or Einzelschritt then begins anew.
    void SetTimer1Enabled(bool enabled) override;
    void StopBtnClick() override;

private:
    void SetState(TRunState state);
    void ForgetHaltedRun();
    bool Schritt();
    void ClearHistory();
    bool ForeignChangeEndsHistory();
    void ShowPause();
    void ShowFailure();
    void ShowMark(bool announce);
    void AfterTheRun();

    TRunEvents& events_;
    TDebugger debugger_;
    TRunState state_ = TRunState::Idle;
    bool paused_ = false;
    bool ready_ = false;
    bool timerOn_ = false;
    // The world's version as the run left it; any other means it was
    // changed outside the run.
    std::uint64_t worldLeft_ = 0;
    // While a command of the run works, the world's changes are its own.
    bool busy_ = false;
};
