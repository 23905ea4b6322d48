#include "settings/SettingsFile.h"

#include <cstdlib>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ports/Messages.h"
#include "settings/ZelkSettings.h"
#include "text/AsciiNames.h"

namespace {

constexpr const char* Optionen = "Optionen";
constexpr const char* Fenster = "Fenster";
constexpr const char* Netzwerk = "Netzwerk";

std::string settingsFilePath;

std::string Joined(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

bool Exists(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool MayWriteIn(const std::string& folder)
{
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The spelling of the settings file's name that the program's folder holds,
// for a preset copied from a system that ignores case.
std::string NameInFolder(const std::string& programDir)
{
    if (Exists(Joined(programDir, SettingsFileName)))
        return SettingsFileName;
    return FindFileIgnoringCase(programDir.empty() ? "." : programDir, SettingsFileName);
}

std::string KeyOf(PlaceOf window, const char* side)
{
    switch (window) {
    case PlaceOf::Editor: return std::string("edit_") + side;
    case PlaceOf::Info: return std::string("info_") + side;
    case PlaceOf::Main: break;
    }
    return side;
}

bool WritePlace(SettingsStore& store, PlaceOf window, const WindowPlace& place)
{
    return store.WriteInteger(Fenster, KeyOf(window, "left"), place.left) &&
           store.WriteInteger(Fenster, KeyOf(window, "top"), place.top) &&
           store.WriteInteger(Fenster, KeyOf(window, "width"), place.width) &&
           store.WriteInteger(Fenster, KeyOf(window, "height"), place.height);
}

bool WriteOptionen(SettingsStore& store)
{
    return store.WriteBool(Optionen, "Underscore", Underscore) &&
           store.WriteBool(Optionen, "Autoindent", Autoindent) &&
           store.WriteInteger(Optionen, "Tabset", Tabset) &&
           store.WriteInteger(Optionen, "Fontheight", Fontheight) &&
           store.Write(Optionen, "Fontname", Fontname) &&
           store.WriteInteger(Optionen, "Fontcolor", Fontcolor) &&
           store.WriteInteger(Optionen, "Fontcharset", Fontcharset) &&
           store.WriteInteger(Optionen, "Wallcolor", Wallcolor) &&
           store.WriteInteger(Optionen, "Barriercolor", Barriercolor) &&
           store.WriteBool(Optionen, "Syntaxfarben", Syntaxfarben);
}

// An integer key whose value must lie in [low, high]; a value beyond it is
// as unreadable as "abc".
std::int32_t ReadInRange(const SettingsStore& store, const char* key, std::int32_t fallback, std::int32_t low,
                         std::int32_t high)
{
    const std::int32_t value = store.ReadInteger(Optionen, key, fallback);
    return value >= low && value <= high ? value : fallback;
}

}  // namespace

std::string SettingsFileLocation(const std::string& programDir, const std::string& xdgConfigHome,
                                 const std::string& home)
{
    const std::string present = NameInFolder(programDir);
    if (!present.empty())
        return Joined(programDir, present);
    const std::string beside = Joined(programDir, SettingsFileName);
    if (MayWriteIn(programDir.empty() ? "." : programDir))
        return beside;
    // Relative XDG paths are to be ignored.
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/')
        return Joined(Joined(xdgConfigHome, "Zelk"), SettingsFileName);
    if (!home.empty())
        return Joined(Joined(Joined(home, ".config"), "Zelk"), SettingsFileName);
    return beside;
}

std::string SettingsFileLocation(const std::string& programDir)
{
    return SettingsFileLocation(programDir, Environment("XDG_CONFIG_HOME"), Environment("HOME"));
}

void SetSettingsFilePath(std::string path) { settingsFilePath = std::move(path); }

const std::string& SettingsFilePath() { return settingsFilePath; }

void LoadOptionen(const SettingsStore& store)
{
    Underscore = store.ReadBool(Optionen, "Underscore", DefaultUnderscore);
    Autoindent = store.ReadBool(Optionen, "Autoindent", DefaultAutoindent);
    Tabset = static_cast<std::int8_t>(ReadInRange(store, "Tabset", DefaultTabset, -128, 127));
    Fontheight = store.ReadInteger(Optionen, "Fontheight", DefaultFontheight);
    Fontname = store.ReadString(Optionen, "Fontname", DefaultFontname);
    Fontcolor = store.ReadInteger(Optionen, "Fontcolor", DefaultFontcolor);
    Fontcharset = ReadInRange(store, "Fontcharset", DefaultFontcharset, 0, 255);
    Wallcolor = store.ReadInteger(Optionen, "Wallcolor", DefaultWallcolor);
    Barriercolor = store.ReadInteger(Optionen, "Barriercolor", DefaultBarriercolor);
    Syntaxfarben = store.ReadBool(Optionen, "Syntaxfarben", DefaultSyntaxfarben);
}

bool ReadNetzwerk(const SettingsStore& store) { return store.ReadBool(Optionen, Netzwerk, false); }

WindowPlace ReadWindowPlace(const SettingsStore& store, PlaceOf window, const WindowPlace& defaults)
{
    WindowPlace place;
    place.left = store.ReadInteger(Fenster, KeyOf(window, "left"), defaults.left);
    place.top = store.ReadInteger(Fenster, KeyOf(window, "top"), defaults.top);
    place.width = store.ReadInteger(Fenster, KeyOf(window, "width"), defaults.width);
    place.height = store.ReadInteger(Fenster, KeyOf(window, "height"), defaults.height);
    return place;
}

bool WriteAllSettings(SettingsStore& store, const WindowPlaces& places)
{
    // Netzwerk first and always false: Netzwerk=1 is to silence a file that
    // cannot be written. Where the write works it is cleared, so that a
    // later failure is reported again.
    return store.WriteBool(Optionen, Netzwerk, false) && WritePlace(store, PlaceOf::Main, places.main) &&
           (!places.editor || WritePlace(store, PlaceOf::Editor, *places.editor)) &&
           WritePlace(store, PlaceOf::Info, places.info) && WriteOptionen(store);
}

void SaveSettingsAtShutdown(SettingsStore& store, const WindowPlaces& places, bool netzwerkFlag)
{
    if (!WriteAllSettings(store, places) && !netzwerkFlag)
        ShowError(SettingsNotSavedText);
}

void SaveSettingsAtShutdown(const WindowPlaces& places, bool netzwerkFlag)
{
    IniFileStore store(SettingsFilePath());
    SaveSettingsAtShutdown(store, places, netzwerkFlag);
}
