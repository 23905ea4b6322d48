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
