#include "settings/ZelkSettings.h"

bool Underscore = DefaultUnderscore;
bool Autoindent = DefaultAutoindent;
std::int8_t Tabset = DefaultTabset;
std::int32_t Fontheight = DefaultFontheight;
std::string Fontname = DefaultFontname;
std::int32_t Fontcolor = DefaultFontcolor;
std::int32_t Fontcharset = DefaultFontcharset;
std::int32_t Wallcolor = DefaultWallcolor;
std::int32_t Barriercolor = DefaultBarriercolor;
bool Syntaxfarben = DefaultSyntaxfarben;

OptionValues CurrentOptions()
{
    return {Underscore, Autoindent, Tabset, Fontheight, Fontname, Fontcolor, Fontcharset, Wallcolor, Barriercolor, Syntaxfarben};
}

void SetOptions(const OptionValues& options)
{
    Underscore = options.underscore;
    Autoindent = options.autoindent;
    Tabset = options.tabset;
    Fontheight = options.fontheight;
    Fontname = options.fontname;
    Fontcolor = options.fontcolor;
    Fontcharset = options.fontcharset;
    Wallcolor = options.wallcolor;
    Barriercolor = options.barriercolor;
    Syntaxfarben = options.syntaxfarben;
}
