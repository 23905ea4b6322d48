#pragma once
// The instruction table: the only contract between translation and execution.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum TOpcode : std::uint8_t {
    opTest = 0,
    opLogic = 1,
    opVor = 2,
    opDreheLinks = 3,
    opNimmAuf = 4,
    opGibAb = 5,
    opAbschalten = 6,
    opCall = 7,
    opJump = 8,
    opJumpIfFalse = 9,
    opReturn = 10,
    opArbeitsfeld = 11,
};

constexpr int MaxOpcode = opArbeitsfeld;

struct TInstruction {
    std::uint8_t Op = opTest;
    std::uint16_t Arg = 0;
    // Where the translator was reading: after the word before the
    // instruction. A single step selects this line.
    std::int32_t Line = 0;
    std::int32_t Page = 0;
    // Where the instruction's own word stands (a command's or test's
    // keyword, the called name, ARBEITSFELD, the END that closes a block);
    // -1 for jumps and logic, which have no word of their own. Breakpoints
    // and the execution mark go by this line.
    std::int32_t WordLine = -1;
};

constexpr int MaxCode = 1000;        // instructions 0..999; slot 1000 stays empty
constexpr int MaxWorkFields = 11;    // WorkFieldNames 0..10

extern TInstruction Code[MaxCode + 1];
extern std::int32_t CodeCount;
extern std::string WorkFieldNames[MaxWorkFields];
extern std::int32_t WorkFieldCount;
// Changes with every change of the table by ResetCode and Emit, so that
// what is built from the table (a breakpoint's instructions) knows when it
// is out of date.
extern std::uint32_t CodeGeneration;
// The pages the last translation read, in the order it read them.
extern std::vector<int> TranslatedPages;

// The translator's error routine; Emit reports a full table through it with
// the source error FehlerSpeicherplatz. The translator installs it; without
// one, a full table is silently ignored.
extern std::function<void(int code)> EmitErrorHook;

void ResetCode();                    // CodeCount := 0, WorkFieldCount := 0
int CurrentAddress();
void Emit(std::uint8_t op, int arg, int line, int page, int wordLine = -1);
void PatchToHere(int index);

// Name of an operation as in the instruction set ("opJump", ...), for
// listings; "opUnknown" for a number no operation has.
const char* OpName(int op);
