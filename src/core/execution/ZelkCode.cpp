#include "execution/ZelkCode.h"

TInstruction Code[MaxCode + 1];
std::int32_t CodeCount = 0;
std::string WorkFieldNames[MaxWorkFields];
std::int32_t WorkFieldCount = 0;
std::function<void(int code)> EmitErrorHook;

void ResetCode()
{
    CodeCount = 0;
    WorkFieldCount = 0;
}

int CurrentAddress() { return CodeCount; }

void Emit(std::uint8_t op, int arg, int line, int page)
{
    if (CodeCount >= MaxCode) {
        // 16 "Speicherplatz zu klein!"; the error routine keeps only the first.
        if (EmitErrorHook)
            EmitErrorHook(16);
        return;
    }
    Code[CodeCount] = TInstruction{op, static_cast<std::uint16_t>(arg), line, page};
    ++CodeCount;
}

void PatchToHere(int index)
{
    if (index >= 0 && index < MaxCode)
        Code[index].Arg = static_cast<std::uint16_t>(CodeCount);
}

const char* OpName(int op)
{
    static const char* const names[] = {"opTest", "opLogic", "opVor", "opDreheLinks",
                                        "opNimmAuf", "opGibAb", "opAbschalten", "opCall",
                                        "opJump", "opJumpIfFalse", "opReturn", "opArbeitsfeld"};
    if (op < 0 || op > 11)
        return "opUnknown";
    return names[op];
}
