#pragma once
// The program's settings file Zelk.ini: where it lies, what the windows read
// from it, and the one write of everything when the main window closes.
//
// Readers open the file, read their keys and let it go again:
//
//     IniFileStore ini(SettingsFilePath());
//     LoadOptionen(ini);                                   // options dialog, at start-up
//     NetzwerkFlag = ReadNetzwerk(ini);                    // main window, at creation
//     place = ReadWindowPlace(ini, PlaceOf::Info, {460, 5, 145, 207});
//
// and the main window's close handler collects the places, the options and
// its NetzwerkFlag into one SettingsValue and ends with
//
//     SaveSettingsAtShutdown(value);
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"
#include "settings/ZelkSettings.h"

constexpr const char* SettingsFileName = "Zelk.ini";

// Zelk.ini beside the program when a file of that name is there (a
// teacher's preset, also in a folder the user may not write; spelt in any
// case) or when the program's folder may be written. Otherwise the program
// is installed, and its settings are the user's own:
// $XDG_CONFIG_HOME/Zelk/Zelk.ini, or ~/.config/Zelk/Zelk.ini when that is
// not set (or not an absolute path). With no home at all, beside the
// program after all, where a write fails and says so.
std::string SettingsFileLocation(const std::string& programDir, const std::string& xdgConfigHome,
                                 const std::string& home);
// The same with XDG_CONFIG_HOME and HOME from the environment.
std::string SettingsFileLocation(const std::string& programDir);

// The program-wide settings file, chosen once at start-up.
void SetSettingsFilePath(std::string path);
const std::string& SettingsFilePath();

// "Optionen": the ten program-wide settings of ZelkSettings.h, each with
// its default when missing or not readable; a "Tabset" beyond a signed byte
// or a "Fontcharset" beyond a byte also gives the default. The caller
// rebuilds the keyword table for the Underscore read.
void LoadOptionen(const SettingsStore& store);
// "Optionen"/"Netzwerk": when true, a failed write at shut-down is not reported.
bool ReadNetzwerk(const SettingsStore& store);

// A window's place in section "Fenster".
struct WindowPlace {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};
enum class PlaceOf { Main, Editor, Info };  // keys left.., edit_left.., info_left..

// Each of the four values from the file, or from defaults where the key is
// missing or no number.
WindowPlace ReadWindowPlace(const SettingsStore& store, PlaceOf window, const WindowPlace& defaults);

// What the main window knows at shut-down: the places of its windows, the
// editor's only if the editor window exists.
struct WindowPlaces {
    WindowPlace main;
    std::optional<WindowPlace> editor;
    WindowPlace info;
};

// Everything the shut-down writes, as the main window has collected it.
struct SettingsValue {
    WindowPlaces places;
    OptionValues options;
    // "Netzwerk" as the file said at start-up: a failed write goes
    // unreported. The file gets Netzwerk=0 all the same.
    bool netzwerk = false;
};

// The keys of the shut-down write in their order: "Netzwerk" as false, the
// main window's place, the editor's (if any), the info window's, then the
// ten options. A file made by them holds them in this order.
std::vector<SettingsEntry> ShutdownEntries(const SettingsValue& value);

// Sets every key of ShutdownEntries in one write of the file, so that the
// file holds either all the new values or all the old ones, never some of
// each. False when the write failed.
bool WriteAllSettings(SettingsStore& store, const SettingsValue& value);

constexpr const char* SettingsNotSavedText = "Zelk.ini konnte nicht gespeichert werden! Laufwerk schreibgeschützt?";

// The main window's last act: WriteAllSettings, and on failure the error box,
// unless the file said Netzwerk=1 at start-up (a shared, write-protected
// installation, where nobody can do anything about it).
void SaveSettingsAtShutdown(SettingsStore& store, const SettingsValue& value);
// The same on SettingsFilePath().
void SaveSettingsAtShutdown(const SettingsValue& value);
