#include "WorldReport.h"

#include <cstdint>

#include "world/ZelkFeld.h"

namespace {

const char* RichtungName(int r)
{
    static const char* const names[] = {"Ost", "Nord", "West", "Sued"};
    return r >= 0 && r <= 3 ? names[r] : "?";
}

// One column per square. The model keeps counts within 0..9; should one ever
// slip outside, a '?' keeps the rest of the row in its columns.
char CountDigit(std::int32_t n) { return n >= 0 && n <= 9 ? static_cast<char>('0' + n) : '?'; }

}  // namespace

std::string StateText()
{
    std::string text = "Zelk: x=" + std::to_string(Roboter.X) + " y=" + std::to_string(Roboter.Y) +
                       " richtung=" + RichtungName(Roboter.Richtung) +
                       " vorrat=" + std::to_string(Roboter.Vorrat) + "\n";
    for (int y = FeldHoehe; y >= 1; --y) {
        for (int x = 1; x <= FeldBreite; ++x)
            text += CountDigit(Welt.Zelle(x, y).Anzahl);
        text += '\n';
    }
    return text;
}
