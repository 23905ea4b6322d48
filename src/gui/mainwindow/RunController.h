#pragma once
// Run control of the windowed program: Start, Einzelschritt, Unterbrechen,
// Anhalten and Compilieren, and the run state they leave behind. The main
// window's handlers delegate here; the windows learn of every change through
// the signals. The interpreter reaches it through the core's run control port.
#include <QObject>

#include "ports/RunControl.h"

class TRunController : public QObject, public RunControl {
    Q_OBJECT
public:
    enum class RunState { Idle, Running, Interrupted };

    explicit TRunController(QObject* parent = nullptr);

    RunState State() const { return runState; }
    // The run was interrupted; the next Start continues it.
    bool Paused() const { return paused; }
    // A translated program is waiting; Einzelschritt continues it.
    bool Ready() const { return ready; }

    void Start();
    void Einzelschritt();
    void Unterbrechen();
    void Anhalten();  // the user's "Anhalten": Paused and Ready stay
    void Compilieren();

    // The port. The interpreter switches the step timer, and its StopRun
    // reports the end of a run (last return, ABSCHALTEN, stack error) as
    // StopBtnClick: the next Start or Einzelschritt then begins anew.
    void SetTimer1Enabled(bool enabled) override;
    void StopBtnClick() override;

signals:
    // Emitted at every change of the run state, also to the same state.
    void StateChanged(TRunController::RunState state);
    // The step timer Timer1 of the info window goes on or off.
    void Timer1Switched(bool on);
    // A run was stopped: the editor takes input again.
    void Stopped();

private:
    void SetRunState(RunState state);
    void ForgetHaltedRun();

    RunState runState = RunState::Idle;
    bool paused = false;
    bool ready = false;
};
