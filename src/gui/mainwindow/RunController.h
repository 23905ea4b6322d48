#pragma once
// Run control of the windowed program: Start, Einzelschritt, Unterbrechen,
// Anhalten and Compilieren, and the run state they leave behind. The main
// window's handlers delegate here; the windows learn of every change through
// the signals. The interpreter reaches it through the core's run control port.
#include <QObject>
#include <functional>
#include <string>

#include "execution/Debugger.h"
#include "ports/RunControl.h"
#include "world/ZelkFeld.h"

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
    // One tick of the step timer: one instruction, or a pause before a line
    // with a breakpoint.
    void Tick();
    // "Schritt zurück": the last instruction taken back; the run is then
    // interrupted before it.
    void SchrittZurueck();
    bool KannZurueck() const;
    // The world was changed or shown anew. A change outside the run (by
    // hand, by the editing mode, by a command of the work field menu) ends
    // the history: a step back would bring back a world the run never left.
    void WeltGeaendert();

    // Breakpoints, history and the line a pause shows.
    TDebugger& Debugger() { return debugger; }
    // The text of the status panel now, which a step back before the run's
    // first ARBEITSFELD shows again; the main window sets it.
    std::function<std::string()> FeldPanelAnzeige;

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
    // The history grew or shrank: "Schritt zurück" may change its state.
    void HistoryChanged();

private:
    void SetRunState(RunState state);
    void ForgetHaltedRun();
    // Every step of a run goes through the history.
    bool Schritt();
    void ZeigeHaltestelle();
    void ZeigeFehlerstelle();
    void Markieren(bool ansagen);
    // The run stopped by itself: a failure shows where, and the mark stays
    // where the history can step back from.
    void NachDemLauf();
    // The world as the run left it; anything else means that it was changed
    // outside the run, and the history leads nowhere.
    void WeltMerken();
    bool FremdeAenderungVergessen();  // true when the history ended
    bool WeltWieGelassen() const;

    TDebugger debugger;
    bool timerAn = false;  // Timer1 ticks
    struct Weltstand {
        TZelle feld[FeldHoehe][FeldBreite];
        TZelle start[FeldHoehe][FeldBreite];
        TZelkZustand roboter, roboterStart;
    };
    Weltstand gemerkt{};

    // While a command of the run works, the world's notices are its own.
    bool beschaeftigt = false;
    struct Beschaeftigt {
        explicit Beschaeftigt(bool& flag) : flag(flag), vorher(flag) { flag = true; }
        ~Beschaeftigt() { flag = vorher; }
        bool& flag;
        bool vorher;
    };

    RunState runState = RunState::Idle;
    bool paused = false;
    bool ready = false;
};
