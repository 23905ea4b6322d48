// Run control: Start, Einzelschritt, Unterbrechen, Anhalten and Compilieren
// of the main window, and the port through which the interpreter reaches it.
#include "execution/RunControl.h"

#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QAction>
#include <QMenu>
#include <algorithm>
#include <string>
#include <vector>

#include "execution/ZelkCode.h"
#include "execution/ZelkPreter.h"
#include "execution/ZelkStart.h"
#include "ide/ZelkEdit2.h"
#include "ide/ZelkMain.h"
#include "language/ZelkParser.h"
#include "ports/Messages.h"
#include "world/ZelkFeld.h"
#include "world/ZelkGrafik.h"
#include "world/ZelkInfo.h"

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

}  // namespace

void GuiRunControl::SetTimer1Enabled(bool enabled) { form->SetTimer1Enabled(enabled); }

void GuiRunControl::StopBtnClick() { form->RunEnded(); }

void TZelkForm::SetTimer1Enabled(bool enabled)
{
    if (!ZelkMeldung)
        return;
    if (enabled)
        ZelkMeldung->Timer1->start();
    else
        ZelkMeldung->Timer1->stop();
}

// The enabled states follow from the run state and the editing mode:
//   idle: Start, Einzelschritt; running: Anhalten, Unterbrechen;
//   interrupted: all four. Editing the field disables Start and Einzelschritt.
void TZelkForm::UpdateRunControls()
{
    const bool idle = runState == RunState::Idle;
    const bool running = runState == RunState::Running;
    const bool canStart = !running && !editing;
    StartBtn->setEnabled(canStart);
    RunItem->setEnabled(canStart);
    StepBtn->setEnabled(canStart);
    Einzelschritt1->setEnabled(canStart);
    StopBtn->setEnabled(!idle);
    PauseBtn->setEnabled(!idle);
    Arbeitsfeld1->menuAction()->setEnabled(!running);
    TeachinModus1->setEnabled(idle && !editing);
    FeldChangeBtn->setEnabled(idle);
    Start1->menuAction()->setEnabled(!editing);
}

void TZelkForm::SetRunState(RunState state)
{
    runState = state;
    UpdateRunControls();
}

// A run halted by a robot failure cannot go on: the interpreter does nothing
// until the next InitRun. Continuing it would leave the buttons running with
// nothing running, so Start and Einzelschritt begin anew instead.
void TZelkForm::ForgetHaltedRun()
{
    if (Welt.Abbruch) {
        Paused = false;
        Ready = false;
    }
}

void TZelkForm::RunItemClick()
{
    if (!HasPage())
        return;
    ForgetHaltedRun();
    if (!Paused) {
        const TStartResult start = StartRun(0);
        Ready = start == TStartResult::Started;
        if (!Ready)
            return;
    }
    Paused = false;
    SetRunState(RunState::Running);
    if (Step())
        SetTimer1Enabled(true);
}

void TZelkForm::StepBtnClick()
{
    if (!HasPage())
        return;
    ForgetHaltedRun();
    if (Ready) {
        SetSingleStep(1);  // the run goes on where it stands, lines highlighted
    } else {
        if (StartRun(1) != TStartResult::Started)
            return;
        Ready = true;
    }
    // One instruction; single steps never start the timer.
    Step();
}

void TZelkForm::PauseBtnClick()
{
    Paused = true;
    SetRunState(RunState::Interrupted);
    SetTimer1Enabled(false);
}

void TZelkForm::StopBtnClick()
{
    SetRunState(RunState::Idle);
    SetTimer1Enabled(false);
    if (EditorWindow && EditorWindow->Editor())
        EditorWindow->Editor()->setEnabled(true);
}

void TZelkForm::RunEnded()
{
    // After the natural end nothing is left to continue: the next Start or
    // Einzelschritt translates and starts anew.
    Ready = false;
    Paused = false;
    StopBtnClick();
}

void TZelkForm::Compilieren1Click()
{
    // A translation would replace the table under a running or interrupted
    // program.
    if (!HasPage() || Paused || runState != RunState::Idle)
        return;
    // A run left waiting by Anhalten goes on with Einzelschritt only in the
    // table it stands in; in any other its place and its return addresses
    // mean nothing, so Einzelschritt then starts the new program.
    const Uebersetzung vorher = Uebersetzung::Aktuell();
    if (Compile() != 1 || !(Uebersetzung::Aktuell() == vorher))
        Ready = false;
}
