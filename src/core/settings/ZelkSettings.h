#pragma once
// The program-wide settings of the section "Optionen", named like their keys:
// read by the editor, the keyword table and the work field view. The options
// dialog loads them at start-up and changes them; at shut-down the main
// window takes them as one value into the settings file.
#include <cstdint>
#include <string>

extern bool Underscore;           // robot words spelled DREHE_LINKS (true) or DREHELINKS
extern bool Autoindent;
extern std::int8_t Tabset;        // spaces per Tab key; -1 inserts a tab character
extern std::int32_t Fontheight;   // negative: pixel height
extern std::string Fontname;
extern std::int32_t Fontcolor;    // 0x00BBGGRR, or 0x80000000 + system colour index
extern std::int32_t Fontcharset;
extern std::int32_t Wallcolor;
extern std::int32_t Barriercolor;
extern bool Syntaxfarben;         // the editor colours the program's words

// Their values without a settings file, and for a key it lacks.
constexpr bool DefaultUnderscore = true;
constexpr bool DefaultAutoindent = true;
constexpr std::int8_t DefaultTabset = 4;
constexpr std::int32_t DefaultFontheight = -13;
constexpr const char* DefaultFontname = "Courier New";
constexpr std::int32_t DefaultFontcolor = -2147483640;  // system colour 8, window text
constexpr std::int32_t DefaultFontcharset = 0;          // ANSI
constexpr std::int32_t DefaultWallcolor = 8421504;      // grey
constexpr std::int32_t DefaultBarriercolor = 255;       // red
constexpr bool DefaultSyntaxfarben = true;

// The ten settings as one value, in the order of their keys.
struct OptionValues {
    bool underscore = DefaultUnderscore;
    bool autoindent = DefaultAutoindent;
    std::int8_t tabset = DefaultTabset;
    std::int32_t fontheight = DefaultFontheight;
    std::string fontname = DefaultFontname;
    std::int32_t fontcolor = DefaultFontcolor;
    std::int32_t fontcharset = DefaultFontcharset;
    std::int32_t wallcolor = DefaultWallcolor;
    std::int32_t barriercolor = DefaultBarriercolor;
    bool syntaxfarben = DefaultSyntaxfarben;
};

// The program-wide settings as they are now.
OptionValues CurrentOptions();
// Sets all ten; the caller rebuilds the keyword table for the Underscore.
void SetOptions(const OptionValues& options);
