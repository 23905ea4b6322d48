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

// The keys of "Optionen", each spelt here once for the read at start-up and
// the write at shut-down: a key spelt two ways would be written and never
// read back.
namespace Key {
constexpr const char* Underscore = "Underscore";
constexpr const char* Autoindent = "Autoindent";
constexpr const char* Tabset = "Tabset";
constexpr const char* Fontheight = "Fontheight";
constexpr const char* Fontname = "Fontname";
constexpr const char* Fontcolor = "Fontcolor";
constexpr const char* Fontcharset = "Fontcharset";
constexpr const char* Wallcolor = "Wallcolor";
constexpr const char* Barriercolor = "Barriercolor";
constexpr const char* Syntaxfarben = "Syntaxfarben";
}  // namespace Key

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

void AddPlace(std::vector<SettingsEntry>& entries, PlaceOf window, const WindowPlace& place)
{
    entries.push_back({Fenster, KeyOf(window, "left"), IntegerText(place.left)});
    entries.push_back({Fenster, KeyOf(window, "top"), IntegerText(place.top)});
    entries.push_back({Fenster, KeyOf(window, "width"), IntegerText(place.width)});
    entries.push_back({Fenster, KeyOf(window, "height"), IntegerText(place.height)});
}

void AddOptionen(std::vector<SettingsEntry>& entries, const OptionValues& o)
{
    entries.push_back({Optionen, Key::Underscore, BoolText(o.underscore)});
    entries.push_back({Optionen, Key::Autoindent, BoolText(o.autoindent)});
    entries.push_back({Optionen, Key::Tabset, IntegerText(o.tabset)});
    entries.push_back({Optionen, Key::Fontheight, IntegerText(o.fontheight)});
    entries.push_back({Optionen, Key::Fontname, o.fontname});
    entries.push_back({Optionen, Key::Fontcolor, IntegerText(o.fontcolor)});
    entries.push_back({Optionen, Key::Fontcharset, IntegerText(o.fontcharset)});
    entries.push_back({Optionen, Key::Wallcolor, IntegerText(o.wallcolor)});
    entries.push_back({Optionen, Key::Barriercolor, IntegerText(o.barriercolor)});
    entries.push_back({Optionen, Key::Syntaxfarben, BoolText(o.syntaxfarben)});
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
    OptionValues o;
    o.underscore = store.ReadBool(Optionen, Key::Underscore, DefaultUnderscore);
    o.autoindent = store.ReadBool(Optionen, Key::Autoindent, DefaultAutoindent);
    o.tabset = static_cast<std::int8_t>(ReadInRange(store, Key::Tabset, DefaultTabset, -128, 127));
    o.fontheight = store.ReadInteger(Optionen, Key::Fontheight, DefaultFontheight);
    o.fontname = store.ReadString(Optionen, Key::Fontname, DefaultFontname);
    o.fontcolor = store.ReadInteger(Optionen, Key::Fontcolor, DefaultFontcolor);
    o.fontcharset = ReadInRange(store, Key::Fontcharset, DefaultFontcharset, 0, 255);
    o.wallcolor = store.ReadInteger(Optionen, Key::Wallcolor, DefaultWallcolor);
    o.barriercolor = store.ReadInteger(Optionen, Key::Barriercolor, DefaultBarriercolor);
    o.syntaxfarben = store.ReadBool(Optionen, Key::Syntaxfarben, DefaultSyntaxfarben);
    SetOptions(o);
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

std::vector<SettingsEntry> ShutdownEntries(const SettingsValue& value)
{
    // Netzwerk first and always false: Netzwerk=1 is to silence a file that
    // cannot be written. Where the write works it is cleared, so that a
    // later failure is reported again.
    std::vector<SettingsEntry> entries{{Optionen, Netzwerk, BoolText(false)}};
    AddPlace(entries, PlaceOf::Main, value.places.main);
    if (value.places.editor)
        AddPlace(entries, PlaceOf::Editor, *value.places.editor);
    AddPlace(entries, PlaceOf::Info, value.places.info);
    AddOptionen(entries, value.options);
    return entries;
}

bool WriteAllSettings(SettingsStore& store, const SettingsValue& value)
{
    return store.WriteAll(ShutdownEntries(value));
}

void SaveSettingsAtShutdown(SettingsStore& store, const SettingsValue& value)
{
    if (!WriteAllSettings(store, value) && !value.netzwerk)
        ShowError(SettingsNotSavedText);
}

void SaveSettingsAtShutdown(const SettingsValue& value)
{
    IniFileStore store(SettingsFilePath());
    SaveSettingsAtShutdown(store, value);
}
