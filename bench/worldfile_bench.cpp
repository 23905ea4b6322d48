// Reading and writing work field files: Laden of one file many times, and
// Speichern over an existing file (temporary file, rename).
//   cmake --build build --target worldfile_bench && build/worldfile_bench [loads]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "world/ZelkFeld.h"

#include "Messen.h"
#include "WorldSnapshot.h"

namespace fs = std::filesystem;

namespace {

template <class F>
void Zeige(const char* name, long mal, F&& f)
{
    const double sekunden = Messe(name, mal, f);
    std::printf("%-22s %8ld times  %7.3f s  %9.1f us each  %10.0f per s\n", name, mal, sekunden,
                sekunden * 1e6 / mal, mal / sekunden);
}

}  // namespace

int main(int argc, char** argv)
{
    const long laden = argc > 1 ? std::atol(argv[1]) : 100000;
    const long speichern = laden / 10;

    const fs::path dir = fs::temp_directory_path() / ("zelk-bench-" + std::to_string(std::rand()));
    fs::create_directories(dir);
    const fs::path alt = fs::current_path();
    fs::current_path(dir);

    Welt.Loeschen();
    Welt.Grundstellung();
    for (int x = 1; x <= FeldBreite; ++x)
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(x, 5).Anzahl = x % 10; });
    WeltSetzen([&](TWeltZustand& w) { w.Roboter = TZelkZustand{17, 3, 9, Nord}; });
    Welt.Uebernehmen();
    if (!Welt.Speichern("BENCH.ROB"))
        return 1;

    Zeige("Laden (exact name)", laden, [] {
        WeltSetzen([&](TWeltZustand& w) { w.Dateiname = KeinDateiname; });  // else Laden finds it loaded and returns 0
        return Welt.Laden("BENCH") == 1;
    });
    fs::rename("BENCH.ROB", "bench.rob");
    Zeige("Laden (other case)", laden, [] {
        WeltSetzen([&](TWeltZustand& w) { w.Dateiname = KeinDateiname; });
        return Welt.Laden("BENCH") == 1;
    });
    // The overwrite question is answered by the silent default (OK).
    Zeige("Speichern (overwrite)", speichern, [] { return Welt.Speichern("bench.rob"); });

    fs::current_path(alt);
    fs::remove_all(dir);
    return 0;
}
