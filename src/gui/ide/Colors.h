#pragma once
// Colour values as the settings store them: 0x00BBGGRR for a plain colour,
// or 0x80000000 plus a system colour index for a colour of the desktop theme.
#include <QColor>
#include <cstdint>

QColor ToQColor(std::int32_t value);
