#include "mainwindow/RunController.h"

#include <algorithm>
#include <string>
#include <vector>

#include "execution/ZelkCode.h"
#include "execution/ZelkPreter.h"
#include "execution/ZelkStart.h"
#include "language/ZelkParser.h"
#include "ports/SourcePages.h"
#include "world/ZelkFeld.h"

namespace {

// The translated program as the interpreter sees it: the instructions and
// the work field names they refer to.
struct Uebersetzung {
    std::vector<TInstruction> code;
    std::vector<std::string> felder;

    static Uebersetzung Aktuell()
    {
        const int n = std::clamp(CodeCount, 0, MaxCode);
        const int f = std::clamp(WorkFieldCount, 0, MaxWorkFields);
        return {std::vector<TInstruction>(Code, Code + n),
                std::vector<std::string>(WorkFieldNames, WorkFieldNames + f)};
    }

    bool operator==(const Uebersetzung& o) const
    {
        const auto gleich = [](const TInstruction& a, const TInstruction& b) {
            return a.Op == b.Op && a.Arg == b.Arg && a.Line == b.Line && a.Page == b.Page &&
                   a.WordLine == b.WordLine;
        };
        return felder == o.felder &&
               std::equal(code.begin(), code.end(), o.code.begin(), o.code.end(), gleich);
    }
};

// The commands that translate do nothing before the editor window has a page.
bool EineSeiteDa()
{
    const SourcePages* pages = sourcePages();
    return pages && pages->PageCount() > 0;
}

}  // namespace

TRunController::TRunController(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("RunController"));
}

void TRunController::SetRunState(RunState state)
{
    runState = state;
    emit StateChanged(state);
}

void TRunController::SetTimer1Enabled(bool enabled)
{
    timerAn = enabled;
    emit Timer1Switched(enabled);
    emit HistoryChanged();  // no step back while the timer runs
    if (enabled)
        Markieren(false);  // a running program shows no mark
}

void TRunController::WeltMerken()
{
    std::copy(&Welt.Feld[0][0], &Welt.Feld[0][0] + FeldHoehe * FeldBreite, &gemerkt.feld[0][0]);
    std::copy(&Welt.StartFeld[0][0], &Welt.StartFeld[0][0] + FeldHoehe * FeldBreite, &gemerkt.start[0][0]);
    gemerkt.roboter = Roboter;
    gemerkt.roboterStart = RoboterStart;
}

// Editing, manual control, a teach-in replay, "&Neu", "&Zurücksetzen" or
// opening a field changed the world between two steps: a step back would
// bring back a world the run never left behind. The run itself goes on in
// the world as it is, as it always did.
bool TRunController::WeltWieGelassen() const
{
    return GleichesFeld(gemerkt.feld, Welt.Feld) && GleichesFeld(gemerkt.start, Welt.StartFeld) &&
           GleicherZustand(gemerkt.roboter, Roboter) && GleicherZustand(gemerkt.roboterStart, RoboterStart);
}

bool TRunController::FremdeAenderungVergessen()
{
    if (WeltWieGelassen())
        return false;
    debugger.ClearHistory(FeldPanelAnzeige ? FeldPanelAnzeige() : std::string());
    WeltMerken();
    return true;
}

void TRunController::WeltGeaendert()
{
    // The run's own steps and steps back change the world too; they keep
    // what they left behind themselves.
    if (beschaeftigt || !FremdeAenderungVergessen())
        return;
    emit HistoryChanged();
    Markieren(false);
}

bool TRunController::Schritt()
{
    FremdeAenderungVergessen();
    const bool weiter = debugger.Step();
    WeltMerken();
    emit HistoryChanged();
    return weiter;
}

// The mark stands where the run goes on for as long as it can be continued
// or stepped back in, and not while the timer runs.
void TRunController::Markieren(bool ansagen)
{
    SourcePages* pages = sourcePages();
    if (!pages)
        return;
    int page = -1, line = -1;
    const bool sichtbar = !timerAn && (ready || paused || debugger.CanStepBack()) &&
                          debugger.ExecutionMark(page, line) && page >= 0 && page < pages->PageCount();
    if (sichtbar)
        pages->ShowExecutionMark(page, line, ansagen);
    else
        pages->ShowExecutionMark(-1, -1, false);
}

// A paused run shows where it stands: the page comes to the front, the line
// of the mark is selected, the focus stays where it is.
void TRunController::ZeigeHaltestelle()
{
    SourcePages* pages = sourcePages();
    int page = 0, line = 0;
    if (pages && debugger.ExecutionMark(page, line) && page >= 0 && page < pages->PageCount())
        pages->ShowRunLine(page, line);
    Markieren(true);
}

