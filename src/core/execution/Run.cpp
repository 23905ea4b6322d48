#include "execution/Run.h"

#include <algorithm>
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

// The commands that translate do nothing before the editor has a page.
bool EineSeiteDa()
{
    const SourcePages* pages = sourcePages();
    return pages && pages->PageCount() > 0;
}

// Sets a flag for as long as it lives, and back to what it was.
class Busy {
public:
    explicit Busy(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~Busy() { flag_ = before_; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    bool& flag_;
    bool before_;
};

}  // namespace

TRun::TRun(TRunEvents& events) : events_(events), worldLeft_(Welt.Version()) {}

void TRun::SetState(TRunState state)
{
    state_ = state;
    events_.StateChanged(state);
}

void TRun::SetTimer1Enabled(bool enabled)
{
    timerOn_ = enabled;
    events_.TimerSwitched(enabled);
    events_.HistoryChanged();  // no step back while the timer runs
    if (enabled)
        ShowMark(false);  // a running program shows no mark
}

void TRun::ClearHistory()
{
    debugger_.ClearHistory(FeldPanelAnzeige ? FeldPanelAnzeige() : std::string());
    worldLeft_ = Welt.Version();
}

// Editing, manual control, a teach-in replay, "&Neu", "&Zurücksetzen" or
// opening a field changed the world between two steps. The run itself goes
// on in the world as it is, as it always did.
bool TRun::ForeignChangeEndsHistory()
{
    if (Welt.Version() == worldLeft_)
        return false;
    ClearHistory();
    return true;
}

void TRun::WeltGeaendert()
{
    // The run's own steps and steps back change the world too.
    if (busy_ || !ForeignChangeEndsHistory())
        return;
    events_.HistoryChanged();
    ShowMark(false);
}

bool TRun::Schritt()
{
    ForeignChangeEndsHistory();
    const bool goesOn = debugger_.Step();
    worldLeft_ = Welt.Version();
    events_.HistoryChanged();
    return goesOn;
}

// The mark stands where the run goes on for as long as it can be continued
// or stepped back in, and not while the timer runs.
void TRun::ShowMark(bool announce)
{
    SourcePages* pages = sourcePages();
    if (!pages)
        return;
    int page = -1, line = -1;
    const bool visible = !timerOn_ && (ready_ || paused_ || debugger_.CanStepBack()) &&
                         debugger_.ExecutionMark(page, line) && page >= 0 && page < pages->PageCount();
    if (visible)
        pages->ShowExecutionMark(page, line, announce);
    else
        pages->ShowExecutionMark(-1, -1, false);
}

// A paused run shows where it stands: the page comes to the front, the line
// of the mark is selected.
void TRun::ShowPause()
{
    SourcePages* pages = sourcePages();
    int page = 0, line = 0;
    if (pages && debugger_.ExecutionMark(page, line) && page >= 0 && page < pages->PageCount())
        pages->ShowRunLine(page, line);
    ShowMark(true);
}

// After a robot or work field failure, once its message is closed: where
// the failing statement's word stands, also in a unit's page.
void TRun::ShowFailure()
{
    SourcePages* pages = sourcePages();
    int page = 0, line = 0;
    if (pages && debugger_.FailurePlace(page, line) && page >= 0 && page < pages->PageCount())
        pages->ShowRunLine(page, line);
}

void TRun::AfterTheRun()
{
    const bool failed = RunEnd() == TRunEnd::Failure;
    if (failed)
        ShowFailure();
    ShowMark(failed);
}

// A run halted by a robot failure cannot go on: the interpreter does nothing
// until the next InitRun. Continuing it would leave the buttons running with
// nothing running, so Start and Einzelschritt begin anew instead. The stop
// flag alone does not tell: a teach-in replay clears it, and the halted run
// would then go on behind the command that failed.
void TRun::ForgetHaltedRun()
{
    if (Welt.Abbruch || RunEnd() == TRunEnd::Failure) {
        paused_ = false;
        ready_ = false;
    }
}

void TRun::Start()
{
    if (!EineSeiteDa())
        return;
    const Busy busy(busy_);
    ForgetHaltedRun();
    if (!paused_) {
        ready_ = StartRun(0) == TStartResult::Started;
        if (!ready_)
            return;
    }
    paused_ = false;
    SetState(TRunState::Running);
    // Start goes on from a breakpoint: its first instruction is stepped
    // without asking whether to pause.
    if (Schritt())
        SetTimer1Enabled(true);
    else
        AfterTheRun();
}

bool TRun::Tick()
{
    const Busy busy(busy_);
    if (debugger_.PauseBeforeNext()) {
        Unterbrechen();
        return false;
    }
    if (Schritt())
        return true;
    SetTimer1Enabled(false);
    AfterTheRun();
    return false;
}

void TRun::Einzelschritt()
{
    if (!EineSeiteDa())
        return;
    const Busy busy(busy_);
    ForgetHaltedRun();
    if (ready_) {
        SetSingleStep(1);  // the run goes on where it stands, lines highlighted
    } else {
        if (StartRun(1) != TStartResult::Started)
            return;
        ready_ = true;
    }
    // One instruction; single steps never start the timer.
    if (Schritt())
        ShowMark(true);
    else
        AfterTheRun();
}

void TRun::Unterbrechen()
{
    paused_ = true;
    SetState(TRunState::Interrupted);
    SetTimer1Enabled(false);
    ShowPause();
}

bool TRun::KannZurueck() const
{
    return !timerOn_ && Welt.Version() == worldLeft_ && debugger_.CanStepBack();
}

// Back over the last shown instruction, also over a failure or the end of
// the run: the run is then interrupted before it, and Start or Einzelschritt
// give the same run again.
void TRun::SchrittZurueck()
{
    if (timerOn_)
        return;
    const Busy busy(busy_);
    ForeignChangeEndsHistory();
    if (!debugger_.StepBack())
        return;
    worldLeft_ = Welt.Version();
    ready_ = true;
    events_.HistoryChanged();
    Unterbrechen();
}

void TRun::Anhalten()
{
    SetState(TRunState::Idle);
    SetTimer1Enabled(false);
    ShowMark(false);
    events_.Stopped();
}

void TRun::StopBtnClick()
{
    // After the natural end nothing is left to continue: the next Start or
    // Einzelschritt translates and starts anew.
    ready_ = false;
    paused_ = false;
    Anhalten();
}

void TRun::Compilieren()
{
    // A translation would replace the table under a running or interrupted
    // program.
    if (!EineSeiteDa() || paused_ || state_ != TRunState::Idle)
        return;
    const Busy busy(busy_);
    // A run left waiting by Anhalten goes on with Einzelschritt only in the
    // table it stands in; in any other its place and its return addresses
    // mean nothing, so Einzelschritt then starts the new program.
    const Uebersetzung before = Uebersetzung::Aktuell();
    if (Compile() != 1 || !(Uebersetzung::Aktuell() == before)) {
        ready_ = false;
        // The history replays instructions of the table it was kept for.
        ClearHistory();
        events_.HistoryChanged();
        ShowMark(false);
    }
}
