// Fuzzing zelk-run's whole path: the first 1220 bytes of an input are a work
// field file, the rest a program; both are written into a folder and run as
// `zelk-run --world welt.rob --state --max-steps 10000 fuzz.pas` would run
// them. No input may crash it, and it must end with one of its statuses.
//
//   cmake --build build-fuzz --target zelkrun_fuzz
//   build-fuzz/zelkrun_fuzz -max_len=4096
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "Arguments.h"
#include "Runner.h"
#include "world/ZelkFeld.h"

namespace {

void Schreibe(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string Ordner()
{
    // In memory where the machine has /dev/shm: on a disk, writing back the
    // two files of every input costs more than the run itself.
    static const std::string ordner = [] {
        char inMemory[] = "/dev/shm/zelkrun-fuzz-XXXXXX";
        char onDisk[] = "/tmp/zelkrun-fuzz-XXXXXX";
        const char* o = mkdtemp(inMemory);
        if (!o)
            o = mkdtemp(onDisk);
        if (!o)
            std::abort();
        return std::string(o);
    }();
    return ordner;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t teil = input.size() < std::size_t(RobDateiGroesse) ? input.size() : RobDateiGroesse;
    Schreibe(Ordner() + "/welt.rob", input.substr(0, teil));
    Schreibe(Ordner() + "/fuzz.pas", input.substr(teil));

    // Each run starts from the start-up world, as a new process would.
    Welt.Loeschen();
    Welt.Grundstellung();
    Welt.AbbruchLoeschen();
    Arguments args;
    args.program = Ordner() + "/fuzz.pas";
    args.world = Ordner() + "/welt.rob";
    args.state = true;
    args.maxSteps = 10000;
    std::ostringstream out, err;
    const int status = RunZelk(args, out, err);
    if (status != StatusEnded && status != StatusSourceError && status != StatusHalted &&
        status != StatusStepLimit && status != StatusNoInput) {
        std::fprintf(stderr, "zelkrun_fuzz: unexpected status %d\n", status);
        std::abort();
    }
    return 0;
}
