#include "execution/ZelkPreter.h"

#include <algorithm>

#include "language/ZelkVocabulary.h"
#include "ports/Messages.h"
#include "ports/RunControl.h"
#include "ports/Silence.h"
#include "ports/SourcePages.h"
#include "support/ZelkAssert.h"
#include "world/ZelkFeld.h"

std::int32_t ProgramCounter = 0;
TInstruction CurrentInstruction;
std::int32_t CallStack[CallStackSize + 1] = {};
std::uint16_t CallStackPointer = 1;
std::uint8_t ValueStack[ValueStackSize + 1] = {};
std::uint8_t ValueStackPointer = 0;
bool SingleStep = false;

namespace {

// A failed PushValue or PopValue ends the current step: the instruction
// that asked for the value has no further effect.
bool schrittAbgebrochen = false;
// StopRun was called during the current step.
bool laufBeendet = false;
TRunEnd laufEnde = TRunEnd::Running;
std::uint32_t laufNummer = 0;
TFeldQuelle* feldQuelle = nullptr;

// An index the next step may execute: inside the translated table.
bool ZaehlerGueltig()
{
    return ProgramCounter >= 0 && ProgramCounter < CodeCount && ProgramCounter <= MaxCode;
}

// Ends the run as an error: the outcome is set before StopRun, so that the
// run control, told of the end inside StopRun, already reads it.
void StopMitFehler()
{
    laufEnde = TRunEnd::Error;
    StopRun();
}

const char* const InternerFehler = "Interner Fehler";

// A stack error ends the step and the run. Kept out of line, so that the
// pushes and pops of every test and condition stay a few instructions.
[[gnu::cold, gnu::noinline]] void StackFehler(const char* text)
{
    StopMitFehler();
    ShowError(text);
    schrittAbgebrochen = true;
}

void PushValue(std::uint8_t v)
{
    if (ValueStackPointer >= ValueStackSize) {
        StackFehler("Stacküberlauf! Mehrere Returnanweisungen in einem Funktionsaufruf?");
        return;
    }
    ++ValueStackPointer;
    ZELK_ASSERT(ValueStackPointer >= 1 && ValueStackPointer <= ValueStackSize);
    ValueStack[ValueStackPointer] = v;
}

std::uint8_t PopValue()
{
    if (ValueStackPointer == 0) {
        StackFehler("Stackunterlauf! - Funktion ohne Returnanweisung?");
        return 0;
    }
    ZELK_ASSERT(ValueStackPointer <= ValueStackSize);
    return ValueStack[ValueStackPointer--];
}

// Only in single step, and only for the lines worth looking at: tests,
// commands, calls and work field clauses.
void Hervorheben()
{
    // SingleStep first: a running program asks nothing else.
    if (!SingleStep)
        return;
    SourcePages* pages = sourcePages();
    if (!pages)
        return;
    if (CurrentInstruction.Page < 0 || CurrentInstruction.Page >= pages->PageCount())
        return;
    pages->ShowRunLine(CurrentInstruction.Page, CurrentInstruction.Line);
}

void FuehreTestAus(int nummer)
{
    Hervorheben();
    if (nummer < 0 || nummer >= TestCount()) {
        ShowError(InternerFehler);
        return;
    }
    PushValue((Welt.*WorldTests.Test[nummer])() ? 1 : 0);
}

void FuehreLogikAus(int op)
{
    if (op == 0) {
        const std::uint8_t a = PopValue();
        if (!schrittAbgebrochen)
            PushValue(a ^ 1);
        return;
    }
    if (op != 1 && op != 2) {
        ShowError(InternerFehler);
        return;
    }
    const std::uint8_t a = PopValue();
    if (schrittAbgebrochen)
        return;
    const std::uint8_t b = PopValue();
    if (schrittAbgebrochen)
        return;
    PushValue(op == 1 ? (b & a) : (b | a));
}

void FuehreAufrufAus(int ziel)
{
    Hervorheben();
    if (CallStackPointer >= CallStackSize) {
        // Stop first: the timer must be off while the box is open.
        StopMitFehler();
        ShowError("Stacküberlauf!");
        CallStack[CallStackSize] = ProgramCounter;
    } else {
        ++CallStackPointer;
        ZELK_ASSERT(CallStackPointer >= 1 && CallStackPointer <= CallStackSize);
        CallStack[CallStackPointer] = ProgramCounter;
    }
    ProgramCounter = ziel;
}

void FuehreRuecksprungAus()
{
    // A finished run stepped again has no return index left; taking the
    // missing bottom entry as 0 ends the run instead of reading below the stack.
    if (CallStackPointer == 0) {
        ProgramCounter = 0;
        return;
    }
    ZELK_ASSERT(CallStackPointer <= CallStackSize);
    ProgramCounter = CallStack[CallStackPointer];
    --CallStackPointer;
}

void LadeFeld(int index)
{
    Hervorheben();
    if (index >= MaxWorkFields) {
        ShowError(InternerFehler);
        return;
    }
    const std::string& name = WorkFieldNames[index];
    Welt.LadeArbeitsfeld(feldQuelle ? feldQuelle->Lies(name) : Welt.LiesArbeitsfeld(name));
}

void FuehreAus(const TInstruction& befehl)
{
    switch (befehl.Op) {
    case opTest: FuehreTestAus(befehl.Arg); break;
    case opLogic: FuehreLogikAus(befehl.Arg); break;
    case opVor: Hervorheben(); Welt.Vor(); break;
    case opDreheLinks: Hervorheben(); Welt.DreheLinks(); break;
    case opNimmAuf: Hervorheben(); Welt.NimmAuf(); break;
    case opGibAb: Hervorheben(); Welt.GibAb(); break;
    case opAbschalten: StopRun(); break;
    case opCall: FuehreAufrufAus(befehl.Arg); break;
    case opJump: ProgramCounter = befehl.Arg; break;
    case opJumpIfFalse: {
        const std::uint8_t c = PopValue();
        if (!schrittAbgebrochen && c == 0)
            ProgramCounter = befehl.Arg;
        break;
    }
    case opReturn: FuehreRuecksprungAus(); break;
    case opArbeitsfeld: LadeFeld(befehl.Arg); break;
    default: ShowError(InternerFehler); break;
    }
}

}  // namespace

