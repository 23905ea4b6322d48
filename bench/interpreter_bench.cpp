// Steps per second of the interpreter on endless loops, against a world
// with no display, no editor and no message boxes. The loops mix moves,
// turns, sensor tests, logic, calls and jumps as learners' programs do.
//   cmake --build build --target interpreter_bench && build/interpreter_bench [steps]
// Against another commit's interpreter, this same file built on that
// commit's core (its build of zelk_core in OLD):
//   g++ -O2 -g -DNDEBUG -std=c++17 -IOLD/src/core bench/interpreter_bench.cpp OLD/build/libzelk_core.a
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
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

// The process's own CPU time: on a shared machine the other processes'
// work stretches the wall clock, much less this.
double CpuSekunden()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void Messe(const char* name, long schritte)
{
    Welt.Loeschen();
    Welt.Grundstellung();
    InitRun(0);
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = CpuSekunden();
    long n = 0;
    while (n < schritte && Step())
        ++n;
    const double cpu = CpuSekunden() - cpuStart;
    const std::chrono::duration<double> dauer = std::chrono::steady_clock::now() - start;
    std::printf("%-28s %10ld steps  %7.3f s wall  %7.3f s CPU  %12.0f steps per CPU second\n", name, n,
                dauer.count(), cpu, n / cpu);
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

    // Each of the nine sensor tests in turn, each followed by its IF's
    // conditional jump: the dispatch from a test number to the world's test.
    ResetCode();
    Emit(opJump, 1, 0, 0);
    for (int nummer = 0; nummer < 9; ++nummer) {
        Emit(opTest, nummer, 0, 0);
        Emit(opJumpIfFalse, CurrentAddress() + 1, 0, 0);
    }
    Emit(opJump, 1, 0, 0);
    Messe("every sensor test", schritte);
    return 0;
}
