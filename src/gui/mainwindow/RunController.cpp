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
            return a.Op == b.Op && a.Arg == b.Arg && a.Line == b.Line && a.Page == b.Page;
        };
        return felder == o.felder &&
               std::equal(code.begin(), code.end(), o.code.begin(), o.code.end(), gleich);
    }
};

// The commands that translate do nothing before the editor window has a page.
bool HasPage()
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

void TRunController::SetTimer1Enabled(bool enabled) { emit Timer1Switched(enabled); }

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
    if (!HasPage())
        return;
    ForgetHaltedRun();
    if (!paused) {
        ready = StartRun(0) == TStartResult::Started;
        if (!ready)
            return;
    }
    paused = false;
    SetRunState(RunState::Running);
    if (Step())
        SetTimer1Enabled(true);
}

void TRunController::Einzelschritt()
{
    if (!HasPage())
        return;
    ForgetHaltedRun();
    if (ready) {
        SetSingleStep(1);  // the run goes on where it stands, lines highlighted
    } else {
        if (StartRun(1) != TStartResult::Started)
            return;
        ready = true;
    }
    // One instruction; single steps never start the timer.
    Step();
}

void TRunController::Unterbrechen()
{
    paused = true;
    SetRunState(RunState::Interrupted);
    SetTimer1Enabled(false);
}

void TRunController::Anhalten()
{
    SetRunState(RunState::Idle);
    SetTimer1Enabled(false);
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
    if (!HasPage() || paused || runState != RunState::Idle)
        return;
    // A run left waiting by Anhalten goes on with Einzelschritt only in the
    // table it stands in; in any other its place and its return addresses
    // mean nothing, so Einzelschritt then starts the new program.
    const Uebersetzung vorher = Uebersetzung::Aktuell();
    if (Compile() != 1 || !(Uebersetzung::Aktuell() == vorher))
        ready = false;
}