void InitRun(int mode)
{
    Welt.AbbruchLoeschen();
    ProgramCounter = 0;
    CallStack[1] = 0;
    CallStackPointer = 1;
    ValueStackPointer = 0;
    SingleStep = mode == 1;
    laufEnde = TRunEnd::Running;
    ++laufNummer;
}

void SetSingleStep(int mode) { SingleStep = mode == 1; }

bool Step()
{
    if (Welt.Abbruch) {
        runControl().SetTimer1Enabled(false);
        return false;
    }
    schrittAbgebrochen = false;
    laufBeendet = false;
    // Only translated instructions are run: a table left from an earlier
    // translation, or none at all, must not be walked into.
    if (!ZaehlerGueltig()) {
        StopMitFehler();
        ShowError(InternerFehler);
        return false;
    }
    ZELK_ASSERT(CodeCount <= MaxCode && CallStackPointer <= CallStackSize &&
                ValueStackPointer <= ValueStackSize);
    CurrentInstruction = Code[ProgramCounter];
    ++ProgramCounter;
    FuehreAus(CurrentInstruction);
    if (Welt.Abbruch && laufEnde == TRunEnd::Running)
        laufEnde = TRunEnd::Failure;
    if (schrittAbgebrochen)
        return false;
    // Arriving at 0 means the main block's return took the bottom entry.
    if (ProgramCounter == 0 && !laufBeendet)
        StopRun();
    return !laufBeendet && !Welt.Abbruch;
}

void StopRun()
{
    if (laufEnde == TRunEnd::Running)
        laufEnde = TRunEnd::Ended;
    runControl().SetTimer1Enabled(false);
    Welt.AbbruchLoeschen();
    laufBeendet = true;
    runControl().StopBtnClick();
}

TRunEnd RunEnd() { return laufEnde; }

bool StepExecutes() { return !Welt.Abbruch && ZaehlerGueltig(); }

std::uint32_t RunNumber() { return laufNummer; }

void SetStepMode(TStepMode mode, TFeldQuelle* quelle)
{
    ZELK_ASSERT(mode == TStepMode::Live || quelle);
    feldQuelle = mode == TStepMode::Live ? nullptr : quelle;
    SetPortsSilent(mode == TStepMode::Replay);
}

TInterpreterState SaveInterpreter()
{
    TInterpreterState s;
    s.ProgramCounter = ProgramCounter;
    s.CurrentInstruction = CurrentInstruction;
    s.CallStack.assign(CallStack + 1, CallStack + 1 + CallStackPointer);
    s.ValueStack.assign(ValueStack + 1, ValueStack + 1 + ValueStackPointer);
    s.End = laufEnde;
    return s;
}

void RestoreInterpreter(const TInterpreterState& s)
{
    ZELK_ASSERT(s.CallStack.size() <= std::size_t(CallStackSize) && s.ValueStack.size() <= std::size_t(ValueStackSize));
    ProgramCounter = s.ProgramCounter;
    CurrentInstruction = s.CurrentInstruction;
    std::copy(s.CallStack.begin(), s.CallStack.end(), CallStack + 1);
    CallStackPointer = static_cast<std::uint16_t>(s.CallStack.size());
    std::copy(s.ValueStack.begin(), s.ValueStack.end(), ValueStack + 1);
    ValueStackPointer = static_cast<std::uint8_t>(s.ValueStack.size());
    laufEnde = s.End;
}
