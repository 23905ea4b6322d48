#pragma once
// The interpreter: runs the instruction table against Welt, one instruction
// per Step. It has no loop of its own; a timer or the user drives it.
#include <cstdint>
#include "execution/ZelkCode.h"

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