// After a robot or work field failure, once its message is closed: where
// the failing statement's word stands, also in a unit's page.
void TRunController::ZeigeFehlerstelle()
{
    SourcePages* pages = sourcePages();
    int page = 0, line = 0;
    if (pages && debugger.FailurePlace(page, line) && page >= 0 && page < pages->PageCount())
        pages->ShowRunLine(page, line);
}

void TRunController::NachDemLauf()
{
    const bool fehlschlag = RunEnd() == TRunEnd::Failure;
    if (fehlschlag)
        ZeigeFehlerstelle();
    Markieren(fehlschlag);
}

// A run halted by a robot failure cannot go on: the interpreter does nothing
// until the next InitRun. Continuing it would leave the buttons running with
// nothing running, so Start and Einzelschritt begin anew instead. The stop
// flag alone does not tell: a teach-in replay clears it, and the halted run
// would then go on behind the command that failed.
void TRunController::ForgetHaltedRun()
{
    if (Welt.Abbruch || RunEnd() == TRunEnd::Failure) {
        paused = false;
        ready = false;
    }
}

void TRunController::Start()
{
    if (!EineSeiteDa())
        return;
    const Beschaeftigt guard(beschaeftigt);
    ForgetHaltedRun();
    if (!paused) {
        ready = StartRun(0) == TStartResult::Started;
        if (!ready)
            return;
    }
    paused = false;
    SetRunState(RunState::Running);
    // Start goes on from a breakpoint: its first instruction never pauses.
    debugger.Resume();
    if (Schritt())
        SetTimer1Enabled(true);
    else
        NachDemLauf();
}

void TRunController::Tick()
{
    const Beschaeftigt guard(beschaeftigt);
    if (debugger.PauseBeforeNext()) {
        Unterbrechen();
        return;
    }
    if (!Schritt()) {
        SetTimer1Enabled(false);
        NachDemLauf();
    }
}

void TRunController::Einzelschritt()
{
    if (!EineSeiteDa())
        return;
    const Beschaeftigt guard(beschaeftigt);
    ForgetHaltedRun();
    if (ready) {
        SetSingleStep(1);  // the run goes on where it stands, lines highlighted
    } else {
        if (StartRun(1) != TStartResult::Started)
            return;
        ready = true;
    }
    // One instruction; single steps never start the timer.
    if (Schritt())
        Markieren(true);
    else
        NachDemLauf();
}

void TRunController::Unterbrechen()
{
    paused = true;
    SetRunState(RunState::Interrupted);
    SetTimer1Enabled(false);
    ZeigeHaltestelle();
}

bool TRunController::KannZurueck() const
{
    return !timerAn && WeltWieGelassen() && debugger.CanStepBack();
}

// Back over the last instruction, also over a failure or the end of the
// run: the run is then interrupted before that instruction, and Start or
// Einzelschritt give the same run again.
void TRunController::SchrittZurueck()
{
    if (timerAn)
        return;
    const Beschaeftigt guard(beschaeftigt);
    FremdeAenderungVergessen();
    if (!debugger.StepBack())
        return;
    WeltMerken();
    ready = true;
    emit HistoryChanged();
    Unterbrechen();
}

void TRunController::Anhalten()
{
    SetRunState(RunState::Idle);
    SetTimer1Enabled(false);
    Markieren(false);
    emit Stopped();
}

void TRunController::StopBtnClick()
{
    // After the natural end nothing is left to continue: the next Start or
    // Einzelschritt translates and starts anew.
    ready = false;
    paused = false;
    Anhalten();
}

void TRunController::Compilieren()
{
    // A translation would replace the table under a running or interrupted
    // program.
    if (!EineSeiteDa() || paused || runState != RunState::Idle)
        return;
    const Beschaeftigt guard(beschaeftigt);
    // A run left waiting by Anhalten goes on with Einzelschritt only in the
    // table it stands in; in any other its place and its return addresses
    // mean nothing, so Einzelschritt then starts the new program.
    const Uebersetzung vorher = Uebersetzung::Aktuell();
    if (Compile() != 1 || !(Uebersetzung::Aktuell() == vorher)) {
        ready = false;
        // The history replays instructions of the table it was kept for.
        debugger.ClearHistory(FeldPanelAnzeige ? FeldPanelAnzeige() : std::string());
        emit HistoryChanged();
        Markieren(false);
    }
}
