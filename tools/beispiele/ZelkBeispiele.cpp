// Writes the manual's examples as files: every field picture in the manual
// becomes NAME.ROB and every program text NAME.PAS in the given folder, so the
// files that ship with the manual are exactly what it shows.
//
//   zelk-beispiele resources/Zelk.hlp resources/examples
#include <fstream>
#include <iostream>
#include <sstream>

#include "Handbuch.h"

namespace {

// Program files end their lines with CR LF, as the editor writes them.
bool SchreibeText(const std::string& ziel, const std::string& text)
{
    std::string crlf;
    for (const char c : text) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    std::ofstream datei(ziel, std::ios::binary | std::ios::trunc);
    datei << crlf;
    return static_cast<bool>(datei.flush());
}

bool Scheitern(const std::string& was, const std::string& warum)
{
    std::cerr << was << ": " << warum << '\n';
    return false;
}

bool SchreibeBeispiele(const std::string& html, const std::string& handbuch, const std::string& ordner)
{
    std::vector<TFeldBild> bilder;
    std::vector<TProgrammText> programme;
    std::string fehler;
    if (!FeldBilderAusHandbuch(html, bilder, fehler) || !ProgrammeAusHandbuch(html, programme, fehler))
        return Scheitern(handbuch, fehler);
    for (const TFeldBild& bild : bilder) {
        const std::string ziel = ordner + "/" + bild.Name + ".ROB";
        if (!RobDateiSchreiben(ziel, bild.Roboter, bild.Feld))
            return Scheitern(ziel, "kann nicht geschrieben werden");
        std::cout << ziel << '\n';
    }
    for (const TProgrammText& programm : programme) {
        const std::string ziel = ordner + "/" + programm.Datei;
        if (!SchreibeText(ziel, programm.Text))
            return Scheitern(ziel, "kann nicht geschrieben werden");
        std::cout << ziel << '\n';
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::cerr << "Aufruf: zelk-beispiele HANDBUCH ORDNER\n";
        return 64;
    }
    std::ifstream datei(argv[1], std::ios::binary);
    if (!datei) {
        std::cerr << argv[1] << ": kann nicht gelesen werden\n";
        return 66;
    }
    std::ostringstream html;
    html << datei.rdbuf();
    return SchreibeBeispiele(html.str(), argv[1], argv[2]) ? 0 : 65;
}
