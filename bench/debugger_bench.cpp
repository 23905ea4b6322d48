// What debugging costs a run: steps through TDebugger (history kept, a
// breakpoint asked before every step) against plain Step; single steps back
// far into a long run; the history's memory, also for a run that reads work
// field files without end.
//   cmake --build build --target debugger_bench && build/debugger_bench [steps] [reading steps]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "execution/Debugger.h"
#include "execution/ZelkCode.h"
#include "execution/ZelkPreter.h"
#include "world/ZelkDatei.h"
#include "world/ZelkFeld.h"

namespace fs = std::filesystem;

namespace {

using Uhr = std::chrono::steady_clock;

double Sekunden(Uhr::time_point seit) { return std::chrono::duration<double>(Uhr::now() - seit).count(); }

// The process's resident memory in MB, from /proc.
double ResidentMB()
{
    std::ifstream status("/proc/self/status");
    std::string wort;
    while (status >> wort)
        if (wort == "VmRSS:") {
            double kb = 0;
            status >> kb;
            return kb / 1024;
        }
    return 0;
}

// Walks from wall to wall, turning in a procedure: WHILE VORNE_FREI DO VOR
// on line 1 and 2, the call on line 3, the procedure on line 4.
void Pendel()
{
    ResetCode();
    const int befehle[][3] = {{opJump, 1, 0},  {opTest, 2, 1},       {opJumpIfFalse, 5, 1}, {opVor, 0, 2},
                              {opJump, 1, 2},  {opCall, 7, 3},       {opJump, 1, 3},        {opDreheLinks, 0, 4},
                              {opDreheLinks, 0, 4}, {opReturn, 0, 4}};
    for (const auto& b : befehle)
        Emit(std::uint8_t(b[0]), b[1], b[2], 0);
    Welt.Loeschen();
    Welt.Grundstellung();
    InitRun(0);
}

// Steps as the windows' timer would: a pause check before every step.
template <class F>
double Rate(const char* name, long schritte, F&& schritt)
{
    const auto start = Uhr::now();
    for (long i = 0; i < schritte; ++i)
        if (!schritt()) {
            std::printf("%s: the run ended at step %ld\n", name, i);
            std::exit(1);
        }
    const double s = Sekunden(start);
    std::printf("%-44s %10ld steps  %7.3f s  %6.1f M steps/s\n", name, schritte, s, schritte / s / 1e6);
    return schritte / s;
}

void Zeige(const char* name, long schritte, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%s at %ld: median %.3f ms, 99th percentile %.3f ms, longest %.3f ms (%zu times)\n", name,
                schritte, ms[ms.size() / 2], ms[ms.size() * 99 / 100], ms.back(), ms.size());
}

void StepBackFarIntoARun(long schritte)
{
    Pendel();
    TDebugger debugger;
    debugger.Breakpoints().Set(0, 9, true);  // a line the run never reaches
    const double vorher = ResidentMB();
    Rate("TDebugger::Step (history, pause check)", schritte,
         [&] { return !debugger.PauseBeforeNext() && debugger.Step(); });
    std::printf("history after %ld steps: %.1f MB held, %.1f MB more resident, reach %llu instructions\n",
                schritte, debugger.History().Bytes() / 1048576.0, ResidentMB() - vorher,
                static_cast<unsigned long long>(debugger.History().Reach()));

    // Consecutive steps back: between them every distance from a snapshot.
    std::vector<double> ms;
    for (int i = 0; i < 5000; ++i) {
        const auto start = Uhr::now();
        if (!debugger.StepBack()) {
            std::printf("step back %d failed\n", i);
            std::exit(1);
        }
        ms.push_back(Sekunden(start) * 1000);
    }
    Zeige("one step back", schritte, ms);

    // The longest replay: the step just before a snapshot, from the one
    // before it. A step forward and a step back, again and again.
    while ((debugger.History().Executed() + 1) % TRunHistory::SnapshotInterval != 0)
        debugger.StepBackInstructions(1);
    ms.clear();
    for (int i = 0; i < 1000; ++i) {
        debugger.Step();
        const auto start = Uhr::now();
        debugger.StepBackInstructions(1);
        ms.push_back(Sekunden(start) * 1000);
    }
    Zeige("one step back replaying 4095", schritte, ms);
}

// ARBEITSFELD(A); ARBEITSFELD(B) for ever: every clause reads its file.
void ReadingWithoutEnd(long schritte)
{
    const fs::path dir = fs::temp_directory_path() / ("zelk-bench-" + std::to_string(std::rand()));
    fs::create_directories(dir);
    const fs::path alt = fs::current_path();
    fs::current_path(dir);
    TZelle feld[FeldHoehe][FeldBreite];
    RobDateiSchreiben("A.ROB", TZelkZustand{1, 1, 1, Ost}, feld);
    RobDateiSchreiben("B.ROB", TZelkZustand{2, 2, 2, Nord}, feld);

    ResetCode();
    WorkFieldNames[0] = "A";
    WorkFieldNames[1] = "B";
    Emit(opJump, 1, 0, 0);
    Emit(opArbeitsfeld, 0, 1, 0);
    Emit(opArbeitsfeld, 1, 1, 0);
    Emit(opJump, 1, 1, 0);
    WorkFieldCount = 2;
    Welt.Loeschen();
    Welt.Grundstellung();
    InitRun(0);
    TDebugger debugger;
    const double vorher = ResidentMB();
    Rate("TDebugger::Step, two fields read in turn", schritte, [&] { return debugger.Step(); });
    std::printf("history after %ld steps: %.1f MB held, %.1f MB more resident, reach %llu instructions\n",
                schritte, debugger.History().Bytes() / 1048576.0, ResidentMB() - vorher,
                static_cast<unsigned long long>(debugger.History().Reach()));
    fs::current_path(alt);
    fs::remove_all(dir);
}

}  // namespace

int main(int argc, char** argv)
{
    const long schritte = argc > 1 ? std::atol(argv[1]) : 100000000;
    const long lesend = argc > 2 ? std::atol(argv[2]) : 3000000;

    Pendel();
    const double roh = Rate("Step", schritte / 10, [] { return Step(); });
    Pendel();
    TDebugger debugger;
    const double mit = Rate("TDebugger::Step (history, pause check)", schritte / 10,
                            [&] { return !debugger.PauseBeforeNext() && debugger.Step(); });
    std::printf("TDebugger::Step / Step: %.2f of the rate\n", mit / roh);

    StepBackFarIntoARun(schritte);
    ReadingWithoutEnd(lesend);
    return 0;
}
