// Fuzzing the work field file: any bytes, written as a *.ROB file, go through
// Laden (the ARBEITSFELD clause) and Oeffnen (the open menu). Whatever they
// hold, the world must stay inside its ranges, a refused file must leave it as
// it was, and an accepted one must be exactly what the file says. The bytes
// after the record, which the loader never reads, then drive the robot over
// the loaded world, so odd side flags meet the actions too.
//
//   cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DZELK_FUZZ=ON
//   cmake --build build-fuzz --target worldfile_fuzz
//   mkdir -p /tmp/worldfile-finds
//   build-fuzz/worldfile_fuzz -max_len=1400 -max_total_time=120 /tmp/worldfile-finds fuzz/corpus/worldfile
//
// fuzz/corpus/worldfile holds the seeds (fuzz/worldfile_seeds.cpp writes
// them): without valid records to start from, the fuzzer hardly gets past
// the identification check. The first folder takes the new finds.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "language/ZelkVocabulary.h"
#include "world/ZelkDatei.h"
#include "world/ZelkFeld.h"

namespace {

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "worldfile_fuzz: %s\n", what);
        std::abort();
    }
}

bool RoboterImBereich(const TZelkZustand& r)
{
    return r.X >= 1 && r.X <= FeldBreite && r.Y >= 1 && r.Y <= FeldHoehe && r.Richtung <= Sued &&
           r.Vorrat >= 0 && r.Vorrat <= 99;
}

bool GitterImBereich(const RobGitter& g)
{
    for (int y = 0; y < FeldHoehe; ++y)
        for (int x = 0; x < FeldBreite; ++x)
            if (g[y][x].Anzahl < 0 || g[y][x].Anzahl > 9)
                return false;
    return true;
}

void CheckWelt()
{
    Check(RoboterImBereich(Roboter), "robot out of range");
    Check(RoboterImBereich(RoboterStart), "start robot out of range");
    Check(GitterImBereich(Welt.Feld), "item count out of range");
    Check(GitterImBereich(Welt.StartFeld), "start item count out of range");
}

// The start state as a file would hold it: equal records, equal worlds.
RobRecord StartRecord() { return RobKodieren(RoboterStart, Welt.StartFeld); }

bool Gleich(const RobRecord& a, const RobRecord& b) { return std::memcmp(a.data(), b.data(), a.size()) == 0; }

// What a world loaded from data must look like: the record with the three
// reserved bytes after the direction cleared, as the writer leaves them.
bool PasstZu(const std::uint8_t* data, std::size_t size)
{
    if (size < RobDateiGroesse)
        return false;
    RobRecord erwartet;
    std::memcpy(erwartet.data(), data, erwartet.size());
    erwartet[17] = erwartet[18] = erwartet[19] = 0;
    return Gleich(StartRecord(), erwartet) && Gleich(RobKodieren(Roboter, Welt.Feld), erwartet);
}

std::string& TempDirName()
{
    static std::string dir;
    return dir;
}

void TempDirEntfernen()
{
    const std::string dir = TempDirName();
    std::remove((dir + "/WELT.ROB").c_str());
    rmdir(dir.c_str());
}

const std::string& TempDir()
{
    std::string& dir = TempDirName();
    if (dir.empty()) {
        // In memory where the machine has /dev/shm: on a disk, writing back
        // the file of every input costs more than reading it.
        char inMemory[] = "/dev/shm/zelk-worldfuzz-XXXXXX";
        char onDisk[] = "/tmp/zelk-worldfuzz-XXXXXX";
        const char* made = mkdtemp(inMemory);
        if (!made)
            made = mkdtemp(onDisk);
        Check(made != nullptr, "cannot create a temporary directory");
        dir = made;
        std::atexit(TempDirEntfernen);
    }
    return dir;
}

void Frisch()
{
    Welt.Loeschen();
    Welt.Grundstellung();
    Welt.AbbruchLoeschen();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string name = TempDir() + "/WELT";
    const std::string path = name + ".ROB";
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        Check(f != nullptr, "cannot write the temporary file");
        Check(size == 0 || std::fwrite(data, 1, size, f) == size, "short write");
        Check(std::fclose(f) == 0, "cannot close the temporary file");
    }

    // The ARBEITSFELD road.
    Frisch();
    const RobRecord vorher = StartRecord();
    const int r = Welt.Laden(name);
    Check(r == 1 || r == -1 || r == -2 || r == -3, "Laden returned an unknown result");
    CheckWelt();
    if (r == 1) {
        Check(PasstZu(data, size), "loaded world differs from the file");
        Check(Welt.Dateiname == path, "Dateiname not set");
        Check(Welt.Laden(name) == 0, "the same world loaded twice");
    } else {
        Check(Gleich(StartRecord(), vorher), "refused file changed the world");
        Check(Welt.Dateiname == KeinDateiname, "refused file changed Dateiname");
    }

    // The menu road must agree with it.
    Frisch();
    const bool geoeffnet = Welt.Oeffnen(path);
    Check(geoeffnet == (r == 1), "Oeffnen and Laden disagree");
    CheckWelt();
    if (!geoeffnet)
        Check(Gleich(StartRecord(), vorher), "refused file changed the world");

    // Drive the robot with the bytes the loader ignores.
    for (std::size_t i = RobDateiGroesse; geoeffnet && i < size; ++i) {
        switch (data[i] % 5) {
        case 0: Welt.Vor(); break;
        case 1: Welt.DreheLinks(); break;
        case 2: Welt.NimmAuf(); break;
        case 3: Welt.GibAb(); break;
        default:
            if (const TRobotWord* test = TestWord(data[i] / 5 % 10))
                (void)(Welt.*test->WorldTest)();
            break;
        }
        CheckWelt();
    }
    if (geoeffnet)
        Welt.Zuruecksetzen();
    CheckWelt();
    return 0;
}
