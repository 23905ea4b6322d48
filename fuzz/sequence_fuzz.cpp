// Fuzzing the teach-in sequence reader: any bytes, read as a *.tip file, give
// at most 300 command letters, each one of V, D, N, G; written back and read
// again, the sequence comes out unchanged.
//
//   cmake --build build-fuzz --target sequence_fuzz
//   build-fuzz/sequence_fuzz fuzz/corpus/sequence -max_total_time=120
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "world/TeachinSequenz.h"

namespace {

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "sequence_fuzz: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const TGeleseneSequenz gelesen = LeseSequenz(bytes);
    Check(gelesen.Befehle.size() <= std::size_t(MaxTeachinBefehle), "more than 300 commands");
    for (char c : gelesen.Befehle)
        Check(IstTeachinBefehl(c), "a letter that is no command");
    Check(!gelesen.Abgeschnitten || gelesen.Befehle.size() == std::size_t(MaxTeachinBefehle),
          "cut short before the limit");
    const TGeleseneSequenz wieder = LeseSequenz(SequenzText(gelesen.Befehle, "fuzz.tip"));
    Check(wieder.Befehle == gelesen.Befehle && !wieder.Abgeschnitten, "round trip changed the sequence");
    return 0;
}
