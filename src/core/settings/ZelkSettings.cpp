#include "settings/ZelkSettings.h"

bool Underscore = true;
bool Autoindent = true;
std::int8_t Tabset = 4;
std::int32_t Fontheight = -13;
std::string Fontname = "Courier New";
std::int32_t Fontcolor = -2147483640;  // system colour 8, window text
std::int32_t Fontcharset = 0;
std::int32_t Wallcolor = 8421504;      // grey
std::int32_t Barriercolor = 255;       // red
