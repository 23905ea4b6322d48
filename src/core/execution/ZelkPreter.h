#pragma once
// The interpreter: runs the instruction table against Welt, one instruction
// per Step. It has no loop of its own; a timer or the user drives it.
#include <cstdint>
#include <string>
#include <vector>

#include "execution/ZelkCode.h"
#include "world/ZelkFeld.h"

constexpr int CallStackSize = 1024;
constexpr int ValueStackSize = 100;

extern std::int32_t ProgramCounter;
extern TInstruction CurrentInstruction;
extern std::int32_t CallStack[CallStackSize + 1];   // entries 1..1024, entry 1 holds 0
extern std::uint16_t CallStackPointer;
extern std::uint8_t ValueStack[ValueStackSize + 1]; // entries 1..100
extern std::uint8_t ValueStackPointer;
extern bool SingleStep;

// Why the last step ended the run. Step's boolean says only that it ended;
// zelk-run and the windows need to know how.
enum class TRunEnd {
    Running,   // no step has ended the run since InitRun
    Ended,     // the program's end, or ABSCHALTEN
    Failure,   // a robot or work field failure (Abbruch set)
    Error,     // a stack error or "Interner Fehler"
};

void InitRun(int mode);        // mode 1: single step
void SetSingleStep(int mode);
bool Step();                   // true while the run goes on
void StopRun();
TRunEnd RunEnd();

// Whether the next Step executes an instruction: not when the run halted at
// a failure, nor at an index outside the translated table.
bool StepExecutes();

// Counts InitRun calls: a run's history tells a new run by it.
std::uint32_t RunNumber();

// Where ARBEITSFELD gets its work field. Without a source, the file is read
// (zelk-run, the tests); a run's history installs one for its steps that
// hands out again what was read once.
class TFeldQuelle {
public:
    virtual ~TFeldQuelle() = default;
    virtual TArbeitsfeldLadung Lies(const std::string& name) = 0;
};

// How the next steps run. Live: as always, ARBEITSFELD reads its file.
// Record: as Live, but ARBEITSFELD gets its field from the run's history,
// which reads each file once. Replay: as Record, and nothing is seen (no
// box, no drawing, no timer, no selected line): the history executes again
// what the learner has already seen.
enum class TStepMode { Live, Record, Replay };
// quelle: the history, for Record and Replay.
void SetStepMode(TStepMode mode, TFeldQuelle* quelle = nullptr);

// All the interpreter carries from one step to the next, besides the world
// and the table: what a run's history saves and brings back. SingleStep is
// the user's choice and stays as it is.
struct TInterpreterState {
    std::int32_t ProgramCounter = 0;
    TInstruction CurrentInstruction;
    std::vector<std::int32_t> CallStack;   // entries 1..CallStackPointer
    std::vector<std::uint8_t> ValueStack;  // entries 1..ValueStackPointer
    TRunEnd End = TRunEnd::Running;
};
TInterpreterState SaveInterpreter();
void RestoreInterpreter(const TInterpreterState& state);
