// The shut-down write of a typical Zelk.ini (23 keys: the three windows'
// places and the options), over a file from an earlier shut-down:
//   key by key: the store opened once and each key written on its own, 23
//               replacements of the file, as the shut-down wrote it before;
//   one write:  the shut-down as it is, all keys set in memory and the file
//               replaced once.
//   cmake --build build --target settings_bench && build/settings_bench [shut-downs] [folder]
// The folder (default: the system's temporary folder) decides the disk
// whose flushes are measured.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "settings/SettingsFile.h"

#include "Messen.h"

namespace fs = std::filesystem;

namespace {

template <class F>
void Zeige(const char* name, long mal, F&& f)
{
    const double sekunden = Messe(name, mal, f);
    std::printf("%-12s %6ld shut-downs  %7.3f s  %8.3f ms each\n", name, mal, sekunden,
                sekunden * 1e3 / mal);
}

SettingsValue Typisch()
{
    SettingsValue value;
    value.places.main = {10, 10, 1004, 718};
    value.places.editor = WindowPlace{474, 40, 500, 588};
    value.places.info = {460, 5, 145, 207};
    return value;
}

bool KeyByKey(const std::string& path, const SettingsValue& value)
{
    IniFileStore store(path);
    for (const SettingsEntry& entry : ShutdownEntries(value))
        if (!store.Write(entry.section, entry.key, entry.value))
            return false;
    return true;
}

bool OneWrite(const std::string& path, const SettingsValue& value)
{
    IniFileStore store(path);
    return WriteAllSettings(store, value);
}

}  // namespace

int main(int argc, char** argv)
{
    const long mal = argc > 1 ? std::atol(argv[1]) : 100;
    const fs::path base = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path();
    const fs::path dir = base / ("zelk-bench-" + std::to_string(std::rand()));
    fs::create_directories(dir);
    const std::string path = (dir / SettingsFileName).string();

    const SettingsValue value = Typisch();
    if (ShutdownEntries(value).size() != 23 || !OneWrite(path, value))
        return 1;
    Zeige("key by key", mal, [&] { return KeyByKey(path, value); });
    Zeige("one write", mal, [&] { return OneWrite(path, value); });

    fs::remove_all(dir);
    return 0;
}
