#pragma once
// Colour values as the settings file keeps them: 0x00BBGGRR for a plain
// colour, or 0x80000000 plus the index of a system colour, which follows the
// desktop's palette.
#include <QColor>
#include <cstdint>

QColor ToQColor(std::int32_t value);
