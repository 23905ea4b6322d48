#include "execution/ZelkCode.h"

#include <iterator>

#include "language/ZelkFehler.h"
#include "support/ZelkAssert.h"

TInstruction Code[MaxCode + 1];
std::int32_t CodeCount = 0;
std::string WorkFieldNames[MaxWorkFields];
std::int32_t WorkFieldCount = 0;
std::uint32_t CodeGeneration = 1;
std::vector<int> TranslatedPages;
std::function<void(int code)> EmitErrorHook;

void ResetCode()
{
    CodeCount = 0;
    WorkFieldCount = 0;
    TranslatedPages.clear();
    ++CodeGeneration;
}

int CurrentAddress() { return CodeCount; }

void Emit(std::uint8_t op, int arg, int line, int page, int wordLine)
{
    if (CodeCount >= MaxCode) {
        // The error routine keeps only the first report of a run.
        if (EmitErrorHook)
            EmitErrorHook(FehlerSpeicherplatz);
        return;
    }
    ZELK_ASSERT(CodeCount >= 0);
    Code[CodeCount] = TInstruction{op, static_cast<std::uint16_t>(arg), line, page, wordLine};
    ++CodeCount;
    ++CodeGeneration;
}

void PatchToHere(int index)
{
    // A jump emitted into a full table was never stored: its index is then
    // CodeCount itself, and there is nothing to patch.
    if (index >= 0 && index < MaxCode && index < CodeCount)
        Code[index].Arg = static_cast<std::uint16_t>(CodeCount);
    else
        ZELK_ASSERT(index == CodeCount && CodeCount == MaxCode);
}

namespace {

// Indexed by TOpcode.
constexpr const char* OpNames[] = {"opTest",  "opLogic",       "opVor",    "opDreheLinks",
                                   "opNimmAuf", "opGibAb",     "opAbschalten", "opCall",
                                   "opJump",  "opJumpIfFalse", "opReturn", "opArbeitsfeld"};
static_assert(std::size(OpNames) == MaxOpcode + 1, "one name for each operation");

}  // namespace

const char* OpName(int op)
{
    if (op < 0 || op > MaxOpcode)
        return "opUnknown";
    return OpNames[op];
}
