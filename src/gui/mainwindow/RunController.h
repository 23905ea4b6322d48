#pragma once
// The run in the windowed program: a thin adapter between the core's run
// object and Qt. It turns the run's events into signals (the info window's
// Timer1 follows Timer1Switched, the actions follow StateChanged and
// HistoryChanged) and hands each tick of Timer1 to the run. The rules of
// the run are the core's (execution/Run.h).
#include <QObject>
#include <functional>
#include <string>

#include "execution/Run.h"

class TRunController : public QObject {
    Q_OBJECT
public:
    using RunState = TRunState;

    explicit TRunController(QObject* parent = nullptr);

    RunState State() const { return run.State(); }
    bool Paused() const { return run.Paused(); }
    bool Ready() const { return run.Ready(); }

    void Start() { run.Start(); }
    void Einzelschritt() { run.Einzelschritt(); }
    void Unterbrechen() { run.Unterbrechen(); }
    void Anhalten() { run.Anhalten(); }
    void Compilieren() { run.Compilieren(); }
    void SchrittZurueck() { run.SchrittZurueck(); }
    bool KannZurueck() const { return run.KannZurueck(); }
    bool KannStarten() const { return run.KannStarten(); }
    bool KannAnhalten() const { return run.KannAnhalten(); }
    // One tick of Timer1: one instruction, or a pause at a breakpoint; the
    // timer stops when the run says so.
    void Tick();
    void WeltGeaendert() { run.WeltGeaendert(); }
    void SetTimer1Enabled(bool enabled) { run.SetTimer1Enabled(enabled); }

    TBreakpoints& Breakpoints() { return run.Breakpoints(); }
    // The interpreter's run control port.
    RunControl& Port() { return run; }
    // The status panel's text now; the main window sets it.
    void SetFeldPanelAnzeige(std::function<std::string()> anzeige) { run.FeldPanelAnzeige = std::move(anzeige); }

signals:
    void StateChanged(TRunController::RunState state);
    void Timer1Switched(bool on);
    void Stopped();
    void HistoryChanged();

private:
    // The run's events, as this object's signals.
    class Events : public TRunEvents {
    public:
        explicit Events(TRunController& c) : c(c) {}
        void StateChanged(TRunState state) override { emit c.StateChanged(state); }
        void TimerSwitched(bool on) override;
        void Stopped() override { emit c.Stopped(); }
        void HistoryChanged() override { emit c.HistoryChanged(); }

    private:
        TRunController& c;
    };

    Events events{*this};
    TRun run{events};
    bool timerOn = false;
};
