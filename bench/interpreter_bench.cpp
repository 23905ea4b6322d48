// Steps per second of the interpreter on endless loops, against a world
// with no display, no editor and no message boxes.
//   cmake --build build --target interpreter_bench && build/interpreter_bench [steps]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "execution/ZelkCode.h"
#include "execution/ZelkPreter.h"
#include "world/ZelkFeld.h"

namespace {

struct Befehl {
    int op;
    int arg;
};

void Programm(std::initializer_list<Befehl> befehle)
{
    ResetCode();
    for (const Befehl& b : befehle)
        Emit(static_cast<std::uint8_t>(b.op), b.arg, 0, 0);
}

void Messe(const char* name, long schritte)
{
    Welt.Loeschen();
    Welt.Grundstellung();
    InitRun(0);
    const auto start = std::chrono::steady_clock::now();
    long n = 0;
    while (n < schritte && Step())
        ++n;
    const std::chrono::duration<double> dauer = std::chrono::steady_clock::now() - start;
    std::printf("%-28s %10ld steps  %7.3f s  %12.0f steps/s\n", name, n, dauer.count(), n / dauer.count());
}

}  // namespace

int main(int argc, char** argv)
{
    const long schritte = argc > 1 ? std::atol(argv[1]) : 10000000;

    // WHILE TRUE: DREHE_LINKS
    Programm({{opJump, 1}, {opDreheLinks, 0}, {opJump, 1}});
    Messe("turn left forever", schritte);

    // Walk to the wall, turn round, walk back: tests, conditional jumps, moves.
    Programm({{opJump, 1}, {opTest, 2}, {opJumpIfFalse, 5}, {opVor, 0}, {opJump, 1},
              {opDreheLinks, 0}, {opDreheLinks, 0}, {opJump, 1}});
    Messe("walk back and forth", schritte);

    // A procedure call per round: IF NOT NOT VORNE_FREI OR HAT_VORRAT THEN R.
    Programm({{opJump, 3}, {opJump, 2}, {opReturn, 0}, {opTest, 2}, {opLogic, 0}, {opLogic, 0},
              {opTest, 0}, {opLogic, 2}, {opJumpIfFalse, 3}, {opCall, 1}, {opJump, 3}});
    Messe("call, test and logic", schritte);
    return 0;
}
